#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>

class QWidget;

namespace quorvane {

// Where a top-level window stands in the normal state: the frame's top-left
// corner and the inside's size, which the settings keep. A maximised or
// minimised window reports the place it will be restored to, measured with
// the frame it had in the normal state: window managers draw a maximised
// window without its border.
class NormalPlace : public QObject {
public:
    explicit NormalPlace(QWidget& window);

    // The frame's corner and the inside's size in the normal state; none
    // for a window that has not yet been shown in it.
    std::optional<QRect> Bounds() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Measure();

    QWidget& window_;
    // How far the inside lies from the frame's corner in the normal state,
    // once the frame is known.
    std::optional<QPoint> frameOffset_;
};

}  // namespace quorvane
