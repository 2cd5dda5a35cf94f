#include "Measurement.h"

#include "LineTable.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double RadiansToDegrees = 57.29577951308232;

Vector3 Difference(const Vector3& a, const Vector3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

double Length(const Vector3& v)
{
    return std::hypot(v[0], v[1], v[2]);
}

// From the measured end of its line towards the line's other end.
Vector3 AwayFromEnd(const LineTable& table, const MeasuredPoint& point)
{
    const LineRecord& r = table.Record(point.Row);
    const Vector3 p1{r.X1, r.Y1, r.Z1}, p2{r.X2, r.Y2, r.Z2};
    return point.End == 1 ? Difference(p2, p1) : Difference(p1, p2);
}

}  // namespace

MeasuredPoint LineEndPoint(const LineTable& table, int row, int end)
{
    const LineRecord& r = table.Record(row);
    return {end == 1 ? Vector3{r.X1, r.Y1, r.Z1} : Vector3{r.X2, r.Y2, r.Z2}, row, end};
}

Measurement Measure(const LineTable& table, const MeasuredPoint& from, const MeasuredPoint& to)
{
    Measurement m{from, to, Length(Difference(to.Point, from.Point)), false, 0};
    if (from.End == 0 || to.End == 0 || from.Row == to.Row)
        return m;
    const Vector3 u = AwayFromEnd(table, from);
    const Vector3 v = AwayFromEnd(table, to);
    const double lengths = Length(u) * Length(v);
    if (!(lengths > 0) || !std::isfinite(lengths))
        return m;
    const double cosine = (u[0] * v[0] + u[1] * v[1] + u[2] * v[2]) / lengths;
    m.HasAngle = true;
    m.AngleDegrees = std::acos(std::clamp(cosine, -1.0, 1.0)) * RadiansToDegrees;
    return m;
}

}  // namespace quorvane
