#pragma once

#include "Canvas.h"

#include <QString>

#include <array>

class QFont;
class QPrinter;

namespace quorvane {

class LineTable;

// The texts a printed table carries besides the cells.
struct TablePrintTexts {
    QString Title;        // the data file's name
    QString PageNumbers;  // "Page %1 of %2", filled with the page and the count
    std::array<QString, 7> Headers;  // x1 .. z2 and the supplement
};

// Prints the table's rows 1 to LineCount as paged rows: on every page the
// title with the page number and the column headers, then row numbers,
// numbers right-aligned and other texts left-aligned, each cut with an
// ellipsis where it does not fit its column.
class TablePrinter {
public:
    TablePrinter(const LineTable& table, TablePrintTexts texts);

    // Paints the pages of the printer's page range (all when it names none)
    // inside `area`, in the printer's canvas coordinates. Returns the number
    // of pages the whole table takes, or 0 when the printer could not be
    // painted on.
    int Print(QPrinter& printer, const PixelRect& area, const QFont& font) const;

private:
    const LineTable& table_;
    TablePrintTexts texts_;
};

}  // namespace quorvane
