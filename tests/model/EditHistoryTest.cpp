#include "EditHistory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// A row whose texts and record name it, so that a row in the wrong place or
// with another row's record shows.
RowContent NamedRow(int name)
{
    RowContent row;
    const std::string n = std::to_string(name);
    for (int column = 1; column <= 6; ++column)
        row.Texts.Set(column, "  " + n + "." + std::to_string(column));
    row.Texts.Set(SupplementColumn, "line " + n + " with a supplement long enough for the heap");
    for (int column = 1; column <= 6; ++column)
        row.Record.Coordinate(column) = name + column / 10.0;
    row.Record.Complete = true;
    return row;
}

void Fill(LineTable& table, int rows)
{
    table.SetCapacity(rows + 1);
    std::vector<RowContent> contents;
    for (int row = 1; row <= rows; ++row)
        contents.push_back(NamedRow(row));
    RowRange reached;
    ASSERT_TRUE(table.PutRows(1, std::move(contents), reached));
    table.Recount();
}

// Everything a step may touch: every row's texts and record.
std::vector<RowContent> Snapshot(const LineTable& table)
{
    std::vector<RowContent> rows;
    for (int row = 1; row <= table.Capacity(); ++row)
        rows.push_back(table.Content(row));
    // Trailing empty rows depend on how far the capacity grew, which undo
    // does not take back.
    while (!rows.empty() && rows.back() == RowContent{})
        rows.pop_back();
    return rows;
}

// The operations as the table's one change path makes them: change the
// table, then record what changed.
void ReplaceRows(LineTable& table, EditHistory& history, int first, std::vector<RowContent> rows)
{
    table.SwapRows(first, rows);
    EditStep step;
    step.Replaced(first, std::move(rows));
    history.Record(std::move(step));
}

void InsertRows(LineTable& table, EditHistory& history, int at, std::vector<RowContent> rows)
{
    const int count = static_cast<int>(rows.size());
    RowRange reached;
    ASSERT_TRUE(table.PutRows(at, std::move(rows), reached));
    EditStep step;
    step.Inserted(at, count);
    history.Record(std::move(step));
}

void RemoveRows(LineTable& table, EditHistory& history, int at, int count)
{
    RowRange reached;
    EditStep step;
    step.Removed(at, table.TakeRows(at, count, reached));
    history.Record(std::move(step));
}

void MoveRow(LineTable& table, EditHistory& history, int from, int to)
{
    table.MoveRow(from, to);
    EditStep step;
    step.Moved(from, to);
    history.Record(std::move(step));
}

TEST(TableBlocks, TakingAndPuttingRowsMoveTheRowsBelowAndKeepTheRest)
{
    LineTable table;
    Fill(table, 6);
    RowRange reached;
    std::vector<RowContent> taken = table.TakeRows(2, 3, reached);
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0], NamedRow(2));
    EXPECT_EQ(taken[2], NamedRow(4));
    EXPECT_EQ(table.Content(2), NamedRow(5));
    EXPECT_EQ(table.Content(3), NamedRow(6));
    EXPECT_EQ(table.Content(4), RowContent{});
    EXPECT_EQ(table.LastNonEmptyRow(), 3);
    EXPECT_EQ(reached.First, 2);
    EXPECT_EQ(reached.Last, 6);

    // Put in below the used rows, with a gap of empty rows kept.
    ASSERT_TRUE(table.PutRows(8, std::move(taken), reached));
    EXPECT_EQ(table.Content(7), RowContent{});
    EXPECT_EQ(table.Content(8), NamedRow(2));
    EXPECT_EQ(table.Content(10), NamedRow(4));
    EXPECT_EQ(table.Capacity(), 10);

    // At the top, growing the table by exactly what it needs.
    std::vector<RowContent> more{NamedRow(20), NamedRow(21)};
    EXPECT_EQ(table.RowsNeededToPut(1, 2), 12);
    ASSERT_TRUE(table.PutRows(1, std::move(more), reached));
    EXPECT_EQ(table.Capacity(), 12);
    EXPECT_EQ(table.Content(1), NamedRow(20));
    EXPECT_EQ(table.Content(3), NamedRow(1));
    EXPECT_EQ(table.Content(12), NamedRow(4));
}

TEST(TableBlocks, AFullTableRefusesRowsAndStaysAsItWas)
{
    LineTable table;
    table.SetCapacity(MaxCapacity);
    table.SetCellText(SupplementColumn, MaxCapacity - 1, "next to last");
    std::vector<RowContent> rows{NamedRow(1), NamedRow(2)};
    RowRange reached;
    EXPECT_FALSE(table.PutRows(1, std::move(rows), reached));
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_TRUE(table.IsRowEmpty(1));
    EXPECT_EQ(table.CellText(SupplementColumn, MaxCapacity - 1), "next to last");
    std::vector<RowContent> one{NamedRow(1)};
    EXPECT_TRUE(table.PutRows(1, std::move(one), reached));
    EXPECT_EQ(table.CellText(SupplementColumn, MaxCapacity), "next to last");
}

TEST(EditHistory, UndoAndRedoWalkEveryKindOfStepBackAndForthExactly)
{
    // Random chains of every kind of step; each undo must give back the
    // table exactly as it was before the step, each redo as it was after,
    // whatever later steps did to the rows' places.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        LineTable table;
        Fill(table, 12);
        EditHistory history;
        std::vector<std::vector<RowContent>> states{Snapshot(table)};
        int name = 100;
        for (int i = 0; i < 30; ++i) {
            const int used = std::max(1, table.LastNonEmptyRow());
            std::vector<RowContent> rows;
            for (int n = pick(1, 4); n > 0; --n)
                rows.push_back(pick(0, 5) == 0 ? RowContent{} : NamedRow(++name));
            switch (pick(0, 3)) {
            case 0:
                rows.resize(std::min<std::size_t>(rows.size(), table.Capacity() - used + 1));
                ReplaceRows(table, history, pick(1, used), std::move(rows));
                break;
            case 1:
                InsertRows(table, history, pick(1, used + 3), std::move(rows));
                break;
            case 2:
                RemoveRows(table, history, pick(1, used), pick(1, 3));
                break;
            case 3:
                MoveRow(table, history, pick(1, used), pick(1, used));
                break;
            }
            if (!history.CanRedo() && history.UndoCount() == states.size())
                states.push_back(Snapshot(table));
            else
                states.back() = Snapshot(table);  // a move onto itself is no step
        }
        ASSERT_EQ(history.UndoCount() + 1, states.size());
        for (std::size_t k = states.size() - 1; k > 0; --k) {
            history.Undo(table);
            ASSERT_EQ(Snapshot(table), states[k - 1]) << "seed " << seed << ", undo to " << k - 1;
        }
        EXPECT_FALSE(history.CanUndo());
        for (std::size_t k = 1; k < states.size(); ++k) {
            history.Redo(table);
            ASSERT_EQ(Snapshot(table), states[k]) << "seed " << seed << ", redo to " << k;
        }
        EXPECT_FALSE(history.CanRedo());
    }
}

TEST(EditHistory, AnUndoTouchesOnlyTheRowsItsStepTook)
{
    LineTable table;
    Fill(table, 8);
    EditHistory history;
    ReplaceRows(table, history, 6, {NamedRow(60)});  // row 6 edited
    RemoveRows(table, history, 2, 2);                // it moves up to row 4
    MoveRow(table, history, 4, 1);                   // and on to row 1
    ASSERT_EQ(table.Content(1), NamedRow(60));

    history.Undo(table);
    EXPECT_EQ(table.Content(4), NamedRow(60));
    EXPECT_EQ(table.Content(1), NamedRow(1));
    history.Undo(table);
    EXPECT_EQ(table.Content(2), NamedRow(2));
    EXPECT_EQ(table.Content(3), NamedRow(3));
    EXPECT_EQ(table.Content(6), NamedRow(60));
    history.Undo(table);
    for (int row = 1; row <= 8; ++row)
        EXPECT_EQ(table.Content(row), NamedRow(row)) << row;
    EXPECT_TRUE(table.IsRowEmpty(9));
}

TEST(EditHistory, ChangedIsFalseExactlyAtTheSavedPoint)
{
    LineTable table;
    Fill(table, 4);
    EditHistory history;
    EXPECT_FALSE(history.Changed());
    ReplaceRows(table, history, 1, {NamedRow(10)});
    ReplaceRows(table, history, 2, {NamedRow(20)});
    EXPECT_TRUE(history.Changed());
    history.Undo(table);
    history.Undo(table);
    EXPECT_FALSE(history.Changed());  // back at the read state
    history.Redo(table);
    EXPECT_TRUE(history.Changed());
    history.MarkSaved();
    EXPECT_FALSE(history.Changed());
    history.Redo(table);
    EXPECT_TRUE(history.Changed());
    history.Undo(table);
    EXPECT_FALSE(history.Changed());
    history.Undo(table);
    EXPECT_TRUE(history.Changed());  // before the saved state is a change too

    // A new step where the saved state's step was undone: that state can no
    // longer be reached, so every state counts as changed until a save.
    ReplaceRows(table, history, 3, {NamedRow(30)});
    EXPECT_FALSE(history.CanRedo());
    history.Undo(table);
    EXPECT_TRUE(history.Changed());
    history.MarkSaved();
    EXPECT_FALSE(history.Changed());
    history.Clear();
    EXPECT_FALSE(history.Changed());
    EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistory, KeepsTheNewestStepsWithinItsBounds)
{
    LineTable table;
    Fill(table, 10);
    EditHistory history(HistoryLimits{std::size_t{1} << 30, 3});
    for (int row = 1; row <= 5; ++row)
        ReplaceRows(table, history, row, {NamedRow(10 * row)});
    EXPECT_EQ(history.StepCount(), 3u);
    EXPECT_TRUE(history.Changed());
    while (history.CanUndo())
        history.Undo(table);
    // Rows 1 and 2 keep the edits whose steps were dropped.
    EXPECT_EQ(table.Content(1), NamedRow(10));
    EXPECT_EQ(table.Content(2), NamedRow(20));
    EXPECT_EQ(table.Content(3), NamedRow(3));
    // The read state went with the dropped steps: it is never reached again.
    EXPECT_TRUE(history.Changed());

    // By memory: a step of 50 rows takes far more than 20 single rows.
    const std::size_t oneRow = [] {
        EditStep step;
        step.Replaced(1, {NamedRow(1)});
        return step.MemoryBytes();
    }();
    Fill(table, 60);
    EditHistory bounded(HistoryLimits{20 * oneRow, 1000});
    for (int i = 0; i < 30; ++i)
        ReplaceRows(table, bounded, 1 + i % 10, {NamedRow(i)});
    EXPECT_LE(bounded.MemoryBytes(), 20 * oneRow);
    EXPECT_GE(bounded.StepCount(), 19u);
    std::vector<RowContent> many;
    for (int i = 0; i < 50; ++i)
        many.push_back(NamedRow(500 + i));
    ReplaceRows(table, bounded, 1, std::move(many));
    // The newest step stays, however large; everything older goes.
    EXPECT_EQ(bounded.StepCount(), 1u);
    bounded.Undo(table);
    EXPECT_EQ(table.Content(1), NamedRow(20));
}

TEST(EditHistory, AnInsertHoldsItsRowsOnlyWhileItIsUndone)
{
    LineTable table;
    Fill(table, 100);
    EditHistory history;
    std::vector<RowContent> pasted;
    std::size_t pastedBytes = 0;
    for (int i = 0; i < 1000; ++i) {
        pasted.push_back(NamedRow(1000 + i));
        pastedBytes += pasted.back().MemoryBytes();
    }
    InsertRows(table, history, 50, std::move(pasted));
    EXPECT_LT(history.MemoryBytes(), 1000u);
    history.Undo(table);
    EXPECT_GT(history.MemoryBytes(), pastedBytes / 2);
    EXPECT_LE(history.MemoryBytes(), 2 * pastedBytes);
    history.Redo(table);
    EXPECT_LT(history.MemoryBytes(), 1000u);
    EXPECT_EQ(table.Content(50), NamedRow(1000));
    EXPECT_EQ(table.Content(1050), NamedRow(50));
}

TEST(EditHistory, TakesBackOnlyTheLastReplacementOfThatRow)
{
    LineTable table;
    Fill(table, 3);
    EditHistory history;
    ReplaceRows(table, history, 2, {NamedRow(20)});
    EXPECT_FALSE(history.TakeBackReplacement(table, 1, NamedRow(2)));
    EXPECT_FALSE(history.TakeBackReplacement(table, 2, NamedRow(3)));
    history.MarkSaved();
    EXPECT_TRUE(history.TakeBackReplacement(table, 2, NamedRow(2)));
    EXPECT_EQ(table.Content(2), NamedRow(2));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    // The saved state was the one taken back.
    EXPECT_TRUE(history.Changed());
}

}  // namespace
}  // namespace quorvane
