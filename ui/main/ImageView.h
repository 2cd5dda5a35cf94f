#pragma once

#include "QtRasterCanvas.h"

#include <QWidget>

#include <functional>

namespace quorvane {

// The drawing area: shows the retained image of the drawing and reports the
// mouse to its window. The image is kept in device pixels, so that the
// drawing stays crisp and its scale true on a scaled display; positions it
// reports are in the same pixels.
class ImageView : public QWidget {
public:
    explicit ImageView(QWidget* parent);

    QtRasterCanvas& Canvas() { return canvas_; }
    // Gives the image the widget's size in device pixels.
    void FitImageToWidget();
    int DeviceWidth() const;
    int DeviceHeight() const;
    qreal Ratio() const;

    std::function<void(QMouseEvent*, QPoint)> MousePressed, MouseMoved, MouseReleased;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint DevicePosition(const QMouseEvent* event) const;

    QtRasterCanvas canvas_;
};

}  // namespace quorvane
