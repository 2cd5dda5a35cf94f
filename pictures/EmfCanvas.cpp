#include "EmfCanvas.h"

#include "CellTextEncoding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace quorvane {

namespace {

enum RecordType : std::uint32_t {
    EmrHeader = 1,
    EmrEof = 14,
    EmrSetBkMode = 18,
    EmrSetRop2 = 20,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrSetBkColor = 25,
    EmrMoveToEx = 27,
    EmrIntersectClipRect = 30,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrRectangle = 43,
    EmrLineTo = 54,
    EmrExtSelectClipRgn = 75,
    EmrStretchDIBits = 81,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutW = 84,
};

constexpr std::uint32_t StockWhiteBrush = 0x80000000;
constexpr std::uint32_t StockNullBrush = 0x80000005;
constexpr std::uint32_t StockBlackPen = 0x80000007;
constexpr std::uint32_t StockNullPen = 0x80000008;
constexpr std::uint32_t StockSystemFont = 0x8000000D;

// Each kind of object lives in one slot of the handle table: a new pen
// replaces the old one instead of piling up handles.
constexpr std::uint32_t PenSlot = 1;
constexpr std::uint32_t BrushSlot = 2;
constexpr std::uint32_t FontSlot = 3;

constexpr std::uint32_t R2MaskPen = 9;
constexpr std::uint32_t R2CopyPen = 13;
constexpr std::uint32_t R2MergePen = 15;
constexpr std::uint32_t SrcAnd = 0x008800C6;
constexpr std::uint32_t SrcPaint = 0x00EE0086;
constexpr std::uint32_t Opaque = 2;
constexpr std::uint32_t EtoOpaque = 0x0002;
constexpr std::uint32_t RgnCopy = 5;
constexpr std::uint32_t GmCompatible = 1;

constexpr std::size_t HeaderSize = 108;
constexpr std::uint32_t EofSize = 20;
constexpr std::size_t TextFixedSize = 76;
constexpr std::size_t BlockFixedSize = 80;
constexpr std::size_t BitmapHeaderSize = 40;
constexpr std::size_t LogFontSize = 92;
// A font record carries the LOGFONTW followed by the zeroed rest of the
// panose form, the size every reader takes as a plain LOGFONTW.
constexpr std::size_t FontRecordSize = 12 + 320;
constexpr int FaceNameUnits = 31;

int Saturate(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int SaneDotsPerInch(int dotsPerInch)
{
    return dotsPerInch > 0 ? dotsPerInch : 96;
}

// Physical size of `pixels` at `dotsPerInch`, in units of which an inch has
// `unitsPerInch` / `divisor`, rounded.
int PhysicalSize(int pixels, int dotsPerInch, std::int64_t unitsPerInch, std::int64_t divisor = 1)
{
    const std::int64_t below = std::int64_t(SaneDotsPerInch(dotsPerInch)) * divisor;
    return Saturate((std::max(0, pixels) * unitsPerInch * 2 + below) / (2 * below));
}

void Store32(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

void StoreInt(std::uint8_t* at, int value)
{
    Store32(at, static_cast<std::uint32_t>(value));
}

void StoreRect(std::uint8_t* at, int left, int top, int right, int bottom)
{
    StoreInt(at, left);
    StoreInt(at + 4, top);
    StoreInt(at + 8, right);
    StoreInt(at + 12, bottom);
}

// A text as UTF-16 code units, each with the byte offset in the original text
// where its character ends. Texts are UTF-8 when they are valid UTF-8, else
// single bytes in Windows-1252, as everywhere in the program.
struct Utf16Text {
    std::vector<std::uint16_t> Units;
    std::vector<std::size_t> Ends;
};

char32_t DecodeUtf8(std::string_view bytes, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = lead & (0x7F >> length);
    for (int k = 1; k < length && i < bytes.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3F);
    return code;
}

void AppendUnits(Utf16Text& text, char32_t code, std::size_t end)
{
    if (code >= 0x10000) {
        code -= 0x10000;
        text.Units.push_back(static_cast<std::uint16_t>(0xD800 + (code >> 10)));
        text.Units.push_back(static_cast<std::uint16_t>(0xDC00 + (code & 0x3FF)));
        text.Ends.insert(text.Ends.end(), 2, end);
    } else {
        text.Units.push_back(static_cast<std::uint16_t>(code));
        text.Ends.push_back(end);
    }
}

Utf16Text ToUtf16(std::string_view bytes)
{
    Utf16Text text;
    if (IsValidUtf8(bytes)) {
        for (std::size_t i = 0; i < bytes.size();) {
            const char32_t code = DecodeUtf8(bytes, i);
            AppendUnits(text, code, i);
        }
    } else {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const std::string one = DisplayTextOf(bytes.substr(i, 1));
            std::size_t k = 0;
            AppendUnits(text, DecodeUtf8(one, k), i + 1);
        }
    }
    return text;
}

// Pixel AND NOT pen is written as pixel AND (the pen's complement): the
// same pixels for every reader that honours the mode, and the eye's true
// colour on a bright background for one that draws the pen as it is.
std::uint32_t Rop2Of(PenMode mode)
{
    switch (mode) {
    case PenMode::AndNot:
        return R2MaskPen;
    case PenMode::Or:
        return R2MergePen;
    case PenMode::Copy:
        break;
    }
    return R2CopyPen;
}

struct Point {
    int X = 0, Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct PenValues {
    Color Colour = 0;
    int Width = 1;
    friend bool operator==(const PenValues&, const PenValues&) = default;
};

struct FontValues {
    std::string Name;
    int Height = 0;
    friend bool operator==(const FontValues&, const FontValues&) = default;
};

// Which kind of object the metafile has selected into a slot of the device
// context: a stock object, the stock null object, or our own in its slot.
enum class Selected { Stock, Null, Own };

}  // namespace

int MetafileDotsPerInch(int screenPixels, double screenWidthMetres, double clipboardFactor)
{
    // Settings from a damaged file fall back to the usual screen instead of
    // dividing by zero.
    const bool screenKnown = screenPixels > 0 && std::isfinite(screenWidthMetres) &&
                             screenWidthMetres > 0;
    const double screenDpi = screenKnown ? screenPixels / screenWidthMetres * 0.0254 : 96.0;
    const double factor =
        std::isfinite(clipboardFactor) && clipboardFactor > 0 ? clipboardFactor : 1.0;
    const double dpi = std::round(screenDpi / factor);
    if (!(dpi >= 1))
        return 1;
    return dpi < 1e6 ? static_cast<int>(dpi) : 1000000;
}

int MetafileFrameSize(int pixels, int dotsPerInch)
{
    return Saturate(std::int64_t(std::max(0, pixels)) * 2540 / SaneDotsPerInch(dotsPerInch));
}

struct EmfCanvas::Writer {
    Writer(const EmfFrame& f, TextMeasure& m, std::size_t maxBytes)
        : frame(f), measure(m),
          limit(std::clamp<std::size_t>(maxBytes, EofSize, EmfCanvas::MaxBytes))
    {
        frame.DotsPerInch = SaneDotsPerInch(frame.DotsPerInch);
        // A reader works out the size of a pixel from the reference device;
        // a device without pixels would give it a division by zero.
        if (frame.ReferenceWidth <= 0 || frame.ReferenceHeight <= 0) {
            frame.ReferenceWidth = EmfFrame{}.ReferenceWidth;
            frame.ReferenceHeight = EmfFrame{}.ReferenceHeight;
        }
        bytes.reserve(64 * 1024);
        WriteHeader();
        Record(EmrSetBkMode, {Opaque});
        Record(EmrSetTextAlign, {0});  // TA_TOP | TA_LEFT: (x, y) is the cell's corner
    }

    // Appends a record of `size` bytes (a multiple of 4, zeroed) and returns
    // its start, valid until the next record. Once the metafile would grow
    // beyond its limit, records go to a scratch buffer instead, and Finish fails.
    std::uint8_t* Append(std::uint32_t type, std::size_t size)
    {
        if (tooLarge || size > Room(type)) {
            tooLarge = true;
            scratch.assign(size, 0);
            return scratch.data();
        }
        const std::size_t start = bytes.size();
        bytes.resize(start + size);
        std::uint8_t* record = bytes.data() + start;
        Store32(record, type);
        Store32(record + 4, static_cast<std::uint32_t>(size));
        ++recordCount;
        return record;
    }

    // Room is always kept for the end record.
    std::size_t Room(std::uint32_t type) const
    {
        return limit - bytes.size() - (type == EmrEof ? 0 : EofSize);
    }

    void Record(std::uint32_t type, std::initializer_list<std::uint32_t> fields)
    {
        std::uint8_t* at = Append(type, 8 + 4 * fields.size()) + 8;
        for (std::uint32_t field : fields) {
            Store32(at, field);
            at += 4;
        }
    }

    void WriteHeader()
    {
        std::uint8_t* h = Append(EmrHeader, HeaderSize);
        StoreRect(h + 8, 0, 0, Saturate(std::int64_t(frame.Width) - 1),
                  Saturate(std::int64_t(frame.Height) - 1));
        StoreRect(h + 24, 0, 0, MetafileFrameSize(frame.Width, frame.DotsPerInch),
                  MetafileFrameSize(frame.Height, frame.DotsPerInch));
        Store32(h + 40, 0x464D4520);  // " EMF"
        Store32(h + 44, 0x00010000);
        // nBytes, nRecords and nHandles are filled in at the end.
        StoreInt(h + 72, frame.ReferenceWidth);
        StoreInt(h + 76, frame.ReferenceHeight);
        // Millimetres round to 0 for a tiny device; micrometres keep the size.
        const int dpi = frame.DotsPerInch;
        StoreInt(h + 80, std::max(1, PhysicalSize(frame.ReferenceWidth, dpi, 254, 10)));
        StoreInt(h + 84, std::max(1, PhysicalSize(frame.ReferenceHeight, dpi, 254, 10)));
        StoreInt(h + 100, PhysicalSize(frame.ReferenceWidth, dpi, 25400));
        StoreInt(h + 104, PhysicalSize(frame.ReferenceHeight, dpi, 25400));
    }

    void Select(std::uint32_t handle) { Record(EmrSelectObject, {handle}); }

    void Created(std::uint32_t slot) { handleCount = std::max(handleCount, slot + 1); }

    void UseOwnPen()
    {
        const PenValues wanted{penMode == PenMode::AndNot ? ~penColor & 0xFFFFFF : penColor,
                               penWidth};
        if (pen != wanted) {
            if (pen) {
                // The selected object must not be deleted.
                if (penSelected == Selected::Own) {
                    Select(StockBlackPen);
                    penSelected = Selected::Stock;
                }
                Record(EmrDeleteObject, {PenSlot});
            }
            Record(EmrCreatePen, {PenSlot, 0 /* PS_SOLID */, std::uint32_t(wanted.Width), 0,
                                  wanted.Colour});
            Created(PenSlot);
            pen = wanted;
        }
        if (penSelected != Selected::Own) {
            Select(PenSlot);
            penSelected = Selected::Own;
        }
    }

    void UseNullPen()
    {
        if (penSelected != Selected::Null) {
            Select(StockNullPen);
            penSelected = Selected::Null;
        }
    }

    void UseOwnBrush()
    {
        if (brush != brushColor) {
            if (brush) {
                if (brushSelected == Selected::Own) {
                    Select(StockWhiteBrush);
                    brushSelected = Selected::Stock;
                }
                Record(EmrDeleteObject, {BrushSlot});
            }
            Record(EmrCreateBrushIndirect, {BrushSlot, 0 /* BS_SOLID */, brushColor, 0});
            Created(BrushSlot);
            brush = brushColor;
        }
        if (brushSelected != Selected::Own) {
            Select(BrushSlot);
            brushSelected = Selected::Own;
        }
    }

    void UseNullBrush()
    {
        if (brushSelected != Selected::Null) {
            Select(StockNullBrush);
            brushSelected = Selected::Null;
        }
    }

    void UseOwnFont()
    {
        if (font != wantedFont) {
            if (font) {
                if (fontSelected) {
                    Select(StockSystemFont);
                    fontSelected = false;
                }
                Record(EmrDeleteObject, {FontSlot});
            }
            WriteFont();
            Created(FontSlot);
            font = wantedFont;
        }
        if (!fontSelected) {
            Select(FontSlot);
            fontSelected = true;
        }
    }

    void WriteFont()
    {
        std::uint8_t* r = Append(EmrExtCreateFontIndirectW, FontRecordSize);
        Store32(r + 8, FontSlot);
        std::uint8_t* lf = r + 12;
        // Negative: character height, positive: cell height, as the canvas
        // takes it.
        StoreInt(lf, wantedFont.Height);
        StoreInt(lf + 16, 400);  // FW_NORMAL
        lf[23] = 1;              // DEFAULT_CHARSET
        const Utf16Text face = ToUtf16(wantedFont.Name);
        std::size_t n = std::min<std::size_t>(face.Units.size(), FaceNameUnits);
        if (n > 0 && n < face.Units.size() && face.Units[n - 1] >= 0xD800 &&
            face.Units[n - 1] < 0xDC00)
            --n;  // no half of a surrogate pair at the cut
        for (std::size_t i = 0; i < n; ++i) {
            lf[28 + 2 * i] = static_cast<std::uint8_t>(face.Units[i]);
            lf[29 + 2 * i] = static_cast<std::uint8_t>(face.Units[i] >> 8);
        }
        static_assert(28 + 2 * (FaceNameUnits + 1) == LogFontSize);
    }

    void UseRop2(std::uint32_t rop2)
    {
        if (rop2_ != rop2) {
            Record(EmrSetRop2, {rop2});
            rop2_ = rop2;
        }
    }

    void UseTextColor(Color color)
    {
        if (textColor != color) {
            Record(EmrSetTextColor, {color});
            textColor = color;
        }
    }

    void UseBkColor(Color color)
    {
        if (bkColor != color) {
            Record(EmrSetBkColor, {color});
            bkColor = color;
        }
    }

    void LinesFromHere(std::span<const LineSegment> segments)
    {
        UseOwnPen();
        UseRop2(Rop2Of(penMode));
        for (const LineSegment& s : segments) {
            const Point start{s.X1, s.Y1};
            if (metafilePosition != start)
                Record(EmrMoveToEx, {std::uint32_t(s.X1), std::uint32_t(s.Y1)});
            Record(EmrLineTo, {std::uint32_t(s.X2), std::uint32_t(s.Y2)});
            metafilePosition = Point{s.X2, s.Y2};
        }
    }

    // A rectangle drawn with the null pen covers one pixel less on the right
    // and at the bottom, so it is given one more to cover exactly `rect`.
    void Fill(const PixelRect& r)
    {
        UseOwnBrush();
        UseNullPen();
        UseRop2(R2CopyPen);  // the raster mode applies to brushes as well
        Record(EmrRectangle, {std::uint32_t(r.Left), std::uint32_t(r.Top),
                              std::uint32_t(Saturate(std::int64_t(r.Right) + 1)),
                              std::uint32_t(Saturate(std::int64_t(r.Bottom) + 1))});
    }

    void Outline(const PixelRect& r)
    {
        UseOwnPen();
        UseRop2(Rop2Of(penMode));
        Record(EmrRectangle, {std::uint32_t(r.Left), std::uint32_t(r.Top),
                              std::uint32_t(r.Right), std::uint32_t(r.Bottom)});
    }

    void Text(int x, int y, std::string_view text)
    {
        const Utf16Text units = ToUtf16(text);
        UseOwnFont();
        UseTextColor(fontColor);
        UseBkColor(brushColor);
        const int right = Saturate(std::int64_t(x) + measure.TextWidth(text));
        const int bottom = Saturate(std::int64_t(y) + measure.CellHeight());
        const std::size_t n = units.Units.size();
        const std::size_t stringSize = (2 * n + 3) & ~std::size_t(3);
        const std::size_t dxOffset = TextFixedSize + stringSize;
        std::uint8_t* r = Append(EmrExtTextOutW, dxOffset + 4 * n);
        StoreRect(r + 8, x, y, Saturate(std::int64_t(right) - 1),
                  Saturate(std::int64_t(bottom) - 1));
        Store32(r + 24, GmCompatible);
        // Page units to hundredths of a millimetre.
        const auto scale = std::bit_cast<std::uint32_t>(2540.0f / float(frame.DotsPerInch));
        Store32(r + 28, scale);
        Store32(r + 32, scale);
        StoreInt(r + 36, x);
        StoreInt(r + 40, y);
        Store32(r + 44, static_cast<std::uint32_t>(n));
        Store32(r + 48, TextFixedSize);
        Store32(r + 52, EtoOpaque);
        StoreRect(r + 56, x, y, right, bottom);
        Store32(r + 72, static_cast<std::uint32_t>(dxOffset));
        for (std::size_t i = 0; i < n; ++i) {
            r[TextFixedSize + 2 * i] = static_cast<std::uint8_t>(units.Units[i]);
            r[TextFixedSize + 2 * i + 1] = static_cast<std::uint8_t>(units.Units[i] >> 8);
        }
        // The advance of each character is what its prefix adds, so that the
        // widths add up to the measured width of the text and a reader with
        // other fonts still fills the same cell.
        int before = 0;
        std::size_t end = 0;
        for (std::size_t i = 0; i < n; ++i) {
            int after = before;
            if (units.Ends[i] != end) {
                end = units.Ends[i];
                after = measure.TextWidth(text.substr(0, end));
            }
            StoreInt(r + dxOffset + 4 * i, after - before);
            before = after;
        }
    }

    void Block(const OffscreenBitmap& source, int width, int height, int x, int y, BlockOp op)
    {
        if (tooLarge)
            return;
        source.ReadBlock(width, height, colors);
        if (colors.size() != std::size_t(width) * std::size_t(height)) {
            // A source smaller than the block gives only the pixels it has,
            // and only those are combined, as on a pixel canvas. Its rows are
            // as long as a one-row block of it, its columns as a one-column one.
            std::vector<Color> probe;
            source.ReadBlock(width, 1, probe);
            const std::size_t w = probe.size();
            source.ReadBlock(1, height, probe);
            const std::size_t h = probe.size();
            if (w == 0 || h == 0 || w > std::size_t(width) || h > std::size_t(height) ||
                w * h != colors.size())
                return;
            width = int(w);
            height = int(h);
        }
        if (colors.empty())
            return;
        // A label's block holds two colours; stored with one bit a pixel and
        // a two-entry colour table it keeps every pixel at a 24th of the size.
        Color first = colors.front(), second = first;
        bool twoColours = true;
        for (Color c : colors) {
            if (c == first || c == second)
                continue;
            if (second != first) {
                twoColours = false;
                break;
            }
            second = c;
        }
        const int bitsPerPixel = twoColours ? 1 : 24;
        const std::size_t tableSize = twoColours ? 8 : 0;
        const std::size_t rowSize =
            ((std::size_t(bitsPerPixel) * std::size_t(width) + 31) / 32) * 4;
        const std::size_t bitsSize = rowSize * std::size_t(height);
        const std::size_t infoSize = BitmapHeaderSize + tableSize;
        const std::size_t bitsOffset = BlockFixedSize + infoSize;
        if (bitsSize > Room(EmrStretchDIBits) || bitsOffset > Room(EmrStretchDIBits) - bitsSize) {
            tooLarge = true;  // not even into the scratch buffer
            return;
        }
        std::uint8_t* r = Append(EmrStretchDIBits, bitsOffset + bitsSize);
        StoreRect(r + 8, x, y, Saturate(std::int64_t(x) + width - 1),
                  Saturate(std::int64_t(y) + height - 1));
        StoreInt(r + 24, x);
        StoreInt(r + 28, y);
        // xSrc, ySrc stay 0.
        StoreInt(r + 40, width);
        StoreInt(r + 44, height);
        Store32(r + 48, BlockFixedSize);
        Store32(r + 52, static_cast<std::uint32_t>(infoSize));
        Store32(r + 56, static_cast<std::uint32_t>(bitsOffset));
        Store32(r + 60, static_cast<std::uint32_t>(bitsSize));
        // UsageSrc DIB_RGB_COLORS is 0.
        Store32(r + 68, op == BlockOp::And ? SrcAnd : SrcPaint);
        StoreInt(r + 72, width);
        StoreInt(r + 76, height);

        std::uint8_t* info = r + BlockFixedSize;
        Store32(info, BitmapHeaderSize);
        StoreInt(info + 4, width);
        StoreInt(info + 8, height);  // positive: rows from the bottom up
        info[12] = 1;                // planes
        info[14] = static_cast<std::uint8_t>(bitsPerPixel);  // BI_RGB is 0
        Store32(info + 20, static_cast<std::uint32_t>(bitsSize));
        const int pixelsPerMetre = int(std::lround(frame.DotsPerInch / 0.0254));
        StoreInt(info + 24, pixelsPerMetre);
        StoreInt(info + 28, pixelsPerMetre);

        std::uint8_t* bits = r + bitsOffset;
        if (twoColours) {
            Store32(info + 32, 2);  // colours used
            for (const Color c : {first, second}) {
                std::uint8_t* entry = info + BitmapHeaderSize + (c == first ? 0 : 4);
                entry[0] = static_cast<std::uint8_t>(BlueOf(c));
                entry[1] = static_cast<std::uint8_t>(GreenOf(c));
                entry[2] = static_cast<std::uint8_t>(RedOf(c));
            }
            for (int row = 0; row < height; ++row) {
                std::uint8_t* at = bits + rowSize * std::size_t(height - 1 - row);
                const Color* from = colors.data() + std::size_t(row) * std::size_t(width);
                for (int column = 0; column < width; ++column)
                    if (from[column] != first)
                        at[column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
            }
            return;
        }
        for (int row = 0; row < height; ++row) {
            std::uint8_t* at = bits + rowSize * std::size_t(height - 1 - row);
            const Color* from = colors.data() + std::size_t(row) * std::size_t(width);
            for (int column = 0; column < width; ++column, at += 3) {
                at[0] = static_cast<std::uint8_t>(BlueOf(from[column]));
                at[1] = static_cast<std::uint8_t>(GreenOf(from[column]));
                at[2] = static_cast<std::uint8_t>(RedOf(from[column]));
            }
        }
    }

    std::vector<std::uint8_t> Finish()
    {
        finished = true;
        if (tooLarge) {
            bytes = {};
            throw std::length_error("The metafile is too large.");
        }
        Record(EmrEof, {0, 16, EofSize});
        Store32(bytes.data() + 48, static_cast<std::uint32_t>(bytes.size()));
        Store32(bytes.data() + 52, recordCount);
        bytes[56] = static_cast<std::uint8_t>(handleCount);
        bytes[57] = static_cast<std::uint8_t>(handleCount >> 8);
        return std::move(bytes);
    }

    EmfFrame frame;
    TextMeasure& measure;
    std::size_t limit;
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;
    std::vector<std::uint8_t> scratch;
    std::uint32_t recordCount = 0;
    std::uint32_t handleCount = 1;  // entry 0 of the handle table is the metafile's own
    bool finished = false;
    std::vector<Color> colors;  // kept to avoid an allocation per block

    // The canvas's settings, put into the metafile when a drawing needs them.
    Color penColor = 0;
    int penWidth = 1;
    PenMode penMode = PenMode::Copy;
    Color brushColor = 0xFFFFFF;
    Color fontColor = 0;
    FontValues wantedFont;
    Point position;

    // What the metafile has; unknown at the start, since a reader may play
    // it into a device context that is not fresh.
    std::optional<PenValues> pen;
    Selected penSelected = Selected::Stock;
    std::optional<Color> brush;
    Selected brushSelected = Selected::Stock;
    std::optional<FontValues> font;
    bool fontSelected = false;
    std::optional<std::uint32_t> rop2_;
    std::optional<Color> textColor, bkColor;
    std::optional<Point> metafilePosition;
    std::optional<PixelRect> clip;
};

EmfCanvas::EmfCanvas(const EmfFrame& frame, TextMeasure& measure, std::size_t maxBytes)
    : writer_(std::make_unique<Writer>(frame, measure, maxBytes))
{
}

EmfCanvas::~EmfCanvas() = default;

std::vector<std::uint8_t> EmfCanvas::Finish()
{
    if (writer_->finished)
        return {};
    return writer_->Finish();
}

void EmfCanvas::SetPenColor(Color color)
{
    writer_->penColor = color & 0xFFFFFF;
}

void EmfCanvas::SetPenWidth(int width)
{
    writer_->penWidth = std::max(1, width);
}

void EmfCanvas::SetPenMode(PenMode mode)
{
    writer_->penMode = mode;
}

void EmfCanvas::SetBrushColor(Color color)
{
    writer_->brushColor = color & 0xFFFFFF;
}

void EmfCanvas::SetFont(const std::string& name, int height)
{
    writer_->wantedFont = {name, height};
    writer_->measure.SetFont(name, height);
}

void EmfCanvas::SetFontColor(Color color)
{
    writer_->fontColor = color & 0xFFFFFF;
}

void EmfCanvas::FillRect(const PixelRect& rect)
{
    if (writer_->finished || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    writer_->Fill(rect);
}

void EmfCanvas::MoveTo(int x, int y)
{
    writer_->position = {x, y};
}

void EmfCanvas::LineTo(int x, int y)
{
    const LineSegment segment{writer_->position.X, writer_->position.Y, x, y};
    DrawLines({&segment, 1});
}

void EmfCanvas::DrawLines(std::span<const LineSegment> segments)
{
    if (segments.empty())
        return;
    writer_->position = {segments.back().X2, segments.back().Y2};
    if (!writer_->finished)
        writer_->LinesFromHere(segments);
}

void EmfCanvas::Rectangle(const PixelRect& rect)
{
    Writer& w = *writer_;
    if (w.finished || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    if (w.penMode == PenMode::Copy) {
        // One record: the outline with the pen, the inside with the brush.
        w.UseOwnBrush();
        w.Outline(rect);
        return;
    }
    // The raster mode would combine the inside too; the brush fills it as it is.
    w.Fill(rect);
    w.UseNullBrush();
    w.Outline(rect);
}

void EmfCanvas::TextOut(int x, int y, std::string_view text)
{
    if (writer_->finished || text.empty())
        return;
    writer_->Text(x, y, text);
}

int EmfCanvas::TextWidth(std::string_view text)
{
    return writer_->measure.TextWidth(text);
}

int EmfCanvas::TextHeight(std::string_view)
{
    return writer_->measure.CellHeight();
}

void EmfCanvas::SetClipRect(const PixelRect& rect)
{
    Writer& w = *writer_;
    if (w.finished || w.clip == rect)
        return;
    w.Record(EmrExtSelectClipRgn, {0, RgnCopy});
    w.Record(EmrIntersectClipRect, {std::uint32_t(rect.Left), std::uint32_t(rect.Top),
                                    std::uint32_t(rect.Right), std::uint32_t(rect.Bottom)});
    w.clip = rect;
}

void EmfCanvas::RemoveClip()
{
    Writer& w = *writer_;
    if (w.finished || !w.clip)
        return;
    w.Record(EmrExtSelectClipRgn, {0, RgnCopy});
    w.clip.reset();
}

void EmfCanvas::CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                          BlockOp op)
{
    if (writer_->finished || width <= 0 || height <= 0)
        return;
    writer_->Block(source, width, height, x, y, op);
}

}  // namespace quorvane
