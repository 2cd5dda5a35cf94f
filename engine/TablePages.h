#pragma once

#include "Canvas.h"

#include <array>

namespace quorvane {

// Row numbers, the six coordinates and the supplement.
inline constexpr int PrintedColumnCount = 8;

// What a printed table is laid out from, in printer pixels.
struct TablePageInput {
    // The rectangle the page margins leave.
    PixelRect Area;
    // The height of one line of the printer font.
    int LineHeight = 0;
    // Blank space left and right of a cell's text.
    int Padding = 0;
    // The widest text of each column, its header included.
    std::array<int, PrintedColumnCount> TextWidths{};
    // Table rows to print: 1 to RowCount.
    int RowCount = 0;
};

// Where everything of a printed page goes: a title line (file name and page
// number), the column headers, then up to RowsPerPage rows, each one line
// high. Every page repeats the title and the headers.
struct TablePages {
    int RowsPerPage = 1;
    int PageCount = 1;
    int RowHeight = 1;
    int TitleTop = 0;
    int HeaderTop = 0;
    int FirstRowTop = 0;
    // The left edge of each column and, last, the right edge of the table.
    std::array<int, PrintedColumnCount + 1> ColumnEdges{};

    int FirstRowOfPage(int page) const { return (page - 1) * RowsPerPage + 1; }
    int LastRowOfPage(int page, int rowCount) const;
    int ColumnWidth(int column) const { return ColumnEdges[column + 1] - ColumnEdges[column]; }
};

// Columns get the width of their widest text, each at most an eighth of the
// area's width; the supplement takes the rest, at least a quarter of the
// width (or all it needs when that is less). When that does not fit, the
// other columns shrink in proportion. An empty table still has one page.
TablePages LayOutTablePages(const TablePageInput& input);

}  // namespace quorvane
