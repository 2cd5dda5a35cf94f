#include "TableChanges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

RowContent Line(double x, const std::string& supplement)
{
    RowContent row;
    const double coordinates[] = {x, 0, 0, x, 1, 0};
    for (int column = 1; column <= 6; ++column) {
        row.Record.Coordinate(column) = coordinates[column - 1];
        row.Texts.Set(column, std::to_string(coordinates[column - 1]));
    }
    row.Record.Complete = true;
    ComputeMidpoint(row.Record);
    row.Texts.Set(SupplementColumn, supplement);
    return row;
}

// Line n: from (n, 0, 0) to (n, 1, 0), named "L<n>".
RowContent Line(int n)
{
    std::string name(1, 'L');
    name += std::to_string(n);
    return Line(n, name);
}

// The supplements of the used rows, "_" for a row without one, and "!" where
// the record is not the one its texts name.
std::string Order(const LineTable& table)
{
    std::string order;
    for (int row = 1; row <= table.LineCount; ++row) {
        const std::string supplement(table.CellText(SupplementColumn, row));
        const LineRecord& record = table.Record(row);
        if (supplement.empty())
            order += "_";
        else if (!record.Complete || record.X1 != std::stod(supplement.substr(1)))
            order += "!";
        else
            order += supplement.substr(1);
        order += ' ';
    }
    return order;
}

class Window : public TableChangeEvents {
public:
    void TableChanged(const TableChange& change) override
    {
        changes.push_back(change);
    }
    void HistoryChanged() override { ++historyChanges; }

    std::vector<TableChange> changes;
    int historyChanges = 0;
};

class ChangePath : public ::testing::Test {
protected:
    ChangePath()
    {
        path.SetEvents(&window);
        std::vector<RowContent> rows;
        for (int n = 1; n <= 5; ++n)
            rows.push_back(Line(n));
        path.Insert(1, std::move(rows));
        // As if read from a file.
        path.Restart(true);
        window = {};
    }

    LineTable table;
    Window window;
    TableChanges path{table};
};

TEST_F(ChangePath, EveryKindOfChangeIsUndoneAndRedoneBackToTheSavedStateAndPastIt)
{
    ASSERT_EQ(Order(table), "1 2 3 4 5 ");
    EXPECT_FALSE(path.Changed());

    // A cell editor wrote x1 of row 2 as the user typed; the step goes back
    // to what the row held before the edit, not to a half-typed text.
    RowContent typed = Line(7, "L7");
    path.Write(2, typed, Line(2, "L2"));
    path.Insert(1, {Line(8, "L8")});
    path.Remove(4, 1);
    path.Move(1, 3);
    path.Replace(5, {Line(9, "L9")});
    EXPECT_EQ(Order(table), "1 7 8 4 9 ");
    EXPECT_TRUE(path.Changed());
    EXPECT_EQ(table.LineCount, 5);
    EXPECT_EQ(table.CompleteLineCount, 5);
    EXPECT_EQ(table.LineHighWater, 6);  // one row was put in since the read

    const std::vector<std::string> states = {"1 7 8 4 5 ", "8 1 7 4 5 ", "8 1 7 3 4 5 ",
                                             "1 7 3 4 5 ", "1 2 3 4 5 "};
    for (const std::string& state : states) {
        path.Undo();
        EXPECT_EQ(Order(table), state);
    }
    EXPECT_FALSE(path.CanUndo());
    EXPECT_FALSE(path.Changed());
    EXPECT_TRUE(path.Undo().Empty());

    // Saved in the middle: before and after that point the table is changed.
    path.Redo();
    path.Redo();
    path.MarkSaved();
    EXPECT_FALSE(path.Changed());
    path.Undo();
    EXPECT_TRUE(path.Changed());
    path.Redo();
    EXPECT_FALSE(path.Changed());
    while (path.CanRedo())
        path.Redo();
    EXPECT_EQ(Order(table), "1 7 8 4 9 ");
    EXPECT_TRUE(path.Changed());
    EXPECT_EQ(table.LineCount, 5);
}

TEST_F(ChangePath, TellsTheWindowWhatToRedrawAndRecordsNothingForNoChange)
{
    // Only the supplement: the rows repaint, the drawing stays.
    RowContent noted = table.Content(3);
    noted.Texts.Set(SupplementColumn, "L3 feed");
    path.Replace(3, {noted});
    ASSERT_EQ(window.changes.size(), 1u);
    EXPECT_FALSE(window.changes[0].Redraw);
    EXPECT_EQ(window.changes[0].Rows.First, 3);
    EXPECT_EQ(window.historyChanges, 1);

    // What the drawing stored in a record is no change of the model.
    RowContent projected = table.Content(2);
    projected.Record.PX1 = 17;
    path.Replace(2, {projected});
    // Neither is a commit of the text the row had.
    path.Write(4, table.Content(4), table.Content(4));
    EXPECT_EQ(path.History().StepCount(), 1u);
    EXPECT_EQ(window.historyChanges, 1);

    path.Replace(2, {Line(6, "L6")});
    EXPECT_TRUE(window.changes.back().Redraw);
}

TEST_F(ChangePath, AGroupIsOneStepAndAFullTableRefusesWithoutAStep)
{
    path.BeginStep();
    path.Replace(1, {Line(11, "L11"), Line(12, "L12")});
    path.Insert(6, {Line(13, "L13")});
    path.EndStep();
    EXPECT_EQ(Order(table), "11 12 3 4 5 13 ");
    EXPECT_EQ(window.changes.size(), 1u);
    EXPECT_EQ(path.History().StepCount(), 1u);
    path.Undo();
    EXPECT_EQ(Order(table), "1 2 3 4 5 ");

    table.SetCapacity(MaxCapacity);
    table.SetCellText(SupplementColumn, MaxCapacity, "last");
    table.Recount();
    EXPECT_FALSE(path.Insert(2, {Line(14, "L14")}));
    EXPECT_EQ(table.CellText(SupplementColumn, 2), "L2");
    EXPECT_FALSE(path.CanUndo());
    EXPECT_TRUE(path.CanRedo());
}

TEST_F(ChangePath, ACancelledEditIsTakenBackAsIfNeverMade)
{
    const RowContent before = table.Content(2);
    path.Replace(1, {Line(21, "L21")});
    path.Write(2, Line(22, "L22"), before);
    EXPECT_TRUE(path.TakeBack(2, before));
    EXPECT_EQ(Order(table), "21 2 3 4 5 ");
    EXPECT_FALSE(path.CanRedo());
    // Only the last step, and only the replacement of that row.
    EXPECT_FALSE(path.TakeBack(1, before));
    EXPECT_EQ(path.History().StepCount(), 1u);
}

TEST_F(ChangePath, ARestartForgetsTheStepsAndAnImportStaysUnsavedUntilSaved)
{
    path.Remove(1, 2);
    path.Restart(false);
    EXPECT_FALSE(path.CanUndo());
    EXPECT_TRUE(path.Changed());
    path.Replace(1, {Line(31, "L31")});
    path.Undo();
    // Back at the start of the import, which still no file holds.
    EXPECT_TRUE(path.Changed());
    path.MarkSaved();
    EXPECT_FALSE(path.Changed());
}

TEST_F(ChangePath, TheHistoryStaysWithinItsBoundOfSteps)
{
    TableChanges bounded(table, HistoryLimits{std::size_t{200} << 20, 3});
    for (int n = 1; n <= 5; ++n)
        bounded.Replace(1, {Line(40 + n)});
    int undone = 0;
    while (bounded.CanUndo()) {
        bounded.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(Order(table), "42 2 3 4 5 ");
    // The saved state was dropped with the oldest steps.
    EXPECT_TRUE(bounded.Changed());
}

}  // namespace
}  // namespace quorvane
