#pragma once

#include <QAbstractTableModel>

#include <string>

namespace quorvane {

class LineTable;

// The grid's view of the line table: one grid row per table row, the seven
// text columns, and the row labels and column headers as header data. It
// holds no texts of its own; every cell is read from the table when it is
// painted. Grid row i is table row i + 1 and grid column j is text column
// j + 1.
class LineTableModel : public QAbstractTableModel {
public:
    explicit LineTableModel(LineTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static int ColumnOf(const QModelIndex& index) { return index.column() + 1; }
    static int RowOf(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex CellIndex(int column, int row) const { return index(row - 1, column - 1); }

    // The texts as the user sees them, decoded for display.
    QString CellText(int column, int row) const;
    // Sets a cell's text (UTF-8) and shows it. A text that looks the same as
    // the cell's present one keeps the present bytes, so that a cell read in
    // another encoding does not change by being looked at in an editor.
    void SetCellText(int column, int row, const QString& text);
    void SetCellBytes(int column, int row, const std::string& bytes);
    // Rows `first` to `last` (table rows) changed in all their columns.
    void RowsChanged(int first, int last);
    void SetColumnHeader(int column, const QString& header);

    // Follows the table's capacity; within a bulk change (a file read or a
    // clear) only once, at its end, as a reset.
    void CapacityChanged();
    void BeginBulkChange();
    void EndBulkChange();
    bool InBulkChange() const { return bulk_; }

private:
    LineTable& table_;
    int rows_ = 0;  // the rows the views have been told of
    bool bulk_ = false;
    QString headers_[7];
};

}  // namespace quorvane
