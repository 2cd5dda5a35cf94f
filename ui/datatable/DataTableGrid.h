#pragma once

#include <QTableView>

#include <functional>
#include <vector>

class QHelpEvent;

namespace quorvane {

class CellDelegate;
class CellEditor;
class GridEditEvents;
class LineTableModel;

// The data table's grid: a table view over the line table that reports
// selection, editor and key events in the order of GridEditEvents, turns
// dragged row labels into row moves, and tells its window about mouse
// presses and hint requests. Columns and rows count as in the table: the
// row labels are column 0, text columns 1 to 7, rows from 1.
class DataTableGrid : public QTableView {
public:
    DataTableGrid(LineTableModel& model, QWidget* parent);

    void SetEditEvents(GridEditEvents* events);
    LineTableModel& Model() const { return model_; }

    int CurrentColumn() const;
    int CurrentRow() const;
    // Makes (column, row) the current cell, as a click would: the selection
    // event comes first, then an open editor closes.
    void SetCurrentCell(int column, int row);
    CellEditor* OpenEditor() const;
    // Closes an open editor as moving to another cell would; its text is
    // committed once more.
    void CloseEditor();
    // Whole rows are selected (after a click on a row label) or single cells.
    void SelectWholeRows(bool rows);
    bool SelectsWholeRows() const { return selectionBehavior() == SelectRows; }
    // Selects these table rows whole, the first of them current and shown.
    void SelectTableRows(const std::vector<int>& rows);

    // After the grid's own handling of a mouse press: the cell under the
    // mouse, column 0 for a row label, row 0 for the column headers.
    std::function<void(Qt::MouseButton, int column, int row, QPoint globalPosition)> MousePressed;
    // A row label was dragged from row `from` to row `to`; the labels are
    // back in their places, the rows' contents have not moved yet.
    std::function<void(int from, int to)> RowDragged;
    // The mouse rests on a cell; returns true when it showed a hint.
    std::function<bool(const QHelpEvent*, int column, int row)> HintRequested;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyboardSearch(const QString&) override {}
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SectionMoved(int logical, int oldVisual, int newVisual);

    LineTableModel& model_;
    CellDelegate* delegate_;
    GridEditEvents* events_ = nullptr;
    bool restoringSections_ = false;
};

}  // namespace quorvane
