#pragma once

#include "TextMeasure.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace quorvane::testing {

// Text measure of the block font of TestCanvas: every character is
// CharWidth pixels wide; a character height h gives a cell of h + h / 4
// pixels with the baseline at h.
class FixedTextMeasure : public TextMeasure {
public:
    static constexpr int CharWidth = 6;

    void SetFont(const std::string& name, int height) override
    {
        fontName = name;
        em_ = height < 0 ? -height : std::max(1, height * 4 / 5);
    }
    int TextWidth(std::string_view text) override { return CharWidth * int(text.size()); }
    int CellHeight() override { return em_ + em_ / 4; }
    int Ascent() override { return em_; }
    int EmSize() override { return em_; }

    std::string fontName;

private:
    int em_ = 10;
};

}  // namespace quorvane::testing
