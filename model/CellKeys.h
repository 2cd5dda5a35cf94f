#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr char32_t BackspaceKey = 8;

// Whether a character typed into a coordinate cell (columns 1 to 6) may go
// into its text. The data separator never may. A key that replaces the
// whole text, or any key into a text that is not a number, always may.
// Into a number only what keeps it one: digits, Backspace, the apostrophe,
// and one each of '-', '.', 'E' and 'e'.
bool CoordinateKeyAccepted(char32_t key, std::string_view cellText, bool replaceOnKey,
                           char dataSeparator);

// Whether a text put into a coordinate cell at once, pasted or dropped,
// would pass the filter above typed there key by key: its first character
// against the cell's text as it is, each further one against the text with
// the characters before it in place of the bytes [from, to) it replaces.
// `inserted` is UTF-8; each of its characters counts as one key.
bool CoordinateInsertAccepted(std::string_view cellText, std::size_t from, std::size_t to,
                              std::string_view inserted, bool replaceOnKey, char dataSeparator);

// The text an editor shows for a cell: a number without the blanks that
// align it in its column, any other text as it is.
std::string EditTextOf(std::string_view cellText);

}  // namespace quorvane
