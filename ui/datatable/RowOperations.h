#pragma once

#include "LineTable.h"

#include <QPoint>

#include <string>
#include <vector>

namespace quorvane {

class CellEditing;
class DataTableGrid;
class LineTable;
class TableChanges;
class TableWindowServices;
struct DataFileSettings;

// Whole-row commands of the data table: insert, delete, move by dragging the
// row label, and copy, cut and paste through the row clipboard. Texts and
// records always move together, the row labels stay 1, 2, 3 ..., and each
// command is one step of the table's change path.
class RowOperations {
public:
    RowOperations(LineTable& table, TableChanges& changes, const DataFileSettings& settings,
                  DataTableGrid& grid, CellEditing& editing, TableWindowServices& window);

    // At the grid's current row.
    void Insert();
    void Delete();
    void Cut();
    void Paste();
    void CopyRow(int row);
    void MoveRow(int from, int to);

    // A mouse press on the grid: column 0 is a row label, row 0 the headers.
    void MouseDown(Qt::MouseButton button, int column, int row, QPoint globalPosition);

    // Ctrl+C, Ctrl+X and Ctrl+V as the window sees them: true when they
    // acted on rows (a row label was clicked last). Otherwise Ctrl+C and
    // Ctrl+X empty the row clipboard and the key goes on to the cell.
    bool ClipboardKey(int key);

    bool RowSelected() const { return rowSelected_; }
    int ClipboardRow() const { return clipboardRow_; }
    bool InsertDone() const { return insertDone_; }
    // The texts of columns 1 to 7 of the copied row, one per line.
    const std::vector<std::string>& ClipboardLines() const { return clipboardLines_; }
    const LineRecord& ClipboardRecord() const { return clipboardRecord_; }
    void EmptyClipboard();

private:
    void DeleteRow(int row, bool ask);
    // `content` put in at the current row, growing the table first when its
    // last row is in use. Sets InsertDone.
    void InsertAtCurrentRow(RowContent content);

    LineTable& table_;
    TableChanges& changes_;
    const DataFileSettings& settings_;
    DataTableGrid& grid_;
    CellEditing& editing_;
    TableWindowServices& window_;

    bool rowSelected_ = false;
    int clipboardRow_ = 0;
    bool insertDone_ = false;
    std::vector<std::string> clipboardLines_;
    LineRecord clipboardRecord_ = EmptyLineRecord;
};

}  // namespace quorvane
