#include "ModelBuilder.h"
#include "Projection.h"
#include "Scale.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

TEST(Scale, GroupsDigitsInThreesFromTheRight)
{
    EXPECT_EQ(GroupDigits(0, ' '), "0");
    EXPECT_EQ(GroupDigits(999, ' '), "999");
    EXPECT_EQ(GroupDigits(1000, ' '), "1 000");
    EXPECT_EQ(GroupDigits(100000, ' '), "100 000");
    EXPECT_EQ(GroupDigits(1234567, ' '), "1 234 567");
    EXPECT_EQ(GroupDigits(1234567, '.'), "1.234.567");
}

TEST(Scale, CaptionHasWiderColonsFromAThousandOn)
{
    EXPECT_EQ(FormatScale(1), "1 : 1");
    EXPECT_EQ(FormatScale(500), "1 : 500");
    EXPECT_EQ(FormatScale(999), "1 : 999");
    EXPECT_EQ(FormatScale(1000), "1  :  1 000");
    EXPECT_EQ(FormatScale(25000), "1  :  25 000");
    EXPECT_EQ(FormatScale(100000), "1  :  100 000");
}

class ScaleAndExport : public ::testing::Test {
protected:
    ScaleAndExport() : drawing(table, view, window)
    {
        view.ScreenWidth = 0.25;
        view.VirtualScreenWidth = 2000;  // 8000 pixels per metre
        SetUpViewAngles(view, 0, 0);
    }

    LineTable table;
    ViewParameters view;
    TestWindow window;
    WireFrameDrawing drawing;
};

TEST_F(ScaleAndExport, ApplyScaleSetsCaptionAndFactorAndRedrawsOnlyAModel)
{
    view.ScaleDenominator = 2000;
    drawing.ApplyScale();
    EXPECT_EQ(window.scaleCaption, "1  :  2 000");
    EXPECT_DOUBLE_EQ(view.InvScale, 0.0005);
    EXPECT_DOUBLE_EQ(view.DrawFactor, 4.0);
    EXPECT_EQ(window.imageChanges, 0);

    AddNote(table, "a note is enough to redraw");
    view.ScaleDenominator = 50;
    drawing.ApplyScale();
    EXPECT_EQ(window.scaleCaption, "1 : 50");
    EXPECT_DOUBLE_EQ(view.DrawFactor, 160.0);
    EXPECT_EQ(window.imageChanges, 1);

    view.ScaleDenominator = 0;  // from a damaged settings file
    drawing.ApplyScale();
    EXPECT_EQ(window.scaleCaption, "1 : 1");
    EXPECT_DOUBLE_EQ(view.DrawFactor, 8000.0);
}

TEST_F(ScaleAndExport, ClipBoundsToWindowCutsToWhatTheWindowShows)
{
    // Window 300 x 200, factor 10: the window shows -1500..1500 by -1000..1000.
    const ClippedBounds c = drawing.ClipBoundsToWindow(-4000, 1000, -300, 2500, 10.0, 150, 100);
    EXPECT_EQ((std::array{c.Left, c.Right, c.Bottom, c.Top}), (std::array{-1500, 1000, -300, 1000}));
    EXPECT_EQ((std::array{c.Width, c.Height}), (std::array{2500, 1300}));
    EXPECT_EQ((std::array{c.CentreX, c.CentreY}), (std::array{-250, 350}));

    const ClippedBounds odd = drawing.ClipBoundsToWindow(-7, 2, -3, 0, 1.0, 150, 100);
    EXPECT_EQ(odd.Width, 9);  // no + 1 here
    EXPECT_EQ(odd.CentreX, -2);  // -5 div 2 truncates towards zero
    EXPECT_EQ(odd.CentreY, -1);

    // round(75 * 1.5) = round(112.5) = 112, ties to even.
    EXPECT_EQ(drawing.ClipBoundsToWindow(-500, 500, 0, 0, 1.5, 75, 0).Right, 112);
}

TEST_F(ScaleAndExport, ExportMarginGrowsWithTheDrawingAndTheLabels)
{
    EXPECT_EQ(drawing.ComputeExportMargin(100, 50, 20).Margin, 4);
    const ExportMargin large = drawing.ComputeExportMargin(1250, 3000, 20);
    EXPECT_EQ(large.Margin, 30);
    EXPECT_EQ(large.Width, 1310);
    EXPECT_EQ(large.Height, 3060);
    EXPECT_EQ(drawing.ComputeExportMargin(450, 10, 20).Margin, 4);  // round(4.5) = 4
    EXPECT_EQ(drawing.ComputeExportMargin(650, 10, 20).Margin, 6);  // round(6.5) = 6

    view.ShowLineNumbers = true;
    for (int i = 0; i < 120; ++i)
        AddNote(table, "row");
    // Three digits of 120 lines at label height 22: 66 div 4 = 16 more.
    EXPECT_EQ(drawing.ComputeExportMargin(1250, 3000, 22).Margin, 46);
}

TEST_F(ScaleAndExport, AnExportCutToTheWindowFitsItsBitmap)
{
    // The steps of a bitmap export: project, clip to the window, size the
    // margin, shift the clipped centre to the origin and draw.
    view.VanishingPointProjection = false;
    view.DrawingCentered = false;
    view.ScaleDenominator = 8000;  // one pixel per metre
    drawing.ApplyScale();
    AddLine(table, {-1000, 0, 0, 50, 0, 40});
    ComputeModelExtents(view, table);
    ProjectLines(view, table, view.DrawingCentered, view.DrawFactor);
    const DrawingBounds b = drawing.ComputeDrawingBounds();
    const ClippedBounds c = drawing.ClipBoundsToWindow(b.MinX, b.MaxX, b.MinY, b.MaxY, 1.0, 100, 60);
    EXPECT_EQ((std::array{c.Left, c.Right, c.Width, c.Height}), (std::array{-100, 50, 150, 40}));
    const ExportMargin m = drawing.ComputeExportMargin(c.Width, c.Height, 0);
    drawing.ShiftProjectedLines(-c.CentreX, -c.CentreY);
    TestCanvas bitmap(m.Width, m.Height);
    drawing.DrawToCanvas(bitmap, c.Width, c.Height, 1.0, 0, 0, {0, 0, m.Width, m.Height}, 0,
                         "Arial");
    // The line ends at the right margin's edge, 4 px inside the picture, and
    // is cut at the left one.
    EXPECT_EQ(bitmap.Calls("Line"), (std::vector<std::string>{"Line -896 44 154 4 #000080"}));
    EXPECT_EQ(bitmap.Pixel(4, 10), 0x000080u);
    EXPECT_EQ(bitmap.Pixel(153, 4), 0x000080u);
}

}  // namespace
}  // namespace quorvane::testing
