#pragma once

#include "DeckExpression.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The taper a GC card gives the wire before it: each segment is `Ratio`
// times as long as the one before, and the radius grows from `FirstRadius`
// to `LastRadius`. The wire's own radius is then 0, as the card format has it.
struct NecTaper {
    double Ratio = 1;
    double FirstRadius = 0;
    double LastRadius = 0;
};

// A line that is one side of a surface patch's outline rather than a wire.
// SP patches have their shape (0 any shape, drawn as a square of its area
// around its centre; 1 rectangle; 2 triangle; 3 quadrilateral); SM surfaces
// their divisions, drawn as the outline and the lines between the patches.
// The first three or four lines run around the outline from corner to
// corner in the patch's own order, so that the corners, and with them the
// side that faces outwards, are known again when the patch is written back.
enum class NecPatchKind : unsigned char { None, Single, Multiple };

struct NecPatchLine {
    NecPatchKind Kind = NecPatchKind::None;
    int Shape = 0;         // of a Single patch
    long long Nx = 0;      // of a Multiple patch
    long long Ny = 0;
    long long Side = 0;    // this line's place among the patch's lines, from 1
    long long Lines = 0;   // the patch's lines
};

// One straight line of an imported antenna deck, in metres. Supplement is
// "GW <tag> NS <segments> R <radius>": single blanks, the tag and segment
// count as decimal integers, the radius in metres as the shortest text that
// reads back to the same double ("0.001", "1.5e-05"). Chords of arcs and
// helices carry NS 1, so writing each line back as a GW card of its
// supplement rebuilds the same geometry. A tapered wire adds
// " GC <ratio> <first radius> <last radius>"; a GW card written with
// expressions adds " = GW" and its nine fields as written, so that the deck
// can be written back with them (NecDeckWriter). A patch's line has
// "SP <shape> <side>/<lines>" or "SM <nx> <ny> <side>/<lines>" instead. The
// fields are also kept apart for code that needs them without parsing.
struct NecWire {
    double X1 = 0, Y1 = 0, Z1 = 0, X2 = 0, Y2 = 0, Z2 = 0;
    std::string Supplement;
    long long Tag = 0;  // 0: untagged; copies never give it a tag
    int Segments = 1;
    double Radius = 0;
    std::optional<NecTaper> Taper;
    std::string Expressions;  // "GW 1 n 0 -len/2 h 0 len/2 h r", or empty
    NecPatchLine Patch;
};

// Why a card was not used, or not wholly.
enum class NecProblem {
    NotACard,
    UnknownCard,
    UnreadableFields,
    TooFewFields,
    FieldNotInteger,  // Field says which, counted from 1
    SegmentsBelowOne,
    NegativeRadius,
    ArcRadiusNotPositive,
    HelixSpacingOrLengthZero,
    FirstTagNotWhole,
    NegativeCopyCount,
    RepetitionsBelowOne,
    BadReflectionFlags,
    ScaleNotPositive,
    TooManyLines,  // the first NecMaxWires lines are kept
    AmbiguousColumns,      // laid out in columns with a blank field, yet not in its columns
    Expression,            // Expression says what, Column where
    TaperWithoutWire,      // a GC card not straight after a GW card of radius 0
    TaperNotPositive,      // a GC ratio or radius of 0 or below
    PatchWithoutCorners,   // an SP or SM card without the SC card its shape needs
    CornersWithoutPatch,   // an SC card after no SP or SM card
    BadPatchShape,         // an SP shape other than 0 to 3
    PatchAreaNotPositive,
    PatchDivisionsBelowOne,
    // Warnings: the card was read, but a simulator refuses it.
    ArcOverFullTurn,
    MovedTagMissing,       // GM names a tag no line has: lines tagged above it are moved
    WireInReflectionPlane,
    EmptyFieldBetweenCommas,
};

// Whether the card was read and used although simulators refuse it.
bool IsNecWarning(NecProblem problem);

// A card that was not used. LineNumber counts from 1; Card is the card's
// text (cut to 120 characters).
struct NecCardError {
    int LineNumber = 0;
    std::string Card;
    NecProblem Problem = NecProblem::UnknownCard;
    int Field = 0;
    int Column = 0;  // of an Expression problem, from 1 in the card's line
    ExpressionError Expression;
};

// A card that is not geometry (a program control card after GE, or GE
// itself when it names a ground), kept as the text of a table row without
// coordinates. It stands after the first `LinesBefore` lines.
struct NecCardRow {
    std::size_t LinesBefore = 0;
    std::string Text;
};

struct NecImport {
    std::vector<NecWire> Wires;
    std::vector<NecCardRow> Cards;
    std::vector<NecCardError> Errors;
};

// Integers beyond this are no tag, count or flag any deck means; a deck's
// fields, the tags its copies get and every integer written back stay
// within it, which also keeps tag arithmetic far from overflow.
inline constexpr long long NecLargestInteger = 1000000000;

// No deck makes more lines than the line table holds.
inline constexpr int NecMaxWires = 100000;

// The supplement of an imported wire; a taper follows the radius as
// "GC <ratio> <first radius> <last radius>", shortest texts again.
std::string NecSupplement(long long tag, int segments, double radius,
                          const std::optional<NecTaper>& taper = std::nullopt);

// The supplement of any imported line: its wire data, taper and expressions,
// or its place in a patch's outline.
std::string NecSupplement(const NecWire& wire);

// Reads the geometry cards of a deck (GW GA GH GC GM GR GX GS, patches SP
// SM SC, CM/CE comments) up to GE, and keeps the program control cards after
// it, up to EN, as card rows; a GE with a ground flag is kept too. Without a
// GE the whole text is read as geometry, and that is no error. SY cards
// define symbols, wherever they stand, and are kept as card rows; every
// numeric field of a geometry card may be an expression of them, evaluated in
// deck order. Cards are split by SplitNecCard: fixed columns or free form,
// whatever ends the line; a card that reads neither way unambiguously is
// reported, not guessed. A card that cannot be read or used is reported and
// skipped, the rest is kept; cards that a simulator would refuse but that
// make sense are used and reported as warnings (IsNecWarning). When the deck
// would make more than `maxWires` lines, the first `maxWires` are kept, one
// error says so and no later card adds lines (moves and scaling still
// apply). A lower limit than the table's serves checks that run the reader
// very often.
NecImport ImportNecDeck(std::string_view deckText, std::size_t maxWires = NecMaxWires);

}  // namespace quorvane
