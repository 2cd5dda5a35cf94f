#include "ColorSample.h"

#include <QMouseEvent>

namespace quorvane {

ColorSample::ColorSample(QWidget* parent) : QFrame(parent)
{
    setFixedSize(36, 18);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void ColorSample::SetValue(Color value)
{
    value_ = value & 0xFFFFFF;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(RedOf(value_), GreenOf(value_), BlueOf(value_)));
    setPalette(colours);
}

void ColorSample::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()) && Clicked)
        Clicked(*this);
    QFrame::mouseReleaseEvent(event);
}

}  // namespace quorvane
