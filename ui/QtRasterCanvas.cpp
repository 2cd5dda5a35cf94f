#include "QtRasterCanvas.h"

#include "CanvasFont.h"

#include <QPainter>

#include <algorithm>

namespace quorvane {

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 128; });
}

// Mixes `over` into `under` by coverage 0..255, channel by channel.
std::uint32_t Blend(std::uint32_t under, std::uint32_t over, int coverage)
{
    std::uint32_t result = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int u = int((under >> shift) & 0xFF), o = int((over >> shift) & 0xFF);
        result |= std::uint32_t(u + ((o - u) * coverage + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

QtRasterCanvas::QtRasterCanvas(int width, int height, TextRendering text)
    : image_(std::max(0, width), std::max(0, height), QImage::Format_RGB32), textRendering_(text)
{
    image_.fill(Qt::white);
    SetFont("Arial", -12);
}

QtRasterCanvas::~QtRasterCanvas()
{
    EndPainting();
}

std::uint32_t QtRasterCanvas::PixelOf(Color color)
{
    return 0xFF000000u | (std::uint32_t(RedOf(color)) << 16) | (std::uint32_t(GreenOf(color)) << 8) |
           std::uint32_t(BlueOf(color));
}

Color QtRasterCanvas::ColorOf(std::uint32_t pixel)
{
    return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

const QImage& QtRasterCanvas::Image()
{
    EndPainting();
    return image_;
}

PixelBuffer QtRasterCanvas::Pixels()
{
    // bits() detaches a shared image, so the drawing never changes a copy.
    return {reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
            image_.bytesPerLine() / 4};
}

PixelBuffer QtRasterCanvas::Pixels() const
{
    return {const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(image_.constBits())),
            image_.width(), image_.height(), image_.bytesPerLine() / 4};
}

void QtRasterCanvas::ReadBlock(int width, int height, std::vector<Color>& colors) const
{
    colors.clear();
    const PixelBuffer pixels = Pixels();
    width = std::clamp(width, 0, pixels.Width);
    height = std::clamp(height, 0, pixels.Height);
    colors.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colors.push_back(ColorOf(pixels.At(x, y)));
}

QPainter& QtRasterCanvas::Painter()
{
    if (!painter_) {
        // Detach first: a painter begun on a shared image would draw into
        // the other copy once the raw pixel writes detach it.
        image_.bits();
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing,
                                textRendering_ == TextRendering::Smooth);
        painter_->setFont(font_);
        if (clip_)
            painter_->setClipRect(clip_->Left, clip_->Top, clip_->Right - clip_->Left,
                                  clip_->Bottom - clip_->Top);
    }
    return *painter_;
}

void QtRasterCanvas::EndPainting()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

PixelPen QtRasterCanvas::Pen() const
{
    // Bitwise modes act on the colour channels only; alpha stays opaque.
    const std::uint32_t pixel = PixelOf(penColor_);
    return {penMode_ == PenMode::Copy ? pixel : pixel & 0xFFFFFF, penWidth_, penMode_};
}

void QtRasterCanvas::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == image_.width() && height == image_.height())
        return;
    EndPainting();
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void QtRasterCanvas::SetFont(const std::string& name, int height)
{
    const QFont font = CanvasFont(name, height, textRendering_ == TextRendering::Smooth
                                                    ? QFont::PreferDefault
                                                    : QFont::NoAntialias);
    if (metrics_ && font == font_)
        return;
    font_ = font;
    metrics_.emplace(font_);
    glyphs_ = {};
    if (painter_)
        painter_->setFont(font_);
}

int QtRasterCanvas::Advance(unsigned char c)
{
    return GlyphOf(c).advance;
}

const QtRasterCanvas::Glyph& QtRasterCanvas::GlyphOf(unsigned char c)
{
    std::optional<Glyph>& slot = glyphs_[c];
    if (!slot) {
        Glyph glyph;
        glyph.advance = metrics_->horizontalAdvance(QChar(c));
        QImage cell(glyph.advance + 2 * Pad, metrics_->height(), QImage::Format_RGB32);
        cell.fill(Qt::black);
        QPainter painter(&cell);
        painter.setFont(font_);
        painter.setRenderHint(QPainter::TextAntialiasing, textRendering_ == TextRendering::Smooth);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(Pad, metrics_->ascent()), QString(QChar(c)));
        painter.end();
        glyph.coverage = cell.convertToFormat(QImage::Format_Grayscale8);
        slot = std::move(glyph);
    }
    return *slot;
}

void QtRasterCanvas::DrawGlyph(const Glyph& glyph, int x, int y)
{
    const PixelBuffer pixels = Pixels();
    const PixelRect clip = clip_.value_or(pixels.Bounds());
    const std::uint32_t color = PixelOf(fontColor_);
    const QImage& coverage = glyph.coverage;
    const int left = x - Pad;
    for (int row = std::max(0, clip.Top - y); row < coverage.height() && y + row < clip.Bottom;
         ++row) {
        const uchar* line = coverage.constScanLine(row);
        for (int column = std::max(0, clip.Left - left);
             column < coverage.width() && left + column < clip.Right; ++column) {
            const int a = line[column];
            if (a == 0)
                continue;
            std::uint32_t& pixel = pixels.At(left + column, y + row);
            pixel = a == 255 ? color : Blend(pixel, color, a);
        }
    }
}

void QtRasterCanvas::FillRect(const PixelRect& rect)
{
    const PixelBuffer pixels = Pixels();
    FillPixels(pixels, clip_.value_or(pixels.Bounds()), rect, PixelOf(brushColor_));
}

void QtRasterCanvas::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void QtRasterCanvas::LineTo(int x, int y)
{
    const LineSegment segment{penX_, penY_, x, y};
    DrawLines({&segment, 1});
    penX_ = x;
    penY_ = y;
}

void QtRasterCanvas::DrawLines(std::span<const LineSegment> segments)
{
    const PixelBuffer pixels = Pixels();
    RasterLines(pixels, clip_.value_or(pixels.Bounds()), segments, Pen());
    if (!segments.empty()) {
        penX_ = segments.back().X2;
        penY_ = segments.back().Y2;
    }
}

void QtRasterCanvas::Rectangle(const PixelRect& r)
{
    FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    const PixelBuffer pixels = Pixels();
    RasterLines(pixels, clip_.value_or(pixels.Bounds()), RectangleOutline(r), Pen());
}

void QtRasterCanvas::TextOut(int x, int y, std::string_view text)
{
    if (IsAscii(text)) {
        FillRect({x, y, x + TextWidth(text), y + metrics_->height()});
        for (char c : text) {
            const Glyph& glyph = GlyphOf(static_cast<unsigned char>(c));
            if (c != ' ')
                DrawGlyph(glyph, x, y);
            x += glyph.advance;
        }
        return;
    }
    const QString string = ToQString(text);
    FillRect({x, y, x + metrics_->horizontalAdvance(string), y + metrics_->height()});
    QPainter& painter = Painter();
    painter.setPen(QColor::fromRgb(PixelOf(fontColor_)));
    painter.drawText(QPointF(x, y + metrics_->ascent()), string);
}

int QtRasterCanvas::TextWidth(std::string_view text)
{
    if (IsAscii(text)) {
        int width = 0;
        for (char c : text)
            width += Advance(static_cast<unsigned char>(c));
        return width;
    }
    return metrics_->horizontalAdvance(ToQString(text));
}

int QtRasterCanvas::TextHeight(std::string_view)
{
    return metrics_->height();
}

void QtRasterCanvas::SetClipRect(const PixelRect& rect)
{
    clip_ = Intersect(rect, {0, 0, image_.width(), image_.height()});
    if (painter_)
        painter_->setClipRect(clip_->Left, clip_->Top, clip_->Right - clip_->Left,
                              clip_->Bottom - clip_->Top);
}

void QtRasterCanvas::RemoveClip()
{
    clip_.reset();
    if (painter_)
        painter_->setClipping(false);
}

void QtRasterCanvas::CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                               BlockOp op)
{
    const auto* bitmap = dynamic_cast<const QtRasterCanvas*>(&source);
    if (!bitmap)
        return;
    const PixelBuffer pixels = Pixels();
    CombineBlock(pixels, clip_.value_or(pixels.Bounds()), bitmap->Pixels(), width, height, x, y,
                 op);
}

}  // namespace quorvane
