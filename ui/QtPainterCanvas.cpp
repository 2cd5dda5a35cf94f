#include "QtPainterCanvas.h"

#include <QImage>
#include <QPainter>

#include <vector>

namespace quorvane {

namespace {

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QPainter::CompositionMode CompositionOf(PenMode mode)
{
    switch (mode) {
    case PenMode::AndNot:
        return QPainter::RasterOp_NotSourceAndDestination;
    case PenMode::Or:
        return QPainter::RasterOp_SourceOrDestination;
    case PenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

// A raster line leaves out its end pixel and covers pixel centres; the
// vector line runs between the same centres.
QLineF CentredLine(int x1, int y1, int x2, int y2)
{
    return QLineF(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5);
}

}  // namespace

QtPainterCanvas::QtPainterCanvas(QPainter& painter)
    : painter_(painter), measure_(painter.device())
{
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
    pen_.setWidth(1);
    ApplyPen();
}

void QtPainterCanvas::ApplyPen()
{
    painter_.setPen(pen_);
    painter_.setBrush(Qt::NoBrush);
    painter_.setCompositionMode(CompositionOf(penMode_));
}

void QtPainterCanvas::SetPenColor(Color color)
{
    pen_.setColor(ToQColor(color));
}

void QtPainterCanvas::SetPenWidth(int width)
{
    pen_.setWidth(std::max(1, width));
}

void QtPainterCanvas::SetPenMode(PenMode mode)
{
    penMode_ = mode;
}

void QtPainterCanvas::SetFont(const std::string& name, int height)
{
    measure_.SetFont(name, height);
    painter_.setFont(measure_.Font());
}

void QtPainterCanvas::FillRect(const PixelRect& rect)
{
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top),
                      ToQColor(brushColor_));
}

void QtPainterCanvas::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void QtPainterCanvas::LineTo(int x, int y)
{
    ApplyPen();
    painter_.drawLine(CentredLine(penX_, penY_, x, y));
    penX_ = x;
    penY_ = y;
}

void QtPainterCanvas::DrawLines(std::span<const LineSegment> segments)
{
    if (segments.empty())
        return;
    ApplyPen();
    std::vector<QLineF> lines;
    lines.reserve(segments.size());
    for (const LineSegment& s : segments)
        lines.push_back(CentredLine(s.X1, s.Y1, s.X2, s.Y2));
    painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
    penX_ = segments.back().X2;
    penY_ = segments.back().Y2;
}

void QtPainterCanvas::Rectangle(const PixelRect& rect)
{
    FillRect(rect);
    ApplyPen();
    const qreal inset = pen_.widthF() / 2;
    painter_.drawRect(QRectF(rect.Left + inset, rect.Top + inset,
                             rect.Right - rect.Left - 2 * inset, rect.Bottom - rect.Top - 2 * inset));
}

void QtPainterCanvas::TextOut(int x, int y, std::string_view text)
{
    const int width = measure_.TextWidth(text);
    const int height = measure_.CellHeight();
    FillRect({x, y, x + width, y + height});
    painter_.setPen(ToQColor(fontColor_));
    painter_.drawText(QPointF(x, y + measure_.Ascent()),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.setPen(pen_);
}

int QtPainterCanvas::TextWidth(std::string_view text)
{
    return measure_.TextWidth(text);
}

int QtPainterCanvas::TextHeight(std::string_view)
{
    return measure_.CellHeight();
}

void QtPainterCanvas::SetClipRect(const PixelRect& rect)
{
    painter_.setClipRect(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top));
}

void QtPainterCanvas::RemoveClip()
{
    painter_.setClipping(false);
}

void QtPainterCanvas::CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                                BlockOp op)
{
    std::vector<Color> colors;
    source.ReadBlock(width, height, colors);
    if (colors.size() != std::size_t(width) * std::size_t(height))
        return;
    QImage block(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(block.scanLine(row));
        for (int column = 0; column < width; ++column)
            line[column] = ToQColor(colors[std::size_t(row) * width + column]).rgb();
    }
    painter_.setCompositionMode(op == BlockOp::And ? QPainter::RasterOp_SourceAndDestination
                                                   : QPainter::RasterOp_SourceOrDestination);
    painter_.drawImage(x, y, block);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace quorvane
