#include "CellEditing.h"

#include "CellKeys.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "NumberText.h"
#include "TableChanges.h"
#include "TableWindowServices.h"

#include <QKeyEvent>

#include <utility>

namespace quorvane {

namespace {

constexpr char32_t EnterKey = 13;
constexpr char32_t EscapeKey = 27;

QString Cell(int row, int column)
{
    return QStringLiteral("(%1,%2)").arg(row).arg(column);
}

bool IsCoordinateColumn(int column)
{
    return column >= 1 && column <= 6;
}

}  // namespace

CellEditing::CellEditing(LineTable& table, TableChanges& changes,
                         const DataFileSettings& settings, DataTableGrid& grid,
                         TableWindowServices& window)
    : table_(table), changes_(changes), settings_(settings), grid_(grid), window_(window)
{
}

void CellEditing::SelectCell(int column, int row)
{
    window_.DebugLog(QStringLiteral("StringGridOnSelectCell") + Cell(row, column));
    if (editColumn_ != 0 && editRow_ != 0) {
        // The edit's own commit follows, from the row remembered when it
        // opened.
        editColumn_ = editRow_ = 0;
        editReady_ = true;
        replaceOnKey_ = true;
    } else if (row >= 1 && row <= table_.Capacity()) {
        RememberRow(row);
    }
    selectedColumn_ = column;
    selectedRow_ = row;
}

QString CellEditing::GetEditText(int column, int row, const QString& text)
{
    window_.DebugLog(QStringLiteral("StringGridOnGetEditText") + Cell(row, column) +
                     QLatin1Char('=') + text);
    if (!editReady_ || column != selectedColumn_ || row != selectedRow_)
        return text;
    SetUndo(column, row);
    RememberRow(row);
    window_.DebugLog(QStringLiteral("SavedCell=") + text);
    // A number is edited without the blanks that align it; a supplement is
    // shown as it is, so that looking at it never changes it.
    const QString shown =
        IsCoordinateColumn(column) ? QString::fromStdString(EditTextOf(text.toStdString())) : text;
    window_.DebugLog(QStringLiteral("Value=") + shown);
    editColumn_ = column;
    editRow_ = row;
    editReady_ = false;
    return shown;
}

void CellEditing::SetEditText(int column, int row, const QString& text)
{
    window_.DebugLog(QStringLiteral("StringGridOnSetEditText") + Cell(row, column) +
                     QLatin1Char('=') + text);
    if (!editReady_)
        return;
    RowContent now = table_.Content(row);
    if (IsCoordinateColumn(column)) {
        LineRecord& record = now.Record;
        double value = 0;
        if (ParseNumber(now.Texts.Get(column), value) && value != Undefined) {
            now.Texts.Set(column, table_.FormatNumber(settings_.Decimals, value));
            record.Coordinate(column) = value;
        } else {
            record.Coordinate(column) = Undefined;
        }
        record.Complete = record.AllCoordinatesDefined();
        if (record.Complete)
            ComputeMidpoint(record);
    }
    changes_.Write(row, std::move(now), RowBefore(row));
    TableChanged();
}

bool CellEditing::KeyDown(QKeyEvent* event)
{
    const int column = grid_.CurrentColumn(), row = grid_.CurrentRow();
    if (column < 1 || row < 1)
        return false;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                              Qt::MetaModifier);
    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier)
        return DeleteCell(column, row);
    if (event->key() == Qt::Key_Backspace && modifiers == Qt::AltModifier)
        return RestoreUndo();
    return false;
}

bool CellEditing::DeleteCell(int column, int row)
{
    // Empties the whole cell, also inside an open editor.
    SetUndo(column, row);
    RowContent now = table_.Content(row);
    now.Texts.Set(column, {});
    if (IsCoordinateColumn(column)) {
        now.Record.Coordinate(column) = Undefined;
        now.Record.Complete = false;
    }
    changes_.Write(row, std::move(now), RowBefore(row));
    grid_.CloseEditor();
    RememberRow(row);
    return true;
}

RowContent CellEditing::UndoContent() const
{
    RowContent content = table_.Content(undo_.Row);
    content.Texts.Set(undo_.Column, undo_.Text);
    content.Record = undo_.Record;
    return content;
}

RowContent CellEditing::RowBefore(int row) const
{
    return rememberedRow_ == row ? remembered_ : table_.Content(row);
}

void CellEditing::RememberRow(int row)
{
    rememberedRow_ = row;
    remembered_ = table_.Content(row);
}

void CellEditing::TableChanged()
{
    // An open editor's row is remembered from before the edit, which stays.
    if (editColumn_ == 0 && grid_.CurrentRow() >= 1)
        RememberRow(grid_.CurrentRow());
}

bool CellEditing::RestoreUndo()
{
    if (!undo_.Valid) {
        window_.Beep();
        return true;
    }
    // One more step of the history, so that it can itself be undone.
    changes_.Write(undo_.Row, UndoContent(), RowBefore(undo_.Row));
    RememberRow(undo_.Row);
    return true;
}

bool CellEditing::KeyPress(QKeyEvent* event)
{
    const int column = grid_.CurrentColumn(), row = grid_.CurrentRow();
    if (column < 1 || row < 1)
        return false;
    const bool consumed = KeyPressInCell(CharacterOf(event), column, row);
    replaceOnKey_ = false;
    return consumed;
}

bool CellEditing::KeyPressInCell(char32_t key, int column, int row)
{
    if (key == EnterKey) {
        if (row == table_.Capacity())
            table_.GrowCapacity(settings_.CapacityIncrement);
        if (row < table_.Capacity())
            grid_.SetCurrentCell(column, row + 1);
        return true;
    }
    if (key == EscapeKey) {
        // Leaving the cell closes the editor and commits its text; then the
        // text and record from before the edit come back.
        grid_.SetCurrentCell(column == 1 ? 2 : column - 1, row);
        if (undo_.Valid && undo_.Column == column && undo_.Row == row) {
            // The edit just committed is taken back as if never made; what
            // else the buffer holds (an emptied cell) comes back as a step.
            const RowContent before = UndoContent();
            if (!changes_.TakeBack(row, before))
                changes_.Replace(row, {before});
            RememberRow(row);
        }
        grid_.SetCurrentCell(column, row);
        window_.UpdateSaveButtons();
        return true;
    }
    if (key == '\'' && row > 1 && table_.CellText(column, row) == "'") {
        // Within the open edit, as if typed: its commit makes the step.
        grid_.Model().SetCellBytes(column, row, std::string(table_.CellText(column, row - 1)));
        window_.EnableSaveButtons();
        return true;
    }
    if (IsCoordinateColumn(column) &&
        !CoordinateKeyAccepted(key, table_.CellText(column, row), replaceOnKey_,
                               settings_.DataSeparator)) {
        window_.Beep();
        return true;
    }
    window_.EnableSaveButtons();
    return false;
}

std::optional<QString> CellEditing::InsertText(int column, int row, const QString& editorText,
                                               int from, int to, const QString& inserted)
{
    if (column < 1 || row < 1)
        return std::nullopt;
    const QString text = IsCoordinateColumn(column) ? inserted.trimmed() : inserted;
    if (text.isEmpty() && from == to)
        return std::nullopt;
    // Like a key, a paste ends the first key's right to replace the number.
    const bool replacing = std::exchange(replaceOnKey_, false);
    if (IsCoordinateColumn(column)) {
        const auto bytesBefore = [&](int position) {
            return static_cast<std::size_t>(editorText.left(position).toUtf8().size());
        };
        if (!CoordinateInsertAccepted(editorText.toStdString(), bytesBefore(from), bytesBefore(to),
                                      text.toStdString(), replacing, settings_.DataSeparator)) {
            window_.Beep();
            return std::nullopt;
        }
    }
    window_.EnableSaveButtons();
    return text;
}

void CellEditing::ResetOnShow()
{
    editReady_ = true;
    replaceOnKey_ = true;
}

void CellEditing::FinishEdit()
{
    if (!grid_.OpenEditor())
        return;
    if (editColumn_ != 0 && editRow_ != 0) {
        editColumn_ = editRow_ = 0;
        editReady_ = true;
        replaceOnKey_ = true;
    }
    grid_.CloseEditor();
}

void CellEditing::ClearUndo()
{
    undo_.Text.clear();
    undo_.Valid = false;
}

void CellEditing::SetUndo(int column, int row)
{
    undo_.Text = std::string(table_.CellText(column, row));
    undo_.Record = table_.Record(row);
    undo_.Column = column;
    undo_.Row = row;
    undo_.Valid = true;
}

void CellEditing::FollowRowMove(int from, int to)
{
    int& row = undo_.Row;
    if (row == from)
        row = to;
    else if (from < to && row > from && row <= to)
        --row;
    else if (from > to && row >= to && row < from)
        ++row;
}

}  // namespace quorvane
