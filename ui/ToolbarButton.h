#pragma once

#include <QPoint>
#include <QSize>

class QToolButton;
class QWidget;

namespace quorvane {

// A toolbar button of the program's windows: a picture from the resources,
// no text, flat until the mouse is over it, never taking the focus from the
// window's controls.
QToolButton* MakeToolbarButton(QWidget* parent, const char* picture, QPoint place, int size,
                               bool toggle = false, QSize pictureSize = QSize(16, 16));

}  // namespace quorvane
