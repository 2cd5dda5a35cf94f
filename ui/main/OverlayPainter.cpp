#include "OverlayPainter.h"

#include "DrawingOverlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QVector>

#include <algorithm>

namespace quorvane {

namespace {

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

// The painter's raster operations work on whole pixels, alpha included: a
// pen that takes its colour's bits away ANDs with the colour's complement
// at full alpha, so that the pixels stay opaque.
QPainter::CompositionMode CompositionOf(PenMode mode)
{
    switch (mode) {
    case PenMode::AndNot:
        return QPainter::RasterOp_SourceAndDestination;
    case PenMode::Or:
        return QPainter::RasterOp_SourceOrDestination;
    case PenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

Color PaintedColor(const OverlayLine& line)
{
    return line.Mode == PenMode::AndNot ? ~line.Pen & 0xFFFFFFu : line.Pen;
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

void PaintOverlay(QPainter& painter, const OverlayLayer& layer)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Lines of one pen go to the painter together.
    QVector<QLine> batch;
    for (std::size_t first = 0; first < layer.Lines.size();) {
        const OverlayLine& pen = layer.Lines[first];
        batch.clear();
        std::size_t next = first;
        for (; next < layer.Lines.size(); ++next) {
            const OverlayLine& line = layer.Lines[next];
            if (line.Pen != pen.Pen || line.Width != pen.Width || line.Mode != pen.Mode)
                break;
            const LineSegment& s = line.Segment;
            batch.push_back(QLine(s.X1, s.Y1, s.X2, s.Y2));
        }
        painter.setCompositionMode(CompositionOf(pen.Mode));
        painter.setPen(QPen(ToQColor(PaintedColor(pen)), pen.Width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLines(batch);
        first = next;
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const OverlayMarker& marker : layer.Markers)
        PaintMarker(painter, marker);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const OverlayLabel& label : layer.Labels)
        PaintLabel(painter, label);
    painter.restore();
}

}  // namespace quorvane
