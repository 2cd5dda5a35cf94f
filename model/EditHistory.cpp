#include "EditHistory.h"

#include <algorithm>
#include <utility>

namespace quorvane {

namespace {

std::size_t RowsMemory(const std::vector<RowContent>& rows)
{
    std::size_t bytes = rows.capacity() * sizeof(RowContent);
    for (const RowContent& row : rows)
        bytes += row.Texts.HeapBytes();
    return bytes;
}

}  // namespace

void EditStep::Replaced(int first, std::vector<RowContent> before)
{
    if (before.empty())
        return;
    const int count = static_cast<int>(before.size());
    parts_.push_back({Kind::Replaced, first, count, 0, std::move(before)});
}

void EditStep::Inserted(int row, int count)
{
    if (count > 0)
        parts_.push_back({Kind::Inserted, row, count, 0, {}});
}

void EditStep::Removed(int row, std::vector<RowContent> rows)
{
    if (rows.empty())
        return;
    const int count = static_cast<int>(rows.size());
    parts_.push_back({Kind::Removed, row, count, 0, std::move(rows)});
}

void EditStep::Moved(int from, int to)
{
    if (from != to)
        parts_.push_back({Kind::Moved, from, 1, to, {}});
}

std::size_t EditStep::MemoryBytes() const
{
    std::size_t bytes = sizeof(EditStep) + parts_.capacity() * sizeof(Part);
    for (const Part& part : parts_)
        bytes += RowsMemory(part.Rows);
    return bytes;
}

int EditStep::FirstRow() const
{
    return parts_.empty() ? 0 : parts_.front().Row;
}

bool EditStep::IsReplacementOf(int row, const RowContent& before) const
{
    return parts_.size() == 1 && parts_[0].What == Kind::Replaced && parts_[0].Row == row &&
           parts_[0].Rows.size() == 1 && parts_[0].Rows[0] == before;
}

std::optional<RowRange> EditStep::Apply(LineTable& table, Part& part, bool forward)
{
    RowRange reached;
    switch (part.What) {
    case Kind::Replaced:
        // The table's version and the kept one change places both ways.
        table.SwapRows(part.Row, part.Rows);
        return RowRange{part.Row, part.Row + part.Count - 1};
    case Kind::Inserted:
    case Kind::Removed:
        if ((part.What == Kind::Inserted) != forward) {
            part.Rows = table.TakeRows(part.Row, part.Count, reached);
            return reached;
        }
        if (!table.PutRows(part.Row, std::move(part.Rows), reached))
            return std::nullopt;
        // The rows are in the table again; their room goes too.
        std::vector<RowContent>().swap(part.Rows);
        return reached;
    case Kind::Moved:
        if (forward)
            table.MoveRow(part.Row, part.To);
        else
            table.MoveRow(part.To, part.Row);
        return RowRange{std::min(part.Row, part.To), std::max(part.Row, part.To)};
    }
    return reached;
}

std::optional<RowRange> EditStep::Undo(LineTable& table)
{
    RowRange reached;
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
        const std::optional<RowRange> rows = Apply(table, *part, false);
        if (!rows)
            return std::nullopt;
        reached.Include(*rows);
    }
    return reached;
}

std::optional<RowRange> EditStep::Redo(LineTable& table)
{
    RowRange reached;
    for (Part& part : parts_) {
        const std::optional<RowRange> rows = Apply(table, part, true);
        if (!rows)
            return std::nullopt;
        reached.Include(*rows);
    }
    return reached;
}

void EditHistory::Record(EditStep step)
{
    if (step.Empty())
        return;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().MemoryBytes();
        steps_.pop_back();
    }
    if (saved_ && *saved_ > done_)
        saved_.reset();
    bytes_ += step.MemoryBytes();
    steps_.push_back(std::move(step));
    ++done_;
    // The newest step stays, however large: it is what the user just did.
    while (steps_.size() > 1 && (steps_.size() > limits_.MaxSteps || bytes_ > limits_.MaxBytes))
        DropOldest();
}

void EditHistory::DropOldest()
{
    bytes_ -= steps_.front().MemoryBytes();
    steps_.pop_front();
    --done_;
    if (saved_ && *saved_ == 0)
        saved_.reset();
    else if (saved_)
        --*saved_;
}

RowRange EditHistory::Undo(LineTable& table)
{
    if (!CanUndo())
        return {};
    EditStep& step = steps_[done_ - 1];
    const std::size_t before = step.MemoryBytes();
    const std::optional<RowRange> reached = step.Undo(table);
    if (!reached) {
        Forget();
        return {1, table.Capacity()};
    }
    bytes_ = bytes_ - before + step.MemoryBytes();
    --done_;
    return *reached;
}

RowRange EditHistory::Redo(LineTable& table)
{
    if (!CanRedo())
        return {};
    EditStep& step = steps_[done_];
    const std::size_t before = step.MemoryBytes();
    const std::optional<RowRange> reached = step.Redo(table);
    if (!reached) {
        Forget();
        return {1, table.Capacity()};
    }
    bytes_ = bytes_ - before + step.MemoryBytes();
    ++done_;
    return *reached;
}

bool EditHistory::TakeBackReplacement(LineTable& table, int row, const RowContent& before)
{
    if (!CanUndo() || done_ != steps_.size() || !steps_.back().IsReplacementOf(row, before))
        return false;
    Undo(table);
    bytes_ -= steps_.back().MemoryBytes();
    steps_.pop_back();
    if (saved_ && *saved_ > done_)
        saved_.reset();
    return true;
}

void EditHistory::Clear(bool saved)
{
    steps_.clear();
    done_ = 0;
    saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
    bytes_ = 0;
}

void EditHistory::Forget()
{
    steps_.clear();
    done_ = 0;
    saved_.reset();
    bytes_ = 0;
}

}  // namespace quorvane
