#include "CheckMarkers.h"
#include "DrawingOverlay.h"
#include "LineTable.h"
#include "ModelBuilder.h"
#include "Projection.h"
#include "TestCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace quorvane::testing {
namespace {

constexpr Color Orange = 0x0090FF;

CheckFinding FindingAt(Vec3 place, CheckSeverity severity, int row = 1)
{
    CheckFinding finding;
    finding.Severity = severity;
    finding.Rows = {row};
    finding.Place = place;
    return finding;
}

// A marker sits on the pixel where the drawing put the same point, in every
// projection the window and the pictures use: turned, in perspective,
// centred or not, moved as a picture's layout moves its lines.
TEST(CheckMarkers, AMarkerSitsOnTheDrawingsPixelOfItsPlace)
{
    LineTable table;
    AddLine(table, {-3, 2, 1.5, 4, -1, 7});
    AddLine(table, {0.25, 0, 0, 0, 9, -2});
    for (const bool vanishing : {false, true})
        for (const bool centred : {false, true}) {
            SCOPED_TRACE(std::string(vanishing ? "vanishing point" : "parallel") +
                         (centred ? ", centred" : ""));
            ViewParameters view = FrontViewAtOnePixelPerMetre();
            view.VanishingPointProjection = vanishing;
            SetUpViewAngles(view, 37.5, -20);
            ComputeModelExtents(view, table);
            const double factor = 23.7;
            ProjectLines(view, table, centred, factor);

            std::vector<CheckFinding> findings;
            for (int row = 1; row <= 2; ++row) {
                const LineRecord& r = table.Record(row);
                findings.push_back(FindingAt({r.X1, r.Y1, r.Z1}, CheckSeverity::Error, row));
                findings.push_back(FindingAt({r.X2, r.Y2, r.Z2}, CheckSeverity::Warning, row));
            }
            const MarkerFrame frame{factor, centred, -11, 5, 400, 300};
            const std::vector<CheckMarker> markers = PlaceCheckMarkers(findings, view, frame);
            ASSERT_EQ(markers.size(), 4u);
            for (int row = 1; row <= 2; ++row) {
                const LineRecord& r = table.Record(row);
                for (const auto& [x, y] : {std::pair{r.PX1, r.PY1}, std::pair{r.PX2, r.PY2}}) {
                    const CheckMarker expected{400 + x - 11, 300 - (y + 5)};
                    EXPECT_TRUE(std::any_of(markers.begin(), markers.end(), [&](const CheckMarker& m) {
                        return m.X == expected.X && m.Y == expected.Y;
                    })) << "row " << row << " at " << expected.X << ", " << expected.Y;
                }
            }
        }
}

TEST(CheckMarkers, FindingsAtOnePixelShareAMarkerThatIsAnErrorWhenOneIs)
{
    const ViewParameters view = FrontViewAtOnePixelPerMetre();
    const MarkerFrame frame{1, false, 0, 0, 50, 50};
    const std::vector<CheckFinding> findings{
        FindingAt({10, 0, 10}, CheckSeverity::Warning),
        FindingAt({10.2, 5, 9.9}, CheckSeverity::Error),  // the same pixel, deeper
        FindingAt({10, 0, 10}, CheckSeverity::Warning),
        FindingAt({-20, 0, 0}, CheckSeverity::Warning),
    };
    const std::vector<CheckMarker> markers = PlaceCheckMarkers(findings, view, frame);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].X, 30);
    EXPECT_EQ(markers[0].Severity, CheckSeverity::Warning);
    EXPECT_EQ(markers[1].X, 60);
    EXPECT_EQ(markers[1].Y, 40);
    EXPECT_EQ(markers[1].Severity, CheckSeverity::Error);
}

// An error is a square with a cross, a warning a square round an open
// middle; both stay within their square and draw with a plain pen whatever
// the canvas was left with.
TEST(CheckMarkers, ErrorsAreCrossedSquaresWarningsOpenSquaresAndNothingLiesOutside)
{
    TestCanvas canvas(100, 60);
    canvas.SetPenMode(PenMode::AndNot);
    const std::vector<CheckMarker> markers{{20, 30, CheckSeverity::Error},
                                           {70, 30, CheckSeverity::Warning}};
    const int radius = MarkerRadius(2);
    DrawCheckMarkers(canvas, markers, Orange, radius);
    EXPECT_EQ(canvas.Pixel(20, 30), Orange);
    EXPECT_EQ(canvas.Pixel(70, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(70, 30 - radius), Orange);
    EXPECT_EQ(canvas.Pixel(70 + radius, 30), Orange);
    const int reach = radius + 2;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool near = std::abs(y - 30) <= reach &&
                              (std::abs(x - 20) <= reach || std::abs(x - 70) <= reach);
            if (!near) {
                ASSERT_EQ(canvas.Pixel(x, y), 0xFFFFFFu) << x << ", " << y;
            }
        }
    EXPECT_GT(canvas.CountPixels(Orange), 8 * radius);
}

// Over the window's drawing a marker sits where the drawing put its place,
// moved with the drawing; an error is a square with a cross.
TEST(CheckMarkers, OverTheWindowTheyFollowTheDrawingAndItsPan)
{
    LineTable table;
    AddLine(table, {-3, 2, 1.5, 4, -1, 7});
    ViewParameters view = FrontViewAtOnePixelPerMetre();
    SetUpViewAngles(view, 20, 35);
    ComputeModelExtents(view, table);
    view.PanX = 7, view.PanY = -3;
    ProjectLines(view, table, view.DrawingCentered, view.DrawFactor);
    LineRecord& r = table.Record(1);
    // The drawing's lines moved as the pan moves them.
    r.PX2 += view.PanX, r.PY2 += view.PanY;
    const ScreenPlacement screen(table, view, 800, 600);
    const std::vector<CheckFinding> findings{FindingAt({r.X2, r.Y2, r.Z2}, CheckSeverity::Error)};
    OverlayLayer layer;
    AddCheckMarkers(layer, screen, findings, Orange);
    ASSERT_FALSE(layer.Lines.empty());
    const LineSegment drawn = screen.StoredLine(1, ProjectedView::Mono);
    int left = drawn.X2, right = drawn.X2, top = drawn.Y2, bottom = drawn.Y2;
    bool crossed = false;
    for (const OverlayLine& line : layer.Lines) {
        const LineSegment& s = line.Segment;
        EXPECT_EQ(line.Pen, Orange);
        left = std::min({left, s.X1, s.X2}), right = std::max({right, s.X1, s.X2});
        top = std::min({top, s.Y1, s.Y2}), bottom = std::max({bottom, s.Y1, s.Y2});
        crossed = crossed || (s.X1 != s.X2 && s.Y1 != s.Y2);
    }
    // A square about the drawn end, with a cross.
    EXPECT_EQ(left + right, 2 * drawn.X2);
    EXPECT_EQ(top + bottom, 2 * drawn.Y2);
    EXPECT_EQ(right - left, bottom - top);
    EXPECT_GE(right - left, 2 * MarkerRadius(1));
    EXPECT_TRUE(crossed);
}

}  // namespace
}  // namespace quorvane::testing
