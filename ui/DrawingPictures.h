#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

class QPainter;

namespace quorvane {

struct CheckFinding;
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
    // Findings of the geometry checks marked in every picture: only where a
    // picture is asked for with them (quorvane-render --mark), never in the
    // program's own pictures, prints or clipboard.
    const std::vector<CheckFinding>* Markers = nullptr;
};

struct PictureScreen {
    int ScreenPixels = 1920;  // width of the primary screen
    int WindowFontHeight = 12;
    int ReferenceWidth = 1920;  // the screen the vector picture refers to
    int ReferenceHeight = 1080;
    // The whole drawing instead of the part the window shows, for pictures
    // made without a window.
    bool WholeDrawing = false;
};

// Makes the pictures from the model's current view. The stored projection
// is the screen's again afterwards, also when making a picture fails.
DrawingPictures MakeDrawingPictures(WireFrameDrawing& drawing, ProgramState& program,
                                    const PictureScreen& screen, PictureKinds kinds);

// The size of the bitmap MakeDrawingPictures would make, without drawing it.
QSize DrawingBitmapSize(WireFrameDrawing& drawing, ProgramState& program,
                        const PictureScreen& screen);

// The whole drawing framed by its margin as a page shows it, at `factor`
// times the screen's resolution: its size in pixels of that resolution,
// and the picture painted with its top-left corner at `at` (vectors for
// mono, lossless pixels for the anaglyph, as the PDF picture).
QSize WholePictureSize(WireFrameDrawing& drawing, ProgramState& program, double factor);
void PaintWholePicture(QPainter& painter, QPoint at, WireFrameDrawing& drawing,
                       ProgramState& program, double factor,
                       const std::vector<CheckFinding>* markers = nullptr);

}  // namespace quorvane
