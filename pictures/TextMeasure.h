#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Text sizes for canvases that record drawing instead of making pixels
// (vector pictures): they ask a measure that knows the fonts of the device
// the picture refers to, so that labels are placed as on that device.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The height has the meaning of Canvas::SetFont: negative for the
    // character height without internal leading, positive for the cell height.
    virtual void SetFont(const std::string& name, int height) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    // Height of the font's character cell, as Canvas::TextHeight gives it.
    virtual int CellHeight() = 0;
    // From the top of the cell down to the baseline.
    virtual int Ascent() = 0;
    // The font's em size in pixels: the cell height without internal leading.
    virtual int EmSize() = 0;
};

}  // namespace quorvane
