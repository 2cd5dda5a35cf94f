#include "SvgPictures.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace quorvane {

QImage SvgImage(const QString& resource, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon SvgIcon(const QString& resource, QSize size)
{
    QIcon icon;
    for (int scale : {1, 2, 3}) {
        QPixmap pixmap = QPixmap::fromImage(SvgImage(resource, size * scale));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QCursor SvgCursor(const QString& resource, QSize size, QPoint hotSpot, qreal devicePixelRatio)
{
    const qreal ratio = std::max<qreal>(1, devicePixelRatio);
    QPixmap pixmap = QPixmap::fromImage(SvgImage(resource, (QSizeF(size) * ratio).toSize()));
    pixmap.setDevicePixelRatio(ratio);
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

}  // namespace quorvane
