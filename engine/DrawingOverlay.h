#pragma once

#include "Canvas.h"
#include "Color.h"
#include "ViewParameters.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvane {

class LineTable;

// What is drawn over the main window's drawing, in the image's pixels (y
// down): lines drawn again, markers and labels. It is never part of the
// drawing itself, so pictures, the clipboard and prints do not carry it.
struct OverlayLine {
    LineSegment Segment;
    Color Pen = 0;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
};

enum class MarkerShape { Circle, Square, Cross };

struct OverlayMarker {
    int X = 0, Y = 0;
    Color Pen = 0;
    int Size = 9;   // pixels across
    int Width = 2;  // of the outline
    MarkerShape Shape = MarkerShape::Circle;
};

// Text with its top-left corner at (X, Y) on a filled box.
struct OverlayLabel {
    int X = 0, Y = 0;
    std::string Text;  // UTF-8; lines separated by '\n'
    Color TextColor = 0;
    Color BoxColor = 0xFFFFFF;
};

struct OverlayLayer {
    std::vector<OverlayLine> Lines;
    std::vector<OverlayMarker> Markers;
    std::vector<OverlayLabel> Labels;

    bool Empty() const { return Lines.empty() && Markers.empty() && Labels.empty(); }
    void Clear();
};

// Which of the stored projections a line is taken from.
enum class ProjectedView { Mono, LeftEye, RightEye };

// Where the lines of the last drawing and any point of the model land on the
// main window's image: the stored projection (with the drawing's pan) seen
// from the image's middle.
class ScreenPlacement {
public:
    ScreenPlacement(const LineTable& table, const ViewParameters& view, int imageWidth,
                    int imageHeight);

    const LineTable& Table() const { return table_; }
    const ViewParameters& View() const { return view_; }
    // The stored projection of a complete row as the drawing drew it.
    LineSegment StoredLine(int row, ProjectedView from) const;
    // A model point projected as the drawing projects line ends.
    void ModelPoint(const Vector3& point, ProjectedView from, int& x, int& y) const;
    // The views the drawing shows: the single view, or both eyes.
    std::vector<ProjectedView> DrawnViews() const;
    // The pen width the drawing used for its lines on the image.
    int DrawingPenWidth() const;

private:
    const LineTable& table_;
    const ViewParameters& view_;
    int imageWidth_, imageHeight_;
    int originX_, originY_;
};

// Which parts of the overlay lie over which: a part of a higher level is
// drawn over those of lower ones.
enum class OverlayLevel { Highlight, Markers, Measurement };

// The parts of the overlay, each adding what it draws for the last drawing.
// A part is asked again after every drawing, as its pixels follow the view.
class DrawingOverlay {
public:
    using Part = std::function<void(OverlayLayer&, const ScreenPlacement&)>;

    void AddPart(OverlayLevel level, Part part);
    void Build(OverlayLayer& layer, const ScreenPlacement& screen) const;

private:
    struct LevelPart {
        OverlayLevel Level;
        Part Add;
    };
    std::vector<LevelPart> parts_;  // by level, in the order added
};

// The selected rows' lines drawn again over the drawing with a wider pen: in
// `color` on the single view, in the eye colours and the anaglyph's pen mode
// on both eyes' pictures.
void AddHighlightedLines(OverlayLayer& layer, const ScreenPlacement& screen,
                         const std::vector<int>& rows, Color color, PenMode anaglyphPenMode);

// The pen width of highlighted lines: wider than the drawing's.
int HighlightPenWidth(int drawingPenWidth);

}  // namespace quorvane
