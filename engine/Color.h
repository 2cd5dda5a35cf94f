#pragma once

#include <cstdint>

namespace quorvane {

// A 24-bit colour with red in the lowest byte, green in the middle byte and
// blue in the highest byte, as the settings file stores it.
using Color = std::uint32_t;

inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace quorvane
