#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A list of texts as one comma-separated line. A text is put in double
// quotes (its own double quotes doubled) when it holds a blank, a control
// character, a comma or a double quote; an empty text stays empty. Splitting
// takes quoted texts back unquoted, so a list made here splits into the same
// texts again. Outside quotes, blanks and control characters around a text
// are dropped and also end an unquoted text; what follows a closing quote
// directly starts the next text.
std::string JoinCommaList(const std::vector<std::string>& texts);
std::vector<std::string> SplitCommaList(std::string_view list);

}  // namespace quorvane
