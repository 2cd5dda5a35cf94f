#pragma once

#include "Canvas.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

// 32-bit pixels in memory, owned elsewhere (an image's scan lines, a test's
// vector). Stride is in pixels.
struct PixelBuffer {
    std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0;

    std::uint32_t& At(int x, int y) const { return Bits[y * Stride + x]; }
    PixelRect Bounds() const { return {0, 0, Width, Height}; }
};

// The pixel value is written as it is: the caller puts the colour into the
// buffer's channel order. For AndNot and Or only the bits set in `Value` act,
// so a value without alpha bits leaves the alpha channel alone.
struct PixelPen {
    std::uint32_t Value = 0;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// Straight lines inside `clip` (which must lie in the buffer). The pixels of a
// line do not depend on the clip: a clipped line sets exactly the unclipped
// line's pixels that lie inside. The end pixel is not set. Along the major
// axis each step sets one pixel, or a span of Width pixels across it for a
// wider pen. Lines are drawn in order; a large batch is split into horizontal
// bands drawn on two threads, which gives the same pixels.
void RasterLines(const PixelBuffer& buffer, const PixelRect& clip,
                 std::span<const LineSegment> segments, const PixelPen& pen);

// The four lines that outline a rectangle with a one-pixel pen: its first
// and last rows and columns.
std::array<LineSegment, 4> RectangleOutline(const PixelRect& r);

void FillPixels(const PixelBuffer& buffer, const PixelRect& clip, const PixelRect& rect,
                std::uint32_t value);

// Combines the width x height block at the top-left of `source` with the
// pixels of `target` at (x, y), inside `clip`.
void CombineBlock(const PixelBuffer& target, const PixelRect& clip, const PixelBuffer& source,
                  int width, int height, int x, int y, BlockOp op);

}  // namespace quorvane
