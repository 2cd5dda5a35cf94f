#include "Projection.h"

#include "LineTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;
constexpr double NearestViewerDistance = 0.1;  // metres

// The viewer's distance is a divisor; a value that is not positive, as a
// damaged settings file may give, is taken as the usual one.
double ViewerDistance(const ViewParameters& view)
{
    return view.ViewerScreenDistance > 0 ? view.ViewerScreenDistance : DefaultViewerScreenDistance;
}

struct PixelPoint {
    std::int32_t X = 0, Y = 0;
};

struct ProjectionContext {
    bool vanishingPoint;
    double factor;
    double invScale;
    double viewerDistance;
    Vector3 centre;  // subtracted from every point; zero when not centred
};

template <typename Real>
Real Apply(const Vector3& row, Real x, Real y, Real z)
{
    return row[0] * x + row[1] * y + row[2] * z;
}

// Screen position of a point in Real arithmetic; false when a value on the way
// left the range of Real.
template <typename Real>
bool ProjectInto(const ProjectionContext& c, const ViewMatrix& m, Real x, Real y, Real z,
                 Real& screenX, Real& screenY)
{
    x -= c.centre[0];
    y -= c.centre[1];
    z -= c.centre[2];
    const Real alongX = Apply(m.ScreenX, x, y, z);
    const Real alongY = Apply(m.ScreenY, x, y, z);
    if (!c.vanishingPoint) {
        screenX = alongX * c.factor;
        screenY = alongY * c.factor;
    } else {
        const Real depth = Apply(m.Depth, x, y, z);
        const Real distance =
            std::max(Real(NearestViewerDistance), depth * c.invScale + c.viewerDistance);
        const Real k = c.factor * c.viewerDistance / distance;
        screenX = k * alongX;
        screenY = k * alongY;
    }
    return std::isfinite(screenX) && std::isfinite(screenY);
}

// Doubles as the rule says; a point so far out that a double overflows on the
// way is done again in extended precision, whose range holds any model, so
// that no infinity or NaN reaches the pixels.
PixelPoint ProjectPoint(const ProjectionContext& c, const ViewMatrix& m, double x, double y,
                        double z)
{
    double screenX = 0, screenY = 0;
    if (ProjectInto<double>(c, m, x, y, z, screenX, screenY))
        return {RoundToPixel(screenX), RoundToPixel(screenY)};
    long double wideX = 0, wideY = 0;
    ProjectInto<long double>(c, m, x, y, z, wideX, wideY);
    return {RoundToPixel(wideX), RoundToPixel(wideY)};
}

void ProjectGroup(const ProjectionContext& c, const ViewMatrix& m, const LineRecord& r,
                  std::int32_t* group)
{
    // group: XM, YM, X1, Y1, X2, Y2
    if (c.vanishingPoint) {
        const PixelPoint mid = ProjectPoint(c, m, r.XM, r.YM, r.ZM);
        group[0] = mid.X;
        group[1] = mid.Y;
    }
    const PixelPoint p1 = ProjectPoint(c, m, r.X1, r.Y1, r.Z1);
    const PixelPoint p2 = ProjectPoint(c, m, r.X2, r.Y2, r.Z2);
    group[2] = p1.X;
    group[3] = p1.Y;
    group[4] = p2.X;
    group[5] = p2.Y;
}

void StoreGroup(const std::int32_t* group, std::int32_t& xm, std::int32_t& ym, std::int32_t& x1,
                std::int32_t& y1, std::int32_t& x2, std::int32_t& y2, bool withMidpoint)
{
    if (withMidpoint) {
        xm = group[0];
        ym = group[1];
    }
    x1 = group[2];
    y1 = group[3];
    x2 = group[4];
    y2 = group[5];
}

}  // namespace

std::int32_t RoundToPixel(double value)
{
    constexpr auto largest = std::numeric_limits<std::int32_t>::max();
    constexpr auto smallest = std::numeric_limits<std::int32_t>::min();
    if (value >= largest)
        return largest;
    if (value <= smallest)
        return smallest;
    if (std::isnan(value))
        return 0;
    // Adding and taking away 1.5 * 2^52 rounds to the nearest integer, ties
    // to even, in the default rounding mode; much cheaper than nearbyint.
    constexpr double shifter = 6755399441055744.0;
    const double rounded = (value + shifter) - shifter;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t RoundToPixel(long double value)
{
    constexpr auto largest = std::numeric_limits<std::int32_t>::max();
    constexpr auto smallest = std::numeric_limits<std::int32_t>::min();
    if (std::isnan(value))
        return 0;
    const long double rounded = std::nearbyint(value);
    if (rounded >= largest)
        return largest;
    if (rounded <= smallest)
        return smallest;
    return static_cast<std::int32_t>(rounded);
}

void SetAzimuth(ViewParameters& view, double degrees)
{
    view.Azimuth = degrees;
    view.AzimuthRad = degrees * DegreesToRadians;
    view.CosAz = std::cos(view.AzimuthRad);
    view.SinAz = std::sin(view.AzimuthRad);
}

void SetElevation(ViewParameters& view, int degrees)
{
    view.Elevation = degrees;
    view.ElevationRad = degrees * DegreesToRadians;
    view.CosEl = std::cos(view.ElevationRad);
    view.SinEl = std::sin(view.ElevationRad);
}

void ComputeEyeAngle(ViewParameters& view)
{
    const double e = HalfEyeDistance;
    const double d = ViewerDistance(view);
    const double length = std::sqrt(e * e + d * d);
    view.EyeCos = d / length;
    view.EyeSin = e / length;
}

void BuildViewMatrices(ViewParameters& view)
{
    const double ca = view.CosAz, sa = view.SinAz;
    const double ce = view.CosEl, se = view.SinEl;
    const double C = view.EyeCos, S = view.EyeSin;
    const Vector3 screenY{-se * sa, se * ca, ce};

    view.MonoMatrix = {{ca, sa, 0}, {-ce * sa, ce * ca, -se}, screenY};
    // Each eye sees the single view turned about the screen's vertical axis.
    view.LeftEyeMatrix = {{C * ca + S * ce * sa, C * sa - S * ce * ca, S * se},
                          {S * ca - C * ce * sa, S * sa + C * ce * ca, -C * se},
                          screenY};
    view.RightEyeMatrix = {{C * ca - S * ce * sa, C * sa + S * ce * ca, -S * se},
                           {-S * ca - C * ce * sa, -S * sa + C * ce * ca, -C * se},
                           screenY};
}

void SetUpViewAngles(ViewParameters& view, double azimuth, int elevation)
{
    SetAzimuth(view, azimuth);
    SetElevation(view, elevation);
    ComputeEyeAngle(view);
    BuildViewMatrices(view);
}

void UpdateDrawFactor(ViewParameters& view)
{
    const double screenWidth = view.ScreenWidth > 0 ? view.ScreenWidth : DefaultScreenWidth;
    view.PixelsPerMetre = view.VirtualScreenWidth / screenWidth;
    view.DrawFactor = view.InvScale * view.PixelsPerMetre;
}

void ComputeModelExtents(ViewParameters& view, const LineTable& table)
{
    view.ModelCentre = {};
    view.ModelSize = {};
    view.ModelDiagonal = 0;
    if (table.LineCount == 0)
        return;
    Vector3 low{8.5e307, 8.5e307, 8.5e307};
    Vector3 high{-8.5e307, -8.5e307, -8.5e307};
    bool anyComplete = false;
    auto take = [&](int axis, double value) {
        if (value < low[axis])
            low[axis] = value;
        if (value > high[axis])
            high[axis] = value;
    };
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& r = table.Record(row);
        if (!r.Complete)
            continue;
        anyComplete = true;
        take(0, r.X1);
        take(0, r.X2);
        take(1, r.Y1);
        take(1, r.Y2);
        take(2, r.Z1);
        take(2, r.Z2);
    }
    if (!anyComplete)
        return;
    for (int axis = 0; axis < 3; ++axis) {
        // Halving first keeps the centre finite for models near the double range.
        view.ModelCentre[axis] = low[axis] / 2 + high[axis] / 2;
        view.ModelSize[axis] = high[axis] - low[axis];
    }
    view.ModelDiagonal = std::hypot(view.ModelSize[0], view.ModelSize[1], view.ModelSize[2]);
}

ProjectedPoint ProjectModelPoint(const ViewParameters& view, const ViewMatrix& matrix,
                                 const Vector3& point, bool centred, double factor)
{
    const ProjectionContext context{view.VanishingPointProjection, factor, view.InvScale,
                                    ViewerDistance(view),
                                    centred ? view.ModelCentre : Vector3{}};
    const PixelPoint p = ProjectPoint(context, matrix, point[0], point[1], point[2]);
    return {p.X, p.Y};
}

void ProjectLines(const ViewParameters& view, LineTable& table, bool centred, double factor)
{
    const ProjectionContext context{view.VanishingPointProjection, factor, view.InvScale,
                                    ViewerDistance(view),
                                    centred ? view.ModelCentre : Vector3{}};
    const bool withMidpoint = view.VanishingPointProjection;
    std::int32_t group[6];
    for (int row = 1; row <= table.LineCount; ++row) {
        LineRecord& r = table.Record(row);
        if (!r.Complete)
            continue;
        if (!view.ShowAnaglyph) {
            ProjectGroup(context, view.MonoMatrix, r, group);
            StoreGroup(group, r.PXM, r.PYM, r.PX1, r.PY1, r.PX2, r.PY2, withMidpoint);
        } else {
            ProjectGroup(context, view.LeftEyeMatrix, r, group);
            StoreGroup(group, r.LXM, r.LYM, r.LX1, r.LY1, r.LX2, r.LY2, withMidpoint);
            ProjectGroup(context, view.RightEyeMatrix, r, group);
            StoreGroup(group, r.RXM, r.RYM, r.RX1, r.RY1, r.RX2, r.RY2, withMidpoint);
        }
    }
}

}  // namespace quorvane
