#include "RowOperations.h"

#include "CellEditing.h"
#include "CellTextEncoding.h"
#include "CommaList.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "TableChanges.h"
#include "TableWindowServices.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvane {

RowOperations::RowOperations(LineTable& table, TableChanges& changes,
                             const DataFileSettings& settings, DataTableGrid& grid,
                             CellEditing& editing, TableWindowServices& window)
    : table_(table), changes_(changes), settings_(settings), grid_(grid), editing_(editing),
      window_(window)
{
}

void RowOperations::Insert()
{
    InsertAtCurrentRow(RowContent{});
}

void RowOperations::InsertAtCurrentRow(RowContent content)
{
    editing_.FinishEdit();
    insertDone_ = false;
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
        if (!table_.IsRowEmpty(table_.Capacity()))
            return;  // the table could not grow
    }
    if (!changes_.Insert(row, {std::move(content)}))
        return;
    grid_.SetCurrentCell(1, row);
    editing_.ClearUndo();
    insertDone_ = true;
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
    changes_.Remove(row, 1);
    grid_.SetCurrentCell(1, row);
    editing_.SetUndo(1, row);
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
    // The copied texts go through the same comma list as when they were
    // copied, so that a row comes back exactly as it went.
    std::vector<std::string> texts{RowLabel(1)};
    texts.insert(texts.end(), clipboardLines_.begin(), clipboardLines_.end());
    const std::vector<std::string> cells = SplitCommaList(JoinCommaList(texts));
    RowContent content;
    for (int column = 1; column <= TextColumnCount; ++column)
        content.Texts.Set(column,
                          static_cast<std::size_t>(column) < cells.size() ? cells[column] : "");
    content.Record = clipboardRecord_;
    InsertAtCurrentRow(std::move(content));
    if (!insertDone_)
        return;
    grid_.SelectWholeRows(false);
    grid_.SetCurrentCell(1, grid_.CurrentRow());
    rowSelected_ = false;
}

void RowOperations::MoveRow(int from, int to)
{
    editing_.FinishEdit();
    if (from == to || from < 1 || to < 1 || from > table_.Capacity() || to > table_.Capacity())
        return;
    changes_.Move(from, to);
    editing_.FollowRowMove(from, to);
    // The moved row stays the selected one.
    if (grid_.CurrentRow() == from)
        grid_.SetCurrentCell(std::max(1, grid_.CurrentColumn()), to);
    if (clipboardRow_ == from)
        clipboardRow_ = to;
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
