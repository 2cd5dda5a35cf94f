#include "DrawingPictures.h"

#include "CheckMarkers.h"

#include "EmfCanvas.h"
#include "ProgramState.h"
#include "Projection.h"
#include "QtPainterCanvas.h"
#include "QtRasterCanvas.h"
#include "QtTextMeasure.h"
#include "SvgCanvas.h"
#include "WireFrameDrawing.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

namespace quorvane {

namespace {

constexpr double VectorFactor = 10;

// The part of the stored projection that a window of the drawing's image
// size shows, at `factor` times the screen's resolution, or all of it for
// a whole picture (a window as large as the coordinates reach); nothing for
// an empty model.
ClippedBounds VisiblePart(WireFrameDrawing& drawing, const LineTable& table, double factor,
                          bool whole)
{
    if (table.CompleteLineCount == 0)
        return {};
    const DrawingBounds b = drawing.ComputeDrawingBounds();
    if (whole)
        return drawing.ClipBoundsToWindow(b.MinX, b.MaxX, b.MinY, b.MaxY, 1.0,
                                          std::numeric_limits<int>::max(),
                                          std::numeric_limits<int>::max());
    return drawing.ClipBoundsToWindow(b.MinX, b.MaxX, b.MinY, b.MaxY, factor,
                                      drawing.ImageWidth / 2, drawing.ImageHeight / 2);
}

// The smaller of the visible part and the window's view, each with its
// margins, computed in 64 bits; a picture must fit the 32-bit sizes of
// its canvas.
int PictureSize(int visible, std::int64_t window, int margin)
{
    const std::int64_t size = std::min<std::int64_t>(std::int64_t(visible) + 2 * std::int64_t(margin),
                                                     window + 2 * std::int64_t(margin));
    if (size > std::numeric_limits<int>::max() / 4)
        throw std::length_error("The picture is too large.");
    return static_cast<int>(std::max<std::int64_t>(size, 1));
}

struct PictureLayout {
    int Width = 0, Height = 0;
    int LabelHeight = 0;
    ClippedBounds Visible;
};

PictureLayout LayOutVectorPicture(WireFrameDrawing& drawing, ProgramState& program, bool whole,
                                  double factor = VectorFactor)
{
    ViewParameters& view = program.View;
    ProjectLines(view, program.Table, view.DrawingCentered, view.DrawFactor * factor);
    PictureLayout layout;
    layout.Visible = VisiblePart(drawing, program.Table, factor, whole);
    const ClippedBounds& c = layout.Visible;
    layout.LabelHeight = drawing.ComputeLabelHeight(c.Width, c.Height, true, factor);
    const ExportMargin margin = drawing.ComputeExportMargin(c.Width, c.Height, layout.LabelHeight);
    layout.Width = PictureSize(c.Width, whole ? c.Width : RoundToPixel(drawing.ImageWidth * factor),
                               margin.Margin);
    layout.Height = PictureSize(
        c.Height, whole ? c.Height : RoundToPixel(drawing.ImageHeight * factor), margin.Margin);
    drawing.ShiftProjectedLines(-c.CentreX, -c.CentreY);
    return layout;
}

PictureLayout LayOutBitmap(WireFrameDrawing& drawing, ProgramState& program, int fontHeight,
                           bool whole)
{
    ViewParameters& view = program.View;
    ProjectLines(view, program.Table, view.DrawingCentered, view.DrawFactor);
    PictureLayout layout;
    layout.Visible = VisiblePart(drawing, program.Table, 1.0, whole);
    const ClippedBounds& c = layout.Visible;
    layout.LabelHeight = std::min(drawing.ComputeLabelHeight(c.Width, c.Height, false, 1.0),
                                  2 * std::abs(fontHeight));
    const ExportMargin margin = drawing.ComputeExportMargin(c.Width, c.Height, layout.LabelHeight);
    layout.Width = PictureSize(c.Width, whole ? c.Width : drawing.ImageWidth, margin.Margin);
    layout.Height = PictureSize(c.Height, whole ? c.Height : drawing.ImageHeight, margin.Margin);
    drawing.ShiftProjectedLines(-c.CentreX, -c.CentreY);
    return layout;
}

// A raster canvas whose pixels could not be had is an empty image, which
// would pass for a blank picture.
void RequirePixels(QtRasterCanvas& canvas)
{
    if (canvas.Image().isNull())
        throw std::bad_alloc();
}

using Markers = const std::vector<CheckFinding>*;

// The drawing and, when asked for, the checks' markers over it, placed as
// the layout placed the lines.
void Draw(WireFrameDrawing& drawing, const ProgramState& program, Canvas& canvas,
          const PictureLayout& layout, double factor, Markers markers)
{
    drawing.DrawToCanvas(canvas, layout.Visible.Width, layout.Visible.Height, factor, 0, 0,
                         {0, 0, layout.Width, layout.Height}, layout.LabelHeight,
                         program.View.ScreenFontName);
    if (!markers || markers->empty() || program.Table.CompleteLineCount == 0)
        return;
    const ViewParameters& view = program.View;
    MarkerFrame frame;
    frame.Factor = view.DrawFactor * factor;
    frame.Centred = view.DrawingCentered;
    frame.ShiftX = -layout.Visible.CentreX;
    frame.ShiftY = -layout.Visible.CentreY;
    frame.OriginX = layout.Width / 2;
    frame.OriginY = layout.Height / 2;
    DrawCheckMarkers(canvas, PlaceCheckMarkers(*markers, view, frame), view.WarningColor,
                     RoundToPixel(MarkerRadius(1) * factor));
}

QByteArray ToByteArray(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// The laid-out picture on a painter whose units are the picture's pixels:
// vectors for a mono drawing; an anaglyph, whose raster operations PDF
// cannot carry, as pixels stored without loss, at the picture's resolution
// or less when that would need more than MaxPdfRasterPixels.
constexpr double MaxPdfRasterPixels = 40e6;

void PaintPicture(QPainter& painter, WireFrameDrawing& drawing, ProgramState& program,
                  const PictureLayout& layout, double factor, bool whole, Markers markers)
{
    if (program.View.ShowAnaglyph) {
        const double pixels = double(layout.Width) * double(layout.Height);
        const double rasterFactor =
            pixels > MaxPdfRasterPixels ? factor * std::sqrt(MaxPdfRasterPixels / pixels) : factor;
        const PictureLayout raster = LayOutVectorPicture(drawing, program, whole, rasterFactor);
        QtRasterCanvas page(raster.Width, raster.Height);
        RequirePixels(page);
        Draw(drawing, program, page, raster, rasterFactor, markers);
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(QRectF(0, 0, layout.Width, layout.Height), page.Image());
    } else {
        QtPainterCanvas page(painter);
        Draw(drawing, program, page, layout, factor, markers);
    }
}

// One PDF page of the vector picture's physical size.
QByteArray MakePdf(WireFrameDrawing& drawing, ProgramState& program, const PictureLayout& vector,
                   int dotsPerInch, bool whole, Markers markers)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QPdfWriter writer(&file);
    writer.setResolution(dotsPerInch);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(vector.Width * 25.4 / dotsPerInch,
                                        vector.Height * 25.4 / dotsPerInch),
                                 QPageSize::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        throw std::runtime_error("The PDF could not be made.");
    PaintPicture(painter, drawing, program, vector, VectorFactor, whole, markers);
    painter.end();
    return file.data();
}

void MakeVectorPictures(WireFrameDrawing& drawing, ProgramState& program,
                        const PictureScreen& screen, PictureKinds kinds,
                        const PictureLayout& vector, TextMeasure& measure,
                        DrawingPictures& pictures)
{
    if (kinds.Metafile) {
        EmfFrame frame;
        frame.Width = vector.Width;
        frame.Height = vector.Height;
        frame.DotsPerInch = pictures.DotsPerInch;
        frame.ReferenceWidth = screen.ReferenceWidth;
        frame.ReferenceHeight = screen.ReferenceHeight;
        EmfCanvas metafile(frame, measure);
        Draw(drawing, program, metafile, vector, VectorFactor, kinds.Markers);
        pictures.Metafile = ToByteArray(metafile.Finish());
    }
    if (kinds.Svg) {
        SvgFrame frame;
        frame.Width = vector.Width;
        frame.Height = vector.Height;
        // The metafile's physical size, without its frame's rounding to
        // hundredths of a millimetre.
        frame.WidthMillimetres = vector.Width * 25.4 / pictures.DotsPerInch;
        frame.HeightMillimetres = vector.Height * 25.4 / pictures.DotsPerInch;
        SvgCanvas svg(frame, measure);
        Draw(drawing, program, svg, vector, VectorFactor, kinds.Markers);
        pictures.Svg = QByteArray::fromStdString(svg.Finish());
    }
    // Last: an anaglyph page projects the model anew.
    if (kinds.Pdf)
        pictures.Pdf =
            MakePdf(drawing, program, vector, pictures.DotsPerInch, screen.WholeDrawing,
                    kinds.Markers);
}

// Projects for the screen again when it goes out of scope.
class ScreenProjectionGuard {
public:
    explicit ScreenProjectionGuard(WireFrameDrawing& drawing) : drawing_(drawing) {}
    ~ScreenProjectionGuard() { drawing_.RestoreScreenProjection(); }
    ScreenProjectionGuard(const ScreenProjectionGuard&) = delete;
    ScreenProjectionGuard& operator=(const ScreenProjectionGuard&) = delete;

private:
    WireFrameDrawing& drawing_;
};

}  // namespace

DrawingPictures MakeDrawingPictures(WireFrameDrawing& drawing, ProgramState& program,
                                    const PictureScreen& screen, PictureKinds kinds)
{
    const ScreenProjectionGuard restore(drawing);
    DrawingPictures pictures;
    pictures.DotsPerInch = MetafileDotsPerInch(screen.ScreenPixels, program.View.ScreenWidth,
                                               program.Main.ClipboardBugfixScalingFactor);
    QtTextMeasure measure;

    if (kinds.Metafile || kinds.Svg || kinds.Pdf) {
        const PictureLayout vector = LayOutVectorPicture(drawing, program, screen.WholeDrawing);
        MakeVectorPictures(drawing, program, screen, kinds, vector, measure, pictures);
    }
    if (!kinds.Bitmap)
        return pictures;

    const PictureLayout raster =
        LayOutBitmap(drawing, program, screen.WindowFontHeight, screen.WholeDrawing);
    QtRasterCanvas bitmap(raster.Width, raster.Height);
    RequirePixels(bitmap);
    Draw(drawing, program, bitmap, raster, 1.0, kinds.Markers);
    pictures.Bitmap = bitmap.Image();
    const int dotsPerMetre = RoundToPixel(program.View.PixelsPerMetre);
    if (dotsPerMetre > 0) {
        pictures.Bitmap.setDotsPerMeterX(dotsPerMetre);
        pictures.Bitmap.setDotsPerMeterY(dotsPerMetre);
    }
    return pictures;
}

QSize DrawingBitmapSize(WireFrameDrawing& drawing, ProgramState& program,
                        const PictureScreen& screen)
{
    const ScreenProjectionGuard restore(drawing);
    const PictureLayout raster =
        LayOutBitmap(drawing, program, screen.WindowFontHeight, screen.WholeDrawing);
    return {raster.Width, raster.Height};
}

QSize WholePictureSize(WireFrameDrawing& drawing, ProgramState& program, double factor)
{
    const ScreenProjectionGuard restore(drawing);
    const PictureLayout layout = LayOutVectorPicture(drawing, program, true, factor);
    return {layout.Width, layout.Height};
}

void PaintWholePicture(QPainter& painter, QPoint at, WireFrameDrawing& drawing,
                       ProgramState& program, double factor, Markers markers)
{
    const ScreenProjectionGuard restore(drawing);
    const PictureLayout layout = LayOutVectorPicture(drawing, program, true, factor);
    painter.save();
    painter.translate(at);
    PaintPicture(painter, drawing, program, layout, factor, true, markers);
    painter.restore();
}

}  // namespace quorvane
