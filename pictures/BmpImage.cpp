#include "BmpImage.h"

#include <stdexcept>

namespace quorvane {

namespace {

constexpr std::uint64_t HeaderBytes = 14 + 40;

std::uint64_t RowBytes(int width)
{
    return (3 * std::uint64_t(width) + 3) / 4 * 4;  // rows end on 4-byte boundaries
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::uint64_t BmpFileSize(int width, int height)
{
    if (width < 0 || height < 0)
        return 0;
    return HeaderBytes + RowBytes(width) * std::uint64_t(height);
}

std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int pixelsPerMetre)
{
    if (pixels.Width < 0 || pixels.Height < 0)
        throw std::invalid_argument("EncodeBmp: negative picture size");
    const std::uint64_t fileSize = BmpFileSize(pixels.Width, pixels.Height);
    if (fileSize > MaxBmpFileSize)
        throw std::length_error("EncodeBmp: picture too large for a BMP file");
    const std::uint64_t rowBytes = RowBytes(pixels.Width);
    const bool hasPixels = pixels.Width > 0 && pixels.Height > 0;
    if (hasPixels && pixels.Bits == nullptr)
        throw std::invalid_argument("EncodeBmp: no pixels");

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(fileSize));
    Put32(out, 0);  // reserved
    Put32(out, static_cast<std::uint32_t>(HeaderBytes));
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(pixels.Width));
    Put32(out, static_cast<std::uint32_t>(pixels.Height));  // positive: bottom row first
    Put16(out, 1);                                           // planes
    Put16(out, 24);                                          // bits per pixel
    Put32(out, 0);                                           // BI_RGB
    Put32(out, static_cast<std::uint32_t>(fileSize - HeaderBytes));
    const std::uint32_t resolution = static_cast<std::uint32_t>(pixelsPerMetre < 0 ? 0 : pixelsPerMetre);
    Put32(out, resolution);
    Put32(out, resolution);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours

    const std::size_t padding = static_cast<std::size_t>(rowBytes - 3 * std::uint64_t(pixels.Width));
    for (int y = pixels.Height - 1; y >= 0 && hasPixels; --y) {
        for (int x = 0; x < pixels.Width; ++x) {
            const std::uint32_t value = pixels.At(x, y);
            out.push_back(static_cast<std::uint8_t>(value));
            out.push_back(static_cast<std::uint8_t>(value >> 8));
            out.push_back(static_cast<std::uint8_t>(value >> 16));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

}  // namespace quorvane
