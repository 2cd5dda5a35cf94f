#pragma once

#include "GridEditEvents.h"
#include "LineTable.h"

#include <string>

namespace quorvane {

class DataTableGrid;
class TableChanges;
class TableWindowServices;
struct DataFileSettings;

// The cell editing rules: which texts an editor shows, when a coordinate
// cell's text is parsed into its record, the key filter of coordinate cells,
// Enter, Escape, the apostrophe copy, Delete, and the one-step undo. What an
// edit changes goes to the table's change path as one step when the edit is
// committed.
class CellEditing : public GridEditEvents {
public:
    CellEditing(LineTable& table, TableChanges& changes, const DataFileSettings& settings,
                DataTableGrid& grid, TableWindowServices& window);

    void SelectCell(int column, int row) override;
    QString GetEditText(int column, int row, const QString& text) override;
    void SetEditText(int column, int row, const QString& text) override;
    bool KeyDown(QKeyEvent* event) override;
    bool KeyPress(QKeyEvent* event) override;
    // Pasted and dropped text is a change like typing: into a coordinate it
    // passes only what the key filter would have let through key by key
    // (the blanks and line breaks around a copied number aside), and what
    // passes enables the save buttons.
    std::optional<QString> InsertText(int column, int row, const QString& editorText, int from,
                                      int to, const QString& inserted) override;

    // Each time the window is shown.
    void ResetOnShow();
    // Ends an open edit as a move to another cell would, so that its text
    // is parsed and the record follows. Before anything reads or moves the
    // table's rows.
    void FinishEdit();
    void ClearUndo();
    void SetUndo(int column, int row);
    // A row moved from `from` to `to`: the undo buffer keeps to its row, so
    // that undoing never writes into the line that took that row's place.
    void FollowRowMove(int from, int to);
    // The table changed through the change path: what the current row holds
    // now is where its next edit starts from.
    void TableChanged();

    struct Undo {
        std::string Text;
        LineRecord Record;
        int Column = 0, Row = 0;
        bool Valid = false;
    };
    const Undo& UndoBuffer() const { return undo_; }
    bool EditReady() const { return editReady_; }
    bool ReplaceOnKey() const { return replaceOnKey_; }

private:
    bool DeleteCell(int column, int row);
    bool RestoreUndo();
    bool KeyPressInCell(char32_t key, int column, int row);
    // The row as the undo buffer holds it: its cell's text and the record.
    RowContent UndoContent() const;
    // What `row` held before the edit now open in it, as far as that is
    // known; otherwise what it holds.
    RowContent RowBefore(int row) const;
    void RememberRow(int row);

    LineTable& table_;
    TableChanges& changes_;
    const DataFileSettings& settings_;
    DataTableGrid& grid_;
    TableWindowServices& window_;

    int selectedColumn_ = 0, selectedRow_ = 0;
    int editColumn_ = 0, editRow_ = 0;
    bool editReady_ = true;
    bool replaceOnKey_ = true;
    Undo undo_;
    // The row an edit starts from, kept before the editor writes into it.
    int rememberedRow_ = 0;
    RowContent remembered_;
};

}  // namespace quorvane
