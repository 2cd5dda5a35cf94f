#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The Exec value of a desktop entry that opens one file with the program:
// its path and " %f". The path goes in double quotes when it holds a
// character that the Exec syntax reserves (or '=', which an unquoted program
// name must not contain); inside the quotes '"', '`', '$' and '\' get a
// backslash. '%' is doubled so that it is no field code. On top come the
// escapes of every string value: '\' as "\\", tab, newline and carriage
// return as "\t", "\n", "\r"; so a backslash in the path is written as four.
//
// None when no launcher could get the path back: a relative path, a path
// that is not UTF-8 (the file is), or one with another control character.
std::optional<std::string> DesktopExecLine(std::string_view programFile);

}  // namespace quorvane
