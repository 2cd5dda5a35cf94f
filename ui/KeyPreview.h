#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;

namespace quorvane {

// Lets a window see every key press before the control that has the focus,
// once per key. A key a control ignores travels on to its parents; and the
// window's handler may move the focus (a dialog that closes may leave none).
// So the key is recognised by where it started: the shortcut check that Qt
// sends to the focus before each key press names its target, and only the
// press that reaches that target goes to the handler.
class KeyPreview : public QObject {
public:
    // `handler` returns true when it consumed the key.
    KeyPreview(QWidget& window, std::function<bool(QKeyEvent*)> handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<bool(QKeyEvent*)> handler_;
    QPointer<QObject> target_;
};

}  // namespace quorvane
