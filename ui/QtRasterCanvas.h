#pragma once

#include "Canvas.h"
#include "PixelRaster.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <array>
#include <memory>
#include <optional>

class QPainter;

namespace quorvane {

// A canvas over a 32-bit QImage. Lines, fills and block copies go straight
// into the scan lines, as exact bitwise operations on the 24-bit colours;
// QPainter draws only the text.
class QtRasterCanvas : public OffscreenBitmap {
public:
    enum class TextRendering { Smooth, Exact };

    // Exact text has no antialiasing, so that its pixels hold only the font
    // and brush colours; the anaglyph's label bitmaps need that.
    QtRasterCanvas(int width, int height, TextRendering text = TextRendering::Smooth);
    ~QtRasterCanvas() override;

    // The image with all drawing so far finished.
    const QImage& Image();
    PixelBuffer Pixels();
    PixelBuffer Pixels() const;

    void SetSize(int width, int height) override;
    void ReadBlock(int width, int height, std::vector<Color>& colors) const override;
    void SetPenColor(Color color) override { penColor_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void SetPenMode(PenMode mode) override { penMode_ = mode; }
    void SetBrushColor(Color color) override { brushColor_ = color; }
    void SetFont(const std::string& name, int height) override;
    void SetFontColor(Color color) override { fontColor_ = color; }
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

    // A colour as a pixel of the image (0xFFRRGGBB) and back.
    static std::uint32_t PixelOf(Color color);
    static Color ColorOf(std::uint32_t pixel);

private:
    // One character of the current font, drawn once: its advance, and its
    // coverage (0..255) in a cell as high as the font and wider than the
    // advance by Pad on each side for parts that reach out.
    struct Glyph {
        int advance = 0;
        QImage coverage;
    };
    static constexpr int Pad = 4;

    QPainter& Painter();
    void EndPainting();
    PixelPen Pen() const;
    const Glyph& GlyphOf(unsigned char c);
    int Advance(unsigned char c);
    void DrawGlyph(const Glyph& glyph, int x, int y);

    QImage image_;
    TextRendering textRendering_;
    std::unique_ptr<QPainter> painter_;
    Color penColor_ = 0;
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    Color brushColor_ = 0xFFFFFF;
    Color fontColor_ = 0;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    // Labels are short ASCII texts drawn by the ten thousand; composing
    // them from cached glyphs is many times faster than laying them out.
    std::array<std::optional<Glyph>, 128> glyphs_;
    std::optional<PixelRect> clip_;
    int penX_ = 0, penY_ = 0;
};

}  // namespace quorvane
