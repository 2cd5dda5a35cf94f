#include "ImageView.h"

#include "DrawingOverlay.h"
#include "OverlayPainter.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace quorvane {

ImageView::ImageView(QWidget* parent) : QWidget(parent), canvas_(1, 1)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

qreal ImageView::Ratio() const
{
    return devicePixelRatioF();
}

int ImageView::DeviceWidth() const
{
    return static_cast<int>(std::lround(width() * Ratio()));
}

int ImageView::DeviceHeight() const
{
    return static_cast<int>(std::lround(height() * Ratio()));
}

void ImageView::FitImageToWidget()
{
    canvas_.SetSize(DeviceWidth(), DeviceHeight());
}

void ImageView::paintEvent(QPaintEvent*)
{
    // The image is in device pixels; drawn into the widget's logical rect it
    // lands on them one to one.
    QPainter painter(this);
    // The overlay goes into a copy of the image or over it, never into it.
    const QImage& image =
        overlay_ ? WithOverlayLines(canvas_.Image(), *overlay_, composed_) : canvas_.Image();
    painter.drawImage(QRectF(0, 0, width(), height()), image,
                      QRectF(0, 0, width() * Ratio(), height() * Ratio()));
    if (overlay_ && !(overlay_->Markers.empty() && overlay_->Labels.empty())) {
        painter.scale(1 / Ratio(), 1 / Ratio());
        PaintOverlayMarks(painter, *overlay_);
    }
}

bool ImageView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && HintAt) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QPointF position = QPointF(help->pos()) * Ratio();
        const QString hint = HintAt(QPoint(static_cast<int>(std::floor(position.x())),
                                           static_cast<int>(std::floor(position.y()))));
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            // The hint goes once the mouse leaves the pixels about the line.
            QToolTip::showText(help->globalPos(), hint, this,
                               QRect(help->pos() - QPoint(4, 4), QSize(9, 9)));
        return true;
    }
    return QWidget::event(event);
}

QPoint ImageView::DevicePosition(const QMouseEvent* event) const
{
    const QPointF position = event->position() * Ratio();
    return QPoint(static_cast<int>(std::floor(position.x())),
                  static_cast<int>(std::floor(position.y())));
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    if (MousePressed)
        MousePressed(event, DevicePosition(event));
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (MouseMoved)
        MouseMoved(event, DevicePosition(event));
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (MouseReleased)
        MouseReleased(event, DevicePosition(event));
}

}  // namespace quorvane
