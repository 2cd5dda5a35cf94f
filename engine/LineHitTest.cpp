#include "LineHitTest.h"

#include "LineTable.h"
#include "Projection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

// Lines whose distances from the pixel differ by less than this cross there,
// and the one nearer to the viewer is meant; lines on neighbouring pixels do
// not cross.
constexpr double CrossingSlack = 0.75;
// The grid's entries stay below this many; longer lines get larger cells.
constexpr double MostEntries = 4'000'000;
constexpr int LargestCell = 1024;

double Along(const Vector3& row, const Vector3& p, const Vector3& centre)
{
    return row[0] * (p[0] - centre[0]) + row[1] * (p[1] - centre[1]) + row[2] * (p[2] - centre[2]);
}

struct Clipped {
    double X1, Y1, X2, Y2;
};

// The part of the segment inside [0, width] x [0, height] (Liang-Barsky);
// nothing when it lies outside.
std::optional<Clipped> ClipToRect(double x1, double y1, double x2, double y2, double width,
                                  double height)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1, width - x1, y1, height - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return Clipped{x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy};
}

// Every cell the clipped segment passes through, in order (a walk from cell
// border to cell border).
template <typename Take>
void CellsAlong(const Clipped& s, int cell, int columns, int rows, Take take)
{
    auto cellOf = [cell](double v, int count) {
        return std::clamp(static_cast<int>(std::floor(v / cell)), 0, count - 1);
    };
    int cx = cellOf(s.X1, columns), cy = cellOf(s.Y1, rows);
    const int endX = cellOf(s.X2, columns), endY = cellOf(s.Y2, rows);
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const int stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
    constexpr double never = std::numeric_limits<double>::infinity();
    double nextX = dx != 0 ? ((stepX > 0 ? cx + 1 : cx) * double(cell) - s.X1) / dx : never;
    double nextY = dy != 0 ? ((stepY > 0 ? cy + 1 : cy) * double(cell) - s.Y1) / dy : never;
    const double deltaX = dx != 0 ? cell / std::abs(dx) : never;
    const double deltaY = dy != 0 ? cell / std::abs(dy) : never;
    take(cy * columns + cx);
    for (int steps = std::abs(endX - cx) + std::abs(endY - cy); steps > 0; --steps) {
        if (nextX < nextY) {
            cx += stepX;
            nextX += deltaX;
        } else {
            cy += stepY;
            nextY += deltaY;
        }
        if (cx < 0 || cx >= columns || cy < 0 || cy >= rows)
            return;
        take(cy * columns + cx);
    }
}

struct Closest {
    double Distance;
    double Along;
};

Closest ClosestOnSegment(double x, double y, double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0)
        t = std::clamp(((x - x1) * dx + (y - y1) * dy) / lengthSquared, 0.0, 1.0);
    return {std::hypot(x - (x1 + t * dx), y - (y1 + t * dy)), t};
}

}  // namespace

void LineHitTest::Clear()
{
    lines_.clear();
    cellStart_.clear();
    cellLines_.clear();
    columns_ = rows_ = 0;
    built_ = false;
}

void LineHitTest::Build(const LineTable& table, const ViewParameters& view, int imageWidth,
                        int imageHeight)
{
    Clear();
    const double originX = imageWidth / 2;
    const double originY = imageHeight / 2;
    const Vector3 centre = view.DrawingCentered ? view.ModelCentre : Vector3{};
    const ViewMatrix& mono = view.MonoMatrix;
    const double viewerDistance = view.ViewerScreenDistance > 0 ? view.ViewerScreenDistance
                                                                : DefaultViewerScreenDistance;
    auto distanceOf = [&](double depth) {
        return view.VanishingPointProjection
                   ? std::max(0.1, depth * view.InvScale + viewerDistance)
                   : 1.0;
    };
    lines_.reserve(static_cast<std::size_t>(table.CompleteLineCount));
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& r = table.Record(row);
        if (!r.Complete)
            continue;
        const Vector3 p1{r.X1, r.Y1, r.Z1}, p2{r.X2, r.Y2, r.Z2};
        double x1, y1, x2, y2;
        if (!view.ShowAnaglyph) {
            x1 = r.PX1, y1 = r.PY1, x2 = r.PX2, y2 = r.PY2;
        } else {
            // The eyes' pictures lie either side of the single view's.
            const ProjectedPoint a =
                ProjectModelPoint(view, mono, p1, view.DrawingCentered, view.DrawFactor);
            const ProjectedPoint b =
                ProjectModelPoint(view, mono, p2, view.DrawingCentered, view.DrawFactor);
            x1 = double(a.X) + view.PanX, y1 = double(a.Y) + view.PanY;
            x2 = double(b.X) + view.PanX, y2 = double(b.Y) + view.PanY;
        }
        const double depth1 = Along(mono.Depth, p1, centre);
        const double depth2 = Along(mono.Depth, p2, centre);
        lines_.push_back({originX + x1, originY - y1, originX + x2, originY - y2, depth1, depth2,
                          distanceOf(depth1), distanceOf(depth2), row});
    }
    left_ = -Reach;
    top_ = -Reach;
    const int width = std::max(1, imageWidth) + 2 * Reach;
    const int height = std::max(1, imageHeight) + 2 * Reach;

    // Cells small enough to hold few lines each, large enough that long
    // lines do not fill the grid with entries.
    double length = 0;
    for (const Line& line : lines_)
        if (const auto c = ClipToRect(line.X1 - left_, line.Y1 - top_, line.X2 - left_,
                                      line.Y2 - top_, width, height))
            length += std::hypot(c->X2 - c->X1, c->Y2 - c->Y1);
    cell_ = 16;
    while (cell_ < LargestCell && length / cell_ + 2.0 * double(lines_.size()) > MostEntries)
        cell_ *= 2;
    columns_ = (width + cell_ - 1) / cell_;
    rows_ = (height + cell_ - 1) / cell_;

    // Counted first, then filled, so the entries of a cell lie together.
    cellStart_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    auto eachCell = [&](auto take) {
        for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
            const Line& line = lines_[static_cast<std::size_t>(i)];
            if (const auto c = ClipToRect(line.X1 - left_, line.Y1 - top_, line.X2 - left_,
                                          line.Y2 - top_, width, height))
                CellsAlong(*c, cell_, columns_, rows_, [&](int cell) { take(cell, i); });
        }
    };
    eachCell([&](int cell, int) { ++cellStart_[static_cast<std::size_t>(cell) + 1]; });
    for (std::size_t c = 1; c < cellStart_.size(); ++c)
        cellStart_[c] += cellStart_[c - 1];
    cellLines_.resize(static_cast<std::size_t>(cellStart_.back()));
    std::vector<int> next(cellStart_.begin(), cellStart_.end() - 1);
    eachCell([&](int cell, int line) {
        cellLines_[static_cast<std::size_t>(next[static_cast<std::size_t>(cell)]++)] = line;
    });
    built_ = true;
}

template <typename Visit>
void LineHitTest::VisitCandidates(double x, double y, double radius, Visit visit) const
{
    if (!built_ || columns_ == 0 || !std::isfinite(x) || !std::isfinite(y))
        return;
    const double gx = x - left_, gy = y - top_;
    const int firstColumn = std::max(0, static_cast<int>(std::floor((gx - radius) / cell_)));
    const int lastColumn = std::min(columns_ - 1, static_cast<int>(std::floor((gx + radius) / cell_)));
    const int firstRow = std::max(0, static_cast<int>(std::floor((gy - radius) / cell_)));
    const int lastRow = std::min(rows_ - 1, static_cast<int>(std::floor((gy + radius) / cell_)));
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const auto cell = static_cast<std::size_t>(row * columns_ + column);
            for (int k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k)
                visit(lines_[static_cast<std::size_t>(cellLines_[static_cast<std::size_t>(k)])]);
        }
}

std::optional<LineHit> LineHitTest::NearestLine(double x, double y, double radius) const
{
    struct Candidate {
        const Line* line;
        Closest closest;
    };
    std::vector<Candidate> candidates;
    double nearest = std::numeric_limits<double>::infinity();
    VisitCandidates(x, y, radius, [&](const Line& line) {
        const Closest c = ClosestOnSegment(x, y, line.X1, line.Y1, line.X2, line.Y2);
        if (c.Distance > radius)
            return;
        nearest = std::min(nearest, c.Distance);
        candidates.push_back({&line, c});
    });
    const Candidate* best = nullptr;
    double bestDepth = 0;
    for (const Candidate& c : candidates) {
        if (c.closest.Distance >= nearest + CrossingSlack)
            continue;
        const double depth =
            c.line->Depth1 + c.closest.Along * (c.line->Depth2 - c.line->Depth1);
        if (!best || depth < bestDepth || (depth == bestDepth && c.line->Row < best->line->Row)) {
            best = &c;
            bestDepth = depth;
        }
    }
    if (!best)
        return std::nullopt;
    return LineHit{best->line->Row, best->closest.Distance, best->closest.Along};
}

std::optional<LineEndHit> LineHitTest::NearestEnd(double x, double y, double radius) const
{
    std::optional<LineEndHit> best;
    double bestDepth = 0;
    VisitCandidates(x, y, radius, [&](const Line& line) {
        for (int end = 1; end <= 2; ++end) {
            const double ex = end == 1 ? line.X1 : line.X2;
            const double ey = end == 1 ? line.Y1 : line.Y2;
            const double depth = end == 1 ? line.Depth1 : line.Depth2;
            const double distance = std::hypot(x - ex, y - ey);
            if (distance > radius)
                continue;
            const bool better = !best || distance < best->Distance - 0.5 ||
                                (distance < best->Distance + 0.5 &&
                                 (depth < bestDepth ||
                                  (depth == bestDepth && line.Row < best->Row)));
            if (better) {
                best = LineEndHit{line.Row, end, static_cast<int>(std::lround(ex)),
                                  static_cast<int>(std::lround(ey)), distance};
                bestDepth = depth;
            }
        }
    });
    return best;
}

Vector3 LineHitTest::ModelPoint(const LineTable& table, const LineHit& hit) const
{
    const LineRecord& r = table.Record(hit.Row);
    const auto line = std::lower_bound(lines_.begin(), lines_.end(), hit.Row,
                                       [](const Line& l, int row) { return l.Row < row; });
    double u = hit.Along;
    if (line != lines_.end() && line->Row == hit.Row) {
        // Equal steps on the screen are unequal steps on a line that runs
        // away from the viewer.
        const double d1 = line->Distance1, d2 = line->Distance2;
        const double denominator = (1 - u) * d2 + u * d1;
        if (denominator > 0)
            u = u * d1 / denominator;
    }
    return {r.X1 + u * (r.X2 - r.X1), r.Y1 + u * (r.Y2 - r.Y1), r.Z1 + u * (r.Z2 - r.Z1)};
}

}  // namespace quorvane
