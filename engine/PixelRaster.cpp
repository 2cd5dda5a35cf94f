#include "PixelRaster.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace quorvane {

namespace {

using Wide = __int128;

// Below this many segments a second thread costs more than it saves.
constexpr std::size_t ParallelBatchSize = 2048;

template <PenMode Mode>
inline void Plot(std::uint32_t& pixel, std::uint32_t value)
{
    if constexpr (Mode == PenMode::Copy)
        pixel = value;
    else if constexpr (Mode == PenMode::AndNot)
        pixel &= ~value;
    else
        pixel |= value;
}

// The minor-axis offset of step i is floor((2*i*minor + major) / (2*major)):
// the nearest pixel, halves rounding away from the start. Returns the first
// step whose offset reaches `target`, or `major` when none does.
std::int64_t FirstStepReaching(std::int64_t target, std::int64_t major, std::int64_t minor)
{
    if (target <= 0)
        return 0;
    if (target > minor)
        return major;  // the offset never exceeds minor
    // Here 0 < target <= minor <= major; below 2^31 the products fit 64 bits.
    if (major < (std::int64_t(1) << 31)) {
        const std::int64_t numerator = 2 * major * target - major;
        const std::int64_t denominator = 2 * minor;
        return std::min(major, (numerator + denominator - 1) / denominator);
    }
    const Wide numerator = Wide(2) * major * target - major;
    const Wide denominator = Wide(2) * minor;
    const Wide step = (numerator + denominator - 1) / denominator;
    return step > major ? major : static_cast<std::int64_t>(step);
}

template <PenMode Mode>
void RasterSegment(const PixelBuffer& buffer, const PixelRect& clip, const LineSegment& s,
                   std::uint32_t value, int penWidth)
{
    const std::int64_t dx = std::int64_t(s.X2) - s.X1;
    const std::int64_t dy = std::int64_t(s.Y2) - s.Y1;
    if (dx == 0 && dy == 0)
        return;
    const int low = (penWidth - 1) / 2;  // span across the line: -low .. +high
    const int high = penWidth / 2;
    if (std::max(s.Y1, s.Y2) + std::int64_t(high) < clip.Top ||
        std::min(s.Y1, s.Y2) - std::int64_t(low) >= clip.Bottom ||
        std::max(s.X1, s.X2) + std::int64_t(high) < clip.Left ||
        std::min(s.X1, s.X2) - std::int64_t(low) >= clip.Right)
        return;

    // Written once for both cases: u is the major axis, w the minor one.
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const std::int64_t u0 = xMajor ? s.X1 : s.Y1;
    const std::int64_t w0 = xMajor ? s.Y1 : s.X1;
    const std::int64_t du = xMajor ? dx : dy;
    const std::int64_t dw = xMajor ? dy : dx;
    const std::int64_t uLow = xMajor ? clip.Left : clip.Top;
    const std::int64_t uHigh = xMajor ? clip.Right : clip.Bottom;
    const std::int64_t wLow = xMajor ? clip.Top : clip.Left;
    const std::int64_t wHigh = xMajor ? clip.Bottom : clip.Right;
    const std::int64_t major = du < 0 ? -du : du;
    const std::int64_t minor = dw < 0 ? -dw : dw;
    const int su = du < 0 ? -1 : 1;
    const int sw = dw < 0 ? -1 : 1;

    std::int64_t first, last;  // steps [first, last) inside the clip along u
    if (su > 0) {
        first = std::max<std::int64_t>(0, uLow - u0);
        last = std::min(major, uHigh - u0);
    } else {
        first = std::max<std::int64_t>(0, u0 - uHigh + 1);
        last = std::min(major, u0 - uLow + 1);
    }
    // The span around w must touch [wLow, wHigh): w in [wLow - high, wHigh + low).
    const std::int64_t reachLow = wLow - high;
    const std::int64_t reachHigh = wHigh + low;
    const std::int64_t offsetLow = sw > 0 ? reachLow - w0 : w0 - reachHigh + 1;
    const std::int64_t offsetHigh = sw > 0 ? reachHigh - w0 : w0 - reachLow + 1;
    first = std::max(first, FirstStepReaching(offsetLow, major, minor));
    last = std::min(last, FirstStepReaching(offsetHigh, major, minor));
    if (first >= last)
        return;

    const std::int64_t twoMajor = 2 * major;
    const std::int64_t twoMinor = 2 * minor;
    // The state at step `first`: offset and error of 2*first*minor + major.
    std::int64_t error = major;
    std::int64_t offset = 0;
    if (first > 0 && major < (std::int64_t(1) << 31)) {
        const std::int64_t start = 2 * first * minor + major;
        offset = start / twoMajor;
        error = start % twoMajor;
    } else if (first > 0) {
        const Wide start = Wide(2) * first * minor + major;
        offset = static_cast<std::int64_t>(start / twoMajor);
        error = static_cast<std::int64_t>(start % twoMajor);
    }
    const std::int64_t u = u0 + su * first;
    std::int64_t w = w0 + sw * offset;

    // An index, not a pointer: with a wide pen the centre may lie just
    // outside the buffer while its span reaches in.
    const std::ptrdiff_t stepU = xMajor ? su : su * buffer.Stride;
    const std::ptrdiff_t stepW = xMajor ? sw * buffer.Stride : sw;
    const std::ptrdiff_t unitW = xMajor ? buffer.Stride : 1;
    std::ptrdiff_t index = xMajor ? w * buffer.Stride + u : u * buffer.Stride + w;
    std::uint32_t* const bits = buffer.Bits;
    std::int64_t count = last - first;

    if (penWidth == 1) {
        for (; count > 0; --count) {
            Plot<Mode>(bits[index], value);
            index += stepU;
            error += twoMinor;
            if (error >= twoMajor) {
                error -= twoMajor;
                index += stepW;
            }
        }
        return;
    }
    for (; count > 0; --count) {
        const std::int64_t from = std::max(w - low, wLow);
        const std::int64_t to = std::min(w + high, wHigh - 1);
        for (std::int64_t t = from; t <= to; ++t)
            Plot<Mode>(bits[index + (t - w) * unitW], value);
        index += stepU;
        error += twoMinor;
        if (error >= twoMajor) {
            error -= twoMajor;
            index += stepW;
            w += sw;
        }
    }
}

template <PenMode Mode>
void RasterBatch(const PixelBuffer& buffer, const PixelRect& clip,
                 std::span<const LineSegment> segments, std::uint32_t value, int penWidth)
{
    for (const LineSegment& s : segments)
        RasterSegment<Mode>(buffer, clip, s, value, penWidth);
}

void RasterSerial(const PixelBuffer& buffer, const PixelRect& clip,
                  std::span<const LineSegment> segments, const PixelPen& pen)
{
    const int width = std::max(1, pen.Width);
    switch (pen.Mode) {
    case PenMode::Copy:
        RasterBatch<PenMode::Copy>(buffer, clip, segments, pen.Value, width);
        break;
    case PenMode::AndNot:
        RasterBatch<PenMode::AndNot>(buffer, clip, segments, pen.Value, width);
        break;
    case PenMode::Or:
        RasterBatch<PenMode::Or>(buffer, clip, segments, pen.Value, width);
        break;
    }
}

}  // namespace

PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    PixelRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

void RasterLines(const PixelBuffer& buffer, const PixelRect& clip,
                 std::span<const LineSegment> segments, const PixelPen& pen)
{
    const PixelRect area = Intersect(clip, buffer.Bounds());
    if (area.Left >= area.Right || area.Top >= area.Bottom)
        return;
    const int middle = area.Top + (area.Bottom - area.Top) / 2;
    if (segments.size() < ParallelBatchSize || middle == area.Top ||
        std::thread::hardware_concurrency() < 2) {
        RasterSerial(buffer, area, segments, pen);
        return;
    }
    // Each band sees every line in order and sets only its own pixels, so the
    // result is the same as drawing serially.
    const PixelRect upper{area.Left, area.Top, area.Right, middle};
    const PixelRect lower{area.Left, middle, area.Right, area.Bottom};
    std::thread worker(RasterSerial, std::cref(buffer), lower, segments, std::cref(pen));
    RasterSerial(buffer, upper, segments, pen);
    worker.join();
}

std::array<LineSegment, 4> RectangleOutline(const PixelRect& r)
{
    return {{{r.Left, r.Top, r.Right, r.Top},
             {r.Right - 1, r.Top, r.Right - 1, r.Bottom},
             {r.Left, r.Bottom - 1, r.Right, r.Bottom - 1},
             {r.Left, r.Top, r.Left, r.Bottom}}};
}

void FillPixels(const PixelBuffer& buffer, const PixelRect& clip, const PixelRect& rect,
                std::uint32_t value)
{
    const PixelRect area = Intersect(Intersect(clip, buffer.Bounds()), rect);
    for (int y = area.Top; y < area.Bottom; ++y)
        std::fill(&buffer.At(area.Left, y), &buffer.At(area.Left, y) + (area.Right - area.Left),
                  value);
}

void CombineBlock(const PixelBuffer& target, const PixelRect& clip, const PixelBuffer& source,
                  int width, int height, int x, int y, BlockOp op)
{
    width = std::min(width, source.Width);
    height = std::min(height, source.Height);
    const std::int64_t right = std::int64_t(x) + width;
    const std::int64_t bottom = std::int64_t(y) + height;
    const PixelRect block{x, y,
                          int(std::min<std::int64_t>(right, std::numeric_limits<int>::max())),
                          int(std::min<std::int64_t>(bottom, std::numeric_limits<int>::max()))};
    const PixelRect area = Intersect(Intersect(clip, target.Bounds()), block);
    for (int ty = area.Top; ty < area.Bottom; ++ty) {
        std::uint32_t* to = &target.At(area.Left, ty);
        const std::uint32_t* from = &source.At(area.Left - x, ty - y);
        const int n = area.Right - area.Left;
        if (op == BlockOp::And)
            for (int i = 0; i < n; ++i)
                to[i] &= from[i];
        else
            for (int i = 0; i < n; ++i)
                to[i] |= from[i];
    }
}

}  // namespace quorvane
