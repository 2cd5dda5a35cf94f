#include "TestCanvas.h"

#include <algorithm>
#include <cstdio>

namespace quorvane::testing {

namespace {

std::string Hex(Color color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06x", color);
    return text;
}

std::string Rect(const PixelRect& r)
{
    return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Right) +
           " " + std::to_string(r.Bottom);
}

}  // namespace

TestCanvas::TestCanvas(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill)
{
}

Color TestCanvas::Pixel(int x, int y) const
{
    return pixels_[std::size_t(y) * width_ + x];
}

int TestCanvas::CountPixels(Color color) const
{
    int count = 0;
    for (std::uint32_t p : pixels_)
        count += p == color ? 1 : 0;
    return count;
}

PixelBuffer TestCanvas::Pixels() const
{
    return {const_cast<std::uint32_t*>(pixels_.data()), width_, height_, width_};
}

void TestCanvas::ReadBlock(int width, int height, std::vector<Color>& colors) const
{
    colors.clear();
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            colors.push_back(Pixel(x, y));
}

std::vector<std::string> TestCanvas::Calls(const std::string& prefix) const
{
    std::vector<std::string> calls;
    for (const std::string& entry : log_)
        if (entry.rfind(prefix, 0) == 0)
            calls.push_back(entry);
    return calls;
}

PixelRect TestCanvas::Clip() const
{
    return clipped_ ? Intersect(clip_, Pixels().Bounds()) : Pixels().Bounds();
}

void TestCanvas::SetSize(int width, int height)
{
    Log("SetSize " + std::to_string(width) + " " + std::to_string(height));
    width_ = width;
    height_ = height;
    pixels_.assign(std::size_t(width) * height, 0xFFFFFF);
}

void TestCanvas::SetPenColor(Color color)
{
    penColor_ = color;
}

void TestCanvas::SetPenWidth(int width)
{
    penWidth_ = width;
}

void TestCanvas::SetPenMode(PenMode mode)
{
    penMode_ = mode;
}

void TestCanvas::SetBrushColor(Color color)
{
    brushColor_ = color;
}

void TestCanvas::SetFont(const std::string& name, int height)
{
    Log("SetFont " + name + " " + std::to_string(height));
    fontHeight_ = height;
}

void TestCanvas::SetFontColor(Color color)
{
    fontColor_ = color;
}

void TestCanvas::FillRect(const PixelRect& rect)
{
    Log("FillRect " + Rect(rect) + " #" + Hex(brushColor_));
    FillPixels(Pixels(), Clip(), rect, brushColor_);
}

void TestCanvas::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void TestCanvas::LineTo(int x, int y)
{
    const LineSegment segment{penX_, penY_, x, y};
    DrawLines({&segment, 1});
}

void TestCanvas::DrawLines(std::span<const LineSegment> segments)
{
    for (const LineSegment& s : segments)
        Log("Line " + std::to_string(s.X1) + " " + std::to_string(s.Y1) + " " +
            std::to_string(s.X2) + " " + std::to_string(s.Y2) + " #" + Hex(penColor_));
    RasterLines(Pixels(), Clip(), segments, {penColor_, penWidth_, penMode_});
    if (!segments.empty()) {
        penX_ = segments.back().X2;
        penY_ = segments.back().Y2;
    }
}

void TestCanvas::Rectangle(const PixelRect& r)
{
    Log("Rectangle " + Rect(r) + " #" + Hex(brushColor_));
    FillPixels(Pixels(), Clip(), r, brushColor_);
    RasterLines(Pixels(), Clip(), RectangleOutline(r), {penColor_, penWidth_, penMode_});
}

void TestCanvas::TextOut(int x, int y, std::string_view text)
{
    Log("TextOut " + std::to_string(x) + " " + std::to_string(y) + " '" + std::string(text) + "'");
    const int height = TextHeight(text);
    FillPixels(Pixels(), Clip(), {x, y, x + TextWidth(text), y + height}, brushColor_);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        const int left = x + int(i) * CharWidth;
        FillPixels(Pixels(), Clip(), {left + 1, y + 1, left + CharWidth - 1, y + height - 1},
                   fontColor_);
    }
}

int TestCanvas::TextWidth(std::string_view text)
{
    return CharWidth * int(text.size());
}

int TestCanvas::TextHeight(std::string_view)
{
    // A character height asked for by a negative number gets two pixels of
    // internal leading on top.
    return fontHeight_ < 0 ? -fontHeight_ + 2 : fontHeight_;
}

void TestCanvas::SetClipRect(const PixelRect& rect)
{
    Log("SetClipRect " + Rect(rect));
    clipped_ = true;
    clip_ = rect;
}

void TestCanvas::RemoveClip()
{
    Log("RemoveClip");
    clipped_ = false;
}

void TestCanvas::CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                           BlockOp op)
{
    Log("CopyBlock " + std::to_string(width) + " " + std::to_string(height) + " " +
        std::to_string(x) + " " + std::to_string(y) + (op == BlockOp::And ? " And" : " Or"));
    const auto& bitmap = dynamic_cast<const TestCanvas&>(source);
    CombineBlock(Pixels(), Clip(), bitmap.Pixels(), width, height, x, y, op);
}

std::unique_ptr<OffscreenBitmap> TestWindow::CreateOffscreenBitmap()
{
    auto bitmap = std::make_unique<TestCanvas>(1, 1);
    bitmaps.push_back(bitmap.get());
    return bitmap;
}

}  // namespace quorvane::testing
