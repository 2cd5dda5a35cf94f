#pragma once

#include "EditHistory.h"
#include "LineTable.h"

#include <vector>

namespace quorvane {

// What one change, undo or redo did, as the window that shows the table
// needs to know it.
struct TableChange {
    // The rows whose texts or records changed or moved.
    RowRange Rows;
    // Records changed or rows moved: the model's extents and the drawing
    // follow. False when only texts without a number changed (supplements).
    bool Redraw = false;
};

// What the change path tells the window that shows the table.
class TableChangeEvents {
public:
    virtual ~TableChangeEvents() = default;
    // After the table was changed and recounted.
    virtual void TableChanged(const TableChange& change) = 0;
    // What can be undone or redone, or whether the table is unsaved, may
    // have changed.
    virtual void HistoryChanged() = 0;
};

// The one path through which every change to the table goes: it makes the
// change, records it in the editing history as one step, recounts the table
// and tells the window, which redraws and sets its save buttons from
// Changed(). Undo and redo come back the same way.
class TableChanges {
public:
    explicit TableChanges(LineTable& table, HistoryLimits limits = {});

    void SetEvents(TableChangeEvents* events) { events_ = events; }

    // Changes made between these two are one step, undone and redone
    // together, with the table recounted and the window told once at the
    // end. Groups may nest; the outermost one counts.
    void BeginStep();
    void EndStep();

    // Rows from `first` on take `rows`.
    void Replace(int first, std::vector<RowContent> rows);
    // Row `row` takes `now`. `before` is what it held when the edit began:
    // an open cell editor writes what the user types into the row as it
    // comes, and that is no state to go back to.
    void Write(int row, RowContent now, RowContent before);
    // `rows` put in at `row`, the rows from there moving down; the capacity
    // grows as needed. False, with nothing changed, when the table cannot
    // hold them.
    bool Insert(int row, std::vector<RowContent> rows);
    // `count` rows from `row` on taken out, the rows below closing up.
    void Remove(int row, int count);
    // Row `from` taken out and put in at `to`.
    void Move(int from, int to);

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // The first row the next undo or redo changes.
    int UndoRow() const { return history_.UndoRow(); }
    int RedoRow() const { return history_.RedoRow(); }
    // The rows that changed; empty when there was nothing to undo or redo.
    RowRange Undo();
    RowRange Redo();
    // A cancelled edit: when the last step wrote over the one row `row`,
    // which held `before`, it is undone and forgotten, as if never made.
    bool TakeBack(int row, const RowContent& before);

    // A table that was read, cleared or imported: nothing to undo or redo.
    // `saved` is false for a table no file holds yet (an import).
    void Restart(bool saved);
    // The table as it is now was written.
    void MarkSaved();
    // Whether the table differs from what was last read or written.
    bool Changed() const { return history_.Changed(); }
    const EditHistory& History() const { return history_; }

private:
    // Ends a change made outside a group.
    void EndChange();
    void Notify(const TableChange& change);

    LineTable& table_;
    EditHistory history_;
    TableChangeEvents* events_ = nullptr;
    // The step being made and what it reached so far.
    EditStep open_;
    TableChange change_;
    int inserted_ = 0;
    int depth_ = 0;
};

// Whether two rows hold the same texts and coordinates; what the drawing
// stored in their records (pixel positions) does not count.
bool SameRowData(const RowContent& a, const RowContent& b);

}  // namespace quorvane
