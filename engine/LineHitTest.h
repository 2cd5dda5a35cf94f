#pragma once

#include "ViewParameters.h"

#include <optional>
#include <vector>

namespace quorvane {

class LineTable;

// A drawn line found near a pixel.
struct LineHit {
    int Row = 0;
    double Distance = 0;  // pixels from the asked pixel to the line
    double Along = 0;     // where on the drawn line, 0 at end 1 to 1 at end 2
};

// A drawn line end found near a pixel.
struct LineEndHit {
    int Row = 0;
    int End = 1;  // 1 or 2
    int X = 0, Y = 0;  // the end's pixel on the image
    double Distance = 0;
};

// Finds the drawn lines near a pixel of the main window's image. It is built
// once per drawing from the stored projection (in anaglyph from the single
// view, between the two eyes' pictures) and sorts the lines into square cells
// of the image, so that a question looks only at the lines of the few cells
// around the pixel, whatever the size of the model.
class LineHitTest {
public:
    // The lines as the last drawing on an image of this size placed them.
    void Build(const LineTable& table, const ViewParameters& view, int imageWidth,
               int imageHeight);
    void Clear();
    bool Built() const { return built_; }

    // The line nearest to (x, y) within `radius` pixels. Where lines cross,
    // the one nearer to the viewer wins.
    std::optional<LineHit> NearestLine(double x, double y, double radius) const;
    // The line end nearest to (x, y) within `radius` pixels; of ends on the
    // same pixel, the one nearer to the viewer.
    std::optional<LineEndHit> NearestEnd(double x, double y, double radius) const;
    // The model point of a hit: on the line as the projection drew it, also
    // where the vanishing point foreshortens it.
    Vector3 ModelPoint(const LineTable& table, const LineHit& hit) const;

    int CellSize() const { return cell_; }
    // Questions farther than this from the image find nothing.
    static constexpr int Reach = 32;

private:
    struct Line {
        double X1, Y1, X2, Y2;  // image pixels, y down
        double Depth1, Depth2;  // along the view, larger is farther
        // Distances from the viewer that shrank each end, for points on
        // the line; 1 in the parallel projection.
        double Distance1, Distance2;
        int Row;
    };
    template <typename Visit>
    void VisitCandidates(double x, double y, double radius, Visit visit) const;
    void SortIntoCells();

    std::vector<Line> lines_;
    std::vector<int> cellStart_;  // cells' first entries in cellLines_, one more than cells
    std::vector<int> cellLines_;  // indices into lines_, cell by cell
    int columns_ = 0, rows_ = 0;
    int cell_ = 16;
    int left_ = 0, top_ = 0;  // image pixel of the grid's top-left corner
    bool built_ = false;
};

}  // namespace quorvane
