#include "CheckMarkers.h"

#include "Canvas.h"
#include "Projection.h"
#include "ViewParameters.h"

#include <algorithm>
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

std::vector<CheckMarker> PlaceCheckMarkers(std::span<const CheckFinding> findings,
                                           const MarkerPlacement& where)
{
    std::vector<CheckMarker> markers;
    markers.reserve(findings.size());
    for (const CheckFinding& finding : findings) {
        CheckMarker marker{0, 0, finding.Severity};
        where(finding.Place, marker.X, marker.Y);
        markers.push_back(marker);
    }
    // Errors first, so that the one kept of a pixel's markers is an error
    // when there is one.
    std::stable_sort(markers.begin(), markers.end(), [](const CheckMarker& a, const CheckMarker& b) {
        if (a.X != b.X)
            return a.X < b.X;
        if (a.Y != b.Y)
            return a.Y < b.Y;
        return a.Severity == CheckSeverity::Error && b.Severity != CheckSeverity::Error;
    });
    markers.erase(std::unique(markers.begin(), markers.end(),
                              [](const CheckMarker& a, const CheckMarker& b) {
                                  return a.X == b.X && a.Y == b.Y;
                              }),
                  markers.end());
    return markers;
}

std::vector<CheckMarker> PlaceCheckMarkers(std::span<const CheckFinding> findings,
                                           const ViewParameters& view, const MarkerFrame& frame)
{
    return PlaceCheckMarkers(findings, [&](Vec3 place, int& x, int& y) {
        const ProjectedPoint p = ProjectModelPoint(view, view.MonoMatrix,
                                                   {place.X, place.Y, place.Z}, frame.Centred,
                                                   frame.Factor);
        x = Saturate(std::int64_t(frame.OriginX) + p.X + frame.ShiftX);
        y = Saturate(std::int64_t(frame.OriginY) - p.Y - frame.ShiftY);
    });
}

int MarkerRadius(int penWidth)
{
    return std::max(6, 4 * penWidth);
}

int MarkerPenWidth(int radius)
{
    return std::max(2, radius / 3);
}

void DrawCheckMarkers(Canvas& canvas, std::span<const CheckMarker> markers, Color color,
                      int radius)
{
    if (markers.empty())
        return;
    canvas.SetPenMode(PenMode::Copy);
    canvas.SetPenColor(color);
    canvas.SetPenWidth(MarkerPenWidth(radius));
    std::vector<LineSegment> lines;
    lines.reserve(6 * markers.size());
    for (const CheckMarker& m : markers) {
        const int left = Saturate(std::int64_t(m.X) - radius);
        const int right = Saturate(std::int64_t(m.X) + radius);
        const int top = Saturate(std::int64_t(m.Y) - radius);
        const int bottom = Saturate(std::int64_t(m.Y) + radius);
        lines.push_back({left, top, right, top});
        lines.push_back({right, top, right, bottom});
        lines.push_back({right, bottom, left, bottom});
        lines.push_back({left, bottom, left, top});
        if (m.Severity == CheckSeverity::Error) {
            lines.push_back({left, top, right, bottom});
            lines.push_back({right, top, left, bottom});
        }
    }
    canvas.DrawLines(lines);
}

void AddCheckMarkers(OverlayLayer& layer, const ScreenPlacement& screen,
                     std::span<const CheckFinding> findings, Color color)
{
    const std::vector<CheckMarker> markers =
        PlaceCheckMarkers(findings, [&](Vec3 place, int& x, int& y) {
            screen.ModelPoint({place.X, place.Y, place.Z}, ProjectedView::Mono, x, y);
        });
    // Thin lines, which the painter takes in one batch on its quickest
    // path: a thousand markers cost the drawing little.
    const int radius = MarkerRadius(screen.DrawingPenWidth());
    const auto add = [&](int x1, int y1, int x2, int y2) {
        layer.Lines.push_back({{x1, y1, x2, y2}, color, 0, PenMode::Copy});
    };
    for (const CheckMarker& m : markers) {
        const int x = m.X, y = m.Y, r = radius;
        add(x - r, y - r, x + r, y - r);
        add(x + r, y - r, x + r, y + r);
        add(x + r, y + r, x - r, y + r);
        add(x - r, y + r, x - r, y - r);
        if (m.Severity == CheckSeverity::Error) {
            add(x - r, y - r, x + r, y + r);
            add(x + r, y - r, x - r, y + r);
        }
    }
}

}  // namespace quorvane
