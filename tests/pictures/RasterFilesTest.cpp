#include "BmpImage.h"
#include "PngImage.h"
#include "PngReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace quorvane::testing {
namespace {

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& b, std::size_t at, int bytes = 4)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | b.at(at + std::size_t(i));
    return value;
}

TEST(BmpFile, OddWidthRowsArePaddedAndStoredBottomUp)
{
    // 5 x 3 pixels inside a buffer 7 pixels wide, with alpha bits set: the
    // stride must be followed and the alpha dropped.
    auto value = [](int x, int y) {
        return 0xAA000000u | std::uint32_t(40 * x + 10) << 16 | std::uint32_t(60 * y + 20) << 8 | std::uint32_t(x * y + 3);
    };
    std::vector<std::uint32_t> bits(7 * 3, 0xFFFFFFFF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bits[y * 7 + x] = value(x, y);
    const std::vector<std::uint8_t> bmp = EncodeBmp({bits.data(), 5, 3, 7}, 3780);

    const std::size_t row = 16;  // 15 bytes of pixels, padded to 16
    ASSERT_EQ(bmp.size(), 54 + 3 * row);
    EXPECT_EQ(std::string(bmp.begin(), bmp.begin() + 2), "BM");
    // Offset and expected value of each header field; the height is
    // positive, so rows go from the bottom up.
    const std::pair<int, std::uint32_t> fields[] = {
        {2, std::uint32_t(bmp.size())}, {6, 0}, {10, 54}, {14, 40}, {18, 5}, {22, 3}, {30, 0},
        {34, 3 * row}, {38, 3780}, {42, 3780}, {46, 0}, {50, 0}};
    for (auto [offset, expected] : fields)
        EXPECT_EQ(LittleEndian(bmp, std::size_t(offset)), expected) << "at " << offset;
    EXPECT_EQ(LittleEndian(bmp, 26, 2), 1u);   // planes
    EXPECT_EQ(LittleEndian(bmp, 28, 2), 24u);  // bits per pixel

    for (int fileRow = 0; fileRow < 3; ++fileRow) {
        for (int x = 0; x < 5; ++x)  // blue, green, red
            EXPECT_EQ(LittleEndian(bmp, 54 + fileRow * row + 3 * std::size_t(x), 3), value(x, 2 - fileRow) & 0xFFFFFF)
                << fileRow << " " << x;
        EXPECT_EQ(bmp[54 + fileRow * row + 15], 0) << "padding of row " << fileRow;
    }
    // The picture's top-left corner is the last row's first pixel.
    EXPECT_EQ(LittleEndian(bmp, 54 + 2 * row, 3), 0x0A1403u);
}

TEST(BmpFile, SizesBeyondWhatTheHeaderCanStateAreRefused)
{
    // 65536 pixels make rows of 196608 bytes; 21845 of them still fit 4 GiB.
    EXPECT_EQ(BmpFileSize(65536, 21845), 54 + 196608ull * 21845);
    EXPECT_LE(BmpFileSize(65536, 21845), MaxBmpFileSize);
    EXPECT_GT(BmpFileSize(65536, 21846), MaxBmpFileSize);
    // The size is checked before any pixel is read, so one pixel will do.
    std::uint32_t pixel = 0;
    EXPECT_THROW(EncodeBmp({&pixel, 65536, 21846, 65536}, 0), std::length_error);
    EXPECT_THROW(EncodeBmp({&pixel, 2147483647, 2147483647, 0}, 0), std::length_error);
    EXPECT_THROW(EncodeBmp({&pixel, -1, 1, 1}, 0), std::invalid_argument);
    EXPECT_THROW(EncodeBmp({nullptr, 2, 2, 2}, 0), std::invalid_argument);

    const std::vector<std::uint8_t> empty = EncodeBmp({nullptr, 0, 5, 0}, -7);
    ASSERT_EQ(empty.size(), 54u);
    EXPECT_EQ(LittleEndian(empty, 2), 54u);
    EXPECT_EQ(LittleEndian(empty, 22), 5u);
    EXPECT_EQ(LittleEndian(empty, 34), 0u);
    EXPECT_EQ(LittleEndian(empty, 38), 0u);  // unknown rather than a negative resolution
}

TEST(PngFile, DecodesToTheColoursItWasGiven)
{
    std::vector<Color> colors;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            colors.push_back(Color(x * 36) | Color(y * 50) << 8 | Color((x + y) * 20) << 16);
    const std::vector<std::uint8_t> png = EncodePng(7, 5, colors);
    const std::vector<std::uint8_t> start{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                                          'R', 0, 0, 0, 7, 0, 0, 0, 5, 8, 2, 0, 0, 0};
    ASSERT_GT(png.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), png.begin()));
    const DecodedPng decoded = DecodePng(png);
    EXPECT_EQ(decoded.Width, 7);
    EXPECT_EQ(decoded.Height, 5);
    EXPECT_EQ(decoded.Colors, colors);
    EXPECT_EQ(decoded.Chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_FALSE(decoded.HasTransparentColor);
}

TEST(PngFile, LabelBlocksShrinkAndNoiseDoesNotGrow)
{
    // A label: one colour with a block of another, rows repeating, runs
    // longer than one deflate match.
    std::vector<Color> label(200 * 12, 0xFFFFFF);
    for (int y = 2; y < 10; ++y)
        std::fill_n(label.begin() + y * 200 + 20, 160, 0xFFFF00u);
    std::vector<std::uint8_t> png = EncodePng(200, 12, label);
    EXPECT_EQ(DecodePng(png).Colors, label);
    EXPECT_LT(png.size(), 12 * (1 + 3 * 200) / 10);

    // All zero bytes, filter bytes included: matches run across rows.
    const std::vector<Color> black(301 * 3, 0);
    EXPECT_EQ(DecodePng(EncodePng(301, 3, black)).Colors, black);

    std::vector<Color> noise(700 * 700);
    std::uint32_t seed = 12345;
    for (Color& c : noise)
        c = (seed = seed * 1664525 + 1013904223) >> 8;
    png = EncodePng(700, 700, noise);
    const DecodedPng decoded = DecodePng(png);
    EXPECT_EQ(decoded.Colors, noise);
    const std::size_t raw = 700 * (1 + 3 * 700);
    EXPECT_LT(png.size(), raw + raw / 1000 + 100);
    EXPECT_GT(std::count(decoded.Chunks.begin(), decoded.Chunks.end(), "IDAT"), 1);
}

TEST(PngFile, AnEmptyPictureIsOneTransparentPixelAndBadInputIsRefused)
{
    for (auto [width, height] : {std::pair{0, 0}, {0, 3}, {4, 0}}) {
        const DecodedPng decoded = DecodePng(EncodePng(width, height, {}));
        EXPECT_EQ(decoded.Width * decoded.Height, 1);
        ASSERT_TRUE(decoded.HasTransparentColor);
        EXPECT_EQ(decoded.Colors, std::vector<Color>{decoded.TransparentColor});
    }
    EXPECT_THROW(EncodePng(-1, 2, {}), std::invalid_argument);
    const std::vector<Color> three(3);
    EXPECT_THROW(EncodePng(2, 2, three), std::invalid_argument);
}

}  // namespace
}  // namespace quorvane::testing
