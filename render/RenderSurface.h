#pragma once

#include "MainWindowSurface.h"
#include "QtRasterCanvas.h"

namespace quorvane {

// The main window as the engine sees it, without a window: pictures are
// drawn on canvases of their own, so its image is never shown and stays a
// single pixel; the anaglyph's label bitmaps are the main window's.
class RenderSurface : public MainWindowSurface {
public:
    RenderSurface();

    Canvas& ImageCanvas() override { return image_; }
    void ImageChanged() override {}
    void SetImagePanelColor(Color) override {}
    void SetScaleCaption(const std::string&) override {}
    // The application font's height, which the main window's font has.
    int WindowFontHeight() const override { return fontHeight_; }
    std::unique_ptr<OffscreenBitmap> CreateOffscreenBitmap() override;

private:
    QtRasterCanvas image_;
    int fontHeight_;
};

}  // namespace quorvane
