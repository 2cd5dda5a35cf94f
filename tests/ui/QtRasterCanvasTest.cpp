#include "ModelBuilder.h"
#include "Projection.h"
#include "QtRasterCanvas.h"
#include "QtTestSurface.h"
#include "WireFrameDrawing.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <set>

namespace quorvane {
namespace {

constexpr Color White = 0xFFFFFF, Black = 0, Red = 0x0000FF, Cyan = 0xFFFF00;

Color At(QtRasterCanvas& canvas, int x, int y)
{
    return QtRasterCanvas::ColorOf(canvas.Image().pixel(x, y));
}

std::set<Color> ColorsIn(QtRasterCanvas& canvas, const PixelRect& r)
{
    std::set<Color> colors;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            colors.insert(At(canvas, x, y));
    return colors;
}

TEST(QtRasterCanvas, ConvertsColoursToPixelsBothWays)
{
    EXPECT_EQ(QtRasterCanvas::PixelOf(Red), 0xFFFF0000u);
    EXPECT_EQ(QtRasterCanvas::PixelOf(0x123456), 0xFF563412u);
    EXPECT_EQ(QtRasterCanvas::ColorOf(0xFF563412u), 0x123456u);
}

TEST(QtRasterCanvas, PenModesAreExactBitwiseOperationsOnTheColours)
{
    QtRasterCanvas canvas(40, 10);
    canvas.SetBrushColor(White);
    canvas.FillRect({0, 0, 20, 10});
    canvas.SetBrushColor(Black);
    canvas.FillRect({20, 0, 40, 10});
    canvas.SetPenMode(PenMode::AndNot);
    canvas.SetPenColor(Red);
    canvas.MoveTo(0, 2);
    canvas.LineTo(40, 2);
    canvas.SetPenMode(PenMode::Or);
    canvas.SetPenColor(Cyan);
    canvas.MoveTo(0, 4);
    canvas.LineTo(40, 4);
    canvas.SetPenColor(0x123456);
    canvas.SetPenMode(PenMode::Copy);
    canvas.MoveTo(5, 6);
    canvas.LineTo(10, 6);
    EXPECT_EQ(At(canvas, 5, 2), Cyan);    // white AND NOT red
    EXPECT_EQ(At(canvas, 25, 2), Black);  // black AND NOT red
    EXPECT_EQ(At(canvas, 5, 4), White);   // white OR cyan
    EXPECT_EQ(At(canvas, 25, 4), Cyan);   // black OR cyan
    EXPECT_EQ(At(canvas, 9, 6), 0x123456u);
    EXPECT_EQ(At(canvas, 10, 6), White);  // end pixel not set
    // The alpha byte stays opaque whatever the mode.
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(canvas.Image().pixel(x, y) >> 24, 0xFFu);
}

TEST(QtRasterCanvas, ClipsFillsLinesAndText)
{
    QtRasterCanvas canvas(50, 50);
    canvas.SetClipRect({10, 10, 20, 20});
    canvas.SetBrushColor(Black);
    canvas.FillRect({0, 0, 50, 50});
    canvas.SetPenColor(Red);
    canvas.MoveTo(0, 30);
    canvas.LineTo(50, 30);
    canvas.SetFont("Arial", -30);
    canvas.SetFontColor(Red);
    canvas.TextOut(0, 0, "WWW");
    EXPECT_EQ(At(canvas, 9, 9), White);
    EXPECT_EQ(At(canvas, 25, 30), White);
    EXPECT_EQ(At(canvas, 20, 15), White);
    canvas.RemoveClip();
    canvas.FillRect({30, 30, 35, 35});
    EXPECT_EQ(At(canvas, 32, 32), Black);
}

TEST(QtRasterCanvas, ArialIsAvailableWithTrueMetrics)
{
    QtRasterCanvas canvas(10, 10);
    QFont arial("Arial");
    EXPECT_TRUE(QFontInfo(arial).family().contains("Liberation Sans") ||
                QFontInfo(arial).family() == "Arial")
        << QFontInfo(arial).family().toStdString();
    canvas.SetFont("Arial", -20);
    EXPECT_GE(canvas.TextHeight("X"), 20);
    EXPECT_LE(canvas.TextHeight("X"), 26);
    canvas.SetFont("Arial", 20);  // a cell height
    EXPECT_LE(canvas.TextHeight("X"), 20);
    EXPECT_GE(canvas.TextHeight("X"), 17);
}

TEST(QtRasterCanvas, ExactTextHasOnlyTheFontAndBrushColours)
{
    QtRasterCanvas canvas(120, 40, QtRasterCanvas::TextRendering::Exact);
    canvas.SetFont("Arial", -18);
    canvas.SetBrushColor(White);
    canvas.SetFontColor(Cyan);
    canvas.TextOut(5, 5, " 1234 ");
    const int width = canvas.TextWidth(" 1234 ");
    const auto colors = ColorsIn(canvas, {5, 5, 5 + width, 5 + canvas.TextHeight("X")});
    EXPECT_EQ(colors, (std::set<Color>{White, Cyan}));
    // Nothing is drawn outside the text's cell.
    EXPECT_EQ(ColorsIn(canvas, {0, 0, 120, 5}), (std::set<Color>{White}));
    EXPECT_EQ(ColorsIn(canvas, {5 + width, 0, 120, 40}), (std::set<Color>{White}));
    // The text's cell is filled with the brush.
    canvas.SetBrushColor(Black);
    canvas.TextOut(5, 5, "    ");
    EXPECT_EQ(ColorsIn(canvas, {5, 5, 5 + canvas.TextWidth("    "), 5 + canvas.TextHeight("X")}),
              (std::set<Color>{Black}));
}

TEST(QtRasterCanvas, SmoothTextBlendsTheFontColourIntoWhatIsBelow)
{
    QtRasterCanvas canvas(120, 40);
    canvas.SetFont("Arial", -18);
    canvas.SetBrushColor(Black);
    canvas.SetFontColor(0x00FF00);
    canvas.TextOut(2, 2, "8");
    const auto colors = ColorsIn(canvas, {2, 2, 2 + canvas.TextWidth("8"), 2 + canvas.TextHeight("8")});
    EXPECT_TRUE(colors.contains(0x00FF00));
    // Edges are shades between the brush and the font colour, nothing else.
    for (Color c : colors)
        EXPECT_EQ(c & 0xFF00FF, 0u) << std::hex << c;
    EXPECT_GT(colors.size(), 2u);
}

TEST(QtRasterCanvas, BlocksCombineWithAndAndOr)
{
    QtRasterCanvas target(10, 10), source(4, 4);
    source.SetBrushColor(Red);
    source.FillRect({0, 0, 4, 4});
    target.SetBrushColor(0x00FF00);
    target.FillRect({0, 0, 10, 10});
    target.CopyBlock(source, 2, 2, 1, 1, BlockOp::Or);
    target.CopyBlock(source, 2, 2, 5, 5, BlockOp::And);
    EXPECT_EQ(At(target, 1, 1), 0x00FFFFu);
    EXPECT_EQ(At(target, 3, 3), 0x00FF00u);
    EXPECT_EQ(At(target, 5, 5), Black);
    EXPECT_EQ(At(target, 7, 7), 0x00FF00u);
}

class QtAnaglyph : public ::testing::TestWithParam<Color> {
protected:
    QtAnaglyph() : view(testing::FrontViewAtOnePixelPerMetre()), drawing(table, view, window)
    {
        view.ShowAnaglyph = true;
        view.ShowLineNumbers = true;
        drawing.ImageWidth = 400;
        drawing.ImageHeight = 300;
        testing::AddLine(table, {0, 200, -50, 0, 200, 50});
        testing::AddLine(table, {-100, 0, 20, 100, 0, 20});
        view.AnaglyphBackgroundColor = GetParam();
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
        drawing.DrawWireFrame();
    }

    LineTable table;
    ViewParameters view;
    testing::QtTestSurface window{400, 300};
    WireFrameDrawing drawing;
};

TEST_P(QtAnaglyph, EveryPixelIsAChannelCombinationOfTheEyeColours)
{
    const bool white = GetParam() == White;
    const Color left = white ? Cyan : Red;
    const Color right = white ? Red : Cyan;
    EXPECT_EQ(At(window.image, 190, 105), left);
    EXPECT_EQ(At(window.image, 210, 105), right);
    EXPECT_EQ(At(window.image, 260, 130), white ? Black : White);
    // Labels included, the picture holds only the four combinations of the
    // two channels: text and boxes are stamped exactly.
    EXPECT_EQ(ColorsIn(window.image, {0, 0, 400, 300}), (std::set<Color>{White, Black, Red, Cyan}));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, QtAnaglyph, ::testing::Values(White, Black));

}  // namespace
}  // namespace quorvane
