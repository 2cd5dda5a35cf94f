#include "DrawingOverlay.h"

#include "LineTable.h"
#include "Projection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvane {

namespace {

int Saturate(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

void OverlayLayer::Clear()
{
    Lines.clear();
    Markers.clear();
    Labels.clear();
}

ScreenPlacement::ScreenPlacement(const LineTable& table, const ViewParameters& view,
                                 int imageWidth, int imageHeight)
    : table_(table), view_(view), imageWidth_(imageWidth), imageHeight_(imageHeight),
      originX_(imageWidth / 2), originY_(imageHeight / 2)
{
}

LineSegment ScreenPlacement::StoredLine(int row, ProjectedView from) const
{
    const LineRecord& r = table_.Record(row);
    const std::int64_t ox = originX_, oy = originY_;
    switch (from) {
    case ProjectedView::LeftEye:
        return {Saturate(ox + r.LX1), Saturate(oy - r.LY1), Saturate(ox + r.LX2),
                Saturate(oy - r.LY2)};
    case ProjectedView::RightEye:
        return {Saturate(ox + r.RX1), Saturate(oy - r.RY1), Saturate(ox + r.RX2),
                Saturate(oy - r.RY2)};
    case ProjectedView::Mono:
        break;
    }
    return {Saturate(ox + r.PX1), Saturate(oy - r.PY1), Saturate(ox + r.PX2), Saturate(oy - r.PY2)};
}

void ScreenPlacement::ModelPoint(const Vector3& point, ProjectedView from, int& x, int& y) const
{
    const ViewMatrix& matrix = from == ProjectedView::LeftEye    ? view_.LeftEyeMatrix
                               : from == ProjectedView::RightEye ? view_.RightEyeMatrix
                                                                 : view_.MonoMatrix;
    const ProjectedPoint p =
        ProjectModelPoint(view_, matrix, point, view_.DrawingCentered, view_.DrawFactor);
    x = Saturate(std::int64_t(originX_) + p.X + view_.PanX);
    y = Saturate(std::int64_t(originY_) - p.Y - view_.PanY);
}

std::vector<ProjectedView> ScreenPlacement::DrawnViews() const
{
    if (view_.ShowAnaglyph)
        return {ProjectedView::LeftEye, ProjectedView::RightEye};
    return {ProjectedView::Mono};
}

int ScreenPlacement::DrawingPenWidth() const
{
    // As the drawing sizes its pen on the main window's image.
    const double areaDiagonal = std::hypot(double(imageWidth_), double(imageHeight_));
    const double modelDiagonal = view_.ModelDiagonal * view_.DrawFactor;
    return std::max(1, RoundToPixel(std::min(areaDiagonal, modelDiagonal) * 0.0005));
}

void DrawingOverlay::AddPart(OverlayLevel level, Part part)
{
    const auto place = std::find_if(parts_.begin(), parts_.end(),
                                    [level](const LevelPart& p) { return p.Level > level; });
    parts_.insert(place, {level, std::move(part)});
}

void DrawingOverlay::Build(OverlayLayer& layer, const ScreenPlacement& screen) const
{
    layer.Clear();
    for (const LevelPart& part : parts_)
        part.Add(layer, screen);
}

int HighlightPenWidth(int drawingPenWidth)
{
    return drawingPenWidth + 2;
}

void AddHighlightedLines(OverlayLayer& layer, const ScreenPlacement& screen,
                         const std::vector<int>& rows, Color color, PenMode anaglyphPenMode)
{
    const LineTable& table = screen.Table();
    const ViewParameters& view = screen.View();
    const int width = HighlightPenWidth(screen.DrawingPenWidth());
    for (const ProjectedView from : screen.DrawnViews()) {
        const Color pen = from == ProjectedView::LeftEye    ? view.AnaglyphColorLeft
                          : from == ProjectedView::RightEye ? view.AnaglyphColorRight
                                                            : color;
        const PenMode mode = from == ProjectedView::Mono ? PenMode::Copy : anaglyphPenMode;
        for (const int row : rows) {
            if (row < 1 || row > table.LineCount || !table.Record(row).Complete)
                continue;
            layer.Lines.push_back({screen.StoredLine(row, from), pen, width, mode});
        }
    }
}

}  // namespace quorvane
