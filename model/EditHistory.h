#pragma once

#include "LineTable.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace quorvane {

// What one operation did to the table, kept so that it can be taken back and
// done again. A step holds only what changed: rows written in place keep
// their other version, rows put in keep nothing while they are in the table
// (only where and how many), rows taken out keep their contents. Positions
// are exact because steps are undone and redone strictly in order: when a
// step is undone, every later one has been undone before it, so the table is
// as the step left it.
class EditStep {
public:
    // Rows from `first` on hold new contents; `before` is what they held.
    void Replaced(int first, std::vector<RowContent> before);
    // `count` rows were put in at `row`, the rows from there moving down.
    void Inserted(int row, int count);
    // `rows` were taken out at `row`, the rows below closing up.
    void Removed(int row, std::vector<RowContent> rows);
    // Row `from` was taken out and put in at `to`.
    void Moved(int from, int to);

    bool Empty() const { return parts_.empty(); }
    // The memory the step holds, itself included.
    std::size_t MemoryBytes() const;
    // The first row the step changed when it was done: where the user looks
    // after an undo or redo.
    int FirstRow() const;
    // True for a step that wrote `before` over the one row `row`.
    bool IsReplacementOf(int row, const RowContent& before) const;

    // Both return the rows that changed, or nothing when the table could
    // not grow to take rows back (it keeps what it has then). Redo needs the
    // table exactly as Undo left it, which the history guarantees.
    std::optional<RowRange> Undo(LineTable& table);
    std::optional<RowRange> Redo(LineTable& table);

private:
    enum class Kind { Replaced, Inserted, Removed, Moved };
    struct Part {
        Kind What;
        int Row = 0;
        int Count = 0;
        int To = 0;
        // Replaced: the rows' other version. Inserted: the rows while they are
        // out of the table. Removed: the rows while they are out of it.
        std::vector<RowContent> Rows;
    };
    static std::optional<RowRange> Apply(LineTable& table, Part& part, bool forward);

    std::vector<Part> parts_;
};

struct HistoryLimits {
    std::size_t MaxBytes = std::size_t{200} << 20;
    std::size_t MaxSteps = 1000;
};

// The table's editing history: the steps done (undoable) and undone
// (redoable), bounded in memory and count with the oldest steps dropped
// first, and the saved point, the step count at which the table was last
// read or written.
class EditHistory {
public:
    explicit EditHistory(HistoryLimits limits = {}) : limits_(limits) {}

    // After the step's change was made to the table. Forgets the undone
    // steps; a saved point among them can no longer be reached.
    void Record(EditStep step);
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The rows that changed; empty when there is nothing to undo or redo.
    // Should the table fail to grow to take rows back, the history is
    // forgotten, as its positions no longer hold, and the whole table counts
    // as reached.
    RowRange Undo(LineTable& table);
    RowRange Redo(LineTable& table);
    // The row the next undo or redo starts at.
    int UndoRow() const { return CanUndo() ? steps_[done_ - 1].FirstRow() : 0; }
    int RedoRow() const { return CanRedo() ? steps_[done_].FirstRow() : 0; }
    // Undoes the last step when it is the replacement of `row` by `before`,
    // and forgets it, as if it had never been made; true when it did.
    bool TakeBackReplacement(LineTable& table, int row, const RowContent& before);

    // Nothing to undo or redo; the table as it is counts as saved, or, with
    // `saved` false, as changed until it is saved (an import no file holds).
    void Clear(bool saved = true);
    // The table as it is now is saved.
    void MarkSaved() { saved_ = done_; }
    // Whether the table differs from its saved state as far as the history
    // knows: false exactly at the saved point.
    bool Changed() const { return saved_ != done_; }

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t UndoCount() const { return done_; }
    std::size_t MemoryBytes() const { return bytes_; }
    const HistoryLimits& Limits() const { return limits_; }

private:
    void DropOldest();
    // Nothing to undo or redo, and no saved point to return to.
    void Forget();

    HistoryLimits limits_;
    std::deque<EditStep> steps_;
    std::size_t done_ = 0;
    // Unset when the saved state was dropped or its steps forgotten.
    std::optional<std::size_t> saved_ = 0;
    std::size_t bytes_ = 0;
};

}  // namespace quorvane
