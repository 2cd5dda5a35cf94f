#pragma once

#include "Color.h"

#include <QFrame>

#include <functional>

namespace quorvane {

// A small square in the colour it stands for, with an outline; a click
// (the mouse button released on it) asks for another colour.
class ColorSample : public QFrame {
public:
    explicit ColorSample(QWidget* parent);

    Color Value() const { return value_; }
    void SetValue(Color value);
    std::function<void(ColorSample&)> Clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Color value_ = 0;
};

}  // namespace quorvane
