#include "PngImage.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace quorvane {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = MakeCrcTable();

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = CrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data)
{
    std::uint32_t a = 1, b = 0;
    std::size_t i = 0;
    while (i < data.size()) {
        // 5552 bytes is the most that cannot overflow b before the modulo.
        const std::size_t end = std::min(data.size(), i + 5552);
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& png, const char (&type)[5], const std::uint8_t* data,
                 std::size_t size)
{
    PutBigEndian(png, static_cast<std::uint32_t>(size));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data, data + size);
    PutBigEndian(png, Crc32(png.data() + start, png.size() - start));
}

// Deflate bits go out least significant first; Huffman codes are defined
// most significant bit first, so they are reversed on the way.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(std::uint32_t value, int count)
    {
        buffer_ |= std::uint64_t(value) << filled_;
        filled_ += count;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }

    void PutCode(std::uint32_t code, int length)
    {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i)
            reversed |= ((code >> i) & 1) << (length - 1 - i);
        Put(reversed, length);
    }

    void Flush()
    {
        if (filled_ > 0)
            out_.push_back(static_cast<std::uint8_t>(buffer_));
        buffer_ = 0;
        filled_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

constexpr std::array<int, 29> LengthBase{3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                         15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                         67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> DistanceBase{1,    2,    3,    4,    5,    7,     9,     13,
                                           17,   25,   33,   49,   65,   97,    129,   193,
                                           257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                           4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> DistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int MaxMatch = 258;
constexpr std::size_t Window = 32768;

void PutLiteralOrLength(BitWriter& bits, int symbol)
{
    if (symbol < 144)
        bits.PutCode(0x30 + symbol, 8);
    else if (symbol < 256)
        bits.PutCode(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        bits.PutCode(symbol - 256, 7);
    else
        bits.PutCode(0xC0 + symbol - 280, 8);
}

void PutMatch(BitWriter& bits, int length, int distance)
{
    const int l = int(std::upper_bound(LengthBase.begin(), LengthBase.end(), length) -
                      LengthBase.begin()) - 1;
    PutLiteralOrLength(bits, 257 + l);
    bits.Put(length - LengthBase[l], LengthExtra[l]);
    const int d = int(std::upper_bound(DistanceBase.begin(), DistanceBase.end(), distance) -
                      DistanceBase.begin()) - 1;
    bits.PutCode(d, 5);
    bits.Put(distance - DistanceBase[d], DistanceExtra[d]);
}

std::size_t MatchLength(const std::vector<std::uint8_t>& raw, std::size_t at, std::size_t distance)
{
    if (distance == 0 || distance > at || distance > Window)
        return 0;
    const std::size_t limit = std::min<std::size_t>(MaxMatch, raw.size() - at);
    std::size_t n = 0;
    while (n < limit && raw[at + n] == raw[at + n - distance])
        ++n;
    return n;
}

// One block with the fixed codes. Pictures of the drawing are mostly runs
// of one colour and rows repeating the row above, so looking back one pixel
// and one row finds nearly every match there is, at no cost of a search.
void DeflateFixed(const std::vector<std::uint8_t>& raw, std::size_t rowBytes,
                  std::vector<std::uint8_t>& out)
{
    BitWriter bits(out);
    bits.Put(1, 1);  // final block
    bits.Put(1, 2);  // fixed codes
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t byPixel = MatchLength(raw, i, 3);
        const std::size_t byRow = MatchLength(raw, i, rowBytes);
        const std::size_t length = std::max(byPixel, byRow);
        if (length >= 3) {
            PutMatch(bits, int(length), int(byRow >= byPixel ? rowBytes : 3));
            i += length;
        } else {
            PutLiteralOrLength(bits, raw[i]);
            ++i;
        }
    }
    PutLiteralOrLength(bits, 256);
    bits.Flush();
}

constexpr std::size_t StoredBlockSize = 65535;

std::size_t StoredSize(std::size_t rawSize)
{
    const std::size_t blocks = std::max<std::size_t>(1, (rawSize + StoredBlockSize - 1) / StoredBlockSize);
    return rawSize + 5 * blocks;
}

void DeflateStored(const std::vector<std::uint8_t>& raw, std::vector<std::uint8_t>& out)
{
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(StoredBlockSize, raw.size() - at);
        const bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size >> 8));
        out.push_back(static_cast<std::uint8_t>(~size));
        out.push_back(static_cast<std::uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + size));
        at += size;
    } while (at < raw.size());
}

// Large pictures are split over several IDAT chunks, as decoders expect
// chunks of moderate size.
constexpr std::size_t IdatSize = std::size_t(1) << 20;

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const Color> colors)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("EncodePng: negative picture size");
    // PNG has no empty picture; one transparent pixel shows nothing wherever
    // the picture is placed.
    const bool empty = width == 0 || height == 0;
    const std::size_t w = empty ? 1 : std::size_t(width);
    const std::size_t h = empty ? 1 : std::size_t(height);
    if (!empty && colors.size() != w * h)
        throw std::invalid_argument("EncodePng: colour count does not match the picture size");

    const std::size_t rowBytes = 1 + 3 * w;
    if (h > std::numeric_limits<std::size_t>::max() / rowBytes)
        throw std::length_error("EncodePng: picture too large");
    std::vector<std::uint8_t> raw;
    raw.reserve(rowBytes * h);
    for (std::size_t y = 0; y < h; ++y) {
        raw.push_back(0);  // no filter
        for (std::size_t x = 0; x < w; ++x) {
            const Color c = empty ? 0 : colors[y * w + x];
            raw.push_back(static_cast<std::uint8_t>(RedOf(c)));
            raw.push_back(static_cast<std::uint8_t>(GreenOf(c)));
            raw.push_back(static_cast<std::uint8_t>(BlueOf(c)));
        }
    }

    std::vector<std::uint8_t> zlib{0x78, 0x01};
    zlib.reserve(std::min(raw.size() / 4, StoredSize(raw.size())) + 16);
    DeflateFixed(raw, rowBytes, zlib);
    if (zlib.size() - 2 > StoredSize(raw.size())) {
        // Noise-like pictures grow under the fixed codes; stored is smaller.
        zlib.resize(2);
        zlib.reserve(StoredSize(raw.size()) + 6);
        DeflateStored(raw, zlib);
    }
    PutBigEndian(zlib, Adler32(raw));

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.reserve(zlib.size() + zlib.size() / IdatSize * 12 + 64);
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(w));
    PutBigEndian(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    AppendChunk(png, "IHDR", header.data(), header.size());
    if (empty) {
        const std::uint8_t black[6] = {};  // the one pixel's colour is transparent
        AppendChunk(png, "tRNS", black, sizeof black);
    }
    for (std::size_t at = 0; at < zlib.size(); at += IdatSize)
        AppendChunk(png, "IDAT", zlib.data() + at, std::min(IdatSize, zlib.size() - at));
    AppendChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace quorvane
