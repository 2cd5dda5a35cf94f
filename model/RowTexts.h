#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr int TextColumnCount = 7;   // x1 y1 z1 x2 y2 z2 and the supplement
inline constexpr int SupplementColumn = 7;

// The seven cell texts of one row, packed into one buffer. A table of 100000
// rows holds two of these per row (the texts and their saved copy); one
// allocation per row instead of one per cell keeps it small and fast to copy.
// Texts are the bytes as read or typed, in no particular encoding.
class RowTexts {
public:
    std::string_view Get(int column) const;  // column 1..7
    void Set(int column, std::string_view text);
    void Clear();
    // True when all seven texts have length 0 (a text of blanks is not empty).
    bool AllEmpty() const { return data_.empty(); }

    // Memory the texts take beyond the object itself.
    std::size_t HeapBytes() const;

    // Replaces all seven texts at once, with a single allocation.
    void Assign(const std::array<std::string_view, TextColumnCount>& texts);

    friend bool operator==(const RowTexts&, const RowTexts&) = default;

private:
    std::string data_;
    std::array<std::uint32_t, TextColumnCount> ends_{};  // end offset of each column's text
};

}  // namespace quorvane
