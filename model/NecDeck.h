#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A wire whose radius changes from segment to segment: a GC card after its
// GW card, whose radius is then 0.
struct NecTaper {
    double Ratio = 1;  // each segment's length to the one before it
    double FirstRadius = 0;
    double LastRadius = 0;
};

// One straight line of an imported antenna deck, in metres. Supplement is
// "GW <tag> NS <segments> R <radius>": single blanks, the tag and segment
// count as decimal integers, the radius in metres as the shortest text that
// reads back to the same double ("0.001", "1.5e-05"). Chords of arcs and
// helices carry NS 1, so writing each line back as a GW card of its
// supplement rebuilds the same geometry. The three fields are also kept
// apart for code that needs them without parsing.
struct NecWire {
    double X1 = 0, Y1 = 0, Z1 = 0, X2 = 0, Y2 = 0, Z2 = 0;
    std::string Supplement;
    long long Tag = 0;  // 0: untagged; copies never give it a tag
    int Segments = 1;
    double Radius = 0;
    std::optional<NecTaper> Taper;
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
};

// A card that was not used. LineNumber counts from 1; Card is the card's
// text (cut to 120 characters).
struct NecCardError {
    int LineNumber = 0;
    std::string Card;
    NecProblem Problem = NecProblem::UnknownCard;
    int Field = 0;
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

// Reads the geometry cards of a deck (GW GA GH GM GR GX GS, CM/CE comments)
// up to GE, and keeps the program control cards after it, up to EN, as
// card rows; a GE with a ground flag is kept too. Without a GE the whole
// text is read as geometry, and that is no error. Each card may be in fixed columns
// (name in 1-2, integers in 3-5 and 6-10, seven reals of ten columns from 11
// on, blank fields zero) or free form (fields split by commas and/or blanks,
// missing trailing fields zero); a line without commas whose fields each
// stand alone in their columns is read by columns. A card that cannot be read
// or used is reported and skipped, the rest is kept. When the deck would make
// more than `maxWires` lines, the first `maxWires` are kept, one error says
// so and no later card adds lines (moves and scaling still apply). A lower
// limit than the table's serves checks that run the reader very often.
NecImport ImportNecDeck(std::string_view deckText, std::size_t maxWires = NecMaxWires);

}  // namespace quorvane
