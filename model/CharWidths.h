#pragma once

#include <array>
#include <functional>
#include <string_view>

namespace quorvane {

// Pixel widths of the ASCII characters in the data table grid's font.
// Number texts are measured by adding these cached widths: asking the font
// for every one of 600000 cells of a large file would cost more than reading it.
class CharWidths {
public:
    // Widths of a typical proportional user-interface font of about 9 points,
    // for use before a window supplies the real ones.
    CharWidths();
    // Measures each ASCII character once with `measure`.
    explicit CharWidths(const std::function<int(char)>& measure);

    int Width(char c) const;
    int TextWidth(std::string_view text) const;

private:
    std::array<int, 128> widths_{};
};

}  // namespace quorvane
