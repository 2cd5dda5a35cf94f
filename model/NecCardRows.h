#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

class LineTable;

// Cards that are not geometry live in the table as rows without
// coordinates whose supplement is the card: "FR 0 1 0 0 14.2 0".

// The names of the program control cards a simulator reads after GE.
bool IsNecControlCardName(std::string_view name);

// The card a row holds: every coordinate cell empty and a supplement that
// begins with a control card's name, GE, a comment card's name or SY. A
// data file read with the separator set has turned the blanks of such a
// card into the data separator; they are blanks again here, one for one,
// so that columns stay where they were.
std::optional<std::string> NecCardOfRow(const LineTable& table, int row);

// The two-letter name of a card text, upper case; empty when it has none.
std::string NecCardName(std::string_view card);

}  // namespace quorvane
