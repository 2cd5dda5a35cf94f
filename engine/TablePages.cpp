#include "TablePages.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

int TablePages::LastRowOfPage(int page, int rowCount) const
{
    return std::min(rowCount, page * RowsPerPage);
}

TablePages LayOutTablePages(const TablePageInput& input)
{
    TablePages pages;
    pages.RowHeight = std::max(1, input.LineHeight);
    pages.TitleTop = input.Area.Top;
    // A quarter line apart from the table, so that the title reads as such.
    pages.HeaderTop = pages.TitleTop + pages.RowHeight + pages.RowHeight / 4;
    pages.FirstRowTop = pages.HeaderTop + pages.RowHeight;
    pages.RowsPerPage = std::max(1, (input.Area.Bottom - pages.FirstRowTop) / pages.RowHeight);
    const int rows = std::max(0, input.RowCount);
    pages.PageCount = std::max(1, (rows + pages.RowsPerPage - 1) / pages.RowsPerPage);

    const int width = std::max(0, input.Area.Right - input.Area.Left);
    constexpr int Supplement = PrintedColumnCount - 1;
    std::array<std::int64_t, PrintedColumnCount> widths{};
    std::int64_t fixed = 0;
    for (int column = 0; column < Supplement; ++column) {
        widths[column] = std::min<std::int64_t>(
            std::int64_t{input.TextWidths[column]} + 2 * std::int64_t{input.Padding}, width / 8);
        fixed += widths[column];
    }
    const std::int64_t supplementNeeds =
        std::int64_t{input.TextWidths[Supplement]} + 2 * std::int64_t{input.Padding};
    const std::int64_t supplementLeast = std::min<std::int64_t>(supplementNeeds, width / 4);
    if (fixed > 0 && fixed + supplementLeast > width) {
        const std::int64_t room = width - supplementLeast;
        for (int column = 0; column < Supplement; ++column)
            widths[column] = widths[column] * room / fixed;
    }
    pages.ColumnEdges[0] = input.Area.Left;
    for (int column = 0; column < Supplement; ++column)
        pages.ColumnEdges[column + 1] = pages.ColumnEdges[column] + static_cast<int>(widths[column]);
    pages.ColumnEdges[PrintedColumnCount] = input.Area.Left + width;
    return pages;
}

}  // namespace quorvane
