#include "KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quorvane {

KeyPreview::KeyPreview(QWidget& window, std::function<bool(QKeyEvent*)> handler)
    : window_(window), handler_(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            focus = &window_;
        if (watched == focus)
            target_ = focus->window() == &window_ ? watched : nullptr;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !target_ || watched != target_)
        return false;
    target_ = nullptr;
    return handler_(static_cast<QKeyEvent*>(event));
}

}  // namespace quorvane
