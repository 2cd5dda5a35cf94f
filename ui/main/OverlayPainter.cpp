#include "OverlayPainter.h"

#include "DrawingOverlay.h"
#include "PixelRaster.h"
#include "QtRasterCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvane {

namespace {

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

void PaintMarker(QPainter& painter, const OverlayMarker& marker)
{
    painter.setPen(QPen(ToQColor(marker.Pen), marker.Width, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const int half = marker.Size / 2;
    const QRect box(marker.X - half, marker.Y - half, marker.Size, marker.Size);
    switch (marker.Shape) {
    case MarkerShape::Circle:
        painter.drawEllipse(box);
        break;
    case MarkerShape::Square:
        painter.drawRect(box);
        break;
    case MarkerShape::Cross:
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        break;
    }
}

void PaintLabel(QPainter& painter, const OverlayLabel& label)
{
    const QString text = QString::fromStdString(label.Text);
    const QFontMetrics metrics(painter.font());
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft | Qt::AlignTop, text);
    const int pad = std::max(2, metrics.height() / 6);
    const QRect box(label.X, label.Y, bounds.width() + 2 * pad, bounds.height() + 2 * pad);
    painter.setPen(QPen(ToQColor(label.TextColor), 1));
    painter.setBrush(ToQColor(label.BoxColor));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box.adjusted(pad, pad, -pad, -pad), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

const QImage& WithOverlayLines(const QImage& drawing, const OverlayLayer& layer, QImage& scratch)
{
    if (layer.Lines.empty() || drawing.format() != QImage::Format_RGB32)
        return drawing;
    if (scratch.size() != drawing.size() || scratch.format() != drawing.format())
        scratch = QImage(drawing.size(), drawing.format());
    std::memcpy(scratch.bits(), drawing.constBits(), static_cast<std::size_t>(drawing.sizeInBytes()));
    const PixelBuffer pixels{reinterpret_cast<std::uint32_t*>(scratch.bits()), scratch.width(),
                             scratch.height(), scratch.bytesPerLine() / 4};
    // Lines of one pen go to the rasteriser together.
    std::vector<LineSegment> batch;
    for (std::size_t first = 0; first < layer.Lines.size();) {
        const OverlayLine& pen = layer.Lines[first];
        batch.clear();
        std::size_t next = first;
        for (; next < layer.Lines.size(); ++next) {
            const OverlayLine& line = layer.Lines[next];
            if (line.Pen != pen.Pen || line.Width != pen.Width || line.Mode != pen.Mode)
                break;
            batch.push_back(line.Segment);
        }
        // Bitwise modes act on the colour channels only; alpha stays opaque.
        const std::uint32_t value = QtRasterCanvas::PixelOf(pen.Pen);
        RasterLines(pixels, pixels.Bounds(), batch,
                    {pen.Mode == PenMode::Copy ? value : value & 0xFFFFFFu, pen.Width, pen.Mode});
        first = next;
    }
    return scratch;
}

void PaintOverlayMarks(QPainter& painter, const OverlayLayer& layer)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const OverlayMarker& marker : layer.Markers)
        PaintMarker(painter, marker);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const OverlayLabel& label : layer.Labels)
        PaintLabel(painter, label);
    painter.restore();
}

}  // namespace quorvane
