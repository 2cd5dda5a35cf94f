#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// The words a deck expression knows besides its own symbols: functions,
// named constants and the unit suffixes written straight after a number.
// Every name is compared without regard to case, as the deck dialect has it.

enum class DeckFunction {
    Sin,
    Cos,
    Tan,
    Atn,
    Sqr,
    Exp,
    Log,
    Log10,
    Abs,
    Int,
    Sgn,
    Mod,
    Min,
    Max,
};

std::optional<DeckFunction> FindDeckFunction(std::string_view name);
int ArgumentCount(DeckFunction function);

// Why a function gave no value.
enum class FunctionProblem { None, DivisionByZero, NotFinite };

struct FunctionValue {
    double Value = 0;
    FunctionProblem Problem = FunctionProblem::None;
};

// Applies a function to finite arguments (as many as ArgumentCount says). A
// result that would be infinite or undefined (sqr(-1), log(0), tan(90)) is
// reported, never returned.
FunctionValue ApplyDeckFunction(DeckFunction function, const double* arguments);

// A unit written straight after a number ("2.8uH", "10mm"): its factor to
// the metre, farad or henry the deck's fields are in.
std::optional<double> FindUnitFactor(std::string_view suffix);

// A named constant: pi and the units by name ("1.5*mm"). A deck's own symbol
// of the same name takes precedence, so decks that define them keep theirs.
std::optional<double> FindDeckConstant(std::string_view name);

// Degrees, exact at multiples of 30 and 45 degrees, where radians are not
// (sin 180 is 0, cos 60 is 0.5).
double SinDegrees(double degrees);
double CosDegrees(double degrees);

}  // namespace quorvane
