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
// so that columns stay where they were. An SY card's commas and tabs come
// back from the escapes that NecCardRowFileText writes.
std::optional<std::string> NecCardOfRow(const LineTable& table, int row);

// The supplement that a data file holds for a row, when it differs from
// the cell text: an SY card with commas or tabs, as typed or imported, has
// them written as "%2C" and "%09", since a reading with the separator set
// would turn them into the separator like its blanks and lose them.
std::optional<std::string> NecCardRowFileText(const LineTable& table, int row);

// The two-letter name of a card text, upper case; empty when it has none.
std::string NecCardName(std::string_view card);

}  // namespace quorvane
