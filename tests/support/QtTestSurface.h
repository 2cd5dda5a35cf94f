#pragma once

#include "MainWindowSurface.h"
#include "QtRasterCanvas.h"

namespace quorvane::testing {

// The main window as the engine sees it, over Qt canvases, with the label
// bitmaps the main window will make.
class QtTestSurface : public MainWindowSurface {
public:
    QtTestSurface(int width, int height) : image(width, height) {}

    Canvas& ImageCanvas() override { return image; }
    void ImageChanged() override {}
    void SetImagePanelColor(Color) override {}
    void SetScaleCaption(const std::string&) override {}
    int WindowFontHeight() const override { return -12; }
    std::unique_ptr<OffscreenBitmap> CreateOffscreenBitmap() override
    {
        return std::make_unique<QtRasterCanvas>(1, 1, QtRasterCanvas::TextRendering::Exact);
    }

    QtRasterCanvas image;
};

}  // namespace quorvane::testing
