#include "WindowPlacement.h"

#include <algorithm>

namespace quorvane {

namespace {

// Room between the two windows, also for a frame not yet measured.
constexpr int Gap = 8;
constexpr int Shift = 32;

}  // namespace

QPoint PlaceBesideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& workArea,
                             int toolbarBottom)
{
    const auto fits = [&](QPoint at) { return workArea.contains(QRect(at, frame)); };
    const int top = std::clamp(mainFrame.top(), workArea.top(),
                               std::max(workArea.top(), workArea.bottom() + 1 - frame.height()));
    for (const QPoint at : {QPoint(mainFrame.right() + 1 + Gap, top),
                            QPoint(mainFrame.left() - Gap - frame.width(), top),
                            QPoint(mainFrame.left(), mainFrame.bottom() + 1 + Gap)})
        if (fits(at))
            return at;
    const int left = std::clamp(mainFrame.left() + Shift, workArea.left(),
                                std::max(workArea.left(), workArea.right() + 1 - frame.width()));
    return QPoint(left, std::max(workArea.top(), mainFrame.top() + toolbarBottom));
}

}  // namespace quorvane
