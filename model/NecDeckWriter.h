#pragma once

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
    std::string_view Remark;
};

// The keys of a supplement that begins as an import writes it, its blanks
// possibly turned into other separators by a data file's reading; nothing
// for any other text, or when a key is out of range (no segment, a negative
// or non-finite radius, an integer beyond NecLargestInteger).
std::optional<NecWireKeys> ReadNecSupplement(std::string_view supplement);

// Segments a new wire gets: one for each started 0.1 m, at least one, and
// no more than a card's integer holds.
int NecSegmentsForLength(double metres);

inline constexpr double NecDefaultRadius = 0.001;

struct NecDeckText {
    std::string Text;
    int WrittenLines = 0;
    int LeftOutRows = 0;  // rows with text that are not complete lines
};

// A NEC-2 input deck of the table's complete lines, one GW card each, in
// free form with the shortest numbers that read back to the same values.
// A line keeps the tag, segments and radius its supplement carries from an
// import; any other line is tagged with its row number and gets
// NecSegmentsForLength segments and NecDefaultRadius. Comment cards name
// `deckName` and hold the supplements' free texts against their tags; the
// geometry ends with GE 0 and the deck with EN, so that a simulator reads
// it as it is and the user adds excitation and frequency before EN.
NecDeckText MakeNecDeck(const LineTable& table, std::string_view deckName);

}  // namespace quorvane
