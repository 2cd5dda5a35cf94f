#include "ModelBuilder.h"
#include "Projection.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

constexpr Color White = 0xFFFFFF, Black = 0;
constexpr Color Red = 0x0000FF, Cyan = 0xFFFF00;

TEST(AnaglyphColors, BrightnessWeighsTheChannels)
{
    EXPECT_DOUBLE_EQ(ColorBrightness(White), 1.0);
    EXPECT_DOUBLE_EQ(ColorBrightness(Black), 0.0);
    EXPECT_NEAR(ColorBrightness(Red), 0.299, 1e-12);
    EXPECT_NEAR(ColorBrightness(0x00FF00), 0.587, 1e-12);
    EXPECT_NEAR(ColorBrightness(0xFF0000), 0.114, 1e-12);
    EXPECT_GT(ColorBrightness(0x808080), 0.5);
    EXPECT_LT(ColorBrightness(0x7F7F7F), 0.5);
    EXPECT_EQ(InvertColor(Red), Cyan);
    EXPECT_EQ(InvertColor(0x123456), 0xEDCBA9u);
}

// Parallel projection from the front at one pixel per metre on a 400 x 300
// image. Line 1 stands 200 m deep, so the eyes see it 10 px apart: the left
// eye at x = -10, the right at x = +10. Line 2 lies in the screen plane,
// where both eyes see it at the same place.
class Anaglyph : public ::testing::Test {
protected:
    Anaglyph() : view(FrontViewAtOnePixelPerMetre()), drawing(table, view, window)
    {
        view.ShowAnaglyph = true;
        drawing.ImageWidth = 400;
        drawing.ImageHeight = 300;
        AddLine(table, {0, 200, -50, 0, 200, 50});
    }

    void Draw(Color background)
    {
        view.AnaglyphBackgroundColor = background;
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
        window.image.ClearLog();
        for (TestCanvas* bitmap : window.bitmaps)
            bitmap->ClearLog();
        drawing.DrawWireFrame();
    }

    TestCanvas& TextLeft() { return *window.bitmaps[0]; }
    TestCanvas& BoxLeft() { return *window.bitmaps[2]; }
    TestCanvas& BoxRight() { return *window.bitmaps[3]; }
    Color At(int x, int y) const { return window.image.Pixel(x, y); }

    LineTable table;
    ViewParameters view;
    TestWindow window;
    WireFrameDrawing drawing;
};

TEST_F(Anaglyph, SetupFollowsTheBackgroundsBrightness)
{
    view.AnaglyphBackgroundColor = 0x808080;
    drawing.SetupAnaglyphColors();
    EXPECT_TRUE(drawing.Anaglyph().BackgroundIsBright);
    EXPECT_EQ(drawing.Anaglyph().AnaglyphPenMode, PenMode::AndNot);
    EXPECT_EQ(drawing.Anaglyph().LabelBoxOp, BlockOp::Or);
    EXPECT_EQ(drawing.Anaglyph().LabelTextOp, BlockOp::And);
    EXPECT_EQ(BoxLeft().BrushColor(), Red);
    EXPECT_EQ(BoxRight().BrushColor(), Cyan);
    EXPECT_EQ(TextLeft().FontColor(), Cyan);
    EXPECT_EQ(TextLeft().BrushColor(), 0x808080u);
    EXPECT_EQ(window.panelColor, 0x808080u);

    view.AnaglyphBackgroundColor = 0x7F7F7F;
    view.ShowAnaglyph = false;
    view.BackgroundColor = 0x00AA00;
    drawing.SetupAnaglyphColors();
    EXPECT_FALSE(drawing.Anaglyph().BackgroundIsBright);
    EXPECT_EQ(drawing.Anaglyph().AnaglyphPenMode, PenMode::Or);
    EXPECT_EQ(drawing.Anaglyph().LabelBoxOp, BlockOp::And);
    EXPECT_EQ(drawing.Anaglyph().LabelTextOp, BlockOp::Or);
    EXPECT_EQ(BoxLeft().BrushColor(), Cyan);
    EXPECT_EQ(TextLeft().FontColor(), Red);
    EXPECT_EQ(window.panelColor, 0x00AA00u);
}

TEST_F(Anaglyph, OnWhiteEachEyeRemovesItsChannelAndCrossingsTurnBlack)
{
    AddLine(table, {-100, 0, 20, 100, 0, 20});
    Draw(White);
    EXPECT_EQ(At(190, 120), Cyan);  // left eye's line: dark through the red filter
    EXPECT_EQ(At(210, 120), Red);   // right eye's line
    EXPECT_EQ(At(250, 130), Black);  // both eyes' lines on top of each other
    EXPECT_EQ(At(190, 130), Black);
    EXPECT_EQ(At(150, 100), White);
    EXPECT_EQ(window.image.Calls("FillRect").front(), "FillRect 0 0 403 303 #ffffff");
    // All left lines come before all right lines.
    EXPECT_EQ(window.image.Calls("Line"),
              (std::vector<std::string>{"Line 190 200 190 100 #0000ff", "Line 100 130 300 130 #0000ff",
                                        "Line 210 200 210 100 #ffff00", "Line 100 130 300 130 #ffff00"}));
}

TEST_F(Anaglyph, OnBlackEachEyeLightsItsChannelAndCrossingsTurnWhite)
{
    AddLine(table, {-100, 0, 20, 100, 0, 20});
    Draw(Black);
    EXPECT_EQ(At(190, 120), Red);
    EXPECT_EQ(At(210, 120), Cyan);
    EXPECT_EQ(At(250, 130), White);
    EXPECT_EQ(At(150, 100), Black);
}

TEST_F(Anaglyph, WithoutLineNumbersNoBitmapIsTouched)
{
    Draw(White);
    for (TestCanvas* bitmap : window.bitmaps)
        EXPECT_TRUE(bitmap->Log().empty());
    EXPECT_TRUE(window.image.Calls("CopyBlock").empty());
}

TEST_F(Anaglyph, OnWhiteEachLabelHidesItsEyesLineAndShowsItsText)
{
    view.ShowLineNumbers = true;
    Draw(White);
    // Label height 100 / 10 = 10, text 12 high; " 1 " is 18 wide. The left
    // label sits at (181, 144), the right one at (201, 144).
    EXPECT_EQ(TextLeft().Log().front(), "SetSize 18 12");
    EXPECT_EQ(window.image.Calls("CopyBlock"),
              (std::vector<std::string>{"CopyBlock 18 12 181 144 Or", "CopyBlock 18 12 201 144 Or",
                                        "CopyBlock 18 12 181 144 And",
                                        "CopyBlock 18 12 201 144 And"}));
    EXPECT_EQ(At(190, 140), Cyan);   // the left line outside its label
    EXPECT_EQ(At(190, 144), White);  // ... vanishes in the left box
    EXPECT_EQ(At(189, 150), Cyan);   // the left label's text
    EXPECT_EQ(At(210, 144), White);  // the right line vanishes in the right box
    EXPECT_EQ(At(209, 150), Red);    // the right label's text
    EXPECT_EQ(At(199, 150), White);  // between the labels
}

TEST_F(Anaglyph, OnBlackEachLabelDarkensItsEyesChannel)
{
    view.ShowLineNumbers = true;
    Draw(Black);
    EXPECT_EQ(At(190, 140), Red);
    EXPECT_EQ(At(190, 144), Black);  // the left line vanishes for the left eye
    EXPECT_EQ(At(189, 150), Red);    // the left label's text lights the red channel
    EXPECT_EQ(At(210, 144), Black);
    EXPECT_EQ(At(209, 150), Cyan);
    EXPECT_EQ(window.image.Calls("CopyBlock")[0], "CopyBlock 18 12 181 144 And");
    EXPECT_EQ(window.image.Calls("CopyBlock")[2], "CopyBlock 18 12 181 144 Or");
}

TEST_F(Anaglyph, AllBoxesAreStampedBeforeAnyText)
{
    view.ShowLineNumbers = true;
    AddLine(table, {-100, 0, 20, 100, 0, 20});
    Draw(White);
    const auto copies = window.image.Calls("CopyBlock");
    ASSERT_EQ(copies.size(), 8u);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(copies[i].ends_with(" Or")) << copies[i];
    for (int i = 4; i < 8; ++i)
        EXPECT_TRUE(copies[i].ends_with(" And")) << copies[i];
    // The widest label is measured on two blanks and the digits of LineCount.
    EXPECT_EQ(BoxLeft().Log().front(), "SetSize 18 " + std::to_string(window.image.TextHeight("X")));
}

TEST_F(Anaglyph, VanishingPointLabelsSitOnTheEyesMidpoints)
{
    view.ShowLineNumbers = true;
    view.VanishingPointProjection = true;
    Draw(White);
    const LineRecord& r = table.Record(1);
    const auto copies = window.image.Calls("CopyBlock");
    EXPECT_EQ(copies[0], "CopyBlock 18 12 " + std::to_string(200 + r.LXM - 9) + " " +
                             std::to_string(150 - r.LYM - 6) + " Or");
    EXPECT_EQ(copies[1], "CopyBlock 18 12 " + std::to_string(200 + r.RXM - 9) + " " +
                             std::to_string(150 - r.RYM - 6) + " Or");
    EXPECT_NE(r.LXM, r.RXM);
}

}  // namespace
}  // namespace quorvane::testing
