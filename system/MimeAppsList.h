#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The text of a mimeapps.list (the user's choice of program per file type)
// with `desktopId` as the default application for `mimeType`; none when it is
// that already. A key counts as set when the first entry of its list is
// `desktopId`, blanks around it ignored; the name is compared exactly, as it
// names a file. Every other line stays byte for byte: our key's line is
// rewritten in place (later duplicates of it go), the key is added at the end
// of the [Default Applications] group, and the group at the end of the text
// when there is none.
std::optional<std::string> WithDefaultApplication(std::string_view text, std::string_view mimeType,
                                                  std::string_view desktopId);

}  // namespace quorvane
