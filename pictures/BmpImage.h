#pragma once

#include "PixelRaster.h"

#include <cstdint>
#include <vector>

namespace quorvane {

// The largest file a BMP header can state.
inline constexpr std::uint64_t MaxBmpFileSize = 0xFFFFFFFFu;

// Bytes of the BMP file EncodeBmp writes for a picture of that size; 0 for a
// negative size.
std::uint64_t BmpFileSize(int width, int height);

// A 24-bit BMP file of `pixels`, whose values are 0xAARRGGBB (the alpha
// byte is dropped), with `pixelsPerMetre` as its resolution (a negative one
// is written as 0, unknown). Throws std::length_error when the file would
// exceed MaxBmpFileSize, before touching any pixel, and std::invalid_argument
// for a negative size. A picture 0 pixels wide or high is the headers alone.
std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int pixelsPerMetre);

}  // namespace quorvane
