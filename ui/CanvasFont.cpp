#include "CanvasFont.h"

#include <QFontMetrics>

#include <algorithm>

namespace quorvane {

QFont CanvasFont(const std::string& name, int height, QFont::StyleStrategy strategy,
                 QPaintDevice* device)
{
    QFont font(QString::fromStdString(name));
    font.setStyleStrategy(strategy);
    if (height < 0) {
        font.setPixelSize(-height);
        return font;
    }
    auto cellOf = [&](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font, device).height();
    };
    // The largest character size whose cell fits, searched from the size
    // that the font's proportions suggest.
    const int cell = std::max(1, height);
    int size = std::max(1, cell * cell / std::max(1, cellOf(cell)));
    while (cellOf(size + 1) <= cell)
        ++size;
    while (size > 1 && cellOf(size) > cell)
        --size;
    font.setPixelSize(size);
    return font;
}

}  // namespace quorvane
