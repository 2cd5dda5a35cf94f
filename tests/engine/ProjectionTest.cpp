#include "ModelBuilder.h"
#include "Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvane::testing {
namespace {

class Projection : public ::testing::Test {
protected:
    Projection()
    {
        view.VanishingPointProjection = false;
        view.DrawingCentered = false;
        Turn(0, 0);
    }

    void Turn(double azimuth, int elevation)
    {
        SetUpViewAngles(view, azimuth, elevation);
    }

    LineTable table;
    ViewParameters view;
};

TEST_F(Projection, AnglesKeepTheirSinesAndCosines)
{
    SetAzimuth(view, 30);
    EXPECT_EQ(view.Azimuth, 30);
    EXPECT_DOUBLE_EQ(view.AzimuthRad, M_PI / 6);
    EXPECT_DOUBLE_EQ(view.SinAz, 0.5);
    SetElevation(view, -90);
    EXPECT_EQ(view.Elevation, -90);
    EXPECT_DOUBLE_EQ(view.SinEl, -1);
    EXPECT_NEAR(view.CosEl, 0, 1e-15);
}

TEST_F(Projection, TheEyeAngleComesFromTheViewerDistance)
{
    view.ViewerScreenDistance = 0.7;
    ComputeEyeAngle(view);
    const double length = std::sqrt(0.035 * 0.035 + 0.49);
    EXPECT_DOUBLE_EQ(view.EyeCos, 0.7 / length);
    EXPECT_DOUBLE_EQ(view.EyeSin, 0.035 / length);
}

TEST_F(Projection, DivisorsThatAreNotPositiveAreReplaced)
{
    view.VanishingPointProjection = true;
    view.InvScale = 1;
    AddLine(table, {100, 0.7, 0, 100, 0, 0});
    for (double distance : {0.0, -0.5}) {
        view.ViewerScreenDistance = distance;
        ComputeEyeAngle(view);
        EXPECT_GT(view.EyeCos, 0.99);
        ProjectLines(view, table, false, 1.0);
        EXPECT_EQ(table.Record(1).PX1, 50);  // as at the usual 0.7 m
        EXPECT_EQ(table.Record(1).PX2, 100);
    }
    view.ScreenWidth = 0;
    view.VirtualScreenWidth = 1200;
    view.InvScale = 0.5;
    UpdateDrawFactor(view);
    EXPECT_DOUBLE_EQ(view.DrawFactor, 2000.0);  // 1200 px over the usual 0.3 m, at 1 : 2
}

TEST_F(Projection, ParallelProjectionDropsTheDepth)
{
    AddLine(table, {0, 0, 0, 1, 5, 2});
    ProjectLines(view, table, false, 1.0);
    const LineRecord& r = table.Record(1);
    EXPECT_EQ((std::array{r.PX1, r.PY1, r.PX2, r.PY2}), (std::array{0, 0, 1, 2}));
    // Midpoints are left alone by the parallel projection.
    EXPECT_EQ(r.PXM, 0);
    EXPECT_EQ(r.PYM, 0);
}

TEST_F(Projection, AtAzimuth90TheYAxisPointsRightAndTheXAxisTowardsTheViewer)
{
    Turn(90, 0);
    AddLine(table, {0, 0, 0, 0, 10, 0});
    AddLine(table, {0, 0, 0, 10, 0, 0});
    ProjectLines(view, table, false, 1.0);
    EXPECT_EQ(table.Record(1).PX2, 10);
    EXPECT_EQ(table.Record(1).PY2, 0);
    EXPECT_EQ(table.Record(2).PX2, 0);
    EXPECT_NEAR(view.MonoMatrix.Depth[0], -1, 1e-15);  // +x has negative depth
}

TEST_F(Projection, Elevation90IsAPlanFromAbove)
{
    Turn(30, 90);
    EXPECT_NEAR(view.MonoMatrix.ScreenY[0], -0.5, 1e-15);
    EXPECT_NEAR(view.MonoMatrix.ScreenY[1], std::sqrt(3) / 2, 1e-15);
    EXPECT_NEAR(view.MonoMatrix.ScreenY[2], 0, 1e-15);
    EXPECT_NEAR(view.MonoMatrix.Depth[0], 0, 1e-15);
    EXPECT_NEAR(view.MonoMatrix.Depth[1], 0, 1e-15);
    EXPECT_EQ(view.MonoMatrix.Depth[2], -1);
}

TEST_F(Projection, VanishingPointShrinksFarPointsAndCapsNearOnes)
{
    view.VanishingPointProjection = true;
    view.ViewerScreenDistance = 0.7;
    view.InvScale = 1;
    AddLine(table, {100, 0, 0, 100, 0.7, 0});   // depth 0 and 0.7
    AddLine(table, {100, -0.6, 0, 100, -5, 0});  // both at or behind the divisor's floor
    ProjectLines(view, table, false, 1.0);
    EXPECT_EQ(table.Record(1).PX1, 100);
    EXPECT_EQ(table.Record(1).PX2, 50);
    EXPECT_EQ(table.Record(2).PX1, 700);
    EXPECT_EQ(table.Record(2).PX2, 700);
    // The midpoint (100, 0.35, 0) is projected too: 100 * 0.7 / 1.05.
    EXPECT_EQ(table.Record(1).PXM, 67);
}

TEST_F(Projection, TheDepthTermUsesTheScaleWhateverTheFactor)
{
    view.VanishingPointProjection = true;
    view.ViewerScreenDistance = 0.7;
    view.InvScale = 0.01;
    AddLine(table, {1, 70, 0, 1, 0, 0});  // depth 70 m is 0.7 m at 1 : 100
    ProjectLines(view, table, false, 1000.0);
    EXPECT_EQ(table.Record(1).PX1, 500);
    EXPECT_EQ(table.Record(1).PX2, 1000);
}

TEST_F(Projection, CentringMovesTheModelsCentreToTheOrigin)
{
    AddLine(table, {10, 0, 20, 14, 3, 22});
    ComputeModelExtents(view, table);
    ProjectLines(view, table, true, 1.0);
    EXPECT_EQ((std::array{table.Record(1).PX1, table.Record(1).PY1}), (std::array{-2, -1}));
    EXPECT_EQ((std::array{table.Record(1).PX2, table.Record(1).PY2}), (std::array{2, 1}));
}

TEST_F(Projection, RoundsTiesToEven)
{
    AddLine(table, {2.5, 0, 3.5, -2.5, 0, -3.5});
    ProjectLines(view, table, false, 1.0);
    const LineRecord& r = table.Record(1);
    EXPECT_EQ((std::array{r.PX1, r.PY1, r.PX2, r.PY2}), (std::array{2, 4, -2, -4}));
    EXPECT_EQ(RoundToPixel(0.5), 0);
    EXPECT_EQ(RoundToPixel(1.5), 2);
    EXPECT_EQ(RoundToPixel(-1.5), -2);
}

TEST_F(Projection, EachModeWritesOnlyItsOwnGroups)
{
    view.VanishingPointProjection = true;
    AddLine(table, {-1, 0, 0, 1, 0, 0});
    ProjectLines(view, table, false, 10000.0);
    const LineRecord mono = table.Record(1);

    view.ShowAnaglyph = true;
    ProjectLines(view, table, false, 10000.0);
    const LineRecord& r = table.Record(1);
    EXPECT_EQ(r.PX1, mono.PX1);
    EXPECT_EQ(r.PXM, mono.PXM);
    // Seen from the left eye a line through the screen plane's centre turns
    // one way, from the right eye the other.
    EXPECT_NE(r.LX1, r.RX1);
    EXPECT_EQ(r.LX1, -r.RX2);
    EXPECT_EQ(r.LY1, r.RY1);

    const LineRecord eyes = r;
    view.ShowAnaglyph = false;
    view.VanishingPointProjection = false;
    ProjectLines(view, table, false, 50.0);
    EXPECT_EQ(r.LX1, eyes.LX1);
    EXPECT_EQ(r.RXM, eyes.RXM);
    EXPECT_EQ(r.PXM, eyes.PXM);  // parallel leaves the midpoint
    EXPECT_EQ(r.PX1, -50);
}

TEST_F(Projection, EyeMatricesTurnTheMonoViewAboutTheVerticalAxis)
{
    Turn(37, 23);
    const double C = view.EyeCos, S = view.EyeSin;
    for (int axis = 0; axis < 3; ++axis) {
        const double x = view.MonoMatrix.ScreenX[axis], d = view.MonoMatrix.Depth[axis];
        EXPECT_NEAR(view.LeftEyeMatrix.ScreenX[axis], C * x - S * d, 1e-15);
        EXPECT_NEAR(view.LeftEyeMatrix.Depth[axis], S * x + C * d, 1e-15);
        EXPECT_NEAR(view.RightEyeMatrix.ScreenX[axis], C * x + S * d, 1e-15);
        EXPECT_NEAR(view.RightEyeMatrix.Depth[axis], -S * x + C * d, 1e-15);
        EXPECT_EQ(view.LeftEyeMatrix.ScreenY[axis], view.MonoMatrix.ScreenY[axis]);
    }
}

TEST_F(Projection, IncompleteRowsAreSkippedEverywhere)
{
    AddNote(table, "only text");
    ComputeModelExtents(view, table);
    EXPECT_EQ(view.ModelDiagonal, 0);
    EXPECT_EQ(view.ModelCentre, (Vector3{0, 0, 0}));
    ProjectLines(view, table, true, 1.0);
    EXPECT_EQ(table.Record(1), EmptyLineRecord);

    LineTable empty;
    view.ModelDiagonal = 5;
    ComputeModelExtents(view, empty);
    EXPECT_EQ(view.ModelDiagonal, 0);
}

TEST_F(Projection, ExtentsCoverTheEndPointsOfCompleteRows)
{
    AddLine(table, {0, 0, 0, 3, 4, 12});
    AddNote(table, "ignored");
    AddLine(table, {-1, 2, 1, 1, 2, 1});
    ComputeModelExtents(view, table);
    EXPECT_EQ(view.ModelCentre, (Vector3{1, 2, 6}));
    EXPECT_EQ(view.ModelSize, (Vector3{4, 4, 12}));
    EXPECT_DOUBLE_EQ(view.ModelDiagonal, std::sqrt(16.0 + 16 + 144));
}

TEST_F(Projection, HugeCoordinatesSaturateAndNeverGiveNaN)
{
    constexpr auto largest = std::numeric_limits<std::int32_t>::max();
    constexpr auto smallest = std::numeric_limits<std::int32_t>::min();
    AddLine(table, {1e300, 1e300, -1e300, -1.6e308, 1.6e308, 1.6e308});
    AddLine(table, {0, 0, 0, 1, 1, 1});
    ComputeModelExtents(view, table);
    EXPECT_TRUE(std::isfinite(view.ModelCentre[0]));
    EXPECT_FALSE(std::isnan(view.ModelDiagonal));
    view.InvScale = 0.01;
    for (bool centred : {false, true}) {
        ProjectLines(view, table, centred, 3.2e4);
        const LineRecord& r = table.Record(1);
        EXPECT_EQ((std::array{r.PX1, r.PY1, r.PX2, r.PY2}),
                  (std::array{largest, smallest, smallest, largest}));
    }
    // Far away in depth, the vanishing point pulls the points back in:
    // k = 3.2e4 * 0.7 / (1e300 * 0.01) for end point 1.
    view.VanishingPointProjection = true;
    ProjectLines(view, table, false, 3.2e4);
    const LineRecord& r = table.Record(1);
    EXPECT_EQ((std::array{r.PX1, r.PY1, r.PX2, r.PY2}),
              (std::array{2240000, -2240000, -2240000, 2240000}));
    EXPECT_EQ(RoundToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToPixel(3e9), largest);
    EXPECT_EQ(RoundToPixel(-3e9), smallest);
}

}  // namespace
}  // namespace quorvane::testing
