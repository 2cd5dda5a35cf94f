#include "QtTextMeasure.h"

#include "CanvasFont.h"

namespace quorvane {

QtTextMeasure::QtTextMeasure(QPaintDevice* device) : device_(device)
{
    SetFont("Arial", -12);
}

void QtTextMeasure::SetFont(const std::string& name, int height)
{
    const QFont font = CanvasFont(name, height, QFont::PreferDefault, device_);
    if (metrics_ && font == font_)
        return;
    font_ = font;
    metrics_.emplace(font_, device_);
    advances_.fill(-1);
}

int QtTextMeasure::TextWidth(std::string_view text)
{
    int width = 0;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= advances_.size())
            return metrics_->horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        if (advances_[code] < 0)
            advances_[code] = metrics_->horizontalAdvance(QChar(code));
        width += advances_[code];
    }
    return width;
}

int QtTextMeasure::CellHeight()
{
    return metrics_->height();
}

int QtTextMeasure::Ascent()
{
    return metrics_->ascent();
}

int QtTextMeasure::EmSize()
{
    return font_.pixelSize();
}

}  // namespace quorvane
