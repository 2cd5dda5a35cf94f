#include "DrawingOverlay.h"
#include "LineHitTest.h"
#include "Measurement.h"
#include "ModelBuilder.h"
#include "Projection.h"
#include "Scale.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane::testing {
namespace {

constexpr int Width = 400;
constexpr int Height = 300;

// A model point (x, y, z) lands on the image pixel (200 + x, 150 - z); y is
// the depth, larger farther from the viewer.
class Pointing : public ::testing::Test {
protected:
    Pointing() : view(FrontViewAtOnePixelPerMetre()) {}

    const LineHitTest& Project()
    {
        ComputeModelExtents(view, table);
        UpdateDrawFactor(view);
        ProjectLines(view, table, view.DrawingCentered, view.DrawFactor);
        hits.Build(table, view, Width, Height);
        return hits;
    }
    int RowAt(double x, double y, double radius = 6)
    {
        const auto hit = hits.NearestLine(x, y, radius);
        return hit ? hit->Row : 0;
    }
    // Where the single view puts a model point on the image.
    std::pair<int, int> Pixel(const Vector3& p)
    {
        const ProjectedPoint q =
            ProjectModelPoint(view, view.MonoMatrix, p, view.DrawingCentered, view.DrawFactor);
        return {Width / 2 + q.X + view.PanX, Height / 2 - q.Y - view.PanY};
    }

    LineTable table;
    ViewParameters view;
    LineHitTest hits;
};

TEST_F(Pointing, FindsALineAtItsEndsAndMiddleAndNothingBeyondTheRadius)
{
    AddNote(table, "a note has no line");
    AddLine(table, {-100, 0, 0, 100, 0, 0});  // row 2: (100, 150) to (300, 150)
    Project();
    EXPECT_EQ(RowAt(100, 150), 2);
    EXPECT_EQ(RowAt(300, 150), 2);
    EXPECT_EQ(RowAt(200, 154), 2);
    EXPECT_DOUBLE_EQ(hits.NearestLine(200, 154, 6)->Distance, 4);
    EXPECT_DOUBLE_EQ(hits.NearestLine(150, 150, 6)->Along, 0.25);
    EXPECT_EQ(RowAt(200, 157), 0);
    EXPECT_EQ(RowAt(307, 150), 0);  // beyond the end
    EXPECT_EQ(RowAt(-500, -500), 0);

    const auto end = hits.NearestEnd(297, 152, 8);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->Row, 2);
    EXPECT_EQ(end->End, 2);
    EXPECT_EQ(std::pair(end->X, end->Y), std::pair(300, 150));
    EXPECT_FALSE(hits.NearestEnd(200, 150, 8));  // the middle is no end
}

TEST_F(Pointing, WhereLinesCrossTheOneNearerToTheViewerWins)
{
    AddLine(table, {-50, 10, 0, 50, 10, 0});  // row 1, farther
    AddLine(table, {0, -5, -50, 0, -5, 50});  // row 2, nearer
    Project();
    EXPECT_EQ(RowAt(200, 150), 2);
    EXPECT_EQ(RowAt(200.5, 150.5), 2);
    // Clearly nearer on the screen beats nearer to the viewer.
    EXPECT_EQ(RowAt(203, 150), 1);
    EXPECT_EQ(RowAt(200, 147), 2);

    // Turned round, the other line is in front.
    SetUpViewAngles(view, 180, 0);
    Project();
    EXPECT_EQ(RowAt(200, 150), 1);

    // Of two ends on one pixel, the nearer one.
    table.ClearTable();
    AddLine(table, {0, 10, 0, 20, 10, 0});
    AddLine(table, {0, -10, 0, -20, -10, 0});
    SetUpViewAngles(view, 0, 0);
    Project();
    EXPECT_EQ(hits.NearestEnd(200, 150, 8)->Row, 2);
}

TEST_F(Pointing, VanishingPointProjectionFindsLinesWhereTheyAreDrawnAndPointsOnThem)
{
    view.VanishingPointProjection = true;
    view.DrawingCentered = true;
    view.ViewerScreenDistance = 0.7;
    view.ScaleDenominator = 200;
    view.InvScale = 0.005;
    SetUpViewAngles(view, 30, 20);
    // A line running away from the viewer is foreshortened unevenly.
    AddLine(table, {-8, -20, -3, 8, 30, 5});
    Project();
    const auto [x1, y1] = Pixel({-8, -20, -3});
    const auto [x2, y2] = Pixel({8, 30, 5});
    ASSERT_TRUE(x1 > 0 && x1 < Width && x2 > 0 && x2 < Width);
    ASSERT_TRUE(y1 > 0 && y1 < Height && y2 > 0 && y2 < Height);
    EXPECT_EQ(RowAt(x1, y1), 1);
    EXPECT_EQ(RowAt(x2, y2), 1);
    const auto end = hits.NearestEnd(x2 + 3, y2, 8);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->End, 2);

    // Halfway along the drawn line is not halfway along the line in the
    // model; the point found there is drawn where the mouse is.
    const double mx = (x1 + x2) / 2.0, my = (y1 + y2) / 2.0;
    const auto hit = hits.NearestLine(mx, my, 6);
    ASSERT_TRUE(hit);
    const Vector3 point = hits.ModelPoint(table, *hit);
    const auto [px, py] = Pixel(point);
    EXPECT_NEAR(px, mx, 1.0);
    EXPECT_NEAR(py, my, 1.0);
    const double u = (point[0] + 8) / 16;
    EXPECT_GT(std::abs(u - 0.5), 0.02);
    EXPECT_NEAR(point[1], -20 + u * 50, 1e-9);
}

TEST_F(Pointing, InAnaglyphTheSingleViewBetweenTheEyesIsUsed)
{
    AddLine(table, {-100, 0, 50, 100, 0, 50});
    Project();  // the single view's fields now hold this drawing
    SetUpViewAngles(view, 0, 60);
    view.ShowAnaglyph = true;
    Project();  // the eyes' fields are written, the single view's kept
    const auto [x1, y1] = Pixel({-100, 0, 50});
    const auto [x2, y2] = Pixel({100, 0, 50});
    EXPECT_EQ(RowAt((x1 + x2) / 2.0, (y1 + y2) / 2.0), 1);
    EXPECT_EQ(RowAt(200, 100), 0);  // where the stale single view lies
}

TEST_F(Pointing, LongLinesBeyondTheImageAndCrowdedGridsStillAnswerRight)
{
    AddLine(table, {-5000, 0, 40, 5000, 0, 40});     // crosses the image
    AddLine(table, {-5000, 0, 900, 5000, 0, 900});   // above it
    Project();
    EXPECT_EQ(RowAt(5, 110), 1);
    EXPECT_EQ(RowAt(395, 111), 1);
    EXPECT_EQ(RowAt(200, 150 - 900), 0);  // far outside the image

    // So many long lines that the cells grow: 25 on each pixel row.
    table.ClearTable();
    for (int i = 0; i < 5000; ++i)
        AddLine(table, {-30000, double(i % 7), 100.0 - i % 200, 30000, double(i % 7),
                        100.0 - i % 200});
    Project();
    LineHitTest wide;
    wide.Build(table, view, 60000, 300);
    EXPECT_GT(wide.CellSize(), 16);
    const auto hit = wide.NearestLine(30000 + 1234, 150 - 63, 6);
    ASSERT_TRUE(hit);
    EXPECT_LT(hit->Distance, 1e-6);
    EXPECT_EQ(table.Record(hit->Row).Z1, 63);
    // Of the lines on that pixel row, the nearest to the viewer.
    EXPECT_EQ(table.Record(hit->Row).Y1, 0);
}

TEST_F(Pointing, ThePanMovesTheStoredProjectionAndScalingKeepsTheAnchor)
{
    TestWindow window;
    WireFrameDrawing drawing(table, view, window);
    drawing.ImageWidth = Width;
    drawing.ImageHeight = Height;
    AddLine(table, {-100, 0, 0, 100, 0, 0});
    ComputeModelExtents(view, table);
    drawing.DrawWireFrame();
    drawing.PanBy(30, -20);  // right and down
    EXPECT_EQ(table.Record(1).PX1, -70);
    EXPECT_EQ(table.Record(1).PY2, -20);
    drawing.DrawWireFrame();  // a new drawing keeps the pan
    EXPECT_EQ(table.Record(1).PX1, -70);
    hits.Build(table, view, Width, Height);
    EXPECT_EQ(RowAt(130, 170), 1);
    EXPECT_EQ(RowAt(100, 150), 0);
    const ScreenPlacement screen(table, view, Width, Height);
    int x = 0, y = 0;
    screen.ModelPoint({100, 0, 0}, ProjectedView::Mono, x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(330, 170));

    // From 1 : 1000 to 1 : 500 about the pixel 50 right of the middle: the
    // model point there stays.
    view.PanX = view.PanY = 0;
    ScalePanAbout(view, 1000, 500, 50, 0);
    EXPECT_EQ(view.PanX, -50);
    view.ScaleDenominator = 500;
    view.InvScale = 1.0 / 500;
    drawing.DrawWireFrame();
    EXPECT_EQ(table.Record(1).PX1, -200 - 50);
    hits.Build(table, view, Width, Height);
    EXPECT_EQ(RowAt(250, 150), 1);
    EXPECT_DOUBLE_EQ(hits.NearestLine(250, 150, 1)->Along, 0.75);  // x = 50 in the model, as before
    ScalePanAbout(view, 500, 0, 1, 1);  // a broken scale changes nothing
    EXPECT_EQ(view.PanX, -50);
}

TEST_F(Pointing, MeasuresIn3DAndTheAngleBetweenLinesFromTheirMeasuredEnds)
{
    AddLine(table, {0, 0, 0, 3, 4, 12});
    AddLine(table, {0, 0, 0, 0, 1, 0});
    AddLine(table, {5, 5, 5, 6, 6, 5});
    AddLine(table, {1, 1, 1, 1, 1, 1});  // no length
    const Measurement diagonal =
        Measure(table, LineEndPoint(table, 1, 1), LineEndPoint(table, 1, 2));
    EXPECT_DOUBLE_EQ(diagonal.Distance, 13);
    EXPECT_FALSE(diagonal.HasAngle);  // one line

    AddLine(table, {0, 0, 0, 1, 0, 0});  // row 5
    const Measurement right =
        Measure(table, LineEndPoint(table, 5, 2), LineEndPoint(table, 2, 1));
    EXPECT_DOUBLE_EQ(right.Distance, 1);
    ASSERT_TRUE(right.HasAngle);
    EXPECT_NEAR(right.AngleDegrees, 90, 1e-12);
    const Measurement across =
        Measure(table, LineEndPoint(table, 5, 1), LineEndPoint(table, 3, 1));
    EXPECT_NEAR(across.AngleDegrees, 45, 1e-12);
    const Measurement backwards =
        Measure(table, LineEndPoint(table, 5, 1), LineEndPoint(table, 3, 2));
    EXPECT_NEAR(backwards.AngleDegrees, 135, 1e-12);

    EXPECT_FALSE(Measure(table, LineEndPoint(table, 4, 1), LineEndPoint(table, 5, 1)).HasAngle);
    const MeasuredPoint inside{{0.5, 0, 0}, 5, 0};
    const Measurement partWay = Measure(table, inside, LineEndPoint(table, 2, 2));
    EXPECT_DOUBLE_EQ(partWay.Distance, std::hypot(0.5, 1.0));
    EXPECT_FALSE(partWay.HasAngle);
}

TEST_F(Pointing, HighlightedLinesAreTheSelectedCompleteRowsWiderInEachDrawnView)
{
    AddLine(table, {-100, 0, 0, 100, 0, 0});
    AddNote(table, "no line");
    AddLine(table, {0, 20, -50, 0, 20, 50});
    Project();
    OverlayLayer layer;
    AddHighlightedLines(layer, ScreenPlacement(table, view, Width, Height), {1, 2, 3, 99},
                        0x00FF00, PenMode::AndNot);
    ASSERT_EQ(layer.Lines.size(), 2u);
    EXPECT_EQ(layer.Lines[0].Segment, (LineSegment{100, 150, 300, 150}));
    EXPECT_EQ(layer.Lines[1].Segment, (LineSegment{200, 200, 200, 100}));
    EXPECT_EQ(layer.Lines[0].Pen, 0x00FF00u);
    EXPECT_EQ(layer.Lines[0].Mode, PenMode::Copy);
    EXPECT_GT(layer.Lines[0].Width, 1);

    view.ShowAnaglyph = true;
    Project();
    layer.Clear();
    AddHighlightedLines(layer, ScreenPlacement(table, view, Width, Height), {3}, 0x00FF00,
                        PenMode::AndNot);
    ASSERT_EQ(layer.Lines.size(), 2u);
    EXPECT_EQ(layer.Lines[0].Pen, view.AnaglyphColorLeft);
    EXPECT_EQ(layer.Lines[1].Pen, view.AnaglyphColorRight);
    EXPECT_EQ(layer.Lines[1].Mode, PenMode::AndNot);
    EXPECT_NE(layer.Lines[0].Segment, layer.Lines[1].Segment);

    // Parts are drawn by level, whatever the order they came in.
    DrawingOverlay overlay;
    overlay.AddPart(OverlayLevel::Measurement,
                    [](OverlayLayer& l, const ScreenPlacement&) { l.Labels.push_back({}); });
    overlay.AddPart(OverlayLevel::Highlight, [](OverlayLayer& l, const ScreenPlacement&) {
        EXPECT_TRUE(l.Labels.empty());
        l.Lines.push_back({});
    });
    overlay.Build(layer, ScreenPlacement(table, view, Width, Height));
    EXPECT_EQ(layer.Lines.size(), 1u);
    EXPECT_EQ(layer.Labels.size(), 1u);
}

}  // namespace
}  // namespace quorvane::testing
