#pragma once

#include "Canvas.h"
#include "QtTextMeasure.h"

#include <QPen>

class QPainter;

namespace quorvane {

// A canvas over a painter on any device, drawn as vectors: the printer's
// page. Pen modes and block copies become the painter's raster operations,
// which only raster devices carry out; a page that needs them exactly (the
// anaglyph) is drawn on a raster canvas first.
class QtPainterCanvas : public Canvas {
public:
    // The painter must be active and outlive the canvas.
    explicit QtPainterCanvas(QPainter& painter);

    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetPenMode(PenMode mode) override;
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

private:
    void ApplyPen();

    QPainter& painter_;
    QtTextMeasure measure_;
    QPen pen_;
    PenMode penMode_ = PenMode::Copy;
    Color brushColor_ = 0xFFFFFF;
    Color fontColor_ = 0;
    int penX_ = 0, penY_ = 0;
};

}  // namespace quorvane
