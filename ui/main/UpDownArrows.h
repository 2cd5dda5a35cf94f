#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace quorvane {

// Two small arrows over each other that step a position between a minimum
// and a maximum: the upper arrow raises it, the lower one lowers it.
class UpDownArrows : public QWidget {
public:
    explicit UpDownArrows(QWidget* parent);

    void SetMaximum(int maximum);
    void SetPosition(int position);
    int Position() const { return position_; }
    int Maximum() const { return maximum_; }
    void SetHint(const QString& hint);
    void ClickUp();
    void ClickDown();

    // Runs after a click changed the position.
    std::function<void()> Clicked;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int by);

    QToolButton* up_;
    QToolButton* down_;
    int position_ = 0;
    int maximum_ = 0;
};

}  // namespace quorvane
