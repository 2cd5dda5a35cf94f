#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Names compared without regard to ASCII case: settings keys, file name
// extensions, the symbols and words of deck expressions.

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
