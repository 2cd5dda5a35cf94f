#include "ModelBuilder.h"
#include "Projection.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane::testing {
namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color DarkRed = 0x000080;

// A 400 x 300 image; parallel projection from the front, not centred, at
// one pixel per metre, on a virtual screen of 1000 x 700 pixels.
class Drawing : public ::testing::Test {
protected:
    Drawing() : view(FrontViewAtOnePixelPerMetre()), drawing(table, view, window)
    {
        drawing.ImageWidth = 400;
        drawing.ImageHeight = 300;
        drawing.SetupAnaglyphColors();
    }

    void Draw()
    {
        ComputeModelExtents(view, table);
        window.image.ClearLog();
        drawing.DrawWireFrame();
    }

    LineTable table;
    ViewParameters view;
    TestWindow window;
    WireFrameDrawing drawing;
};

TEST_F(Drawing, WithoutACompleteLineOnlyTheBackgroundIsFilled)
{
    AddNote(table, "just a note");
    view.BackgroundColor = 0x123456;
    Draw();
    EXPECT_EQ(window.image.Log(), (std::vector<std::string>{"FillRect 0 0 1000 700 #123456"}));
    EXPECT_EQ(window.image.CountPixels(0x123456), 400 * 300);
    EXPECT_EQ(window.imageChanges, 1);

    // A picture of it is its background in the area, and the main image
    // stays as it is.
    TestCanvas other(50, 50, 0xABCDEF);
    window.image.ClearLog();
    drawing.DrawToCanvas(other, 10, 10, 1.0, 0, 0, {5, 5, 40, 40}, 0, "Arial");
    EXPECT_EQ(other.Calls("FillRect"), (std::vector<std::string>{"FillRect 5 5 45 45 #123456"}));
    EXPECT_EQ(other.CountPixels(0x123456), 1600);
    EXPECT_TRUE(window.image.Log().empty());
    EXPECT_EQ(window.imageChanges, 1);
}

TEST_F(Drawing, DrawsEveryCompleteLineAroundTheAreasMiddleWithYUp)
{
    AddLine(table, {0, 0, 0, 50, 0, 20});
    AddNote(table, "skipped");
    AddLine(table, {-10, 0, -10, -10, 0, 30});
    Draw();
    EXPECT_EQ(window.image.Calls("Line"),
              (std::vector<std::string>{"Line 200 150 250 130 #000080",
                                        "Line 190 160 190 120 #000080"}));
    // Background first, reaching Extra = 3 pixels beyond the area; no clip on
    // the main image.
    EXPECT_EQ(window.image.Log().front(), "FillRect 0 0 403 303 #ffffff");
    EXPECT_TRUE(window.image.Calls("SetClipRect").empty());
    EXPECT_EQ(window.image.Pixel(200, 150), DarkRed);
    EXPECT_EQ(window.image.Pixel(250, 130), White);  // end pixel not set
    EXPECT_EQ(window.image.Pixel(190, 121), DarkRed);
    EXPECT_EQ(window.image.Pixel(190, 120), White);

    const DrawingBounds& b = drawing.Bounds;
    EXPECT_EQ((std::array{b.MinX, b.MaxX, b.MinY, b.MaxY}), (std::array{-10, 50, -10, 30}));
    EXPECT_EQ((std::array{b.Width, b.Height, b.CentreX, b.CentreY}), (std::array{61, 41, 20, 10}));
}

TEST_F(Drawing, OnAnotherCanvasTheDrawingIsClippedToTheArea)
{
    AddLine(table, {-500, 0, 0, 500, 0, 0});
    ComputeModelExtents(view, table);
    UpdateDrawFactor(view);
    ProjectLines(view, table, false, view.DrawFactor);
    TestCanvas page(300, 200);
    drawing.DrawToCanvas(page, 1001, 1, 1.0, 0, 0, {50, 40, 100, 60}, 0, "Arial");
    EXPECT_EQ(page.Log().front(), "SetClipRect 50 40 150 100");
    EXPECT_EQ(page.Log().back(), "RemoveClip");
    EXPECT_EQ(page.Pixel(50, 70), DarkRed);
    EXPECT_EQ(page.Pixel(149, 70), DarkRed);
    EXPECT_EQ(page.Pixel(150, 70), White);
    EXPECT_EQ(page.CountPixels(DarkRed), 100);
}

TEST_F(Drawing, ATinyDrawingIsADotAtItsMiddle)
{
    view.ShowLineNumbers = true;
    AddLine(table, {3, 0, 2, 6, 0, 4});  // 4 x 3 pixels: not tiny
    Draw();
    EXPECT_EQ(window.image.Calls("Rectangle").size(), 0u);

    table.ClearTable();
    AddLine(table, {3, 0, 2, 5, 0, 4});  // 3 x 3 pixels
    Draw();
    EXPECT_EQ(window.image.Calls("Rectangle"),
              (std::vector<std::string>{"Rectangle 203 146 206 149 #000080"}));
    EXPECT_TRUE(window.image.Calls("Line").empty());
    EXPECT_TRUE(window.image.Calls("TextOut").empty());
    EXPECT_EQ(window.image.CountPixels(DarkRed), 9);
    EXPECT_EQ(window.image.Pixel(204, 147), DarkRed);

    // Even as an anaglyph it is one dot in the line colour.
    view.ShowAnaglyph = true;
    view.AnaglyphBackgroundColor = 0;
    Draw();
    EXPECT_EQ(window.image.CountPixels(DarkRed), 9);
    EXPECT_EQ(window.image.CountPixels(0), 400 * 300 - 9);
}

TEST_F(Drawing, LabelsCoverTheLinesCentredOnTheProjectedMiddle)
{
    view.ShowLineNumbers = true;
    window.fontHeight = -20;  // caps the label height at 40
    for (int i = 0; i < 6; ++i)
        AddNote(table, "spacer");
    AddLine(table, {-100, 0, 0, 95, 0, -60});  // row 7
    Draw();
    // Label height: min(1000, 204.0) / max(10, 4 * sqrt(7)) = 19.3 -> 19.
    EXPECT_EQ(window.image.Calls("SetFont"), (std::vector<std::string>{"SetFont Arial -19"}));
    // " 7 " is 18 px wide, the text 21 px high; (x1 + x2 - w) div 2 = -23 div 2 = -11,
    // (y1 + y2 + h) div 2 = -39 div 2 = -19.
    EXPECT_EQ(window.image.Calls("TextOut"), (std::vector<std::string>{"TextOut 189 169 ' 7 '"}));
    const auto fills = window.image.Calls("FillRect");
    EXPECT_EQ(fills.back(), "FillRect 189 169 208 190 #ffffff");
    // Lines come first, labels after them.
    const auto& log = window.image.Log();
    EXPECT_LT(std::find(log.begin(), log.end(), window.image.Calls("Line")[0]),
              std::find(log.begin(), log.end(), fills.back()));
    // The text's cell hides the line beneath it; the box is one pixel wider.
    EXPECT_EQ(window.image.Pixel(189, 175), White);
    EXPECT_EQ(window.image.Pixel(207, 180), White);

    // On screen the label is at most twice the window font's height.
    window.fontHeight = -5;
    Draw();
    EXPECT_EQ(window.image.Calls("SetFont"), (std::vector<std::string>{"SetFont Arial -10"}));
}

TEST_F(Drawing, VanishingPointLabelsSitOnTheProjectedMidpoint)
{
    view.ShowLineNumbers = true;
    view.VanishingPointProjection = true;
    AddLine(table, {-100, 0, -50, 100, 0, 50});
    Draw();
    // " 1 " is 18 wide; the text height for label height h is h + 2.
    const int h = window.image.TextHeight("X");
    EXPECT_EQ(window.image.Calls("TextOut"),
              (std::vector<std::string>{"TextOut " + std::to_string(200 - 9) + " " +
                                        std::to_string(150 - h / 2) + " ' 1 '"}));
}

TEST_F(Drawing, NoLabelsWithoutALabelHeightOrWithTheToggleOff)
{
    AddLine(table, {-100, 0, -50, 100, 0, 50});
    Draw();
    EXPECT_TRUE(window.image.Calls("TextOut").empty());
    view.ShowLineNumbers = true;
    TestCanvas other(100, 100);
    drawing.DrawToCanvas(other, 200, 100, 1.0, 0, 0, {0, 0, 100, 100}, 0, "Arial");
    EXPECT_TRUE(other.Calls("TextOut").empty());
    EXPECT_TRUE(other.Calls("SetFont").empty());
}

TEST_F(Drawing, LabelHeightFollowsTheSmallerOfScreenAndModel)
{
    AddLine(table, {0, 0, 0, 3000, 0, 4000});  // diagonal 5000 px
    ComputeModelExtents(view, table);
    UpdateDrawFactor(view);
    // min(1000, 5000) / 10
    EXPECT_EQ(drawing.ComputeLabelHeight(10, 10, false, 1.0), 100);
    // The drawing diagonal as reference: min(50, 5000) / 10
    EXPECT_EQ(drawing.ComputeLabelHeight(30, 40, true, 1.0), 5);
    // The factor scales the model: min(1000, 500) / 10
    EXPECT_EQ(drawing.ComputeLabelHeight(10, 10, false, 0.1), 50);
    for (int i = 0; i < 99; ++i)
        AddLine(table, {0, 0, 0, 3000, 0, 4000});
    // 100 lines: divisor 4 * sqrt(100) = 40.
    EXPECT_EQ(drawing.ComputeLabelHeight(10, 10, false, 1.0), 25);
    EXPECT_EQ(drawing.ComputeLabelHeight(1, 1, true, 1.0), 1);  // never below 1
}

TEST_F(Drawing, PenWidthGrowsWithTheSmallerDiagonal)
{
    auto penWidthFor = [&](double modelDiagonal, int areaWidth) {
        AddLine(table, {0, 0, 0, 1, 0, 1});
        view.ModelDiagonal = modelDiagonal;
        TestCanvas page(10, 10);
        drawing.DrawToCanvas(page, 100, 100, 1.0, 0, 0, {0, 0, areaWidth, 0}, 0, "Arial");
        return page.PenWidth();
    };
    // DrawFactor is 1, so the model diagonal is in pixels.
    UpdateDrawFactor(view);
    EXPECT_EQ(penWidthFor(2999, 100000), 1);
    EXPECT_EQ(penWidthFor(100000, 2999), 1);
    EXPECT_EQ(penWidthFor(3000, 100000), 2);  // 1.5 rounds to 2
    EXPECT_EQ(penWidthFor(100000, 5000), 2);  // 2.5 rounds to 2
    EXPECT_EQ(penWidthFor(5001, 100000), 3);
    EXPECT_EQ(penWidthFor(8600, 8600), 4);
}

TEST_F(Drawing, AnotherProjectionLeftInTheRecordsCanBeUndone)
{
    view.ShowLineNumbers = true;
    AddLine(table, {-100, 0, 0, 100, 0, 0});
    Draw();
    const auto screen = window.image.Calls("Line");

    // A print projects at its own factor and leaves that in the records.
    ProjectLines(view, table, true, 7.5);
    drawing.RestoreScreenProjection();
    window.image.ClearLog();
    drawing.RedrawStoredProjection();  // the line-number toggle
    EXPECT_EQ(window.image.Calls("Line"), screen);
}

TEST_F(Drawing, HugeCoordinatesDrawWithoutOverflow)
{
    AddLine(table, {-1e300, 0, 0, 1e300, 0, 0});
    AddLine(table, {0, 0, 0, 1, 0, 1e300});
    Draw();
    const DrawingBounds& b = drawing.Bounds;
    EXPECT_EQ(b.MinX, -2147483647 - 1);
    EXPECT_EQ(b.MaxX, 2147483647);
    EXPECT_EQ(b.Width, 2147483647);
    EXPECT_EQ(b.CentreX, 0);
    EXPECT_EQ(b.Height, 2147483647);
    for (int x = 0; x < 400; ++x)
        ASSERT_EQ(window.image.Pixel(x, 150), DarkRed) << x;
}

TEST_F(Drawing, ShiftMovesTheGroupOfTheCurrentModeOnly)
{
    AddLine(table, {0, 0, 0, 10, 0, 10});
    AddNote(table, "note");
    table.LineHighWater = 50;  // more rows created than there are
    ProjectLines(view, table, false, 1.0);
    LineRecord& r = table.Record(1);
    r.PXM = 5;
    drawing.ShiftProjectedLines(3, -2);
    EXPECT_EQ((std::array{r.PX1, r.PY1, r.PX2, r.PY2, r.PXM}), (std::array{3, -2, 13, 8, 5}));
    EXPECT_EQ(table.Record(2), EmptyLineRecord);

    view.VanishingPointProjection = true;
    view.ShowAnaglyph = true;
    drawing.ShiftProjectedLines(1, 1);
    EXPECT_EQ((std::array{r.PX1, r.LX1, r.RX2, r.LXM, r.RYM}), (std::array{3, 1, 1, 1, 1}));
    drawing.ShiftProjectedLines(0, 0);
    EXPECT_EQ(r.LX1, 1);
}

}  // namespace
}  // namespace quorvane::testing
