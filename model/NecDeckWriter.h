#pragma once

#include "NecDeck.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

class LineTable;

// The wire data an import wrote into a line's supplement ("GW 3 NS 11 R
// 0.001"), and any words the user added after it.
struct NecWireKeys {
    long long Tag = 0;
    int Segments = 1;
    double Radius = 0;
    std::optional<NecTaper> Taper;  // "GC 1.1 0.002 0.001" after the radius
    std::string_view Remark;
};

// The keys of a supplement that begins as an import writes it, its blanks
// possibly turned into other separators by a data file's reading; nothing
// for any other text, or when a key is out of range (no segment, a negative
// or non-finite radius, an integer beyond NecLargestInteger). A taper
// whose numbers are not all finite and above zero is no taper but words.
std::optional<NecWireKeys> ReadNecSupplement(std::string_view supplement);

// Segments a new wire gets: one for each started 0.1 m, at least one, and
// no more than a card's integer holds.
int NecSegmentsForLength(double metres);

inline constexpr double NecDefaultRadius = 0.001;

struct NecDeckText {
    std::string Text;
    int WrittenLines = 0;
    int LeftOutRows = 0;      // rows with text that are not complete lines
    int ZeroLengthLines = 0;  // lines whose ends are one point, as written
};

// A NEC-2 input deck of the table's complete lines, one GW card each, laid
// out by AppendNecCard. A line keeps the tag, segments and radius its
// supplement carries from an import, and a GC card after it for a taper;
// any other line is tagged with its row number and gets
// NecSegmentsForLength segments and NecDefaultRadius, and so does an
// imported radius of 0 without a taper, which a simulator would take as a
// GC card to follow. A line whose ends are one point, in the table or after
// rounding to fit its card, is left out: simulators compute nothing sound
// for a wire without length. Comment cards name
// `deckName` and hold the supplements' free texts against their tags; the
// geometry ends with GE 0 and the deck with EN, so that a simulator reads
// it as it is and the user adds excitation and frequency before EN. What an
// import kept is written back as the deck had it (NecKeptCards): a taper's
// GC card after its wire, a patch's outline as its SP or SM and SC cards,
// SY cards where the table has them and the expressions of GW cards.
NecDeckText MakeNecDeck(const LineTable& table, std::string_view deckName);

}  // namespace quorvane
