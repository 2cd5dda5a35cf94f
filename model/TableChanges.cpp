#include "TableChanges.h"

#include <algorithm>
#include <utility>

namespace quorvane {

namespace {

bool SameCoordinates(const LineRecord& a, const LineRecord& b)
{
    if (a.Complete != b.Complete)
        return false;
    for (int column = 1; column <= 6; ++column)
        if (a.Coordinate(column) != b.Coordinate(column))
            return false;
    return true;
}

}  // namespace

bool SameRowData(const RowContent& a, const RowContent& b)
{
    return a.Texts == b.Texts && SameCoordinates(a.Record, b.Record);
}

TableChanges::TableChanges(LineTable& table, HistoryLimits limits)
    : table_(table), history_(limits)
{
}

void TableChanges::BeginStep()
{
    ++depth_;
}

void TableChanges::EndStep()
{
    if (depth_ > 0)
        --depth_;
    EndChange();
}

void TableChanges::Replace(int first, std::vector<RowContent> rows)
{
    const int count = static_cast<int>(rows.size());
    if (first < 1 || count == 0 || first + count - 1 > table_.Capacity()) {
        EndChange();
        return;
    }
    bool changed = false, redraw = false;
    for (int i = 0; i < count; ++i) {
        const int row = first + i;
        const bool sameRecord = SameCoordinates(table_.Record(row), rows[i].Record);
        changed = changed || !sameRecord || table_.RowCellTexts(row) != rows[i].Texts;
        redraw = redraw || !sameRecord;
    }
    if (changed) {
        // The new rows go in; the old ones come out into the step.
        table_.SwapRows(first, rows);
        open_.Replaced(first, std::move(rows));
        change_.Rows.Include({first, first + count - 1});
        change_.Redraw = change_.Redraw || redraw;
    }
    EndChange();
}

void TableChanges::Write(int row, RowContent now, RowContent before)
{
    if (row >= 1 && row <= table_.Capacity()) {
        const bool redraw = !SameCoordinates(table_.Record(row), now.Record) ||
                            !SameCoordinates(before.Record, now.Record);
        const bool changed = !SameRowData(before, now);
        const bool shown = table_.RowCellTexts(row) != now.Texts;
        std::vector<RowContent> rows{std::move(now)};
        table_.SwapRows(row, rows);
        if (changed)
            open_.Replaced(row, {std::move(before)});
        if (changed || shown || redraw) {
            change_.Rows.Include({row, row});
            change_.Redraw = change_.Redraw || redraw;
        }
    }
    EndChange();
}

bool TableChanges::Insert(int row, std::vector<RowContent> rows)
{
    const int count = static_cast<int>(rows.size());
    if (row < 1 || table_.RowsNeededToPut(row, count) > MaxCapacity)
        return false;
    if (count > 0) {
        RowRange reached;
        if (!table_.PutRows(row, std::move(rows), reached))
            return false;
        open_.Inserted(row, count);
        inserted_ += count;
        change_.Rows.Include(reached);
        change_.Redraw = true;
    }
    EndChange();
    return true;
}

void TableChanges::Remove(int row, int count)
{
    if (row >= 1 && row <= table_.Capacity() && count > 0) {
        RowRange reached;
        std::vector<RowContent> taken = table_.TakeRows(row, count, reached);
        if (!taken.empty()) {
            open_.Removed(row, std::move(taken));
            change_.Rows.Include(reached);
            change_.Redraw = true;
        }
    }
    EndChange();
}

void TableChanges::Move(int from, int to)
{
    const int capacity = table_.Capacity();
    if (from != to && from >= 1 && to >= 1 && from <= capacity && to <= capacity) {
        table_.MoveRow(from, to);
        open_.Moved(from, to);
        change_.Rows.Include({std::min(from, to), std::max(from, to)});
        // The lines keep their places, but their numbers change.
        change_.Redraw = true;
    }
    EndChange();
}

void TableChanges::EndChange()
{
    if (depth_ > 0)
        return;
    const bool recorded = !open_.Empty();
    history_.Record(std::exchange(open_, EditStep()));
    const TableChange change = std::exchange(change_, TableChange());
    table_.LineHighWater += std::exchange(inserted_, 0);
    if (!change.Rows.Empty())
        Notify(change);
    if (recorded && events_)
        events_->HistoryChanged();
}

void TableChanges::Notify(const TableChange& change)
{
    table_.Recount();
    table_.LineHighWater = std::max(table_.LineHighWater, table_.LineCount);
    if (events_)
        events_->TableChanged(change);
}

RowRange TableChanges::Undo()
{
    const RowRange reached = history_.Undo(table_);
    if (!reached.Empty()) {
        Notify({reached, true});
        if (events_)
            events_->HistoryChanged();
    }
    return reached;
}

RowRange TableChanges::Redo()
{
    const RowRange reached = history_.Redo(table_);
    if (!reached.Empty()) {
        Notify({reached, true});
        if (events_)
            events_->HistoryChanged();
    }
    return reached;
}

bool TableChanges::TakeBack(int row, const RowContent& before)
{
    if (!history_.TakeBackReplacement(table_, row, before))
        return false;
    Notify({{row, row}, true});
    if (events_)
        events_->HistoryChanged();
    return true;
}

void TableChanges::Restart(bool saved)
{
    history_.Clear(saved);
    open_ = EditStep();
    change_ = TableChange();
    inserted_ = 0;
    depth_ = 0;
    if (events_)
        events_->HistoryChanged();
}

void TableChanges::MarkSaved()
{
    history_.MarkSaved();
    if (events_)
        events_->HistoryChanged();
}

}  // namespace quorvane
