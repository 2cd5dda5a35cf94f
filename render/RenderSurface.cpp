#include "RenderSurface.h"

#include <QFontInfo>
#include <QGuiApplication>

namespace quorvane {

RenderSurface::RenderSurface()
    : image_(1, 1), fontHeight_(QFontInfo(QGuiApplication::font()).pixelSize())
{
}

std::unique_ptr<OffscreenBitmap> RenderSurface::CreateOffscreenBitmap()
{
    return std::make_unique<QtRasterCanvas>(1, 1, QtRasterCanvas::TextRendering::Exact);
}

}  // namespace quorvane
