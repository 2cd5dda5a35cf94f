#include "TablePages.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quorvane {
namespace {

// An A4 sheet in landscape at 600 dpi with the default margins, and a 10
// point font whose lines are 93 pixels high (about 3.9 mm).
TablePageInput A4Landscape(int rows)
{
    TablePageInput input;
    input.Area = {354, 472, 354 + 6308, 472 + 4133};
    input.LineHeight = 93;
    input.Padding = 20;
    input.TextWidths = {150, 200, 200, 200, 200, 200, 200, 900};
    input.RowCount = rows;
    return input;
}

TEST(TablePages, EveryPageHasTheTitleAndHeadersThenAsManyRowsAsFit)
{
    const TablePages pages = LayOutTablePages(A4Landscape(100));
    EXPECT_EQ(pages.RowHeight, 93);
    EXPECT_EQ(pages.TitleTop, 472);
    EXPECT_EQ(pages.HeaderTop, 472 + 93 + 23);
    EXPECT_EQ(pages.FirstRowTop, pages.HeaderTop + 93);
    // (4605 - 680) / 93 = 42.2 rows fit below the headers.
    EXPECT_EQ(pages.RowsPerPage, 42);
    EXPECT_LE(pages.FirstRowTop + pages.RowsPerPage * pages.RowHeight, 472 + 4133);
    EXPECT_EQ(pages.PageCount, 3);
    EXPECT_EQ(pages.FirstRowOfPage(1), 1);
    EXPECT_EQ(pages.LastRowOfPage(1, 100), 42);
    EXPECT_EQ(pages.FirstRowOfPage(3), 85);
    EXPECT_EQ(pages.LastRowOfPage(3, 100), 100);

    EXPECT_EQ(LayOutTablePages(A4Landscape(84)).PageCount, 2);
    EXPECT_EQ(LayOutTablePages(A4Landscape(85)).PageCount, 3);
    EXPECT_EQ(LayOutTablePages(A4Landscape(0)).PageCount, 1);
    // The most rows the table holds stay within 2,500 pages.
    EXPECT_EQ(LayOutTablePages(A4Landscape(100000)).PageCount, 2381);
}

TEST(TablePages, ColumnsTakeTheirTextsWidthAndTheSupplementTheRest)
{
    const TablePages pages = LayOutTablePages(A4Landscape(10));
    EXPECT_EQ(pages.ColumnEdges[0], 354);
    EXPECT_EQ(pages.ColumnWidth(0), 190);
    for (int column = 1; column <= 6; ++column)
        EXPECT_EQ(pages.ColumnWidth(column), 240) << column;
    EXPECT_EQ(pages.ColumnEdges[8], 354 + 6308);
    EXPECT_EQ(pages.ColumnWidth(7), 6308 - 190 - 6 * 240);
}

TEST(TablePages, ColumnsGiveWayOnANarrowPageButAlwaysFitIt)
{
    TablePageInput input = A4Landscape(10);
    input.Area.Right = input.Area.Left + 1000;
    input.TextWidths = {150, 5000, 200, 200, 200, 200, 200, 900};
    const TablePages pages = LayOutTablePages(input);
    // No column is wider than an eighth of the page, not even a long text.
    for (int column = 0; column < 7; ++column)
        EXPECT_LE(pages.ColumnWidth(column), 125) << column;
    // The supplement keeps a quarter of the width.
    EXPECT_GE(pages.ColumnWidth(7), 250);
    EXPECT_EQ(pages.ColumnEdges[8], input.Area.Right);
    for (int column = 0; column < 8; ++column)
        EXPECT_GE(pages.ColumnWidth(column), 0) << column;

    // A page lower than the headers still prints a row a page.
    input.Area.Bottom = input.Area.Top + 50;
    EXPECT_EQ(LayOutTablePages(input).RowsPerPage, 1);
    EXPECT_EQ(LayOutTablePages(input).PageCount, 10);
}

}  // namespace
}  // namespace quorvane
