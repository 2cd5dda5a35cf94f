#pragma once

#include "Canvas.h"
#include "MainWindowSurface.h"
#include "PixelRaster.h"

#include <string>
#include <vector>

namespace quorvane::testing {

// A pixel canvas for the engine's tests: pixels hold colours as they are
// (red in the lowest byte), lines use the engine's rasteriser, and text is
// drawn in a block font: every character is CharWidth pixels wide, and each
// non-blank one is a solid block in the font colour inside its cell.
// Every call is also logged.
class TestCanvas : public OffscreenBitmap {
public:
    static constexpr int CharWidth = 6;

    TestCanvas(int width, int height, Color fill = 0xFFFFFF);

    Color Pixel(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    int CountPixels(Color color) const;
    PixelBuffer Pixels() const;
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Log entries that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const;

    void SetSize(int width, int height) override;
    void ReadBlock(int width, int height, std::vector<Color>& colors) const override;
    void SetPenColor(Color color) override;
    void SetPenWidth(int width) override;
    void SetPenMode(PenMode mode) override;
    void SetBrushColor(Color color) override;
    void SetFont(const std::string& name, int height) override;
    void SetFontColor(Color color) override;
    void FillRect(const PixelRect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawLines(std::span<const LineSegment> segments) override;
    void Rectangle(const PixelRect& rect) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void SetClipRect(const PixelRect& rect) override;
    void RemoveClip() override;
    void CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                   BlockOp op) override;

    Color PenColor() const { return penColor_; }
    int PenWidth() const { return penWidth_; }
    PenMode Mode() const { return penMode_; }
    Color BrushColor() const { return brushColor_; }
    Color FontColor() const { return fontColor_; }
    int FontHeight() const { return fontHeight_; }

private:
    PixelRect Clip() const;
    void Log(std::string entry) { log_.push_back(std::move(entry)); }

    int width_, height_;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::string> log_;
    Color penColor_ = 0;
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    Color brushColor_ = 0xFFFFFF;
    Color fontColor_ = 0;
    int fontHeight_ = -10;
    bool clipped_ = false;
    PixelRect clip_;
    int penX_ = 0, penY_ = 0;
};

// The main window as the engine sees it, over a TestCanvas image.
class TestWindow : public MainWindowSurface {
public:
    explicit TestWindow(int width = 400, int height = 300) : image(width, height) {}

    Canvas& ImageCanvas() override { return image; }
    void ImageChanged() override { ++imageChanges; }
    void SetImagePanelColor(Color color) override { panelColor = color; }
    void SetScaleCaption(const std::string& caption) override { scaleCaption = caption; }
    int WindowFontHeight() const override { return fontHeight; }
    std::unique_ptr<OffscreenBitmap> CreateOffscreenBitmap() override;

    TestCanvas image;
    std::vector<TestCanvas*> bitmaps;  // owned by the drawing
    int imageChanges = 0;
    Color panelColor = 0;
    std::string scaleCaption;
    int fontHeight = -11;
};

}  // namespace quorvane::testing
