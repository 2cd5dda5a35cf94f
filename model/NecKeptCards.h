#pragma once

#include "NecDeck.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

class LineTable;
class SymbolTable;

// The expressions an import kept of a wire's GW card, read from the free
// text after its wire data in its supplement (NecWireKeys::Remark, after any
// taper): " = GW" with the nine fields of the card as the deck wrote them.
// Remark is the text after them, the user's own.
struct NecLineExtras {
    std::array<std::string, 9> Fields;  // the GW card's fields as written
    bool HasFields = false;
    std::string_view Remark;
};

NecLineExtras ReadNecLineExtras(std::string_view remark);

// The expression kept for a GW card's `field` (0 tag, 1 segments, 2-7 the
// coordinates, 8 the radius) when it still gives `value` with the symbols
// defined so far: exactly, or for a coordinate within the rounding of a data
// file's four decimals. Nothing otherwise, when the row was moved, scaled or
// edited, and the number is to be written.
std::optional<std::string_view> KeptExpression(const NecLineExtras& extras, int field, double value,
                                               const SymbolTable& symbols);

// The place in a patch's outline that a line's supplement gives
// ("SP 1 2/4", "SM 4 3 1/9"), its blanks possibly turned into a data
// file's separator; nothing for any other text.
std::optional<NecPatchLine> ReadNecPatchSupplement(std::string_view supplement);

// The rows from `row` on that hold one whole patch outline, written as the
// SP or SM card and the SC card after it that the import read them from;
// laid out as every card is (AppendNecCard); the number of rows they
// took, or 0 when `row` starts no whole outline.
int AppendNecPatchCards(std::string& out, const LineTable& table, int row, int lastRow);

}  // namespace quorvane
