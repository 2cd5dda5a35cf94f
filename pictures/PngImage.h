#pragma once

#include "Color.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorvane {

// A 24-bit PNG of `colors` (row by row from the top, red in the lowest
// byte), lossless. `colors` must hold width x height colours, otherwise
// std::invalid_argument is thrown, as for a negative size. A picture 0 pixels
// wide or high, which PNG cannot state, becomes one transparent pixel.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const Color> colors);

}  // namespace quorvane
