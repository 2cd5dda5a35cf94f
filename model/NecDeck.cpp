#include "NecDeck.h"

#include "NecCardFields.h"
#include "NecCardRows.h"
#include "SymbolTable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace quorvane {
namespace {

constexpr double IntegerLimit = NecLargestInteger;
constexpr std::size_t CardTextLimit = 120;

struct Card {
    std::array<double, NecMaxFields> F{};
    std::array<std::string_view, NecMaxFields> Texts{};
    int Given = 0;          // fields present; all of them in fixed columns
    bool Symbolic = false;  // some field is more than a number
};

// Every field of every card passes through here, so a table rather than a
// search through the punctuation allowed.
constexpr std::array<bool, 256> ExpressionCharacters = [] {
    std::array<bool, 256> allowed{};
    for (int c = 0; c < 256; ++c)
        allowed[static_cast<std::size_t>(c)] = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                                               (c >= 'A' && c <= 'Z');
    for (const char c : std::string_view("_.+-*/^(), "))
        allowed[static_cast<unsigned char>(c)] = true;
    return allowed;
}();

// What may stand in a numeric field: a number or an expression. Anything
// else makes the card unreadable before it is evaluated.
bool IsFieldText(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return ExpressionCharacters[static_cast<unsigned char>(c)];
    });
}

// Whether a field is more than a plain number, cheaply for the plain ones.
bool IsSymbolic(std::string_view text)
{
    bool letters = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.')
            continue;
        if ((c == '+' || c == '-') && i == 0)
            continue;
        letters = true;
    }
    return letters && !ReadNecNumber(text);
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

Point operator+(Point a, Point b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
Point operator-(Point a, Point b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Point operator*(double s, Point a) { return {s * a.X, s * a.Y, s * a.Z}; }

// A patch whose corners an SC card completes.
struct PendingPatch {
    int LineNumber = 0;
    std::string Text;
    NecPatchLine Patch;
    Point First{}, Second{};
};

// The lines that a patch's outline has: its sides, and for a surface of
// several patches the lines between them.
long long OutlineSides(const NecPatchLine& patch)
{
    return patch.Kind == NecPatchKind::Single && patch.Shape == 2 ? 3 : 4;
}

class DeckReader {
public:
    explicit DeckReader(std::size_t maxWires) : maxWires_(maxWires) {}

    NecImport Result;

    void ReadLine(int lineNumber, std::string_view line)
    {
        lineNumber_ = lineNumber;
        // Line ends and white space after the last field never change how a
        // card reads.
        line_ = WithoutTrailingBlanks(line);
        std::size_t first = 0;
        while (first < line_.size() && IsNecBlank(line_[first]))
            ++first;
        if (first == line_.size())
            return;
        const std::string_view card = line_.substr(first);
        if (card.size() < 2) {
            Error(NecProblem::NotACard);
            return;
        }
        char name[2] = {Upper(card[0]), Upper(card[1])};
        std::string_view cardName(name, 2);
        // A comment runs from its name on, whatever touches it.
        if (cardName == "CM" || cardName == "CE")
            return;
        // A word such as "GEOMETRY" is no GE card; a number may touch the
        // name only in fixed columns, where the first integer starts at 3.
        if (card.size() > 2) {
            char next = card[2];
            bool numberTouches = (next >= '0' && next <= '9') || next == '-' || next == '+' || next == '.';
            if (!IsNecBlank(next) && next != ',' && !numberTouches) {
                Error(NecProblem::UnknownCard);
                return;
            }
        }
        if (cardName == "SY") {
            Symbols(card, first);
            return;
        }
        if (afterGeometry_) {
            ControlCard(cardName, card);
            return;
        }
        if (pending_ && cardName != "SC")
            PatchLeftOpen();
        const std::optional<std::size_t> taperedWire = wireBefore_;
        wireBefore_.reset();
        if (cardName == "GE")
            EndGeometry(card);
        else if (cardName == "GW")
            Wire();
        else if (cardName == "GA")
            Arc();
        else if (cardName == "GH")
            Helix();
        else if (cardName == "GC")
            Taper(taperedWire);
        else if (cardName == "GM")
            Move();
        else if (cardName == "GR")
            Repeat();
        else if (cardName == "GX")
            Reflect();
        else if (cardName == "GS")
            Scale();
        else if (cardName == "SP")
            SinglePatch();
        else if (cardName == "SM")
            MultiplePatch();
        else if (cardName == "SC")
            Corners();
        else
            Error(NecProblem::UnknownCard);
    }

    // A patch still waiting for its corners at the end of the deck.
    void Finish()
    {
        if (pending_)
            PatchLeftOpen();
    }

    bool Ended() const { return ended_; }

private:
    // GE ends the geometry; its flag, when it names a ground, is kept.
    void EndGeometry(std::string_view card)
    {
        afterGeometry_ = true;
        NecSplitProblem problem = NecSplitProblem::None;
        const std::optional<NecCardFields> fields =
            SplitNecCard(line_, NecCardLayout::Geometry, 0, IsFieldText, problem);
        if (!fields || fields->Given == 0 || fields->Texts[0].empty())
            return;
        const ExpressionResult flag = EvaluateExpression(fields->Texts[0], symbols_);
        if (flag.Ok() && flag.Value != 0)
            KeepCard(card);
    }

    void ControlCard(std::string_view name, std::string_view card)
    {
        if (name == "EN") {
            ended_ = true;
            return;
        }
        if (!IsNecControlCardName(name)) {
            Error(NecProblem::UnknownCard);
            return;
        }
        KeepCard(card);
    }

    // SY cards define symbols for the cards after them, wherever they stand,
    // and stay in the table so that a deck written back keeps them.
    void Symbols(std::string_view card, std::size_t indent)
    {
        const SymbolAssignments assigned = AssignSymbols(card.substr(2), symbols_);
        if (!assigned.Ok())
            ExpressionFailed(assigned.Error, indent + 2);
        KeepCard(card);
    }

    // The card as the deck has it, its name in capitals as the table's
    // card rows are told by.
    void KeepCard(std::string_view card)
    {
        std::string text(card);
        text[0] = Upper(text[0]);
        text[1] = Upper(text[1]);
        Result.Cards.push_back({Result.Wires.size(), std::move(text)});
    }

    static char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

    void ErrorAt(int lineNumber, std::string_view text, NecProblem problem, int field = 0)
    {
        NecCardError error;
        error.LineNumber = lineNumber;
        error.Card = std::string(text.substr(0, CardTextLimit));
        error.Problem = problem;
        error.Field = field;
        Result.Errors.push_back(std::move(error));
    }

    void Error(NecProblem problem, int field = 0) { ErrorAt(lineNumber_, line_, problem, field); }

    // `offset`: where the text the error's column counts in starts in the line.
    void ExpressionFailed(const ExpressionError& expression, std::size_t offset)
    {
        Error(NecProblem::Expression);
        NecCardError& error = Result.Errors.back();
        error.Column = static_cast<int>(offset) + expression.Column;
        error.Expression = expression;
    }

    // The card's fields, evaluated with the symbols defined so far; nothing
    // when it does not read, which is reported.
    std::optional<Card> Read(int usedFields)
    {
        NecSplitProblem problem = NecSplitProblem::None;
        const std::optional<NecCardFields> fields =
            SplitNecCard(line_, NecCardLayout::Geometry, usedFields, IsFieldText, problem);
        if (!fields) {
            Error(problem == NecSplitProblem::Ambiguous ? NecProblem::AmbiguousColumns
                                                        : NecProblem::UnreadableFields);
            return std::nullopt;
        }
        Card card;
        card.Given = fields->Given;
        for (int f = 0; f < card.Given; ++f) {
            const std::string_view text = fields->Texts[static_cast<std::size_t>(f)];
            card.Texts[static_cast<std::size_t>(f)] = text;
            if (text.empty())
                continue;  // a blank column is zero
            const ExpressionResult value = EvaluateExpression(text, symbols_);
            if (!value.Ok()) {
                ExpressionFailed(value.Error, static_cast<std::size_t>(text.data() - line_.data()));
                return std::nullopt;
            }
            card.F[static_cast<std::size_t>(f)] = value.Value;
            card.Symbolic = card.Symbolic || IsSymbolic(text);
        }
        if (fields->EmptyBetweenCommas)
            Error(NecProblem::EmptyFieldBetweenCommas);
        return card;
    }

    // The card read, with at least `needed` fields and the first `integers`
    // of them integral; otherwise the card is reported.
    std::optional<Card> Fields(int usedFields, int needed, int integers = 2)
    {
        std::optional<Card> card = Read(usedFields);
        if (!card)
            return std::nullopt;
        if (card->Given < needed) {
            Error(NecProblem::TooFewFields);
            return std::nullopt;
        }
        for (int i = 0; i < integers; ++i) {
            if (!IsInteger(card->F[static_cast<std::size_t>(i)])) {
                Error(NecProblem::FieldNotInteger, i + 1);
                return std::nullopt;
            }
        }
        return card;
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
        if (c.F[static_cast<std::size_t>(radiusField)] < 0) {
            Error(NecProblem::NegativeRadius);
            return false;
        }
        return true;
    }

    void Add(long long tag, int segments, double radius, Point a, Point b)
    {
        NecWire wire;
        wire.X1 = a.X, wire.Y1 = a.Y, wire.Z1 = a.Z;
        wire.X2 = b.X, wire.Y2 = b.Y, wire.Z2 = b.Z;
        wire.Tag = tag;
        wire.Segments = segments;
        wire.Radius = radius;
        Result.Wires.push_back(std::move(wire));
    }

    void Wire()
    {
        const std::optional<Card> c = Fields(9, 8);
        if (!c || !SegmentsAndRadius(*c, 8) || Room(1) == 0)
            return;
        Add(static_cast<long long>(c->F[0]), static_cast<int>(c->F[1]), c->F[8],
            {c->F[2], c->F[3], c->F[4]}, {c->F[5], c->F[6], c->F[7]});
        wireBefore_ = Result.Wires.size() - 1;
        if (c->Symbolic)
            Result.Wires.back().Expressions = KeptFields("GW", *c, 9);
    }

    // The card's fields as written, without the blanks within them, so that
    // they split again at single blanks; a blank column is 0.
    static std::string KeptFields(std::string_view name, const Card& c, int count)
    {
        std::string kept(name);
        for (int f = 0; f < count; ++f) {
            kept += ' ';
            const std::string_view text = c.Texts[static_cast<std::size_t>(f)];
            if (text.empty() || f >= c.Given)
                kept += '0';
            for (char ch : text)
                if (ch != ' ')
                    kept += ch;
        }
        return kept;
    }

    // GC belongs to the GW card straight before it, whose radius 0 says that
    // it follows.
    void Taper(std::optional<std::size_t> wire)
    {
        const std::optional<Card> c = Fields(5, 5, 0);
        if (!c)
            return;
        if (!wire || Result.Wires[*wire].Radius != 0) {
            Error(NecProblem::TaperWithoutWire);
            return;
        }
        if (!(c->F[2] > 0 && c->F[3] > 0 && c->F[4] > 0)) {
            Error(NecProblem::TaperNotPositive);
            return;
        }
        Result.Wires[*wire].Taper = NecTaper{c->F[2], c->F[3], c->F[4]};
    }

    void Arc()
    {
        const std::optional<Card> c = Fields(6, 5);
        if (!c || !SegmentsAndRadius(*c, 5))
            return;
        double r = c->F[2], a1 = c->F[3], a2 = c->F[4];
        if (r <= 0) {
            Error(NecProblem::ArcRadiusNotPositive);
            return;
        }
        if (std::fabs(a2 - a1) > 360)
            Error(NecProblem::ArcOverFullTurn);
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

    void Helix()
    {
        const std::optional<Card> c = Fields(9, 8);
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

    // Simulators number the segments of wires in the order the deck made
    // them and the patches after all of them. So a GM with a first tag moves
    // every line from the first one of that tag on, and every patch.
    std::vector<bool> MovedLines(long long firstTag)
    {
        const std::vector<NecWire>& wires = Result.Wires;
        std::vector<bool> moved(wires.size(), firstTag == 0);
        if (firstTag == 0)
            return moved;
        const auto first = std::find_if(wires.begin(), wires.end(), [&](const NecWire& w) {
            return w.Tag == firstTag && w.Patch.Kind == NecPatchKind::None;
        });
        if (first == wires.end()) {
            // A simulator refuses the card; the lines tagged from it on are
            // what such a deck most likely meant.
            Error(NecProblem::MovedTagMissing);
            for (std::size_t i = 0; i < wires.size(); ++i)
                moved[i] = wires[i].Patch.Kind == NecPatchKind::None && wires[i].Tag >= firstTag;
            return moved;
        }
        for (std::size_t i = 0; i < wires.size(); ++i)
            moved[i] = i >= static_cast<std::size_t>(first - wires.begin()) ||
                       wires[i].Patch.Kind != NecPatchKind::None;
        return moved;
    }

    void Move()
    {
        const std::optional<Card> c = Fields(9, 0);
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
        Motion m = MakeMotion(c->F[2], c->F[3], c->F[4], c->F[5], c->F[6], c->F[7]);
        const std::vector<bool> selected = MovedLines(static_cast<long long>(c->F[8]));
        std::vector<NecWire>& wires = Result.Wires;
        // Moved in place, the wires still take the tag step: a deck that
        // gives one wants the moved part told apart from what it was.
        if (c->F[1] == 0) {
            for (std::size_t i = 0; i < wires.size(); ++i) {
                if (selected[i]) {
                    m.Apply(wires[i]);
                    AddToTag(wires[i], increment);
                }
            }
            return;
        }
        std::vector<NecWire> copy;
        for (std::size_t i = 0; i < wires.size(); ++i)
            if (selected[i])
                copy.push_back(wires[i]);
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

    void Repeat()
    {
        const std::optional<Card> c = Fields(2, 2);
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

    // Whether a wire lies in the plane where the coordinate `axis` is 0,
    // which a simulator cannot reflect.
    bool WireInPlane(int axis) const
    {
        for (const NecWire& w : Result.Wires) {
            if (w.Patch.Kind != NecPatchKind::None)
                continue;
            const double a[3] = {w.X1, w.Y1, w.Z1};
            const double b[3] = {w.X2, w.Y2, w.Z2};
            const double length = std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
            const double near = 1e-9 * std::max(1.0, length);
            if (std::fabs(a[axis]) <= near && std::fabs(b[axis]) <= near)
                return true;
        }
        return false;
    }

    // A mirror image runs around its outline the other way, which would turn
    // a patch's outer side inwards: the copies' outlines are run backwards,
    // so that each patch faces outwards as its original does.
    static void KeepPatchesFacingOut(std::vector<NecWire>& wires, std::size_t from)
    {
        for (std::size_t i = from; i < wires.size(); ++i) {
            NecPatchLine& patch = wires[i].Patch;
            if (patch.Kind == NecPatchKind::None || patch.Side != 1)
                continue;
            const auto sides = static_cast<std::size_t>(OutlineSides(patch));
            const auto lines = static_cast<std::size_t>(patch.Lines);
            if (wires.size() - i < lines)
                continue;  // cut short by the line limit
            std::reverse(wires.begin() + static_cast<std::ptrdiff_t>(i),
                         wires.begin() + static_cast<std::ptrdiff_t>(i + sides));
            for (std::size_t k = 0; k < lines; ++k) {
                NecWire& w = wires[i + k];
                if (k < sides) {
                    std::swap(w.X1, w.X2), std::swap(w.Y1, w.Y2), std::swap(w.Z1, w.Z2);
                    w.Patch.Side = static_cast<long long>(k) + 1;
                }
                // The first side now runs along what were the second's divisions.
                std::swap(w.Patch.Nx, w.Patch.Ny);
            }
            i += lines - 1;
        }
    }

    // The x-y plane first, then x-z, then y-z; any digit but 0 asks for its
    // plane. Each reflection doubles the structure, and its copies' tags go
    // up by twice the step of the one before, so that no two copies share a
    // tag when the original tags lie within one step.
    void Reflect()
    {
        const std::optional<Card> c = Fields(2, 2);
        if (!c)
            return;
        long long flags = static_cast<long long>(c->F[1]);
        if (flags < 0) {
            Error(NecProblem::BadReflectionFlags);
            return;
        }
        bool x = flags / 100 != 0, y = flags / 10 % 10 != 0, z = flags % 10 != 0;
        long long step = static_cast<long long>(c->F[0]);
        const std::array<std::pair<bool, int>, 3> planes{{{z, 2}, {y, 1}, {x, 0}}};
        bool warned = false;
        for (auto [wanted, axis] : planes) {
            if (!wanted)
                continue;
            if (!warned && WireInPlane(axis)) {
                Error(NecProblem::WireInReflectionPlane);
                warned = true;
            }
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
            KeepPatchesFacingOut(wires, base);
            step *= 2;
        }
    }

    void Scale()
    {
        const std::optional<Card> c = Fields(3, 3);
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
            if (w.Taper) {
                w.Taper->FirstRadius *= s;
                w.Taper->LastRadius *= s;
            }
        }
    }

    // The outline of a patch through its corners in order, and for a surface
    // of NX by NY patches the lines between them.
    void AddOutline(NecPatchLine patch, const std::vector<Point>& corners)
    {
        const long long sides = static_cast<long long>(corners.size());
        const long long inner = patch.Kind == NecPatchKind::Multiple ? patch.Nx - 1 + patch.Ny - 1 : 0;
        patch.Lines = sides + inner;
        // A patch is drawn whole or not at all.
        if (Room(static_cast<double>(patch.Lines)) < static_cast<std::size_t>(patch.Lines))
            return;
        auto add = [&](Point a, Point b) {
            Add(0, 1, 0, a, b);
            ++patch.Side;
            Result.Wires.back().Patch = patch;
        };
        patch.Side = 0;
        for (std::size_t k = 0; k < corners.size(); ++k)
            add(corners[k], corners[(k + 1) % corners.size()]);
        if (patch.Kind != NecPatchKind::Multiple)
            return;
        const Point c1 = corners[0], c2 = corners[1], c3 = corners[2], c4 = corners[3];
        for (long long i = 1; i < patch.Nx; ++i) {
            const double t = double(i) / double(patch.Nx);
            add(c1 + t * (c2 - c1), c4 + t * (c3 - c4));
        }
        for (long long j = 1; j < patch.Ny; ++j) {
            const double t = double(j) / double(patch.Ny);
            add(c1 + t * (c4 - c1), c2 + t * (c3 - c2));
        }
    }

    void SinglePatch()
    {
        const std::optional<Card> c = Fields(8, 2);
        if (!c)
            return;
        const double shape = c->F[1];
        if (shape < 0 || shape > 3) {
            Error(NecProblem::BadPatchShape);
            return;
        }
        NecPatchLine patch;
        patch.Kind = NecPatchKind::Single;
        patch.Shape = static_cast<int>(shape);
        const Point first{c->F[2], c->F[3], c->F[4]}, second{c->F[5], c->F[6], c->F[7]};
        if (patch.Shape != 0) {
            pending_ = PendingPatch{lineNumber_, std::string(line_.substr(0, CardTextLimit)), patch,
                                    first, second};
            return;
        }
        // Any shape: a centre, the normal's elevation and azimuth, an area.
        // It is drawn as the square of that area, its first side level.
        const double area = c->F[7];
        if (!(area > 0)) {
            Error(NecProblem::PatchAreaNotPositive);
            return;
        }
        double se, ce, sa, ca;
        SinCosDegrees(c->F[5], se, ce);
        SinCosDegrees(c->F[6], sa, ca);
        const Point normal{ce * ca, ce * sa, se};
        const Point t1{-sa, ca, 0};
        const Point t2{normal.Y * t1.Z - normal.Z * t1.Y, normal.Z * t1.X - normal.X * t1.Z,
                       normal.X * t1.Y - normal.Y * t1.X};
        const double h = std::sqrt(area) / 2;
        AddOutline(patch, {first - h * t1 - h * t2, first + h * t1 - h * t2,
                           first + h * t1 + h * t2, first - h * t1 + h * t2});
    }

    void MultiplePatch()
    {
        const std::optional<Card> c = Fields(8, 8);
        if (!c)
            return;
        if (c->F[0] < 1 || c->F[1] < 1) {
            Error(NecProblem::PatchDivisionsBelowOne);
            return;
        }
        NecPatchLine patch;
        patch.Kind = NecPatchKind::Multiple;
        patch.Nx = static_cast<long long>(c->F[0]);
        patch.Ny = static_cast<long long>(c->F[1]);
        pending_ = PendingPatch{lineNumber_, std::string(line_.substr(0, CardTextLimit)), patch,
                                {c->F[2], c->F[3], c->F[4]}, {c->F[5], c->F[6], c->F[7]}};
    }

    // SC gives the third corner, and the fourth of a quadrilateral; a
    // rectangle's fourth makes it a parallelogram.
    void Corners()
    {
        const std::optional<PendingPatch> patch = std::move(pending_);
        pending_.reset();
        if (!patch) {
            Error(NecProblem::CornersWithoutPatch);
            return;
        }
        const std::optional<Card> c = Fields(8, 5);
        if (!c)
            return;
        const Point a = patch->First, b = patch->Second;
        const Point third{c->F[2], c->F[3], c->F[4]};
        if (patch->Patch.Kind == NecPatchKind::Single && patch->Patch.Shape == 2)
            AddOutline(patch->Patch, {a, b, third});
        else if (patch->Patch.Kind == NecPatchKind::Single && patch->Patch.Shape == 3)
            AddOutline(patch->Patch, {a, b, third, {c->F[5], c->F[6], c->F[7]}});
        else
            AddOutline(patch->Patch, {a, b, third, third + (a - b)});
    }

    void PatchLeftOpen()
    {
        ErrorAt(pending_->LineNumber, pending_->Text, NecProblem::PatchWithoutCorners);
        pending_.reset();
    }

    std::size_t maxWires_;
    int lineNumber_ = 0;
    std::string_view line_;
    SymbolTable symbols_;
    std::optional<std::size_t> wireBefore_;  // the line of a GW card just read
    std::optional<PendingPatch> pending_;
    bool afterGeometry_ = false;
    bool ended_ = false;
    bool full_ = false;
};

}  // namespace

bool IsNecWarning(NecProblem problem) { return problem >= NecProblem::ArcOverFullTurn; }

std::string NecSupplement(long long tag, int segments, double radius,
                          const std::optional<NecTaper>& taper)
{
    // Built in place: every imported line gets one, so temporaries would
    // cost a large deck's import several allocations a line.
    std::string supplement;
    supplement.reserve(40);
    const auto append = [&supplement](auto value) {
        std::array<char, 32> buffer{};
        supplement.append(buffer.data(),
                          std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr);
    };
    supplement += "GW ";
    append(tag);
    supplement += " NS ";
    append(segments);
    supplement += " R ";
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

std::string NecSupplement(const NecWire& wire)
{
    const NecPatchLine& patch = wire.Patch;
    const std::string place = std::to_string(patch.Side) + "/" + std::to_string(patch.Lines);
    if (patch.Kind == NecPatchKind::Single)
        return "SP " + std::to_string(patch.Shape) + " " + place;
    if (patch.Kind == NecPatchKind::Multiple)
        return "SM " + std::to_string(patch.Nx) + " " + std::to_string(patch.Ny) + " " + place;
    std::string text = NecSupplement(wire.Tag, wire.Segments, wire.Radius, wire.Taper);
    if (!wire.Expressions.empty()) {
        text += " = ";
        text += wire.Expressions;
    }
    return text;
}

NecImport ImportNecDeck(std::string_view deckText, std::size_t maxWires)
{
    if (deckText.substr(0, 3) == "\xEF\xBB\xBF")
        deckText.remove_prefix(3);
    DeckReader reader(maxWires);
    // Most cards of a large deck are wires: room for a line a card spares
    // the copies that growing the list would make, within the lines kept.
    const auto lines = static_cast<std::size_t>(std::count(deckText.begin(), deckText.end(), '\n'));
    reader.Result.Wires.reserve(std::min(lines + 1, maxWires));
    int lineNumber = 0;
    while (!deckText.empty() && !reader.Ended()) {
        std::size_t end = deckText.find('\n');
        std::string_view line = deckText.substr(0, end);
        deckText.remove_prefix(end == std::string_view::npos ? deckText.size() : end + 1);
        reader.ReadLine(++lineNumber, line);
    }
    reader.Finish();
    for (NecWire& w : reader.Result.Wires)
        w.Supplement = NecSupplement(w);
    return std::move(reader.Result);
}

}  // namespace quorvane
