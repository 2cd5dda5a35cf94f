#pragma once

#include "Canvas.h"

#include <memory>
#include <string>

namespace quorvane {

// What the drawing engine needs of the main window; the main window
// implements it.
class MainWindowSurface {
public:
    virtual ~MainWindowSurface() = default;
    // The canvas of the retained image that the window shows.
    virtual Canvas& ImageCanvas() = 0;
    // The image was drawn anew: the window repaints it.
    virtual void ImageChanged() = 0;
    // Colour of the panel around the image (`PanelImage`).
    virtual void SetImagePanelColor(Color color) = 0;
    // Caption of the scale panel (`PanelScale`).
    virtual void SetScaleCaption(const std::string& caption) = 0;
    // Absolute pixel height of the main window's font, which caps the label
    // height on screen.
    virtual int WindowFontHeight() const = 0;
    // An off-screen bitmap whose blocks the window's canvases can combine.
    virtual std::unique_ptr<OffscreenBitmap> CreateOffscreenBitmap() = 0;
};

}  // namespace quorvane
