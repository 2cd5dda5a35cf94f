#include "UpDownArrows.h"

#include <QToolButton>

#include <algorithm>

namespace quorvane {

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { ClickUp(); });
    connect(down_, &QToolButton::clicked, this, [this] { ClickDown(); });
}

void UpDownArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void UpDownArrows::SetMaximum(int maximum)
{
    maximum_ = std::max(0, maximum);
    position_ = std::clamp(position_, 0, maximum_);
}

void UpDownArrows::SetPosition(int position)
{
    position_ = std::clamp(position, 0, maximum_);
}

void UpDownArrows::SetHint(const QString& hint)
{
    setToolTip(hint);
    up_->setToolTip(hint);
    down_->setToolTip(hint);
}

void UpDownArrows::ClickUp()
{
    Step(+1);
}

void UpDownArrows::ClickDown()
{
    Step(-1);
}

void UpDownArrows::Step(int by)
{
    position_ = std::clamp(position_ + by, 0, maximum_);
    if (Clicked)
        Clicked();
}

}  // namespace quorvane
