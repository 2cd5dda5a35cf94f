#include "PageLayout.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// A sheet of 210 x 297 mm at `dpi` with the given unprintable strips.
PrinterMetrics A4Portrait(int dpi, int left, int top, int right, int bottom)
{
    PrinterMetrics p;
    p.DotsPerInchX = p.DotsPerInchY = dpi;
    p.PageWidth = static_cast<int>(210 / 25.4 * dpi + 0.5);
    p.PageHeight = static_cast<int>(297 / 25.4 * dpi + 0.5);
    p.OffsetX = left;
    p.OffsetY = top;
    p.PrintableWidth = p.PageWidth - left - right;
    p.PrintableHeight = p.PageHeight - top - bottom;
    p.PrintableWidthMillimetres = p.PrintableWidth * 25.4 / dpi;
    return p;
}

TEST(PageLayoutTest, PageSizeInMillimetresFromPixelsAndResolution)
{
    const PageSize portrait = ComputePageSize(A4Portrait(600, 100, 100, 100, 100));
    EXPECT_EQ(portrait.WidthPixels, 4961);
    EXPECT_EQ(portrait.HeightPixels, 7016);
    EXPECT_EQ(portrait.WidthMillimetres, 210);
    EXPECT_EQ(portrait.HeightMillimetres, 297);

    PrinterMetrics unknown;
    EXPECT_EQ(ComputePageSize(unknown).WidthMillimetres, 0);
}

TEST(PageLayoutTest, MarginNarrowerThanTheStripIsRaisedAndStoredInWholeMillimetres)
{
    // 50 pixels at 300 dpi are 4.233 mm of unprintable paper on every side.
    const PrinterMetrics printer = A4Portrait(300, 50, 50, 50, 50);
    PageMargins margins{0, 4, 3, 15};
    const PrintableArea area = ComputePrintableArea(printer, margins);
    EXPECT_EQ(margins, (PageMargins{5, 5, 5, 15}));
    EXPECT_EQ(area.Rect.Left, 0);
    EXPECT_EQ(area.Rect.Top, 0);
    EXPECT_EQ(area.Rect.Right, printer.PrintableWidth);
    // 15 mm at 300 dpi: 177 pixels from the sheet's bottom edge.
    EXPECT_EQ(area.Rect.Bottom, printer.PrintableHeight - (177 - 50));
}

TEST(PageLayoutTest, WideMarginsStayAndCountFromTheSheetsEdge)
{
    const PrinterMetrics printer = A4Portrait(600, 100, 120, 80, 60);
    PageMargins margins{15, 15, 20, 15};
    const PrintableArea area = ComputePrintableArea(printer, margins);
    EXPECT_EQ(margins, (PageMargins{15, 15, 20, 15}));
    // round(15 x 600 / 25.4) = 354, round(20 x 600 / 25.4) = 472.
    EXPECT_EQ(area.Rect.Left, 354 - 100);
    EXPECT_EQ(area.Rect.Top, 472 - 120);
    EXPECT_EQ(area.Rect.Right, printer.PrintableWidth - (354 - 80));
    EXPECT_EQ(area.Rect.Bottom, printer.PrintableHeight - (354 - 60));
    EXPECT_EQ(area.DotsPerInchX, 600);
    EXPECT_NEAR(area.PrinterPixelsPerMetre, 600 / 0.0254, 1e-6);
}

TEST(PageLayoutTest, PrinterWithoutResolutionGivesAnEmptyAreaAndKeepsMargins)
{
    PrinterMetrics printer;
    PageMargins margins{15, 15, 20, 15};
    const PrintableArea area = ComputePrintableArea(printer, margins);
    EXPECT_EQ(area.Rect, PixelRect{});
    EXPECT_EQ(margins, (PageMargins{15, 15, 20, 15}));
}

}  // namespace
}  // namespace quorvane
