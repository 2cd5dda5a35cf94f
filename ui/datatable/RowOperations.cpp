#include "RowOperations.h"

#include "CellEditing.h"
#include "CellTextEncoding.h"
#include "CommaList.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "TableWindowServices.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvane {

RowOperations::RowOperations(LineTable& table, const DataFileSettings& settings,
                             DataTableGrid& grid, CellEditing& editing,
                             TableWindowServices& window)
    : table_(table), settings_(settings), grid_(grid), editing_(editing), window_(window)
{
}

void RowOperations::Insert()
{
    editing_.FinishEdit();
    const int row = grid_.CurrentRow();
    if (row < 1)
        return;
    // A supplement typed below the used rows is not counted yet; counted,
    // it moves down with the rest instead of being written over.
    table_.Recount();
    if (!table_.IsRowEmpty(table_.Capacity())) {
        if (table_.Capacity() >= MaxCapacity) {
            window_.ShowCapacityMessage();
            insertDone_ = false;
            return;
        }
        table_.GrowCapacity(settings_.CapacityIncrement);
        if (!table_.IsRowEmpty(table_.Capacity())) {
            insertDone_ = false;  // the table could not grow
            return;
        }
    }
    const int lastMoved = std::max(row, table_.LineCount + 1);
    table_.InsertRow(row);
    grid_.Model().RowsChanged(row, lastMoved);
    grid_.SetCurrentCell(1, row);
    editing_.ClearUndo();
    ++table_.LineHighWater;
    table_.Recount();
    window_.DrawModel();
    insertDone_ = true;
    window_.EnableSaveButtons();
    grid_.setFocus();
}

void RowOperations::Delete()
{
    DeleteRow(grid_.CurrentRow(), true);
}

void RowOperations::DeleteRow(int row, bool ask)
{
    editing_.FinishEdit();
    table_.Recount();
    if (row < 1 || row > table_.LineCount) {
        window_.Beep();
        return;
    }
    if (ask && !table_.IsRowEmpty(row) && !window_.AskDeleteRow())
        return;
    const int lastMoved = table_.LineCount;
    table_.DeleteRow(row);
    grid_.Model().RowsChanged(row, lastMoved);
    grid_.SetCurrentCell(1, row);
    editing_.SetUndo(1, row);
    table_.Recount();
    window_.DrawModel();
    window_.EnableSaveButtons();
    grid_.setFocus();
}

void RowOperations::Cut()
{
    const int row = clipboardRow_;
    if (row < 1)
        return;
    if (grid_.CurrentRow() != row)
        grid_.SetCurrentCell(std::max(1, grid_.CurrentColumn()), row);
    CopyRow(row);
    DeleteRow(row, false);
}

void RowOperations::CopyRow(int row)
{
    if (row < 1 || row > table_.Capacity())
        return;
    editing_.FinishEdit();
    std::vector<std::string> texts{RowLabel(row)};
    for (int column = 1; column <= TextColumnCount; ++column)
        texts.emplace_back(table_.CellText(column, row));
    clipboardLines_ = SplitCommaList(JoinCommaList(texts));
    clipboardLines_.erase(clipboardLines_.begin());

    QString text;
    for (std::size_t i = 0; i < clipboardLines_.size(); ++i) {
        if (i > 0)
            text += QStringLiteral("\r\n");
        text += QString::fromStdString(DisplayTextOf(clipboardLines_[i]));
    }
    QGuiApplication::clipboard()->setText(text);
    clipboardRecord_ = table_.Record(row);
}

void RowOperations::Paste()
{
    Insert();
    if (!insertDone_)
        return;
    const int row = grid_.CurrentRow();
    std::vector<std::string> texts{RowLabel(row)};
    texts.insert(texts.end(), clipboardLines_.begin(), clipboardLines_.end());
    const std::vector<std::string> cells = SplitCommaList(JoinCommaList(texts));
    for (int column = 1; column <= TextColumnCount; ++column)
        table_.SetCellText(column, row,
                           static_cast<std::size_t>(column) < cells.size() ? cells[column] : "");
    table_.Record(row) = clipboardRecord_;
    grid_.Model().RowsChanged(row, row);
    grid_.SelectWholeRows(false);
    grid_.SetCurrentCell(1, row);
    rowSelected_ = false;
    table_.Recount();
    window_.DrawModel();
}

void RowOperations::MoveRow(int from, int to)
{
    editing_.FinishEdit();
    if (from == to || from < 1 || to < 1 || from > table_.Capacity() || to > table_.Capacity())
        return;
    table_.MoveRow(from, to);
    editing_.FollowRowMove(from, to);
    grid_.Model().RowsChanged(std::min(from, to), std::max(from, to));
    // The moved row stays the selected one.
    if (grid_.CurrentRow() == from)
        grid_.SetCurrentCell(std::max(1, grid_.CurrentColumn()), to);
    if (clipboardRow_ == from)
        clipboardRow_ = to;
    table_.Recount();
    window_.DrawModel();
    window_.EnableSaveButtons();
}

void RowOperations::MouseDown(Qt::MouseButton button, int column, int row, QPoint globalPosition)
{
    rowSelected_ = column == 0 && row > 0;
    clipboardRow_ = rowSelected_ ? row : 0;
    if (rowSelected_) {
        grid_.SelectWholeRows(true);
        grid_.SetCurrentCell(std::max(1, grid_.CurrentColumn()), row);
    } else if (row > 0 && grid_.SelectsWholeRows()) {
        // Back to single cells; a cell click in that mode keeps the grid's
        // own selection, so that ranges can still be selected.
        grid_.SelectWholeRows(false);
        grid_.SetCurrentCell(column, row);
    }
    if (row > 0)
        grid_.setFocus();
    if (button == Qt::RightButton && rowSelected_)
        window_.ShowRowMenu(globalPosition);
}

bool RowOperations::ClipboardKey(int key)
{
    if (rowSelected_) {
        if (key == Qt::Key_C)
            CopyRow(clipboardRow_);
        else if (key == Qt::Key_X)
            Cut();
        else if (key == Qt::Key_V)
            Paste();
        return true;
    }
    if (key == Qt::Key_C || key == Qt::Key_X)
        EmptyClipboard();
    return false;
}

void RowOperations::EmptyClipboard()
{
    clipboardLines_.clear();
    clipboardRecord_ = EmptyLineRecord;
}

}  // namespace quorvane
