#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Text helpers for names and values in the settings file, which compares
// names without regard to ASCII case and trims blanks and control characters.

// The text without leading and trailing characters up to and including the
// blank (so TAB, CR and NUL go as well).
std::string_view TrimBlanks(std::string_view text);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Hash and equality for unordered containers keyed by names; both accept any
// string-like key, so that a lookup needs no copy.
struct IgnoreCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};

struct IgnoreCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        return EqualIgnoringCase(a, b);
    }
};

}  // namespace quorvane
