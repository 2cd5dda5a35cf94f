#pragma once

#include "QtRasterCanvas.h"

#include <QWidget>

#include <functional>

namespace quorvane {

struct OverlayLayer;

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

    // What is drawn over the image, or null; the view does not own it.
    void SetOverlay(const OverlayLayer* overlay) { overlay_ = overlay; }

    std::function<void(QMouseEvent*, QPoint)> MousePressed, MouseMoved, MouseReleased;
    // The mouse rests on the image at a device pixel: the text to show, or
    // an empty one for none.
    std::function<QString(QPoint)> HintAt;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint DevicePosition(const QMouseEvent* event) const;

    QtRasterCanvas canvas_;
    const OverlayLayer* overlay_ = nullptr;
    QImage composed_;  // the image with the overlay's lines, kept for its memory
};

}  // namespace quorvane
