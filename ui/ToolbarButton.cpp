#include "ToolbarButton.h"

#include "SvgPictures.h"

#include <QToolButton>

namespace quorvane {

QToolButton* MakeToolbarButton(QWidget* parent, const char* picture, QPoint place, int size,
                               bool toggle, QSize pictureSize)
{
    auto* button = new QToolButton(parent);
    button->setIcon(SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture)),
                            pictureSize));
    button->setIconSize(pictureSize);
    button->setCheckable(toggle);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(place.x(), place.y(), size, size);
    return button;
}

}  // namespace quorvane
