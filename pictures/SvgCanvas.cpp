#include "SvgCanvas.h"

#include "PixelRaster.h"
#include "PngImage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quorvane {

namespace {

using Int = std::int64_t;

void AppendInt(std::string& out, Int value)
{
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

// A raster line covers the centres of its pixels: pixel + 0.5, exactly.
void AppendCentre(std::string& out, Int pixel)
{
    // From the magnitude, so that pixel -1 comes out as -0.5, not 0.5.
    if (pixel < 0) {
        out += '-';
        AppendInt(out, -pixel - 1);
    } else {
        AppendInt(out, pixel);
    }
    out += ".5";
}

void AppendDecimal(std::string& out, double value, int decimals)
{
    char text[64];
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    if (std::find(text, end, '.') != end) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (std::string_view(text, std::size_t(end - text)) == "-0")
        out += '0';
    else
        out.append(text, end);
}

void AppendColor(std::string& out, Color color)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '#';
    for (int channel : {RedOf(color), GreenOf(color), BlueOf(color)}) {
        out += Hex[channel >> 4];
        out += Hex[channel & 15];
    }
}

// Bytes are taken as Latin-1. Characters XML 1.0 forbids, and the other
// control characters, become U+FFFD; tab, line feed and carriage return are
// written as references so that no parser normalises them away. In a CSS
// string the quote and the backslash are escaped as well.
void AppendEscaped(std::string& out, std::string_view text, bool cssString = false)
{
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += cssString ? "\\&apos;" : "&apos;"; continue;
        case '\\': out += cssString ? "\\\\" : "\\"; continue;
        case '\t': out += cssString ? "\xEF\xBF\xBD" : "&#9;"; continue;
        case '\n': out += cssString ? "\xEF\xBF\xBD" : "&#10;"; continue;
        case '\r': out += cssString ? "\xEF\xBF\xBD" : "&#13;"; continue;
        default: break;
        }
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            out += "\xEF\xBF\xBD";
        } else if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

void AppendBase64(std::string& out, const std::vector<std::uint8_t>& bytes)
{
    static constexpr char Alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        out += Alphabet[v >> 18];
        out += Alphabet[(v >> 12) & 63];
        out += Alphabet[(v >> 6) & 63];
        out += Alphabet[v & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 2 == bytes.size();
        const std::uint32_t v = (bytes[i] << 16) | (two ? bytes[i + 1] << 8 : 0);
        out += Alphabet[v >> 18];
        out += Alphabet[(v >> 12) & 63];
        out += two ? Alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
}

struct PenKey {
    Color Colour = 0;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
    friend bool operator==(const PenKey&, const PenKey&) = default;
};

struct Box {
    Int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const Box& b) const
    {
        return b.Left >= Left && b.Top >= Top && b.Right <= Right && b.Bottom <= Bottom;
    }
};

Box Clamp(const Box& b, const Box& limit)
{
    return {std::clamp(b.Left, limit.Left, limit.Right), std::clamp(b.Top, limit.Top, limit.Bottom),
            std::clamp(b.Right, limit.Left, limit.Right), std::clamp(b.Bottom, limit.Top, limit.Bottom)};
}

// AND NOT pen equals multiplying with the pen's complement, and OR equals
// lighten, for the anaglyph's colours, whose channels are 0 or 255.
Color PaintColour(const PenKey& key)
{
    return key.Mode == PenMode::AndNot ? ~key.Colour & 0xFFFFFF : key.Colour;
}

const char* BlendOf(PenMode mode)
{
    return mode == PenMode::AndNot ? "multiply" : mode == PenMode::Or ? "lighten" : nullptr;
}

Box BoxOf(const PixelRect& r)
{
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// Far beyond this a stroke cannot reach into the picture.
constexpr int MaxPenWidth = 1 << 16;
// A long wire frame is split into paths of this many lines, which editors
// handle better than one huge path.
constexpr std::size_t MaxLinesPerPath = 10000;

}  // namespace

struct SvgCanvas::Writer {
    Writer(const SvgFrame& f, TextMeasure& m) : frame(f), measure(m)
    {
        frame.Width = std::max(0, frame.Width);
        frame.Height = std::max(0, frame.Height);
        out.reserve(1 << 16);
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" "
               "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
        AppendSize(" width=\"", frame.WidthMillimetres, frame.Width);
        AppendSize(" height=\"", frame.HeightMillimetres, frame.Height);
        out += " viewBox=\"0 0 ";
        AppendInt(out, frame.Width);
        out += ' ';
        AppendInt(out, frame.Height);
        out += "\">\n";
    }

    // The physical size, so that a pasted picture has its true size; a
    // size that is not a positive number leaves the picture in pixels. It
    // is rounded down to the micrometre: renderers that turn it into whole
    // pixels round up, and a size a hair too large would give them a
    // transparent last column or row.
    void AppendSize(const char* attribute, double millimetres, int pixels)
    {
        out += attribute;
        if (std::isfinite(millimetres) && millimetres > 0 && millimetres < 1e12) {
            // The small addition keeps a value given in micrometres, such
            // as 105.833, from falling to the one below.
            AppendDecimal(out, std::floor(millimetres * 1000 + 1e-6) / 1000, 3);
            out += "mm\"";
        } else {
            AppendInt(out, pixels);
            out += '"';
        }
    }

    // Renderers compute in single precision or in fixed point (librsvg's
    // range ends near 2^23), so coordinates near the 32-bit limits, which
    // the projection produces for far-off points, draw nothing or the wrong
    // thing. Everything is cut to this box, which reaches beyond the picture
    // by more than a pen's width: what is cut off could not be seen anyway.
    Box Limit() const
    {
        const Int margin = Int(std::max({frame.Width, frame.Height, 16})) + EffectivePenWidth() + 2;
        return {-margin, -margin, frame.Width + margin, frame.Height + margin};
    }

    int EffectivePenWidth() const { return std::clamp(pen.Width, 1, MaxPenWidth); }

    // --- open elements -------------------------------------------------------------------

    void ClosePath()
    {
        if (!pathOpen)
            return;
        out += "\"/>\n";
        pathOpen = false;
    }

    void CloseTextGroup()
    {
        ClosePath();
        if (!textGroupOpen)
            return;
        out += "</g>\n";
        textGroupOpen = false;
    }

    void CloseClip()
    {
        CloseTextGroup();
        if (!clipOpen)
            return;
        out += "</g>\n";
        clipOpen = false;
        lastFillValid = false;
    }

    // Before any element other than a line.
    void BeginElement()
    {
        ClosePath();
        lastFillValid = false;
    }

    // Stroke colour, width, caps and blend mode of the current pen.
    void AppendStroke(const PenKey& key)
    {
        out += " stroke=\"";
        AppendColor(out, PaintColour(key));
        out += "\" stroke-width=\"";
        AppendInt(out, key.Width);
        // A one-pixel line with square caps ends on pixel edges, crisp like
        // the raster line, and closes the corners where wire-frame lines
        // meet; the pixel more at its end is the one the next line of the
        // frame sets anyway. Wider lines get round caps, which join lines at
        // any angle without gaps or spikes.
        out += key.Width == 1 ? "\" stroke-linecap=\"square\"" : "\" stroke-linecap=\"round\"";
        out += " stroke-linejoin=\"round\"";
        AppendBlend(BlendOf(key.Mode));
    }

    void AppendBlend(const char* mode)
    {
        if (mode == nullptr)
            return;
        out += " style=\"mix-blend-mode:";
        out += mode;
        out += '"';
    }

    // --- elements ------------------------------------------------------------------------

    void FillBox(const Box& wanted, Color colour)
    {
        const Box b = Clamp(wanted, Limit());
        if (b.Empty())
            return;
        // The cell of a label lies in the box just filled for it: painting
        // it again would change nothing but the file's size.
        if (lastFillValid && lastFillColour == colour && lastFill.Contains(b))
            return;
        BeginElement();
        AppendRect(b);
        out += " fill=\"";
        AppendColor(out, colour);
        out += "\"/>\n";
        lastFillValid = true;
        lastFill = b;
        lastFillColour = colour;
    }

    void AppendRect(const Box& b)
    {
        out += "<rect x=\"";
        AppendInt(out, b.Left);
        out += "\" y=\"";
        AppendInt(out, b.Top);
        out += "\" width=\"";
        AppendInt(out, b.Right - b.Left);
        out += "\" height=\"";
        AppendInt(out, b.Bottom - b.Top);
        out += '"';
    }

    void StartPath(const PenKey& key)
    {
        if (pathOpen && pathPen == key && pathLines < MaxLinesPerPath)
            return;
        BeginElement();
        out += "<path fill=\"none\"";
        AppendStroke(key);
        out += " d=\"";
        pathOpen = true;
        pathPen = key;
        pathLines = 0;
        pathHasEnd = false;
    }

    void AppendPoint(char command, double x, double y)
    {
        out += command;
        AppendDecimal(out, x, 3);
        out += ' ';
        AppendDecimal(out, y, 3);
    }

    void Line(const LineSegment& s)
    {
        // The raster sets no pixel for a line that ends where it starts.
        if (s.X1 == s.X2 && s.Y1 == s.Y2)
            return;
        const PenKey key{pen.Colour, EffectivePenWidth(), pen.Mode};
        const Box limit = Limit();
        auto inside = [&](Int x, Int y) {
            return x >= limit.Left && x <= limit.Right && y >= limit.Top && y <= limit.Bottom;
        };
        if (inside(s.X1, s.Y1) && inside(s.X2, s.Y2)) {
            StartPath(key);
            // A line that starts where the previous one ended continues its
            // subpath: fewer bytes, and a proper join at the corner.
            if (!pathHasEnd || s.X1 != pathEndX || s.Y1 != pathEndY) {
                out += 'M';
                AppendCentre(out, s.X1);
                out += ' ';
                AppendCentre(out, s.Y1);
            }
            out += 'L';
            AppendCentre(out, s.X2);
            out += ' ';
            AppendCentre(out, s.Y2);
            pathHasEnd = true;
            pathEndX = s.X2;
            pathEndY = s.Y2;
            ++pathLines;
            return;
        }
        // Cut to the limit box (Liang-Barsky); doubles hold these integers exactly.
        const double x1 = s.X1 + 0.5, y1 = s.Y1 + 0.5;
        const double dx = double(s.X2) - s.X1, dy = double(s.Y2) - s.Y1;
        double t0 = 0, t1 = 1;
        auto cut = [&](double p, double q) {
            if (p == 0)
                return q >= 0;
            const double r = q / p;
            if (p < 0) {
                if (r > t1)
                    return false;
                t0 = std::max(t0, r);
            } else {
                if (r < t0)
                    return false;
                t1 = std::min(t1, r);
            }
            return true;
        };
        if (!cut(-dx, x1 - double(limit.Left)) || !cut(dx, double(limit.Right) - x1) ||
            !cut(-dy, y1 - double(limit.Top)) || !cut(dy, double(limit.Bottom) - y1) || t0 >= t1)
            return;
        StartPath(key);
        AppendPoint('M', x1 + t0 * dx, y1 + t0 * dy);
        AppendPoint('L', x1 + t1 * dx, y1 + t1 * dy);
        pathHasEnd = false;
        ++pathLines;
    }

    void Rectangle(const PixelRect& r)
    {
        const Box b = BoxOf(r);
        if (b.Empty())
            return;
        FillBox(b, brush);
        // The raster draws the outline as lines along the first and last
        // rows and columns, its pen centred on them as on every line.
        const PenKey key{pen.Colour, EffectivePenWidth(), pen.Mode};
        const Box limit = Limit();
        if (!limit.Contains(b)) {
            // Reaching far out: the four sides as lines, cut like every line.
            for (const LineSegment& s : RectangleOutline(r))
                Line(s);
            return;
        }
        BeginElement();
        if (b.Right - b.Left <= 2 || b.Bottom - b.Top <= 2) {
            // Nothing is left inside the outline: the pen covers the
            // rectangle and its own reach around it.
            const int low = (key.Width - 1) / 2, high = key.Width / 2;
            AppendRect({b.Left - low, b.Top - low, b.Right + high, b.Bottom + high});
            out += " fill=\"";
            AppendColor(out, PaintColour(key));
            out += '"';
            AppendBlend(BlendOf(key.Mode));
            out += "/>\n";
            return;
        }
        out += "<rect x=\"";
        AppendCentre(out, b.Left);
        out += "\" y=\"";
        AppendCentre(out, b.Top);
        out += "\" width=\"";
        AppendInt(out, b.Right - b.Left - 1);
        out += "\" height=\"";
        AppendInt(out, b.Bottom - b.Top - 1);
        out += "\" fill=\"none\"";
        AppendStroke(key);
        out += "/>\n";
    }

    // Labels come in long runs of one font: its attributes go on a group
    // around them instead of on every text.
    void StartTextGroup(int emSize)
    {
        if (textGroupOpen && textGroupFont == fontName && textGroupSize == emSize &&
            textGroupColour == fontColour)
            return;
        CloseTextGroup();
        out += "<g font-family=\"";
        if (!fontName.empty()) {
            out += '\'';
            AppendEscaped(out, fontName, true);
            out += "',";
        }
        out += "sans-serif\" font-size=\"";
        AppendInt(out, emSize);
        out += "\" fill=\"";
        AppendColor(out, fontColour);
        // Labels have a blank on each side, which must keep its width.
        out += "\" xml:space=\"preserve\">\n";
        textGroupOpen = true;
        textGroupFont = fontName;
        textGroupSize = emSize;
        textGroupColour = fontColour;
    }

    void Text(int x, int y, std::string_view text)
    {
        const int width = measure.TextWidth(text);
        const int cell = measure.CellHeight();
        const int ascent = measure.Ascent();
        const int em = std::max(1, measure.EmSize());
        ClosePath();
        StartTextGroup(em);
        FillBox({x, y, Int(x) + width, Int(y) + cell}, brush);
        const Box reach{x, y, Int(x) + std::max(width, 1), Int(y) + std::max(cell, 1)};
        if (text.empty() || Clamp(reach, Limit()).Empty())
            return;
        BeginElement();
        out += "<text x=\"";
        AppendInt(out, x);
        out += "\" y=\"";
        AppendInt(out, Int(y) + ascent);
        out += "\">";
        AppendEscaped(out, text);
        out += "</text>\n";
    }

    void Clip(const PixelRect& r)
    {
        CloseClip();
        lastFillValid = false;
        const Box b = Clamp(BoxOf(r), Limit());
        ++clipCount;
        out += "<clipPath id=\"c";
        AppendInt(out, clipCount);
        out += "\">";
        AppendRect({b.Left, b.Top, std::max(b.Left, b.Right), std::max(b.Top, b.Bottom)});
        out += "/></clipPath>\n<g clip-path=\"url(#c";
        AppendInt(out, clipCount);
        out += ")\">\n";
        clipOpen = true;
    }

    void Block(const OffscreenBitmap& source, int width, int height, int x, int y, BlockOp op)
    {
        if (width <= 0 || height <= 0)
            return;
        source.ReadBlock(width, height, block);
        if (block.size() != std::size_t(width) * std::size_t(height)) {
            // The bitmap is smaller than the block: the raster combines only
            // the part the bitmap has, and so does the picture. Its rows are
            // as long as a one-row block.
            std::vector<Color> row;
            source.ReadBlock(width, 1, row);
            const std::size_t w = row.size();
            if (w == 0 || w > std::size_t(width) || block.size() % w != 0 ||
                block.size() / w > std::size_t(height))
                return;
            width = int(w);
            height = int(block.size() / w);
        }
        const Box b{x, y, Int(x) + width, Int(y) + height};
        if (Clamp(b, Limit()).Empty())
            return;
        const std::vector<std::uint8_t> png = EncodePng(width, height, block);
        BeginElement();
        out += "<image x=\"";
        AppendInt(out, x);
        out += "\" y=\"";
        AppendInt(out, y);
        out += "\" width=\"";
        AppendInt(out, width);
        out += "\" height=\"";
        AppendInt(out, height);
        // AND and OR of pure colours are multiply and lighten. Pixels stay
        // squares when the picture is enlarged: optimizeSpeed for SVG 1.1
        // readers, pixelated where CSS knows it.
        out += "\" preserveAspectRatio=\"none\" image-rendering=\"optimizeSpeed\" style=\"mix-blend-mode:";
        out += op == BlockOp::And ? "multiply" : "lighten";
        out += ";image-rendering:pixelated\"";
        // href for SVG 2, xlink:href for the readers that know only that.
        href.assign("data:image/png;base64,");
        AppendBase64(href, png);
        out += " href=\"";
        out += href;
        out += "\" xlink:href=\"";
        out += href;
        out += "\"/>\n";
    }

    std::string Finish()
    {
        if (!finished) {
            CloseClip();
            out += "</svg>\n";
            finished = true;
        }
        return out;
    }

    SvgFrame frame;
    TextMeasure& measure;
    std::string out;
    bool finished = false;

    PenKey pen;
    Color brush = 0xFFFFFF;
    Color fontColour = 0;
    std::string fontName;
    int penX = 0, penY = 0;

    bool pathOpen = false;
    PenKey pathPen;
    std::size_t pathLines = 0;
    bool pathHasEnd = false;
    int pathEndX = 0, pathEndY = 0;

    bool textGroupOpen = false;
    std::string textGroupFont;
    int textGroupSize = 0;
    Color textGroupColour = 0;

    bool clipOpen = false;
    int clipCount = 0;

    // The last element written was this filled rectangle.
    bool lastFillValid = false;
    Box lastFill;
    Color lastFillColour = 0;

    // Kept to avoid allocations per label.
    std::vector<Color> block;
    std::string href;
};

SvgCanvas::SvgCanvas(const SvgFrame& frame, TextMeasure& measure)
    : writer_(std::make_unique<Writer>(frame, measure))
{
}

SvgCanvas::~SvgCanvas() = default;

std::string SvgCanvas::Finish()
{
    return writer_->Finish();
}

void SvgCanvas::SetPenColor(Color color)
{
    writer_->pen.Colour = color & 0xFFFFFF;
}

void SvgCanvas::SetPenWidth(int width)
{
    writer_->pen.Width = width;
}

void SvgCanvas::SetPenMode(PenMode mode)
{
    writer_->pen.Mode = mode;
}

void SvgCanvas::SetBrushColor(Color color)
{
    writer_->brush = color & 0xFFFFFF;
}

void SvgCanvas::SetFont(const std::string& name, int height)
{
    writer_->fontName = name;
    writer_->measure.SetFont(name, height);
}

void SvgCanvas::SetFontColor(Color color)
{
    writer_->fontColour = color & 0xFFFFFF;
}

void SvgCanvas::FillRect(const PixelRect& rect)
{
    if (!writer_->finished)
        writer_->FillBox(BoxOf(rect), writer_->brush);
}

void SvgCanvas::MoveTo(int x, int y)
{
    writer_->penX = x;
    writer_->penY = y;
}

void SvgCanvas::LineTo(int x, int y)
{
    const LineSegment segment{writer_->penX, writer_->penY, x, y};
    DrawLines({&segment, 1});
}

void SvgCanvas::DrawLines(std::span<const LineSegment> segments)
{
    Writer& w = *writer_;
    if (!segments.empty()) {
        w.penX = segments.back().X2;
        w.penY = segments.back().Y2;
    }
    if (w.finished)
        return;
    w.out.reserve(w.out.size() + segments.size() * 28);
    for (const LineSegment& s : segments)
        w.Line(s);
}

void SvgCanvas::Rectangle(const PixelRect& rect)
{
    if (!writer_->finished)
        writer_->Rectangle(rect);
}

void SvgCanvas::TextOut(int x, int y, std::string_view text)
{
    if (!writer_->finished)
        writer_->Text(x, y, text);
}

int SvgCanvas::TextWidth(std::string_view text)
{
    return writer_->measure.TextWidth(text);
}

int SvgCanvas::TextHeight(std::string_view)
{
    return writer_->measure.CellHeight();
}

void SvgCanvas::SetClipRect(const PixelRect& rect)
{
    if (!writer_->finished)
        writer_->Clip(rect);
}

void SvgCanvas::RemoveClip()
{
    if (!writer_->finished)
        writer_->CloseClip();
}

void SvgCanvas::CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                          BlockOp op)
{
    if (!writer_->finished)
        writer_->Block(source, width, height, x, y, op);
}

}  // namespace quorvane
