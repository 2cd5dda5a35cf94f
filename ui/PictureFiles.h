#pragma once

#include <QByteArray>
#include <QImage>

namespace quorvane {

// The drawing's bitmap as the bytes of a picture file, through the
// program's own writers.

// A 24-bit BMP carrying `pixelsPerMetre` as its resolution. Throws
// std::length_error for a picture larger than a BMP can state.
QByteArray BmpFileOf(const QImage& bitmap, double pixelsPerMetre);

// A lossless 24-bit PNG.
QByteArray PngFileOf(const QImage& bitmap);

}  // namespace quorvane
