#pragma once

#include "Canvas.h"
#include "TextMeasure.h"

#include <memory>
#include <string>

namespace quorvane {

// Size and physical size of an SVG picture.
struct SvgFrame {
    int Width = 0;  // pixels of the picture, the units of its view box
    int Height = 0;
    double WidthMillimetres = 0;
    double HeightMillimetres = 0;
};

// A canvas that records its drawing as an SVG document. The anaglyph's
// raster modes become blend modes, which combine pure filter colours
// exactly as the bitwise operations do: AND NOT pen as `multiply` with the
// pen's complement, OR as `lighten`; bitmap blocks are embedded PNG images
// blended the same way. Text is measured by `measure`, which must outlive
// the canvas.
class SvgCanvas : public Canvas {
public:
    SvgCanvas(const SvgFrame& frame, TextMeasure& measure);
    ~SvgCanvas() override;

    // Ends the document and returns it (UTF-8); the canvas takes no more
    // drawing afterwards.
    std::string Finish();

    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetPenMode(PenMode mode) override;
    void SetBrushColor(Color color) override;
    void SetFont(const std::string& name, int height) override;
    void SetFontColor(Color color) override;
    void FillRect(const PixelRect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawLines(std::span<const LineSegment> segments) override;
    void Rectangle(const PixelRect& rect) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void SetClipRect(const PixelRect& rect) override;
    void RemoveClip() override;
    void CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                   BlockOp op) override;

private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
};

}  // namespace quorvane
