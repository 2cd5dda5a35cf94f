#pragma once

#include "Color.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane::testing {

struct DecodedPng {
    int Width = 0, Height = 0;
    std::vector<Color> Colors;        // row by row from the top, red in the lowest byte
    std::vector<std::string> Chunks;  // chunk types in file order
    bool HasTransparentColor = false;
    Color TransparentColor = 0;
};

// A minimal PNG reader, written apart from the encoder to check it: 8-bit
// RGB without interlace or row filters, deflate with stored and fixed-code
// blocks. CRCs, the zlib header and the Adler-32 sum are checked; any fault
// throws std::runtime_error.
inline DecodedPng DecodePng(std::span<const std::uint8_t> file)
{
    auto fail = [](const char* what) { throw std::runtime_error(what); };
    auto be32 = [&](std::size_t at) {
        if (at + 4 > file.size())
            fail("truncated");
        return std::uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
    };
    static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature, signature + 8, file.begin()))
        fail("no PNG signature");
    DecodedPng png;
    std::vector<std::uint8_t> z;
    for (std::size_t at = 8; png.Chunks.empty() || png.Chunks.back() != "IEND";) {
        const std::size_t length = be32(at);
        const auto chunk = file.subspan(at + 4, std::min(file.size() - at - 4, length + 4));
        std::uint32_t crc = 0xFFFFFFFF;  // bit by bit, unlike the encoder's table
        for (std::uint8_t byte : chunk) {
            crc ^= byte;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
        }
        if (chunk.size() != length + 4 || ~crc != be32(at + 8 + length))
            fail("bad chunk CRC");
        png.Chunks.emplace_back(chunk.begin(), chunk.begin() + 4);
        const auto data = chunk.subspan(4);
        if (png.Chunks.back() == "IHDR") {
            png.Width = int(be32(at + 8));
            png.Height = int(be32(at + 12));
            if (length != 13 || png.Chunks.size() != 1 || png.Width <= 0 || png.Height <= 0 ||
                data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                fail("unsupported IHDR");
        }
        if (png.Chunks.back() == "IDAT")
            z.insert(z.end(), data.begin(), data.end());
        if (png.Chunks.back() == "tRNS" && length == 6) {
            png.HasTransparentColor = true;
            png.TransparentColor = Color(data[1]) | Color(data[3]) << 8 | Color(data[5]) << 16;
        }
        at += 12 + length;
        if (png.Chunks.back() == "IEND" && at != file.size())
            fail("bytes after IEND");
    }
    if (z.size() < 6 || z[0] != 0x78 || (z[0] * 256 + z[1]) % 31 != 0)
        fail("bad zlib header");

    std::vector<std::uint8_t> raw;
    std::size_t bit = 16;
    auto bits = [&](int n, bool huffman = false) {  // Huffman codes come most significant bit first
        unsigned v = 0;
        for (int i = 0; i < n; ++i, ++bit) {
            if (bit / 8 >= z.size() - 4)
                fail("deflate stream truncated");
            const unsigned b = (z[bit / 8] >> (bit % 8)) & 1;
            v = huffman ? v << 1 | b : v | b << i;
        }
        return v;
    };
    for (bool last = false; !last;) {
        last = bits(1);
        const unsigned type = bits(2);
        if (type == 0) {
            bit = (bit + 7) / 8 * 8;
            const unsigned n = bits(16);
            if ((bits(16) ^ 0xFFFF) != n || bit / 8 + n > z.size() - 4)
                fail("bad stored block");
            raw.insert(raw.end(), z.begin() + std::ptrdiff_t(bit / 8), z.begin() + std::ptrdiff_t(bit / 8 + n));
            bit += 8 * n;
            continue;
        }
        if (type != 1)
            fail("unexpected block type");
        for (;;) {
            unsigned s = bits(7, true);  // 7-bit codes 0-23: 256-279
            if (s <= 23)
                s += 256;
            else if ((s = s << 1 | bits(1)) >= 48 && s <= 191)
                s -= 48;
            else if (s >= 192 && s <= 199)
                s += 280 - 192;
            else if ((s = s << 1 | bits(1)) >= 400)
                s += 144 - 400;
            else
                fail("bad code");
            if (s < 256) {
                raw.push_back(std::uint8_t(s));
                continue;
            }
            if (s == 256)
                break;
            // Each code's base is the one below it plus what that one's extra bits reach.
            const unsigned l = s - 257, le = l < 8 || l == 28 ? 0 : (l - 4) / 4;
            unsigned length = l == 28 ? 258 : 3;
            for (unsigned c = 0; c < l && l != 28; ++c)
                length += 1u << (c < 8 ? 0 : (c - 4) / 4);
            length += bits(int(le));
            const unsigned d = bits(5, true), de = d < 4 ? 0 : d / 2 - 1;
            unsigned distance = 1;
            for (unsigned c = 0; c < d; ++c)
                distance += 1u << (c < 4 ? 0 : c / 2 - 1);
            distance += bits(int(de));
            if (d > 29 || distance > raw.size())
                fail("bad distance");
            for (unsigned i = 0; i < length; ++i)
                raw.push_back(raw[raw.size() - distance]);
        }
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw)
        a = (a + byte) % 65521, b = (b + a) % 65521;
    const std::size_t end = z.size() - 4;
    if ((std::uint32_t(z[end]) << 24 | z[end + 1] << 16 | z[end + 2] << 8 | z[end + 3]) != (b << 16 | a))
        fail("Adler-32 mismatch");

    const std::size_t row = 1 + 3 * std::size_t(png.Width);
    if (raw.size() != row * std::size_t(png.Height))
        fail("image data of the wrong size");
    for (std::size_t at = 0; at < raw.size(); at += 3) {
        if (at % row == 0 && raw[at++] != 0)
            fail("unexpected row filter");
        png.Colors.push_back(Color(raw[at]) | Color(raw[at + 1]) << 8 | Color(raw[at + 2]) << 16);
    }
    return png;
}

}  // namespace quorvane::testing
