#include "DeckVocabulary.h"

#include "IgnoreCase.h"

#include <array>
#include <cmath>
#include <numbers>

namespace quorvane {
namespace {

struct FunctionEntry {
    std::string_view Name;
    DeckFunction Function;
    int Arguments;
};

// The functions the descriptions of the deck dialect list, with their
// BASIC-style names (sqr is the square root), plus "sqrt" beside "sqr" and
// min/max, which other readers of these decks accept as well. Inverse sine
// and cosine are left out on purpose: no description of the dialect lists
// them, so a deck that uses them would not read elsewhere either.
constexpr std::array<FunctionEntry, 15> Functions{{
    {"sin", DeckFunction::Sin, 1},
    {"cos", DeckFunction::Cos, 1},
    {"tan", DeckFunction::Tan, 1},
    {"atn", DeckFunction::Atn, 1},
    {"sqr", DeckFunction::Sqr, 1},
    {"sqrt", DeckFunction::Sqr, 1},
    {"exp", DeckFunction::Exp, 1},
    {"log", DeckFunction::Log, 1},
    {"log10", DeckFunction::Log10, 1},
    {"abs", DeckFunction::Abs, 1},
    {"int", DeckFunction::Int, 1},
    {"sgn", DeckFunction::Sgn, 1},
    {"mod", DeckFunction::Mod, 2},
    {"min", DeckFunction::Min, 2},
    {"max", DeckFunction::Max, 2},
}};

struct NamedValue {
    std::string_view Name;
    double Value;
};

// Lengths in metres, capacitances in farads, inductances in henries: the
// units of the fields they stand in.
constexpr std::array<NamedValue, 10> Units{{
    {"m", 1.0},
    {"cm", 0.01},
    {"mm", 0.001},
    {"in", 0.0254},
    {"ft", 0.3048},
    {"pf", 1e-12},
    {"nf", 1e-9},
    {"uf", 1e-6},
    {"nh", 1e-9},
    {"uh", 1e-6},
}};

std::optional<double> FindIn(const auto& table, std::string_view name)
{
    for (const NamedValue& entry : table)
        if (EqualIgnoringCase(name, entry.Name))
            return entry.Value;
    return std::nullopt;
}

// Sine and cosine of an angle within [0, 90), exact where the true value
// rounds to a known double.
double SinWithinQuadrant(double s)
{
    if (s == 0)
        return 0;
    if (s == 30)
        return 0.5;
    if (s == 45)
        return std::sqrt(0.5);
    if (s == 60)
        return std::sqrt(0.75);
    return std::sin(s * (std::numbers::pi / 180));
}

double CosWithinQuadrant(double s)
{
    if (s == 0)
        return 1;
    if (s == 30)
        return std::sqrt(0.75);
    if (s == 45)
        return std::sqrt(0.5);
    if (s == 60)
        return 0.5;
    return std::cos(s * (std::numbers::pi / 180));
}

// Splits an angle into its quadrant (0 to 3) and the rest within it. fmod
// is exact, and so is taking whole quadrants off what remains.
int Quadrant(double degrees, double& rest)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    if (r >= 360.0)
        r = 0;
    int quadrant = static_cast<int>(r / 90.0);
    if (quadrant > 3)
        quadrant = 3;
    rest = r - 90.0 * quadrant;
    if (rest >= 90.0) {
        rest -= 90.0;
        quadrant = (quadrant + 1) % 4;
    }
    return quadrant;
}

FunctionValue Checked(double value)
{
    if (!std::isfinite(value))
        return {0, FunctionProblem::NotFinite};
    return {value + 0.0, FunctionProblem::None};  // + 0.0: no negative zero
}

}  // namespace

std::optional<DeckFunction> FindDeckFunction(std::string_view name)
{
    for (const FunctionEntry& entry : Functions)
        if (EqualIgnoringCase(name, entry.Name))
            return entry.Function;
    return std::nullopt;
}

int ArgumentCount(DeckFunction function)
{
    for (const FunctionEntry& entry : Functions)
        if (entry.Function == function)
            return entry.Arguments;
    return 1;
}

double SinDegrees(double degrees)
{
    double s = 0;
    switch (Quadrant(degrees, s)) {
    case 0: return SinWithinQuadrant(s) + 0.0;
    case 1: return CosWithinQuadrant(s) + 0.0;
    case 2: return -SinWithinQuadrant(s) + 0.0;
    default: return -CosWithinQuadrant(s) + 0.0;
    }
}

double CosDegrees(double degrees)
{
    double s = 0;
    switch (Quadrant(degrees, s)) {
    case 0: return CosWithinQuadrant(s) + 0.0;
    case 1: return -SinWithinQuadrant(s) + 0.0;
    case 2: return -CosWithinQuadrant(s) + 0.0;
    default: return SinWithinQuadrant(s) + 0.0;
    }
}

FunctionValue ApplyDeckFunction(DeckFunction function, const double* arguments)
{
    const double x = arguments[0];
    switch (function) {
    case DeckFunction::Sin: return Checked(SinDegrees(x));
    case DeckFunction::Cos: return Checked(CosDegrees(x));
    case DeckFunction::Tan: {
        const double cosine = CosDegrees(x);
        if (cosine == 0)
            return {0, FunctionProblem::NotFinite};
        return Checked(SinDegrees(x) / cosine);
    }
    case DeckFunction::Atn: return Checked(std::atan(x) * (180 / std::numbers::pi));
    case DeckFunction::Sqr:
        if (x < 0)
            return {0, FunctionProblem::NotFinite};
        return Checked(std::sqrt(x));
    case DeckFunction::Exp: return Checked(std::exp(x));
    case DeckFunction::Log:
        if (x <= 0)
            return {0, FunctionProblem::NotFinite};
        return Checked(std::log(x));
    case DeckFunction::Log10:
        if (x <= 0)
            return {0, FunctionProblem::NotFinite};
        return Checked(std::log10(x));
    case DeckFunction::Abs: return Checked(std::fabs(x));
    // INT as in BASIC: the largest whole number not above x.
    case DeckFunction::Int: return Checked(std::floor(x));
    case DeckFunction::Sgn: return Checked(x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0);
    case DeckFunction::Mod:
        if (arguments[1] == 0)
            return {0, FunctionProblem::DivisionByZero};
        return Checked(std::fmod(x, arguments[1]));
    case DeckFunction::Min: return Checked(std::fmin(x, arguments[1]));
    case DeckFunction::Max: return Checked(std::fmax(x, arguments[1]));
    }
    return {0, FunctionProblem::NotFinite};
}

std::optional<double> FindUnitFactor(std::string_view suffix)
{
    return FindIn(Units, suffix);
}

std::optional<double> FindDeckConstant(std::string_view name)
{
    if (EqualIgnoringCase(name, "pi"))
        return std::numbers::pi;
    return FindIn(Units, name);
}

}  // namespace quorvane
