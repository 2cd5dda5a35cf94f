#include "Transforms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

struct Turn {
    double Cos = 1, Sin = 0;
};

// Quarter turns are exact, so that a rotation by 90 degrees leaves clean
// numbers rather than traces like 6e-17.
Turn TurnOf(double degrees)
{
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    if (reduced == 0)
        return {1, 0};
    if (reduced == 90)
        return {0, 1};
    if (reduced == 180)
        return {-1, 0};
    if (reduced == 270)
        return {0, -1};
    const double radians = reduced * std::numbers::pi / 180.0;
    return {std::cos(radians), std::sin(radians)};
}

// Plane coordinates (a, b) turned counter-clockwise.
void Rotate(double& a, double& b, const Turn& turn)
{
    const double turnedA = a * turn.Cos - b * turn.Sin;
    const double turnedB = a * turn.Sin + b * turn.Cos;
    a = turnedA;
    b = turnedB;
}

bool HasPoint(const LineRecord& record, int end)
{
    const int first = end == 1 ? 1 : 4;
    for (int column = first; column < first + 3; ++column)
        if (record.Coordinate(column) == Undefined)
            return false;
    return true;
}

Point3 PointOf(const LineRecord& record, int end)
{
    return end == 1 ? Point3{record.X1, record.Y1, record.Z1}
                    : Point3{record.X2, record.Y2, record.Z2};
}

// A coordinate the table can hold: finite and short of the mark of an
// undefined one.
bool Holdable(double value)
{
    return std::isfinite(value) && std::fabs(value) < Undefined;
}

}  // namespace

Point3 TransformPoint(const Transform& transform, const Point3& centre, const Point3& point)
{
    const Point3 about = transform.AboutCentre ? centre : Point3{};
    Point3 p{point.X - about.X, point.Y - about.Y, point.Z - about.Z};
    switch (transform.Kind) {
    case TransformKind::Move:
        return {point.X + transform.Offset.X, point.Y + transform.Offset.Y,
                point.Z + transform.Offset.Z};
    case TransformKind::Rotate: {
        const Turn turn = TurnOf(transform.AngleDegrees);
        switch (transform.RotationAxis) {
        case Axis::X:
            Rotate(p.Y, p.Z, turn);
            break;
        case Axis::Y:
            Rotate(p.Z, p.X, turn);
            break;
        case Axis::Z:
            Rotate(p.X, p.Y, turn);
            break;
        }
        break;
    }
    case TransformKind::Scale:
        p = {p.X * transform.Factor, p.Y * transform.Factor, p.Z * transform.Factor};
        break;
    case TransformKind::Mirror:
        switch (transform.Plane) {
        case MirrorPlane::XY:
            p.Z = -p.Z;
            break;
        case MirrorPlane::YZ:
            p.X = -p.X;
            break;
        case MirrorPlane::ZX:
            p.Y = -p.Y;
            break;
        }
        break;
    }
    return {p.X + about.X, p.Y + about.Y, p.Z + about.Z};
}

std::optional<Point3> SelectionCentre(const LineTable& table, const std::vector<int>& rows)
{
    bool found = false;
    Point3 low, high;
    for (const int row : rows) {
        const LineRecord& record = table.Record(row);
        for (const int end : {1, 2}) {
            if (!HasPoint(record, end))
                continue;
            const Point3 p = PointOf(record, end);
            if (!found) {
                low = high = p;
                found = true;
            }
            low = {std::min(low.X, p.X), std::min(low.Y, p.Y), std::min(low.Z, p.Z)};
            high = {std::max(high.X, p.X), std::max(high.Y, p.Y), std::max(high.Z, p.Z)};
        }
    }
    if (!found)
        return std::nullopt;
    // Halves first, so that the middle of two large numbers cannot overflow.
    return Point3{low.X / 2 + high.X / 2, low.Y / 2 + high.Y / 2, low.Z / 2 + high.Z / 2};
}

TransformedRows TransformRows(const LineTable& table, const std::vector<int>& rows,
                              const Transform& transform, int decimals)
{
    TransformedRows result;
    const Point3 centre = SelectionCentre(table, rows).value_or(Point3{});
    std::string text;
    for (const int row : rows) {
        RowContent content = table.Content(row);
        LineRecord& record = content.Record;
        bool mapped = false;
        for (const int end : {1, 2}) {
            if (!HasPoint(record, end))
                continue;
            const Point3 p = TransformPoint(transform, centre, PointOf(record, end));
            const int first = end == 1 ? 1 : 4;
            const double values[] = {p.X, p.Y, p.Z};
            for (int i = 0; i < 3; ++i) {
                if (!Holdable(values[i])) {
                    result.OverflowRow = row;
                    return result;
                }
                record.Coordinate(first + i) = values[i];
                table.FormatNumber(text, decimals, values[i]);
                content.Texts.Set(first + i, text);
            }
            mapped = true;
        }
        if (!mapped)
            continue;
        if (record.Complete)
            ComputeMidpoint(record);
        result.Rows.push_back(row);
        result.Contents.push_back(std::move(content));
    }
    return result;
}

}  // namespace quorvane
