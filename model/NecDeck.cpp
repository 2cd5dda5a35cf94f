#include "NecDeck.h"

#include "NecCardFields.h"
#include "NecCardRows.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace quorvane {
namespace {

constexpr int FieldCount = 9;  // two integers, then seven reals
constexpr double IntegerLimit = NecLargestInteger;
constexpr std::size_t CardTextLimit = 120;

struct Card {
    std::array<double, FieldCount> F{};
    int Given = 0;  // fields present; all of them in fixed columns
};

// Fixed columns: [2,5) [5,10) then ten columns each up to column 80. Accepted
// only when every field holds one number, so that a free-form line, whose
// numbers are packed closer, never reads as columns. Two fields may touch
// only where the second starts with a sign, as columns filled to the edge do.
std::optional<Card> ReadFixedColumns(std::string_view line)
{
    if (line.size() > 80 || line.find('\t') != std::string_view::npos)
        return std::nullopt;
    static constexpr std::array<std::size_t, FieldCount + 1> starts{2, 5, 10, 20, 30, 40, 50, 60, 70, 80};
    Card card;
    card.Given = FieldCount;
    for (int f = 0; f < FieldCount; ++f) {
        std::size_t begin = std::min(starts[f], line.size());
        std::size_t end = std::min(starts[f + 1], line.size());
        std::string_view field = line.substr(begin, end - begin);
        if (f > 0 && begin > 0 && begin < line.size() && !IsNecBlank(line[begin - 1]) && !IsNecBlank(line[begin])) {
            char before = line[begin - 1];
            bool signStarts = line[begin] == '-' || line[begin] == '+';
            if (!signStarts || before == 'E' || before == 'e' || before == 'D' || before == 'd')
                return std::nullopt;
        }
        std::size_t first = field.find_first_not_of(' ');
        if (first == std::string_view::npos)
            continue;  // a blank field is zero
        std::size_t last = field.find_last_not_of(' ');
        field = field.substr(first, last - first + 1);
        if (field.find(' ') != std::string_view::npos)
            return std::nullopt;
        std::optional<double> value = ReadNecNumber(field);
        if (!value)
            return std::nullopt;
        card.F[f] = *value;
    }
    return card;
}

// Runs of commas and blanks separate fields, so "1,,2" is two fields.
std::optional<Card> ReadFreeForm(std::string_view rest)
{
    Card card;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && (IsNecBlank(rest[i]) || rest[i] == ','))
            ++i;
        std::size_t begin = i;
        while (i < rest.size() && !IsNecBlank(rest[i]) && rest[i] != ',')
            ++i;
        if (begin == i)
            break;
        if (card.Given == FieldCount)
            return std::nullopt;
        std::optional<double> value = ReadNecNumber(rest.substr(begin, i - begin));
        if (!value)
            return std::nullopt;
        card.F[card.Given++] = *value;
    }
    return card;
}

bool IsInteger(double v) { return v == std::floor(v) && std::fabs(v) <= IntegerLimit; }

// Sine and cosine of an angle in degrees, exact at multiples of 90 degrees so
// that quarter turns leave no 1e-17 residues in the coordinates.
void SinCosDegrees(double degrees, double& s, double& c)
{
    double turns = degrees / 90.0;
    if (turns == std::floor(turns) && std::fabs(turns) < 1e15) {
        static constexpr double sines[4] = {0, 1, 0, -1};
        long long q = static_cast<long long>(turns) % 4;
        if (q < 0)
            q += 4;
        s = sines[q];
        c = sines[(q + 1) % 4];
        return;
    }
    double r = degrees * std::numbers::pi / 180.0;
    s = std::sin(r);
    c = std::cos(r);
}

struct Point {
    double X, Y, Z;
};

// Rotation about x, then y, then z, then a shift.
struct Motion {
    double sx, cx, sy, cy, sz, cz, dx, dy, dz;

    Point Apply(Point p) const
    {
        Point a{p.X, cx * p.Y - sx * p.Z, sx * p.Y + cx * p.Z};
        Point b{cy * a.X + sy * a.Z, a.Y, -sy * a.X + cy * a.Z};
        Point c{cz * b.X - sz * b.Y, sz * b.X + cz * b.Y, b.Z};
        return {c.X + dx, c.Y + dy, c.Z + dz};
    }
    void Apply(NecWire& w) const
    {
        Point a = Apply(Point{w.X1, w.Y1, w.Z1});
        Point b = Apply(Point{w.X2, w.Y2, w.Z2});
        w.X1 = a.X, w.Y1 = a.Y, w.Z1 = a.Z;
        w.X2 = b.X, w.Y2 = b.Y, w.Z2 = b.Z;
    }
};

Motion MakeMotion(double rx, double ry, double rz, double dx, double dy, double dz)
{
    Motion m{};
    SinCosDegrees(rx, m.sx, m.cx);
    SinCosDegrees(ry, m.sy, m.cy);
    SinCosDegrees(rz, m.sz, m.cz);
    m.dx = dx, m.dy = dy, m.dz = dz;
    return m;
}

// Copies made again and again can step a tag beyond the integers a card
// holds; such a tag could not be written back nor named by a simulator's
// cards, so that copy is left untagged.
void AddToTag(NecWire& w, long long increment)
{
    if (w.Tag == 0)
        return;
    const long long tag = w.Tag + increment;
    w.Tag = tag >= -NecLargestInteger && tag <= NecLargestInteger ? tag : 0;
}

class DeckReader {
public:
    explicit DeckReader(std::size_t maxWires) : maxWires_(maxWires) {}

    NecImport Result;

    void ReadLine(int lineNumber, std::string_view line)
    {
        lineNumber_ = lineNumber;
        line_ = line;
        std::size_t first = 0;
        while (first < line.size() && IsNecBlank(line[first]))
            ++first;
        if (first == line.size())
            return;
        // Indented cards have lost their columns: only free form fits them.
        bool mayBeFixed = first == 0;
        line = line.substr(first);
        if (line.size() < 2) {
            Error(NecProblem::NotACard);
            return;
        }
        char name[2] = {Upper(line[0]), Upper(line[1])};
        std::string_view cardName(name, 2);
        // A comment runs from its name on, whatever touches it.
        if (cardName == "CM" || cardName == "CE")
            return;
        // A word such as "GEOMETRY" is no GE card; a number may touch the
        // name only in fixed columns, where the first integer starts at 3.
        if (line.size() > 2) {
            char next = line[2];
            bool numberTouches = (next >= '0' && next <= '9') || next == '-' || next == '+' || next == '.';
            if (!IsNecBlank(next) && next != ',' && !numberTouches) {
                Error(NecProblem::UnknownCard);
                return;
            }
        }
        if (afterGeometry_) {
            ControlCard(cardName, line);
            return;
        }
        if (cardName == "GE") {
            EndGeometry(line);
            return;
        }
        std::optional<Card> card;
        if (mayBeFixed && line.find(',') == std::string_view::npos)
            card = ReadFixedColumns(line);
        if (!card) {
            card = ReadFreeForm(line.substr(2));
        }
        if (cardName == "GW")
            Wire(card);
        else if (cardName == "GA")
            Arc(card);
        else if (cardName == "GH")
            Helix(card);
        else if (cardName == "GM")
            Move(card);
        else if (cardName == "GR")
            Repeat(card);
        else if (cardName == "GX")
            Reflect(card);
        else if (cardName == "GS")
            Scale(card);
        else
            Error(NecProblem::UnknownCard);
    }

    bool Ended() const { return ended_; }

private:
    // GE ends the geometry; its flag, when it names a ground, is kept.
    void EndGeometry(std::string_view line)
    {
        afterGeometry_ = true;
        std::optional<Card> card = ReadFreeForm(line.substr(2));
        if (card && card->Given > 0 && card->F[0] != 0)
            KeepCard(line);
    }

    void ControlCard(std::string_view name, std::string_view line)
    {
        if (name == "EN") {
            ended_ = true;
            return;
        }
        if (!IsNecControlCardName(name)) {
            Error(NecProblem::UnknownCard);
            return;
        }
        KeepCard(line);
    }

    // The card as the deck has it, its name in capitals as the table's
    // card rows are told by.
    void KeepCard(std::string_view line)
    {
        std::string text(WithoutTrailingBlanks(line));
        text[0] = Upper(text[0]);
        text[1] = Upper(text[1]);
        Result.Cards.push_back({Result.Wires.size(), std::move(text)});
    }

    static char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

    void Error(NecProblem problem, int field = 0)
    {
        std::string_view text = line_;
        while (!text.empty() && IsNecBlank(text.back()))
            text.remove_suffix(1);
        Result.Errors.push_back(
            {lineNumber_, std::string(text.substr(0, CardTextLimit)), problem, field});
    }

    // The card read, with at least `needed` fields and the first `integers`
    // of them integral; otherwise the card is reported.
    const Card* Fields(const std::optional<Card>& card, int needed, int integers = 2)
    {
        if (!card) {
            Error(NecProblem::UnreadableFields);
            return nullptr;
        }
        if (card->Given < needed) {
            Error(NecProblem::TooFewFields);
            return nullptr;
        }
        for (int i = 0; i < integers; ++i) {
            if (!IsInteger(card->F[i])) {
                Error(NecProblem::FieldNotInteger, i + 1);
                return nullptr;
            }
        }
        return &*card;
    }

    // Room for `count` more lines; past the limit the deck stops growing and
    // says so once.
    std::size_t Room(double count)
    {
        if (full_)
            return 0;
        std::size_t room = maxWires_ - Result.Wires.size();
        if (count <= static_cast<double>(room))
            return static_cast<std::size_t>(count);
        full_ = true;
        Error(NecProblem::TooManyLines);
        return room;
    }

    bool SegmentsAndRadius(const Card& c, int radiusField)
    {
        if (c.F[1] < 1) {
            Error(NecProblem::SegmentsBelowOne);
            return false;
        }
        if (c.F[radiusField] < 0) {
            Error(NecProblem::NegativeRadius);
            return false;
        }
        return true;
    }

    void Add(long long tag, int segments, double radius, Point a, Point b)
    {
        Result.Wires.push_back({a.X, a.Y, a.Z, b.X, b.Y, b.Z, {}, tag, segments, radius, std::nullopt});
    }

    void Wire(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 8);
        if (!c || !SegmentsAndRadius(*c, 8) || Room(1) == 0)
            return;
        Add(static_cast<long long>(c->F[0]), static_cast<int>(c->F[1]), c->F[8],
            {c->F[2], c->F[3], c->F[4]}, {c->F[5], c->F[6], c->F[7]});
    }

    void Arc(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 5);
        if (!c || !SegmentsAndRadius(*c, 5))
            return;
        double r = c->F[2], a1 = c->F[3], a2 = c->F[4];
        if (r <= 0) {
            Error(NecProblem::ArcRadiusNotPositive);
            return;
        }
        double ns = c->F[1];
        std::size_t n = Room(ns);
        auto at = [&](double i) {
            double s, co;
            SinCosDegrees(a1 + (a2 - a1) * i / ns, s, co);
            return Point{r * co, 0, r * s};
        };
        for (std::size_t i = 0; i < n; ++i)
            Add(static_cast<long long>(c->F[0]), 1, c->F[5], at(double(i)), at(double(i + 1)));
    }

    void Helix(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 8);
        if (!c || !SegmentsAndRadius(*c, 8))
            return;
        double spacing = c->F[2], length = c->F[3];
        if (spacing == 0 || length == 0) {
            Error(NecProblem::HelixSpacingOrLengthZero);
            return;
        }
        double a1 = c->F[4], b1 = c->F[5], a2 = c->F[6], b2 = c->F[7];
        // A zero y radius would flatten the helix into a zigzag: it means
        // "as in x".
        if (b1 == 0)
            b1 = a1;
        if (b2 == 0)
            b2 = a2;
        double ns = c->F[1], height = std::fabs(length);
        // A left-handed helix is the right-handed one with x and y
        // exchanged, as simulators build it, not its mirror in y.
        const bool leftHanded = length < 0;
        auto at = [&](double i) {
            double t = i / ns, z = height * t;
            double phase = 2 * std::numbers::pi * z / spacing;
            const double x = (a1 + (a2 - a1) * t) * std::cos(phase);
            const double y = (b1 + (b2 - b1) * t) * std::sin(phase);
            return leftHanded ? Point{y, x, z} : Point{x, y, z};
        };
        std::size_t n = Room(ns);
        for (std::size_t i = 0; i < n; ++i)
            Add(static_cast<long long>(c->F[0]), 1, c->F[8], at(double(i)), at(double(i + 1)));
    }

    void Move(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 0);
        if (!c)
            return;
        if (!IsInteger(c->F[8]) || c->F[8] < 0) {
            Error(NecProblem::FirstTagNotWhole);
            return;
        }
        if (c->F[1] < 0) {
            Error(NecProblem::NegativeCopyCount);
            return;
        }
        long long increment = static_cast<long long>(c->F[0]);
        long long firstTag = static_cast<long long>(c->F[8]);
        Motion m = MakeMotion(c->F[2], c->F[3], c->F[4], c->F[5], c->F[6], c->F[7]);
        auto selected = [&](const NecWire& w) { return firstTag == 0 || w.Tag >= firstTag; };
        std::vector<NecWire>& wires = Result.Wires;
        // Moved in place, the wires still take the tag step: a deck that
        // gives one wants the moved part told apart from what it was.
        if (c->F[1] == 0) {
            for (NecWire& w : wires) {
                if (selected(w)) {
                    m.Apply(w);
                    AddToTag(w, increment);
                }
            }
            return;
        }
        std::vector<NecWire> copy;
        for (const NecWire& w : wires)
            if (selected(w))
                copy.push_back(w);
        if (copy.empty())
            return;
        double wanted = c->F[1] * double(copy.size());
        std::size_t n = Room(wanted);
        while (n > 0) {
            for (NecWire& w : copy) {
                if (n == 0)
                    break;
                m.Apply(w);
                AddToTag(w, increment);
                wires.push_back(w);
                --n;
            }
        }
    }

    void Repeat(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 2);
        if (!c)
            return;
        if (c->F[1] < 1) {
            Error(NecProblem::RepetitionsBelowOne);
            return;
        }
        std::vector<NecWire>& wires = Result.Wires;
        std::size_t base = wires.size();
        if (base == 0)
            return;
        double copies = c->F[1];
        std::size_t n = Room((copies - 1) * double(base));
        for (std::size_t k = 1; n > 0; ++k) {
            Motion m = MakeMotion(0, 0, 360.0 * double(k) / copies, 0, 0, 0);
            for (std::size_t i = 0; i < base && n > 0; ++i, --n) {
                NecWire w = wires[i];
                m.Apply(w);
                AddToTag(w, static_cast<long long>(c->F[0]) * static_cast<long long>(k));
                wires.push_back(w);
            }
        }
    }

    // The x-y plane first, then x-z, then y-z. Each reflection doubles the
    // structure, and its copies' tags go up by twice the step of the one
    // before, so that no two copies share a tag when the original tags lie
    // within one step.
    void Reflect(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 2);
        if (!c)
            return;
        long long flags = static_cast<long long>(c->F[1]);
        bool x = flags / 100 == 1, y = flags / 10 % 10 == 1, z = flags % 10 == 1;
        if (flags < 0 || flags > 111 || (flags / 100 > 1) || (flags / 10 % 10 > 1) || (flags % 10 > 1)) {
            Error(NecProblem::BadReflectionFlags);
            return;
        }
        long long step = static_cast<long long>(c->F[0]);
        const std::array<std::pair<bool, int>, 3> planes{{{z, 2}, {y, 1}, {x, 0}}};
        for (auto [wanted, axis] : planes) {
            if (!wanted)
                continue;
            std::vector<NecWire>& wires = Result.Wires;
            std::size_t base = wires.size();
            std::size_t n = Room(double(base));
            for (std::size_t i = 0; i < n; ++i) {
                NecWire w = wires[i];
                double* ends[3][2] = {{&w.X1, &w.X2}, {&w.Y1, &w.Y2}, {&w.Z1, &w.Z2}};
                *ends[axis][0] = -*ends[axis][0];
                *ends[axis][1] = -*ends[axis][1];
                AddToTag(w, step);
                wires.push_back(w);
            }
            step *= 2;
        }
    }

    void Scale(const std::optional<Card>& card)
    {
        const Card* c = Fields(card, 3);
        if (!c)
            return;
        double s = c->F[2];
        if (!(s > 0)) {
            Error(NecProblem::ScaleNotPositive);
            return;
        }
        for (NecWire& w : Result.Wires) {
            w.X1 *= s, w.Y1 *= s, w.Z1 *= s;
            w.X2 *= s, w.Y2 *= s, w.Z2 *= s;
            w.Radius *= s;
        }
    }

    std::size_t maxWires_;
    int lineNumber_ = 0;
    std::string_view line_;
    bool afterGeometry_ = false;
    bool ended_ = false;
    bool full_ = false;
};

}  // namespace

std::string NecSupplement(long long tag, int segments, double radius,
                          const std::optional<NecTaper>& taper)
{
    std::string supplement = "GW " + std::to_string(tag) + " NS " + std::to_string(segments) + " R ";
    const auto append = [&supplement](double value) {
        std::array<char, 32> buffer{};
        supplement.append(buffer.data(),
                          std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr);
    };
    append(radius);
    if (taper) {
        supplement += " GC ";
        append(taper->Ratio);
        supplement += ' ';
        append(taper->FirstRadius);
        supplement += ' ';
        append(taper->LastRadius);
    }
    return supplement;
}

NecImport ImportNecDeck(std::string_view deckText, std::size_t maxWires)
{
    if (deckText.substr(0, 3) == "\xEF\xBB\xBF")
        deckText.remove_prefix(3);
    DeckReader reader(maxWires);
    int lineNumber = 0;
    while (!deckText.empty() && !reader.Ended()) {
        std::size_t end = deckText.find('\n');
        std::string_view line = deckText.substr(0, end);
        deckText.remove_prefix(end == std::string_view::npos ? deckText.size() : end + 1);
        reader.ReadLine(++lineNumber, line);
    }
    for (NecWire& w : reader.Result.Wires)
        w.Supplement = NecSupplement(w.Tag, w.Segments, w.Radius, w.Taper);
    return std::move(reader.Result);
}

}  // namespace quorvane
