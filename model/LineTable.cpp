#include "LineTable.h"

#include "NumberText.h"

#include <algorithm>
#include <new>

namespace quorvane {

LineTable::LineTable()
{
    SetCapacity(MinCapacity);
}

void LineTable::SetCapacity(int n)
{
    n = std::clamp(n, MinCapacity, MaxCapacity);
    const auto oldSize = records_.size();
    const auto newSize = static_cast<std::size_t>(n) + 1;
    try {
        records_.resize(newSize);
        texts_.resize(newSize);
        saved_.resize(newSize);
    } catch (const std::bad_alloc& error) {
        // Shrinking back never allocates, so the table is whole again.
        records_.resize(oldSize);
        texts_.resize(oldSize);
        saved_.resize(oldSize);
        if (events_)
            events_->ShowResizeError(error.what());
        return;
    }
    capacity_ = n;
    if (events_)
        events_->CapacityChanged(capacity_);
}

void LineTable::GrowCapacity(int k)
{
    SetCapacity(capacity_ + k);
}

void LineTable::ReserveRows(int rows)
{
    const auto size = static_cast<std::size_t>(std::clamp(rows, MinCapacity, MaxCapacity)) + 1;
    try {
        records_.reserve(size);
        texts_.reserve(size);
        saved_.reserve(size);
    } catch (const std::bad_alloc&) {
        // Only a hint: the table grows as far as memory allows.
    }
}

int LineTable::LastNonEmptyRow() const
{
    for (int row = capacity_; row >= 1; --row)
        if (!IsRowEmpty(row))
            return row;
    return 0;
}

int LineTable::CountCompleteLines() const
{
    int count = 0;
    for (int row = 1; row <= LineCount; ++row)
        count += records_[row].Complete ? 1 : 0;
    return count;
}

void LineTable::Recount()
{
    LineCount = LastNonEmptyRow();
    CompleteLineCount = CountCompleteLines();
}

void LineTable::ComputeMidpoint(int row)
{
    quorvane::ComputeMidpoint(records_[row]);
}

void ComputeMidpoint(LineRecord& r)
{
    r.XM = static_cast<double>((static_cast<long double>(r.X1) + r.X2) * 0.5L);
    r.YM = static_cast<double>((static_cast<long double>(r.Y1) + r.Y2) * 0.5L);
    r.ZM = static_cast<double>((static_cast<long double>(r.Z1) + r.Z2) * 0.5L);
}

void LineTable::ComputeAllMidpoints()
{
    for (int row = 1; row <= LineCount; ++row)
        if (records_[row].Complete)
            ComputeMidpoint(row);
}

void LineTable::ClearTable()
{
    SavedLineCount = 0;
    LineHighWater = 0;
    LineCount = 0;
    CompleteLineCount = 0;
    // Shrinking never allocates; releasing the memory of a large table is a
    // request that may be declined without harm.
    const auto size = static_cast<std::size_t>(MinCapacity) + 1;
    records_.resize(size);
    texts_.resize(size);
    saved_.resize(size);
    records_.shrink_to_fit();
    texts_.shrink_to_fit();
    saved_.shrink_to_fit();
    for (std::size_t row = 1; row < size; ++row) {
        texts_[row].Clear();
        saved_[row].Clear();
        records_[row] = EmptyLineRecord;
    }
    SetCapacity(MinCapacity);
    if (events_)
        events_->TableCleared();
}

void LineTable::InsertRow(int row)
{
    const int last = LineCount + 1;
    if (row < last)
        MoveRow(last, row);
    texts_[row].Clear();
    records_[row] = EmptyLineRecord;
}

void LineTable::DeleteRow(int row)
{
    if (row > LineCount)
        return;
    MoveRow(row, LineCount);
    texts_[LineCount].Clear();
    records_[LineCount] = EmptyLineRecord;
}

void LineTable::MoveRow(int from, int to)
{
    const auto rotate = [from, to](auto& rows) {
        if (from < to)
            std::rotate(rows.begin() + from, rows.begin() + from + 1, rows.begin() + to + 1);
        else if (from > to)
            std::rotate(rows.begin() + to, rows.begin() + from, rows.begin() + from + 1);
    };
    rotate(texts_);
    rotate(records_);
}

std::vector<RowContent> LineTable::TakeRows(int row, int count, RowRange& reached)
{
    count = std::clamp(count, 0, capacity_ - row + 1);
    if (count == 0) {
        reached = {};
        return {};
    }
    const int end = std::max(LastNonEmptyRow(), row + count - 1);
    // The taken rows go to the end of the used rows, where they are emptied.
    const auto rotate = [row, count, end](auto& rows) {
        std::rotate(rows.begin() + row, rows.begin() + row + count, rows.begin() + end + 1);
    };
    rotate(texts_);
    rotate(records_);
    std::vector<RowContent> taken;
    taken.reserve(static_cast<std::size_t>(count));
    for (int r = end - count + 1; r <= end; ++r) {
        taken.push_back({std::move(texts_[r]), records_[r]});
        texts_[r].Clear();
        records_[r] = EmptyLineRecord;
    }
    reached = {row, end};
    return taken;
}

int LineTable::RowsNeededToPut(int row, int count) const
{
    return std::max(LastNonEmptyRow(), row - 1) + count;
}

bool LineTable::PutRows(int row, std::vector<RowContent>&& rows, RowRange& reached)
{
    const int count = static_cast<int>(rows.size());
    const int end = RowsNeededToPut(row, count);
    if (end > capacity_) {
        if (end > MaxCapacity)
            return false;
        SetCapacity(end);
        if (capacity_ < end)
            return false;
    }
    // Empty rows from below the used ones come up to take the new rows.
    const auto rotate = [row, count, end](auto& table) {
        std::rotate(table.begin() + row, table.begin() + end - count + 1, table.begin() + end + 1);
    };
    rotate(texts_);
    rotate(records_);
    for (int i = 0; i < count; ++i) {
        texts_[row + i] = std::move(rows[i].Texts);
        records_[row + i] = rows[i].Record;
    }
    rows.clear();
    reached = {row, end};
    return true;
}

void LineTable::SwapRows(int first, std::vector<RowContent>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::swap(texts_[first + i], rows[i].Texts);
        std::swap(records_[first + i], rows[i].Record);
    }
}

std::string LineTable::FormatNumber(int decimals, double value) const
{
    return quorvane::FormatNumber(CoordinateColumnWidth, decimals, value, charWidths_);
}

void LineTable::FormatNumber(std::string& into, int decimals, double value) const
{
    FormatNumberInto(into, CoordinateColumnWidth, decimals, value, charWidths_);
}

void RowRange::Include(const RowRange& other)
{
    if (other.Empty())
        return;
    if (Empty()) {
        *this = other;
        return;
    }
    First = std::min(First, other.First);
    Last = std::max(Last, other.Last);
}

std::string RowLabel(int n)
{
    std::string label = std::to_string(n);
    if (n < 10)
        label.insert(0, 3, ' ');
    else if (n < 100)
        label.insert(0, 2, ' ');
    return label;
}

}  // namespace quorvane
