#pragma once

#include <QByteArray>
#include <QImage>

namespace quorvane {

struct ProgramState;
class WireFrameDrawing;

// The drawing as the window shows it, cut to the window's view and framed
// by a margin: a vector picture at ten times the screen's resolution and a
// bitmap at the screen's.
struct DrawingPictures {
    QByteArray Metafile;  // EMF
    QByteArray Svg;       // the same picture
    QByteArray Pdf;       // one page of the same physical size
    QImage Bitmap;
    int DotsPerInch = 0;  // of the vector picture
};

// Which of the pictures to make.
struct PictureKinds {
    bool Metafile = true;
    bool Svg = false;
    bool Pdf = false;
    bool Bitmap = true;
};

struct PictureScreen {
    int ScreenPixels = 1920;  // width of the primary screen
    int WindowFontHeight = 12;
    int ReferenceWidth = 1920;  // the screen the vector picture refers to
    int ReferenceHeight = 1080;
};

// Makes the pictures from the model's current view. The stored projection
// is the screen's again afterwards, also when making a picture fails.
DrawingPictures MakeDrawingPictures(WireFrameDrawing& drawing, ProgramState& program,
                                    const PictureScreen& screen, PictureKinds kinds);

}  // namespace quorvane
