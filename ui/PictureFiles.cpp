#include "PictureFiles.h"

#include "BmpImage.h"
#include "PngImage.h"
#include "Projection.h"
#include "QtRasterCanvas.h"

#include <cstdint>
#include <vector>

namespace quorvane {

namespace {

QImage Rgb32(const QImage& bitmap)
{
    return bitmap.format() == QImage::Format_RGB32 ? bitmap
                                                   : bitmap.convertToFormat(QImage::Format_RGB32);
}

QByteArray ToByteArray(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace

QByteArray BmpFileOf(const QImage& bitmap, double pixelsPerMetre)
{
    const QImage image = Rgb32(bitmap);
    const PixelBuffer pixels{const_cast<std::uint32_t*>(
                                 reinterpret_cast<const std::uint32_t*>(image.constBits())),
                             image.width(), image.height(), image.bytesPerLine() / 4};
    return ToByteArray(EncodeBmp(pixels, RoundToPixel(pixelsPerMetre)));
}

QByteArray PngFileOf(const QImage& bitmap)
{
    const QImage image = Rgb32(bitmap);
    std::vector<Color> colors;
    colors.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colors.push_back(QtRasterCanvas::ColorOf(line[x]));
    }
    return ToByteArray(EncodePng(image.width(), image.height(), colors));
}

}  // namespace quorvane
