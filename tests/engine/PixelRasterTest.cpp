#include "PixelRaster.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <vector>

namespace quorvane {
namespace {

struct Image {
    Image(int w, int h, std::uint32_t fill = 0) : pixels(std::size_t(w) * h, fill), width(w), height(h) {}
    PixelBuffer Buffer() { return {pixels.data(), width, height, width}; }
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    std::set<std::pair<int, int>> Set(std::uint32_t value) const
    {
        std::set<std::pair<int, int>> set;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) == value)
                    set.insert({x, y});
        return set;
    }
    std::vector<std::uint32_t> pixels;
    int width, height;
};

// The line's pixels by the rule itself: for each step i along the major
// axis, the minor offset floor((2*i*minor + major) / (2*major)).
std::set<std::pair<int, int>> ReferencePixels(const LineSegment& s, const PixelRect& clip)
{
    std::set<std::pair<int, int>> set;
    const long long dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const bool xMajor = adx >= ady;
    const long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    for (long long i = 0; i < major; ++i) {
        const long long offset = (2 * i * minor + major) / (2 * major);
        const long long x = xMajor ? s.X1 + (dx < 0 ? -i : i) : s.X1 + (dx < 0 ? -offset : offset);
        const long long y = xMajor ? s.Y1 + (dy < 0 ? -offset : offset) : s.Y1 + (dy < 0 ? -i : i);
        if (x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom)
            set.insert({int(x), int(y)});
    }
    return set;
}

TEST(PixelRaster, LinesLeaveOutTheirEndPixel)
{
    Image image(20, 20);
    const LineSegment lines[] = {{2, 3, 7, 3}, {10, 10, 10, 5}, {0, 19, 4, 15}, {5, 5, 5, 5}};
    RasterLines(image.Buffer(), image.Buffer().Bounds(), lines, {1, 1, PenMode::Copy});
    const std::set<std::pair<int, int>> expected{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3},
                                                 {10, 10}, {10, 9}, {10, 8}, {10, 7}, {10, 6},
                                                 {0, 19}, {1, 18}, {2, 17}, {3, 16}};
    EXPECT_EQ(image.Set(1), expected);
}

TEST(PixelRaster, MatchesTheRuleForLinesInEveryDirection)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(-20, 120);
    Image image(100, 80);
    const PixelRect all = image.Buffer().Bounds();
    for (int n = 0; n < 3000; ++n) {
        const LineSegment s{coordinate(random), coordinate(random), coordinate(random),
                            coordinate(random)};
        std::fill(image.pixels.begin(), image.pixels.end(), 0);
        RasterLines(image.Buffer(), all, {&s, 1}, {1, 1, PenMode::Copy});
        ASSERT_EQ(image.Set(1), ReferencePixels(s, all))
            << s.X1 << "," << s.Y1 << " -> " << s.X2 << "," << s.Y2;
    }
}

TEST(PixelRaster, AClippedLineSetsExactlyTheUnclippedPixelsInside)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(-3000, 3000);
    Image image(200, 150);
    const PixelRect clip{37, 21, 161, 130};
    for (int n = 0; n < 2000; ++n) {
        const LineSegment s{coordinate(random), coordinate(random), coordinate(random),
                            coordinate(random)};
        std::fill(image.pixels.begin(), image.pixels.end(), 0);
        RasterLines(image.Buffer(), clip, {&s, 1}, {1, 1, PenMode::Copy});
        ASSERT_EQ(image.Set(1), ReferencePixels(s, clip))
            << s.X1 << "," << s.Y1 << " -> " << s.X2 << "," << s.Y2;
    }
}

TEST(PixelRaster, EndPointsAtTheLimitsOfTheIntegerRangeAreClippedNotWalked)
{
    Image image(64, 48);
    const LineSegment lines[] = {{INT_MIN, 10, INT_MAX, 10},
                                 {20, INT_MAX, 20, INT_MIN},
                                 {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                 {INT_MAX, INT_MAX, INT_MAX - 5, INT_MAX},
                                 {INT_MIN, 30, -1, 30}};
    RasterLines(image.Buffer(), image.Buffer().Bounds(), lines, {1, 1, PenMode::Copy});
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(image.At(x, 10), 1u);
    for (int y = 0; y < 48; ++y)
        EXPECT_EQ(image.At(20, y), 1u);
    // The long diagonal passes through the image close to (x, x).
    int diagonal = 0;
    for (int i = 0; i < 48; ++i)
        diagonal += image.At(i, i) == 1u ? 1 : 0;
    EXPECT_GE(diagonal, 47);
    EXPECT_EQ(image.At(0, 30), 0u);
}

TEST(PixelRaster, PenModesCombineBitwise)
{
    Image image(4, 1, 0x00F0F0F0);
    const LineSegment copy{0, 0, 1, 0}, andNot{1, 0, 2, 0}, orMode{2, 0, 3, 0};
    RasterLines(image.Buffer(), image.Buffer().Bounds(), {&copy, 1}, {0x123456, 1, PenMode::Copy});
    RasterLines(image.Buffer(), image.Buffer().Bounds(), {&andNot, 1}, {0x0000FF, 1, PenMode::AndNot});
    RasterLines(image.Buffer(), image.Buffer().Bounds(), {&orMode, 1}, {0x0F0000, 1, PenMode::Or});
    EXPECT_EQ(image.At(0, 0), 0x123456u);
    EXPECT_EQ(image.At(1, 0), 0xF0F000u);
    EXPECT_EQ(image.At(2, 0), 0xFFF0F0u);
    EXPECT_EQ(image.At(3, 0), 0xF0F0F0u);
}

TEST(PixelRaster, WiderPensSetASpanAcrossTheLine)
{
    Image image(20, 20);
    const LineSegment horizontal{2, 10, 8, 10}, vertical{15, 2, 15, 6};
    RasterLines(image.Buffer(), image.Buffer().Bounds(), {&horizontal, 1}, {1, 3, PenMode::Copy});
    RasterLines(image.Buffer(), image.Buffer().Bounds(), {&vertical, 1}, {2, 2, PenMode::Copy});
    for (int x = 2; x < 8; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_EQ(image.At(x, y), 1u) << x << "," << y;
    EXPECT_EQ(image.Set(1).size(), 18u);
    for (int y = 2; y < 6; ++y) {
        EXPECT_EQ(image.At(15, y), 2u);
        EXPECT_EQ(image.At(16, y), 2u);
    }
    EXPECT_EQ(image.Set(2).size(), 8u);

    // A wide line just outside the clip still reaches in with its span.
    Image clipped(20, 20);
    const LineSegment outside{0, -1, 10, -1};
    RasterLines(clipped.Buffer(), clipped.Buffer().Bounds(), {&outside, 1}, {1, 4, PenMode::Copy});
    EXPECT_EQ(clipped.Set(1).size(), 20u);  // rows 0 and 1 of the span
}

TEST(PixelRaster, ABigBatchDrawnInBandsEqualsLineByLine)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<int> coordinate(-50, 350);
    std::vector<LineSegment> lines(6000);
    for (LineSegment& s : lines)
        s = {coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
    for (PenMode mode : {PenMode::Copy, PenMode::AndNot, PenMode::Or}) {
        for (int width : {1, 3}) {
            Image batch(300, 301, 0x00A5C3E1), single(300, 301, 0x00A5C3E1);
            const PixelPen pen{0x00FF3311u + std::uint32_t(width), width, mode};
            RasterLines(batch.Buffer(), batch.Buffer().Bounds(), lines, pen);
            for (const LineSegment& s : lines)
                RasterLines(single.Buffer(), single.Buffer().Bounds(), {&s, 1}, pen);
            ASSERT_EQ(batch.pixels, single.pixels);
        }
    }
}

TEST(PixelRaster, FillsAndBlockCopiesStayInsideTheClip)
{
    Image image(10, 10, 0x00FF00FF);
    FillPixels(image.Buffer(), {2, 2, 8, 8}, {-5, -5, 5, 20}, 0x0000FF00);
    EXPECT_EQ(image.Set(0x0000FF00).size(), 18u);  // x 2..4, y 2..7
    EXPECT_EQ(image.At(2, 2), 0x0000FF00u);
    EXPECT_EQ(image.At(5, 2), 0x00FF00FFu);

    Image source(3, 2, 0x000F0F0F);
    source.pixels[0] = 0x00F00000;
    Image target(6, 6, 0x00FFFFFF);
    CombineBlock(target.Buffer(), target.Buffer().Bounds(), source.Buffer(), 10, 10, 4, 5,
                 BlockOp::And);
    EXPECT_EQ(target.At(4, 5), 0x00F00000u);
    EXPECT_EQ(target.At(5, 5), 0x000F0F0Fu);
    EXPECT_EQ(target.Set(0x00FFFFFF).size(), 34u);  // only 2 x 1 pixels fit
    CombineBlock(target.Buffer(), {0, 0, 5, 6}, source.Buffer(), 3, 2, 4, 5, BlockOp::Or);
    EXPECT_EQ(target.At(4, 5), 0x00F00000u | 0x00F00000u);
    EXPECT_EQ(target.At(5, 5), 0x000F0F0Fu);  // outside the clip
    CombineBlock(target.Buffer(), target.Buffer().Bounds(), source.Buffer(), 3, 2, -2, -1,
                 BlockOp::Or);
    EXPECT_EQ(target.At(0, 0), 0x00FFFFFFu);
}

}  // namespace
}  // namespace quorvane
