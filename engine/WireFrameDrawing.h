#pragma once

#include "Canvas.h"
#include "ViewParameters.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class LineTable;
class MainWindowSurface;
struct LineRecord;

// Pixel bounding box of the stored projection, relative to the drawing
// origin, y up.
struct DrawingBounds {
    int MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
    int Width = 0, Height = 0;
    int CentreX = 0, CentreY = 0;
};

// The part of a drawing that the window shows, at some factor.
struct ClippedBounds {
    int Left = 0, Right = 0, Bottom = 0, Top = 0;
    int Width = 0, Height = 0;
    int CentreX = 0, CentreY = 0;
};

struct ExportMargin {
    int Margin = 0;
    int Width = 0;   // width + 2 margins
    int Height = 0;  // height + 2 margins
};

// The target rectangle of a drawing on its canvas.
struct DrawArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Pen modes, block operations and label colours of the anaglyph, derived
// from its background by SetupAnaglyphColors.
struct AnaglyphColors {
    bool BackgroundIsBright = true;
    PenMode AnaglyphPenMode = PenMode::AndNot;
    BlockOp LabelBoxOp = BlockOp::Or;
    BlockOp LabelTextOp = BlockOp::And;
};

double ColorBrightness(Color color);
Color InvertColor(Color color);

// Draws the stored projection of the line table on any canvas and keeps the
// main window's drawing state: its bounds, its image size and the off-screen
// bitmaps of the anaglyph labels.
class WireFrameDrawing {
public:
    WireFrameDrawing(LineTable& table, ViewParameters& view, MainWindowSurface& window);
    ~WireFrameDrawing();

    // Projects and draws the whole model on the main window's image.
    void DrawWireFrame();
    // Draws the stored projection again on the main window's image, for a
    // resize or the line-number toggle.
    void RedrawStoredProjection();
    // Projects for the screen again without drawing, after a print or a page
    // preview has left its own projection in the records.
    void RestoreScreenProjection();
    // Moves the drawing on the screen by (dx, dy) pixels, y up, and draws
    // the stored projection again.
    void PanBy(int dx, int dy);
    void ClearDrawing();

    DrawingBounds ComputeDrawingBounds() const;
    int ComputeLabelHeight(int width, int height, bool useDrawingDiagonal, double factor) const;
    void DrawToCanvas(Canvas& canvas, int width, int height, double factor, int centreX,
                      int centreY, const DrawArea& area, int labelHeight,
                      const std::string& fontName);
    ClippedBounds ClipBoundsToWindow(int minX, int maxX, int minY, int maxY, double factor,
                                     int halfImageWidth, int halfImageHeight) const;
    ExportMargin ComputeExportMargin(int width, int height, int labelHeight) const;
    void ShiftProjectedLines(int dx, int dy);
    // Scale caption, drawing factor and a redraw for the current ScaleDenominator.
    void ApplyScale();
    void SetupAnaglyphColors();

    // The label of record `row`: the number with a blank on each side.
    static std::string LineLabel(int row);

    DrawingBounds Bounds;
    int ImageWidth = 0;
    int ImageHeight = 0;
    const AnaglyphColors& Anaglyph() const { return anaglyph_; }

private:
    // The screen's projection: the scale's factor, then the pan.
    void ProjectForScreen();
    void DrawMono(Canvas& canvas, int originX, int originY, int textHeight, bool labels);
    void DrawAnaglyph(Canvas& canvas, int originX, int originY, int textHeight, int labelHeight,
                      const std::string& fontName, bool labels);
    enum class Group { Mono, Left, Right };
    void CollectSegments(int originX, int originY, Group group);
    struct LabelPlace {
        int X = 0, Y = 0;
    };
    LabelPlace LabelCorner(const LineRecord& record, Group group, int originX, int originY,
                           int textWidth, int textHeight) const;

    LineTable& table_;
    ViewParameters& view_;
    MainWindowSurface& window_;
    AnaglyphColors anaglyph_;
    std::unique_ptr<OffscreenBitmap> labelTextLeft_, labelTextRight_;
    std::unique_ptr<OffscreenBitmap> labelBoxLeft_, labelBoxRight_;
    std::vector<LineSegment> segments_;  // kept to avoid an allocation per drawing
};

}  // namespace quorvane
