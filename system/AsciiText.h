#pragma once

#include "IgnoreCase.h"

#include <string_view>

namespace quorvane {

// Text helpers for names and values in the settings file, which compares
// names without regard to ASCII case (IgnoreCase.h) and trims blanks and
// control characters.

// The text without leading and trailing characters up to and including the
// blank (so TAB, CR and NUL go as well).
std::string_view TrimBlanks(std::string_view text);

}  // namespace quorvane
