#include "NormalPlace.h"

#include <QEvent>
#include <QWidget>

namespace quorvane {

NormalPlace::NormalPlace(QWidget& window) : QObject(&window), window_(window)
{
    window.installEventFilter(this);
}

bool NormalPlace::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowStateChange:
        Measure();
        break;
    default:
        break;
    }
    return false;
}

void NormalPlace::Measure()
{
    if (window_.windowState() != Qt::WindowNoState || !window_.isVisible())
        return;
    const QPoint offset = window_.geometry().topLeft() - window_.frameGeometry().topLeft();
    // Until the window manager has framed the window, its frame is the
    // inside; a frame once measured stays.
    if (offset != QPoint() || !frameOffset_)
        frameOffset_ = offset;
}

std::optional<QRect> NormalPlace::Bounds() const
{
    if (window_.windowState() == Qt::WindowNoState)
        return QRect(window_.frameGeometry().topLeft(), window_.size());
    if (!frameOffset_ || !window_.normalGeometry().isValid())
        return std::nullopt;
    const QRect inside = window_.normalGeometry();
    return QRect(inside.topLeft() - *frameOffset_, inside.size());
}

}  // namespace quorvane
