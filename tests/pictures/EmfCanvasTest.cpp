#include "EmfCanvas.h"
#include "EmfReader.h"
#include "FixedTextMeasure.h"
#include "ModelBuilder.h"
#include "Projection.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace quorvane::testing {
namespace {

constexpr Color White = 0xFFFFFF, Black = 0, Red = 0x0000FF, Cyan = 0xFFFF00;
constexpr Color Blue = 0xFF0000, Green = 0x00FF00, Yellow = 0x00FFFF;

std::vector<std::string> Words(const std::string& entry)
{
    std::istringstream in(entry);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The segments and colours the pixel canvas logged, "Line x1 y1 x2 y2 #rrggbb".
std::vector<std::pair<LineSegment, Color>> LoggedLines(const TestCanvas& page)
{
    std::vector<std::pair<LineSegment, Color>> lines;
    for (const std::string& entry : page.Calls("Line ")) {
        const auto w = Words(entry);
        lines.push_back({{std::stoi(w[1]), std::stoi(w[2]), std::stoi(w[3]), std::stoi(w[4])},
                         Color(std::stoul(w[5].substr(1), nullptr, 16))});
    }
    return lines;
}

// The lines with the colour the canvas was given: pixel AND pen with the
// complement is the canvas's pixel AND NOT colour.
std::vector<std::pair<LineSegment, Color>> ReplayedLines(const EmfReplay& replay)
{
    std::vector<std::pair<LineSegment, Color>> lines;
    for (const EmfDrawnLine& line : replay.Lines) {
        const Color pen = line.Pen.value_or(0xDEAD);
        lines.push_back({line.Segment, line.Rop2 == R2MaskPen ? ~pen & 0xFFFFFF : pen});
    }
    return lines;
}

TEST(MetafileFrame, DotsPerInchFollowTheScreenAndTheClipboardFactor)
{
    EXPECT_EQ(MetafileDotsPerInch(1920, 0.3, 1.0), 163);
    EXPECT_EQ(MetafileFrameSize(4000, 163), 62331);
    EXPECT_EQ(MetafileDotsPerInch(1920, 0.3, 2.0), 81);
    EXPECT_NEAR(MetafileFrameSize(4000, 81), 2 * 62331, 0.01 * 2 * 62331);
    EXPECT_EQ(MetafileDotsPerInch(100, 10.0, 1.0), 1);  // 0.25 dpi rounds to 0
}

TEST(MetafileFrame, DamagedSettingsGiveAUsableSizeWithoutDividingByZero)
{
    const double nan = std::nan(""), inf = INFINITY;
    for (double width : {0.0, -0.3, nan, inf})
        EXPECT_EQ(MetafileDotsPerInch(1920, width, 1.0), 96) << width;
    EXPECT_EQ(MetafileDotsPerInch(0, 0.3, 1.0), 96);
    for (double factor : {0.0, -2.0, nan, inf})
        EXPECT_EQ(MetafileDotsPerInch(1920, 0.3, factor), 163) << factor;
    EXPECT_EQ(MetafileDotsPerInch(1920, 1e-300, 1.0), 1000000);
    EXPECT_EQ(MetafileDotsPerInch(1920, 0.3, 1e300), 1);
    EXPECT_EQ(MetafileFrameSize(4000, 0), MetafileFrameSize(4000, 96));
    EXPECT_EQ(MetafileFrameSize(4000, -5), MetafileFrameSize(4000, 96));
    EXPECT_EQ(MetafileFrameSize(INT_MAX, 1), INT_MAX);
    EXPECT_EQ(MetafileFrameSize(-10, 96), 0);
}

TEST(EmfHeader, GivesThePictureInPixelsAndItsPhysicalSize)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({4000, 3000, 163, 1920, 1080}, measure);
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const EmfHeader& h = emf.Header();
    EXPECT_EQ(h.Size, 108u);
    EXPECT_EQ(h.Version, 0x10000u);
    EXPECT_EQ(h.Bounds, (EmfRect{0, 0, 3999, 2999}));
    EXPECT_EQ(h.Frame, (EmfRect{0, 0, 62331, 46748}));
    EXPECT_EQ((std::array{h.DeviceWidth, h.DeviceHeight}), (std::array{1920, 1080}));
    EXPECT_EQ((std::array{h.MillimetresWidth, h.MillimetresHeight}), (std::array{299, 168}));
    EXPECT_EQ((std::array{h.MicrometresWidth, h.MicrometresHeight}),
              (std::array{299190, 168294}));
    EXPECT_EQ((std::array{h.PixelFormatSize, h.PixelFormatOffset, h.OpenGL}),
              (std::array{0u, 0u, 0u}));
    EXPECT_EQ(h.Handles, 1);
    // Nothing drawn: only the text set-up between the header and the end.
    EXPECT_EQ(emf.Types(), (std::vector<std::uint32_t>{emr::Header, emr::SetBkMode,
                                                       emr::SetTextAlign, emr::Eof}));
    EXPECT_EQ(emf.Records()[1].U32(8), 2u);  // OPAQUE
    EXPECT_EQ(emf.Records()[2].U32(8), 0u);  // TA_TOP | TA_LEFT
}

TEST(EmfHeader, ADamagedFrameStillGivesAReaderSizesToDivideBy)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({0, -5, 0, 0, -1}, measure);
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const EmfHeader& h = emf.Header();
    EXPECT_EQ(h.Frame, (EmfRect{0, 0, 0, 0}));
    EXPECT_GT(h.DeviceWidth, 0);
    EXPECT_GT(h.DeviceHeight, 0);
    EXPECT_GT(h.MillimetresWidth, 0);
    EXPECT_GT(h.MillimetresHeight, 0);
}

// A 400 x 300 picture at 163 dpi of a front view at one pixel per metre,
// drawn into the area (20, 10) to (380, 290) with labels 10 pixels high,
// and the same drawing on a pixel canvas to compare with. At that height
// the block font of the pixel canvas and the text measure agree on a 12
// pixel cell, so labels land at the same places on both.
class EmfDrawing : public ::testing::Test {
protected:
    EmfDrawing() : view(FrontViewAtOnePixelPerMetre()), drawing(table, view, window)
    {
        view.ShowLineNumbers = true;
        drawing.ImageWidth = 400;
        drawing.ImageHeight = 300;
        AddLine(table, {-100, 0, -50, 100, 0, 50});
        AddNote(table, "not drawn");
        AddLine(table, {-80, 0, 60, 120, 0, 60});
        AddLine(table, {0, 200, -90, 0, 200, 90});  // deep: the eyes see it apart
    }

    void DrawOn(Canvas& canvas)
    {
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
        UpdateDrawFactor(view);
        ProjectLines(view, table, false, view.DrawFactor);
        drawing.DrawToCanvas(canvas, 400, 300, 1.0, 0, 0, {20, 10, 360, 280}, 10, "Arial");
    }

    // Draws on the page, then on a metafile, and reads it.
    const EmfReader& Draw()
    {
        DrawOn(page);
        EmfCanvas canvas({400, 300, 163, 1920, 1080}, measure);
        DrawOn(canvas);
        emf.emplace(canvas.Finish());
        return *emf;
    }

    LineTable table;
    ViewParameters view;
    TestWindow window;
    WireFrameDrawing drawing;
    TestCanvas page{400, 300};
    FixedTextMeasure measure;
    std::optional<EmfReader> emf;
    const EmfRect area{20, 10, 380, 290};
};

TEST_F(EmfDrawing, MonoLinesAreTheProjectedSegmentsWithOnePenForAll)
{
    const EmfReplay replay = Draw().Replay();
    ASSERT_EQ(emf->Error(), "");
    EXPECT_EQ(replay.Problems, std::vector<std::string>{});
    ASSERT_EQ(replay.Lines.size(), 3u);
    EXPECT_EQ(ReplayedLines(replay), LoggedLines(page));
    for (const EmfDrawnLine& line : replay.Lines) {
        EXPECT_EQ(line.Pen, view.LineColor);
        EXPECT_EQ(line.Width, page.PenWidth());
        EXPECT_EQ(line.Rop2, R2CopyPen);
        EXPECT_EQ(line.Clip, area);
    }
    EXPECT_EQ(emf->Count(emr::CreatePen), 1);
    EXPECT_EQ(emf->Count(emr::CreateBrushIndirect), 1);
    EXPECT_EQ(emf->Count(emr::ExtCreateFontIndirectW), 1);
    EXPECT_EQ(emf->Count(emr::SetRop2), 1);
    EXPECT_EQ(emf->Count(emr::SetTextColor), 1);
    EXPECT_EQ(emf->Count(emr::SetBkColor), 1);
    EXPECT_LE(emf->Header().Handles, 4);
    // The clip is the area, removed at the end.
    const auto& records = emf->Records();
    EXPECT_EQ(records[records.size() - 2].Type, emr::ExtSelectClipRgn);
    EXPECT_EQ(emf->OfType(emr::IntersectClipRect).at(0).Rect(8), area);
}

TEST_F(EmfDrawing, MonoLabelsAreOpaqueTextCellsOverTheirBoxes)
{
    const EmfReplay replay = Draw().Replay();
    ASSERT_EQ(emf->Error(), "");
    const auto logged = page.Calls("TextOut");
    ASSERT_EQ(replay.Texts.size(), logged.size());
    const char* labels[] = {" 1 ", " 3 ", " 4 "};
    for (std::size_t i = 0; i < logged.size(); ++i) {
        const EmfDrawnText& t = replay.Texts[i];
        const auto w = Words(logged[i]);
        const int x = std::stoi(w[1]), y = std::stoi(w[2]);
        EXPECT_EQ(t.Text.Ascii(), labels[i]);
        EXPECT_EQ((std::array{t.Text.X, t.Text.Y}), (std::array{x, y}));
        EXPECT_EQ(t.Text.Options, EtoOpaque);
        EXPECT_EQ(t.Text.Cell, (EmfRect{x, y, x + 18, y + 12}));
        EXPECT_EQ(t.Text.Dx, (std::vector<int>{6, 6, 6}));
        EXPECT_EQ(t.TextColour, view.TextColor);
        EXPECT_EQ(t.BkColour, view.BackgroundColor);
        EXPECT_EQ(t.FontHeight, -10);
        EXPECT_EQ(t.Clip, area);
    }
    // Background and label boxes: exactly the page's fills, drawn with the
    // null pen one pixel larger.
    const auto fills = page.Calls("FillRect");
    ASSERT_EQ(replay.Rectangles.size(), fills.size());
    for (std::size_t i = 0; i < fills.size(); ++i) {
        const auto w = Words(fills[i]);
        const EmfDrawnRectangle& r = replay.Rectangles[i];
        EXPECT_EQ(r.Box, (EmfRect{std::stoi(w[1]), std::stoi(w[2]), std::stoi(w[3]) + 1,
                                  std::stoi(w[4]) + 1}));
        EXPECT_EQ(r.Pen, std::nullopt);
        EXPECT_EQ(r.Brush, view.BackgroundColor);
        EXPECT_EQ(r.Rop2, R2CopyPen);
    }
    const EmfFont font = EmfReader::FontOf(emf->OfType(emr::ExtCreateFontIndirectW).at(0));
    EXPECT_EQ(font.Face, u"Arial");
    EXPECT_EQ((std::array{font.Height, font.Weight, font.Charset}), (std::array{-10, 400, 1}));
}

TEST_F(EmfDrawing, WithoutACompleteLineAtMostTheBackgroundIsDrawn)
{
    table.ClearTable();
    AddNote(table, "just a note");
    const EmfReplay replay = Draw().Replay();
    ASSERT_EQ(emf->Error(), "");
    EXPECT_EQ(emf->Records().front().Type, emr::Header);
    EXPECT_EQ(emf->Records().back().Type, emr::Eof);
    EXPECT_TRUE(replay.Lines.empty());
    EXPECT_TRUE(replay.Texts.empty());
    EXPECT_LE(replay.Rectangles.size(), 1u);
    for (const EmfDrawnRectangle& r : replay.Rectangles)
        EXPECT_EQ(r.Box, (EmfRect{area.Left, area.Top, area.Right + 1, area.Bottom + 1}));
}

TEST_F(EmfDrawing, AnaglyphCombinesEachEyesPenAndLabelBlocksWithTheBackground)
{
    view.ShowAnaglyph = true;
    for (const Color background : {White, Black}) {
        SCOPED_TRACE(background);
        view.AnaglyphBackgroundColor = background;
        page.ClearLog();
        const EmfReplay replay = Draw().Replay();
        ASSERT_EQ(emf->Error(), "");
        EXPECT_EQ(replay.Problems, std::vector<std::string>{});
        const bool bright = background == White;

        EXPECT_EQ(ReplayedLines(replay), LoggedLines(page));
        ASSERT_EQ(replay.Lines.size(), 6u);
        // On a bright background each eye's line takes its colour away:
        // pixel AND (NOT colour), written with the complement as the pen, so
        // that a reader which ignores the mode still shows what the eye sees.
        for (std::size_t i = 0; i < 6; ++i) {
            const Color eye = i < 3 ? Red : Cyan;
            EXPECT_EQ(replay.Lines[i].Pen, bright ? ~eye & 0xFFFFFF : eye);
            EXPECT_EQ(replay.Lines[i].Rop2, bright ? R2MaskPen : R2MergePen);
        }
        EXPECT_EQ(emf->Count(emr::CreatePen), 2);

        // Boxes first, then texts, at the page's places.
        const auto copies = page.Calls("CopyBlock");
        const auto blocks = emf->OfType(emr::StretchDIBits);
        ASSERT_EQ(blocks.size(), copies.size());
        ASSERT_EQ(blocks.size(), 12u);
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const EmfBlock b = EmfReader::BlockOf(blocks[i]);
            const auto w = Words(copies[i]);
            EXPECT_EQ((std::array{b.Width, b.Height, b.X, b.Y}),
                      (std::array{std::stoi(w[1]), std::stoi(w[2]), std::stoi(w[3]),
                                  std::stoi(w[4])}));
            EXPECT_EQ(b.Rop, (i < 6) == bright ? SrcPaint : SrcAnd) << i;
            EXPECT_EQ((std::array{b.SourceWidth, b.SourceHeight}), (std::array{b.Width, b.Height}));
        }
        // The box blocks carry their eye's box colour, the last label's text
        // blocks what its bitmaps hold now.
        std::vector<Color> colors;
        auto pixelsOf = [&](const TestCanvas& bitmap, const EmfBlock& b) {
            bitmap.ReadBlock(b.Width, b.Height, colors);
            return colors;
        };
        const EmfBlock leftBox = EmfReader::BlockOf(blocks[0]);
        EXPECT_EQ(leftBox.Pixels, pixelsOf(*window.bitmaps[2], leftBox));
        EXPECT_EQ(leftBox.Pixel(0, 0), bright ? Red : Cyan);
        const EmfBlock rightBox = EmfReader::BlockOf(blocks[1]);
        EXPECT_EQ(rightBox.Pixels, pixelsOf(*window.bitmaps[3], rightBox));
        EXPECT_EQ(rightBox.Pixel(rightBox.Width - 1, rightBox.Height - 1), bright ? Cyan : Red);
        const EmfBlock leftText = EmfReader::BlockOf(blocks[10]);
        EXPECT_EQ(leftText.Pixels, pixelsOf(*window.bitmaps[0], leftText));
        EXPECT_EQ(leftText.Pixel(7, 5), bright ? Cyan : Red);  // inside the digit
        EXPECT_EQ(leftText.Pixel(0, 0), background);
        const EmfBlock rightText = EmfReader::BlockOf(blocks[11]);
        EXPECT_EQ(rightText.Pixels, pixelsOf(*window.bitmaps[1], rightText));
        // Text on its background and a plain box have two colours at most:
        // one bit a pixel holds them.
        EXPECT_EQ(leftText.BitsPerPixel, 1);
        EXPECT_EQ(leftBox.BitsPerPixel, 1);
    }
}

TEST(EmfBlocks, ABlockOfTwoColoursKeepsEveryPixelAtOneBitEach)
{
    // 9 pixels a row take 2 bytes, padded to 4; the first colour is bit 0.
    TestCanvas source(9, 2, Blue);
    source.SetBrushColor(Yellow);
    source.FillRect({8, 0, 9, 1});
    source.FillRect({0, 1, 1, 2});
    TestCanvas plain(3, 3, Green);
    FixedTextMeasure measure;
    EmfCanvas canvas({100, 100, 96}, measure);
    canvas.CopyBlock(source, 9, 2, 5, 6, BlockOp::Or);
    canvas.CopyBlock(plain, 3, 3, 0, 0, BlockOp::And);
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const auto blocks = emf.OfType(emr::StretchDIBits);
    ASSERT_EQ(blocks.size(), 2u);
    const EmfBlock two = EmfReader::BlockOf(blocks[0]);
    EXPECT_EQ(two.BitsPerPixel, 1);
    EXPECT_EQ(two.BitsSize, 8u);
    std::vector<Color> expected;
    source.ReadBlock(9, 2, expected);
    EXPECT_EQ(two.Pixels, expected);
    EXPECT_EQ(two.Pixel(8, 0), Yellow);
    EXPECT_EQ(two.Pixel(0, 1), Yellow);
    EXPECT_EQ(two.Pixel(7, 0), Blue);
    const EmfBlock one = EmfReader::BlockOf(blocks[1]);
    EXPECT_EQ(one.BitsPerPixel, 1);
    EXPECT_EQ(one.Pixels, std::vector<Color>(9, Green));
}

TEST(EmfBlocks, RowsAreStoredBottomUpPaddedToFourBytes)
{
    TestCanvas source(7, 3, White);  // 21 bytes a row, padded to 24
    const std::pair<PixelRect, Color> marks[] = {
        {{0, 0, 1, 1}, Red}, {{6, 2, 7, 3}, Blue}, {{3, 1, 4, 2}, Green}, {{6, 0, 7, 1}, Black}};
    for (const auto& [rect, color] : marks) {
        source.SetBrushColor(color);
        source.FillRect(rect);
    }
    FixedTextMeasure measure;
    EmfCanvas canvas({100, 100, 96}, measure);
    canvas.CopyBlock(source, 7, 3, 50, 60, BlockOp::And);
    canvas.CopyBlock(source, 9, 5, 70, 80, BlockOp::Or);  // larger than the source
    canvas.CopyBlock(source, 0, 3, 1, 1, BlockOp::Or);
    TestCanvas empty(0, 0);
    canvas.CopyBlock(empty, 4, 4, 1, 1, BlockOp::Or);
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const auto blocks = emf.OfType(emr::StretchDIBits);
    ASSERT_EQ(blocks.size(), 2u);

    std::vector<Color> expected;
    source.ReadBlock(7, 3, expected);
    const EmfBlock b = EmfReader::BlockOf(blocks[0]);
    EXPECT_EQ(b.Rop, SrcAnd);
    EXPECT_EQ((std::array{b.X, b.Y, b.Width, b.Height}), (std::array{50, 60, 7, 3}));
    EXPECT_EQ(b.BitsPerPixel, 24);
    EXPECT_EQ(b.BitsSize, 72u);
    EXPECT_EQ(b.Pixel(0, 0), Red);
    EXPECT_EQ(b.Pixel(6, 2), Blue);
    EXPECT_EQ(b.Pixels, expected);
    EXPECT_EQ(blocks[0].Rect(8), (EmfRect{50, 60, 56, 62}));

    // Only what the source has is combined, as on a pixel canvas.
    const EmfBlock clipped = EmfReader::BlockOf(blocks[1]);
    EXPECT_EQ(clipped.Rop, SrcPaint);
    EXPECT_EQ((std::array{clipped.X, clipped.Y, clipped.Width, clipped.Height}),
              (std::array{70, 80, 7, 3}));
    EXPECT_EQ(clipped.Pixels, expected);
}

TEST(EmfState, FillsIgnoreThePensRasterModeWhichLinesGetBack)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({100, 100, 96}, measure);
    canvas.SetPenColor(Red);
    canvas.SetBrushColor(Green);
    canvas.SetPenMode(PenMode::AndNot);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 0);
    canvas.FillRect({10, 10, 20, 20});
    canvas.FillRect({5, 5, 5, 9});  // empty
    canvas.LineTo(10, 10);
    canvas.SetPenMode(PenMode::Or);
    canvas.Rectangle({0, 0, 5, 5});
    canvas.SetPenMode(PenMode::Copy);
    canvas.Rectangle({1, 2, 3, 4});
    canvas.FillRect({INT_MAX - 5, 0, INT_MAX, 4});
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const EmfReplay replay = emf.Replay();
    EXPECT_EQ(replay.Problems, std::vector<std::string>{});

    ASSERT_EQ(replay.Lines.size(), 2u);
    EXPECT_EQ(replay.Lines[0].Rop2, R2MaskPen);
    EXPECT_EQ(replay.Lines[1].Segment, (LineSegment{10, 0, 10, 10}));
    EXPECT_EQ(replay.Lines[1].Rop2, R2MaskPen);
    ASSERT_EQ(replay.Rectangles.size(), 5u);
    const EmfDrawnRectangle& fill = replay.Rectangles[0];
    EXPECT_EQ(fill.Box, (EmfRect{10, 10, 21, 21}));
    EXPECT_EQ((std::tuple{fill.Pen, fill.Brush, fill.Rop2}),
              (std::tuple{std::optional<Color>{}, std::optional{Green}, R2CopyPen}));
    // A combining outline around a plainly filled inside.
    EXPECT_EQ(replay.Rectangles[1].Box, (EmfRect{0, 0, 6, 6}));
    EXPECT_EQ(replay.Rectangles[1].Rop2, R2CopyPen);
    const EmfDrawnRectangle& outline = replay.Rectangles[2];
    EXPECT_EQ((std::tuple{outline.Box, outline.Pen, outline.Brush, outline.Rop2}),
              (std::tuple{EmfRect{0, 0, 5, 5}, std::optional{Red}, std::optional<Color>{},
                          R2MergePen}));
    const EmfDrawnRectangle& plain = replay.Rectangles[3];
    EXPECT_EQ((std::tuple{plain.Box, plain.Pen, plain.Brush, plain.Rop2}),
              (std::tuple{EmfRect{1, 2, 3, 4}, std::optional{Red}, std::optional{Green},
                          R2CopyPen}));
    EXPECT_EQ(replay.Rectangles[4].Box, (EmfRect{INT_MAX - 5, 0, INT_MAX, 5}));
}

TEST(EmfState, PensReplaceEachOtherInOneSlotAndLinesJoinWithoutMoves)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({100, 100, 96}, measure);
    const LineSegment path[] = {
        {0, 0, 10, 0}, {10, 0, 10, 10}, {100000, -70000, -2000000, 3000000}};
    canvas.SetPenColor(Red);
    canvas.DrawLines(path);
    canvas.SetPenColor(Blue);
    canvas.SetPenWidth(3);
    canvas.LineTo(5, 5);
    canvas.SetPenColor(Red);
    canvas.SetPenWidth(1);
    canvas.DrawLines({});
    canvas.LineTo(6, 6);
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const EmfReplay replay = emf.Replay();
    EXPECT_EQ(replay.Problems, std::vector<std::string>{});
    EXPECT_EQ(emf.Count(emr::CreatePen), 3);
    EXPECT_EQ(emf.Count(emr::MoveToEx), 2);
    ASSERT_EQ(replay.Lines.size(), 5u);
    EXPECT_EQ(replay.Lines[2].Segment, path[2]);
    EXPECT_EQ((std::tuple{replay.Lines[3].Segment, replay.Lines[3].Pen, replay.Lines[3].Width}),
              (std::tuple{LineSegment{-2000000, 3000000, 5, 5}, std::optional{Blue}, 3}));
    EXPECT_EQ((std::tuple{replay.Lines[4].Segment, replay.Lines[4].Pen, replay.Lines[4].Width}),
              (std::tuple{LineSegment{5, 5, 6, 6}, std::optional{Red}, 1}));
    EXPECT_EQ(emf.Header().Handles, 2);
}

TEST(EmfText, CharactersAreUtf16WithAdvancesThatAddUpToTheMeasuredWidth)
{
    FixedTextMeasure measure;  // 6 pixels a byte
    EmfCanvas canvas({100, 100, 96}, measure);
    canvas.SetFont(std::string(40, 'F'), 20);
    EXPECT_EQ(measure.fontName, std::string(40, 'F'));
    canvas.SetFontColor(Blue);
    canvas.SetBrushColor(Green);
    canvas.TextOut(3, 4, "Zo\xC3\xAB");           // UTF-8
    canvas.TextOut(3, 30, "caf\xE9 \x80");         // not UTF-8: Windows-1252
    canvas.TextOut(3, 60, "\xF0\x9F\x98\x80!");  // beyond the 16-bit range
    canvas.TextOut(3, 90, "");
    EXPECT_EQ(canvas.TextHeight("x"), measure.CellHeight());
    const EmfReader emf(canvas.Finish());
    ASSERT_EQ(emf.Error(), "");
    const EmfReplay replay = emf.Replay();
    EXPECT_EQ(replay.Problems, std::vector<std::string>{});
    ASSERT_EQ(replay.Texts.size(), 3u);
    const int cell = measure.CellHeight();
    const EmfText& zoe = replay.Texts[0].Text;
    EXPECT_EQ(zoe.Text, u"Zo\u00EB");
    EXPECT_EQ(zoe.Dx, (std::vector<int>{6, 6, 12}));
    EXPECT_EQ(zoe.Cell, (EmfRect{3, 4, 3 + 24, 4 + cell}));
    EXPECT_EQ(zoe.Bounds, (EmfRect{3, 4, 3 + 23, 4 + cell - 1}));
    EXPECT_EQ(replay.Texts[1].Text.Text, u"caf\u00E9 \u20AC");
    EXPECT_EQ(replay.Texts[1].Text.Dx, (std::vector<int>(6, 6)));
    EXPECT_EQ(replay.Texts[2].Text.Text, u"\U0001F600!");
    EXPECT_EQ(replay.Texts[2].Text.Dx, (std::vector<int>{24, 0, 6}));
    for (const EmfDrawnText& t : replay.Texts) {
        EXPECT_EQ(t.TextColour, Blue);
        EXPECT_EQ(t.BkColour, Green);
        EXPECT_EQ(t.FontHeight, 20);
    }
    const EmfFont font = EmfReader::FontOf(emf.OfType(emr::ExtCreateFontIndirectW).at(0));
    EXPECT_EQ(font.Face, std::u16string(31, u'F'));
}

TEST(EmfCanvasEnd, AfterTheEndNothingMoreIsWritten)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({10, 10, 96}, measure);
    canvas.SetClipRect({1, 1, 5, 5});
    canvas.SetClipRect({1, 1, 5, 5});
    canvas.RemoveClip();
    canvas.RemoveClip();
    const std::vector<std::uint8_t> bytes = canvas.Finish();
    TestCanvas source(2, 2);
    canvas.LineTo(3, 3);
    canvas.FillRect({0, 0, 2, 2});
    canvas.Rectangle({0, 0, 2, 2});
    canvas.TextOut(0, 0, "x");
    canvas.SetClipRect({0, 0, 1, 1});
    canvas.CopyBlock(source, 2, 2, 0, 0, BlockOp::Or);
    EXPECT_TRUE(canvas.Finish().empty());
    const EmfReader emf(bytes);
    ASSERT_EQ(emf.Error(), "");
    EXPECT_EQ(emf.Count(emr::ExtSelectClipRgn), 2);
    EXPECT_EQ(emf.Count(emr::IntersectClipRect), 1);
}

TEST(EmfCanvasEnd, AMetafileBeyondItsLimitFailsInsteadOfMiscountingItsBytes)
{
    FixedTextMeasure measure;
    auto drawLines = [&](std::size_t maxBytes) {
        EmfCanvas canvas({10, 10, 96}, measure, maxBytes);
        for (int i = 0; i < 50; ++i)
            canvas.LineTo(i, i % 3);
        canvas.TextOut(0, 0, "abc");
        return canvas.Finish();
    };
    const std::vector<std::uint8_t> whole = drawLines(EmfCanvas::MaxBytes);
    EXPECT_EQ(drawLines(whole.size()), whole);
    EXPECT_THROW(drawLines(whole.size() - 4), std::length_error);
    EXPECT_THROW(drawLines(0), std::length_error);

    // Three colours: 30000 bytes of 24-bit pixels.
    TestCanvas source(100, 100);
    source.SetBrushColor(Red);
    source.FillRect({0, 0, 1, 1});
    source.SetBrushColor(Blue);
    source.FillRect({1, 0, 2, 1});
    EmfCanvas blocks({10, 10, 96}, measure, 10000);
    blocks.CopyBlock(source, 100, 100, 0, 0, BlockOp::And);
    EXPECT_THROW(blocks.Finish(), std::length_error);
}

TEST(EmfReaderChecks, ADamagedMetafileIsRefused)
{
    FixedTextMeasure measure;
    EmfCanvas canvas({10, 10, 96}, measure);
    canvas.LineTo(3, 3);
    const std::vector<std::uint8_t> good = canvas.Finish();
    auto damaged = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = value;
        return EmfReader(bytes).Error();
    };
    EXPECT_EQ(EmfReader(good).Error(), "");
    EXPECT_NE(damaged(40, 'X'), "");                  // signature
    EXPECT_NE(damaged(48, good[48] + 4), "");         // nBytes
    EXPECT_NE(damaged(52, good[52] + 1), "");         // nRecords
    EXPECT_NE(damaged(108 + 4, good[112] + 2), "");   // a record size not a multiple of 4
    EXPECT_NE(damaged(good.size() - 20, 1), "");      // no end record
    EXPECT_NE(EmfReader({good.begin(), good.end() - 4}).Error(), "");
}

}  // namespace
}  // namespace quorvane::testing
