#pragma once

#include "CharWidths.h"
#include "LineRecord.h"
#include "RowTexts.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr int MinCapacity = 10;
inline constexpr int MaxCapacity = 100000;
// Width in pixels of a coordinate column of the data table: every number text
// is padded for it.
inline constexpr int CoordinateColumnWidth = 80;

// One row's cell texts and record, as whole-row operations and the editing
// history move them in and out of the table.
struct RowContent {
    RowTexts Texts;
    LineRecord Record;

    // The memory the row takes beside the table: itself and its texts.
    std::size_t MemoryBytes() const { return sizeof(RowContent) + Texts.HeapBytes(); }
    friend bool operator==(const RowContent&, const RowContent&) = default;
};

// The rows a change reached, first to last; empty when First > Last.
struct RowRange {
    int First = 1;
    int Last = 0;

    bool Empty() const { return First > Last; }
    void Include(const RowRange& other);
};

// What the table asks of the window that shows it. The data table window
// implements it; without one the table works alone.
class TableEvents {
public:
    virtual ~TableEvents() = default;
    // The capacity changed: a current row beyond it moves to the last row,
    // then pending window events may run (this happens in the middle of reads).
    virtual void CapacityChanged(int capacity) = 0;
    // The table was cleared: the current cell goes to row 1 column 1, row 1
    // becomes the top row, the cell undo is emptied and the window's resize
    // handling runs once.
    virtual void TableCleared() = 0;
    // Growing the table failed (for example for lack of memory).
    virtual void ShowResizeError(const std::string& message) = 0;
};

// The model in memory: rows numbered from 1, each with its LineRecord and its
// seven cell texts (six coordinates and the supplement) plus the texts as they
// were last read or written. Row 0 holds no segment.
class LineTable {
public:
    LineTable();

    void SetEvents(TableEvents* events) { events_ = events; }
    // The widths of the grid's font, which FormatNumber measures with.
    void SetCharWidths(const CharWidths& widths) { charWidths_ = widths; }
    const CharWidths& Widths() const { return charWidths_; }

    int Capacity() const { return capacity_; }
    int LineCount = 0;          // highest row with a non-empty text in columns 1 to 7
    int CompleteLineCount = 0;  // complete records among rows 1 to LineCount
    int LineHighWater = 0;      // rows created since the table was last cleared
    int SavedLineCount = 0;     // LineCount at the last read or write of the data file

    LineRecord& Record(int row) { return records_[row]; }
    const LineRecord& Record(int row) const { return records_[row]; }
    // Rows 0 to Capacity; index = row number.
    std::span<LineRecord> Records() { return records_; }
    std::span<const LineRecord> Records() const { return records_; }

    std::string_view CellText(int column, int row) const { return texts_[row].Get(column); }
    void SetCellText(int column, int row, std::string_view text) { texts_[row].Set(column, text); }
    std::string_view SavedCellText(int column, int row) const { return saved_[row].Get(column); }
    RowTexts& RowCellTexts(int row) { return texts_[row]; }
    const RowTexts& RowCellTexts(int row) const { return texts_[row]; }
    RowTexts& SavedRowTexts(int row) { return saved_[row]; }
    const RowTexts& SavedRowTexts(int row) const { return saved_[row]; }

    // Bounds n to 10..100000 and gives the table rows 1 to n; new rows are
    // empty, rows above n are dropped. On failure the capacity stays.
    void SetCapacity(int n);
    void GrowCapacity(int k);
    // Makes room in memory for `rows` rows without changing the capacity, so
    // that growing to them step by step does not move the table each time.
    void ReserveRows(int rows);
    bool IsRowEmpty(int row) const { return texts_[row].AllEmpty(); }
    int LastNonEmptyRow() const;
    int CountCompleteLines() const;
    void Recount();
    void ComputeMidpoint(int row);
    void ComputeAllMidpoints();
    void ClearTable();

    // Whole-row moves of texts and records together; the saved texts stay
    // where they are, so a moved row counts as a change. The caller recounts.
    // An empty row at `row`, the rows from there to LineCount one further
    // down; needs row LineCount + 1 within the capacity.
    void InsertRow(int row);
    // Rows below `row` up to LineCount one further up; row LineCount empty.
    void DeleteRow(int row);
    // Row `from` taken out and put in at `to`, the rows between closing up.
    void MoveRow(int from, int to);

    // Block moves of the editing history. Rows below the last non-empty row
    // count as empty, so that taking rows out and putting them back in at the
    // same place are exact inverses whatever the counts say.
    RowContent Content(int row) const { return {texts_[row], records_[row]}; }
    // Rows `row` to `row` + count - 1 taken out, the rows below closing up.
    // Returns them and, in `reached`, the rows that changed.
    std::vector<RowContent> TakeRows(int row, int count, RowRange& reached);
    // The rows needed to put `count` rows in at `row`: the capacity must hold
    // that many.
    int RowsNeededToPut(int row, int count) const;
    // `rows` put in at `row`, the rows from there moving down; the capacity
    // grows as needed. False, with nothing changed, when it cannot.
    bool PutRows(int row, std::vector<RowContent>&& rows, RowRange& reached);
    // Rows from `first` on exchanged with `rows`.
    void SwapRows(int first, std::vector<RowContent>& rows);

    // A defined coordinate's cell text in the current font widths.
    std::string FormatNumber(int decimals, double value) const;
    void FormatNumber(std::string& into, int decimals, double value) const;

private:
    int capacity_ = 0;
    std::vector<LineRecord> records_;
    std::vector<RowTexts> texts_;
    std::vector<RowTexts> saved_;
    CharWidths charWidths_;
    TableEvents* events_ = nullptr;
};

// The record's midpoint from its end points, in extended precision.
void ComputeMidpoint(LineRecord& record);

// The label of row n in the table's first column: right-aligned in four
// characters up to 999, plain from 1000 on.
std::string RowLabel(int n);

}  // namespace quorvane
