#pragma once

#include "Canvas.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane::testing {

// Record types, written out here once more so that a wrong number in the
// writer shows.
namespace emr {
inline constexpr std::uint32_t Header = 1, Eof = 14, SetBkMode = 18, SetRop2 = 20,
                               SetTextAlign = 22, SetTextColor = 24, SetBkColor = 25,
                               MoveToEx = 27, IntersectClipRect = 30, SelectObject = 37,
                               CreatePen = 38, CreateBrushIndirect = 39, DeleteObject = 40,
                               Rectangle = 43, LineTo = 54, ExtSelectClipRgn = 75,
                               StretchDIBits = 81, ExtCreateFontIndirectW = 82,
                               ExtTextOutW = 84;
}

inline constexpr std::uint32_t R2MaskPen = 9, R2CopyPen = 13, R2MergePen = 15;
inline constexpr std::uint32_t SrcAnd = 0x008800C6, SrcPaint = 0x00EE0086;
inline constexpr std::uint32_t EtoOpaque = 2;

struct EmfRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const EmfRect&, const EmfRect&) = default;
};

// One record, from its type field on. The accessors throw std::out_of_range
// beyond the record's end.
struct EmfRecord {
    std::uint32_t Type = 0;
    std::span<const std::uint8_t> Bytes;

    std::uint32_t U32(std::size_t offset) const;
    int I32(std::size_t offset) const { return static_cast<int>(U32(offset)); }
    std::uint16_t U16(std::size_t offset) const;
    EmfRect Rect(std::size_t offset) const;
};

struct EmfHeader {
    std::uint32_t Size = 0;
    EmfRect Bounds, Frame;
    std::uint32_t Signature = 0, Version = 0, Bytes = 0, Records = 0;
    int Handles = 0;
    int DeviceWidth = 0, DeviceHeight = 0;
    int MillimetresWidth = 0, MillimetresHeight = 0;
    std::uint32_t PixelFormatSize = 0, PixelFormatOffset = 0, OpenGL = 0;
    int MicrometresWidth = 0, MicrometresHeight = 0;
};

struct EmfPen {
    std::uint32_t Slot = 0, Style = 0;
    int Width = 0;
    Color Colour = 0;
};

struct EmfFont {
    std::uint32_t Slot = 0;
    int Height = 0, Weight = 0, Charset = 0;
    std::u16string Face;
};

struct EmfText {
    EmfRect Bounds;
    int X = 0, Y = 0;  // reference point
    std::uint32_t Options = 0;
    EmfRect Cell;
    std::u16string Text;
    std::vector<int> Dx;
    std::string Ascii() const;  // '?' for anything else
};

// A STRETCHDIBITS block with its decoded pixels, rows from the top.
struct EmfBlock {
    std::uint32_t Rop = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;  // destination
    int SourceWidth = 0, SourceHeight = 0;
    std::uint32_t BitsSize = 0;
    int BitsPerPixel = 0;
    std::vector<Color> Pixels;
    Color Pixel(int x, int y) const { return Pixels.at(std::size_t(y) * SourceWidth + x); }
};

// What the metafile draws, played through a model of the device context.
struct EmfDrawnLine {
    LineSegment Segment;
    std::optional<Color> Pen;  // none: the null pen
    int Width = 0;
    std::uint32_t Rop2 = 0;
    std::optional<EmfRect> Clip;
};

struct EmfDrawnRectangle {
    EmfRect Box;
    std::optional<Color> Pen, Brush;  // none: the null pen or brush
    std::uint32_t Rop2 = 0;
};

struct EmfDrawnText {
    EmfText Text;
    std::optional<Color> TextColour, BkColour;
    std::optional<int> FontHeight;
    std::optional<EmfRect> Clip;
};

struct EmfReplay {
    std::vector<EmfDrawnLine> Lines;
    std::vector<EmfDrawnRectangle> Rectangles;
    std::vector<EmfDrawnText> Texts;
    // Misused handles, and state records that change nothing.
    std::vector<std::string> Problems;
};

// A strict reader of an enhanced metafile: the header's signature and counts,
// record sizes that are multiples of 4 and add up to the whole, the end record
// last. Error() says what is wrong; the records are there only when it is empty.
class EmfReader {
public:
    explicit EmfReader(std::vector<std::uint8_t> bytes);
    EmfReader(const EmfReader&) = delete;
    EmfReader& operator=(const EmfReader&) = delete;

    const std::string& Error() const { return error_; }
    const EmfHeader& Header() const { return header_; }
    const std::vector<EmfRecord>& Records() const { return records_; }
    std::vector<EmfRecord> OfType(std::uint32_t type) const;
    int Count(std::uint32_t type) const;
    std::vector<std::uint32_t> Types() const;
    EmfReplay Replay() const;

    static EmfPen PenOf(const EmfRecord& record);
    static EmfFont FontOf(const EmfRecord& record);
    static EmfText TextOf(const EmfRecord& record);
    static EmfBlock BlockOf(const EmfRecord& record);

private:
    void Parse();

    std::vector<std::uint8_t> bytes_;
    std::string error_;
    EmfHeader header_;
    std::vector<EmfRecord> records_;
};

}  // namespace quorvane::testing
