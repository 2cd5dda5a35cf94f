#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvane {

// Where a second window of `frame` size opens the first time, frames
// included: right of the main window, else left of it, else below it,
// wherever the work area holds it whole; otherwise over the main window,
// its top `toolbarBottom` pixels below the main window's top and shifted
// right, so that both toolbars stay in sight.
QPoint PlaceBesideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& workArea,
                             int toolbarBottom);

}  // namespace quorvane
