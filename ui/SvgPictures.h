#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorvane {

// Pictures drawn from the program's SVG resources at the size asked for, so
// that they stay crisp at any display scaling.
QImage SvgImage(const QString& resource, QSize size);
// An icon with renderings for normal and high-density screens.
QIcon SvgIcon(const QString& resource, QSize size);
// A cursor of the given logical size with its hot spot.
QCursor SvgCursor(const QString& resource, QSize size, QPoint hotSpot, qreal devicePixelRatio);

}  // namespace quorvane
