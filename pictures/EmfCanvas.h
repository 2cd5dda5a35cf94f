#pragma once

#include "Canvas.h"
#include "TextMeasure.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

// Size and physical frame of an enhanced metafile.
struct EmfFrame {
    int Width = 0;   // pixels of the picture
    int Height = 0;
    // Gives the physical size: Width x 2540 / DotsPerInch hundredths of a
    // millimetre, likewise the height.
    int DotsPerInch = 96;
    // The device the picture refers to (the screen), in pixels.
    int ReferenceWidth = 1920;
    int ReferenceHeight = 1080;
};

// Dots per inch that give a metafile drawn at screen pixels its true size on
// a screen `screenPixels` wide and `screenWidthMetres` wide, divided by the
// user's clipboard factor. At least 1.
int MetafileDotsPerInch(int screenPixels, double screenWidthMetres, double clipboardFactor);

// Frame width or height in hundredths of a millimetre for `pixels` at `dotsPerInch`.
int MetafileFrameSize(int pixels, int dotsPerInch);

// A canvas that records its drawing as an enhanced metafile (EMF) in memory:
// pens with their raster mode (ROP2), solid brushes, fonts, lines,
// rectangles, opaque text, a clip rectangle and bitmap blocks combined with
// AND or OR (24-bit, or one bit a pixel for a block of two colours). Text is
// measured by `measure`, which must outlive the canvas.
class EmfCanvas : public Canvas {
public:
    // The format counts a metafile's bytes in 32 bits.
    static constexpr std::size_t MaxBytes = 0xFFFFFFFC;

    EmfCanvas(const EmfFrame& frame, TextMeasure& measure, std::size_t maxBytes = MaxBytes);
    ~EmfCanvas() override;

    // Ends the metafile and returns its bytes; the canvas takes no more
    // drawing afterwards, and a second call returns nothing. Throws
    // std::length_error when the drawing did not fit into `maxBytes`.
    std::vector<std::uint8_t> Finish();

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
