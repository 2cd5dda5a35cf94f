#include "LineTable.h"
#include "Unprivileged.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace quorvane {
namespace {

struct RecordedTableEvents : TableEvents {
    void CapacityChanged(int capacity) override { capacities.push_back(capacity); }
    void TableCleared() override { ++clears; }
    void ShowResizeError(const std::string& message) override { errors.push_back(message); }

    std::vector<int> capacities;
    int clears = 0;
    std::vector<std::string> errors;
};

void SetCoordinates(LineTable& table, int row, std::array<double, 6> values)
{
    LineRecord& r = table.Record(row);
    for (int c = 1; c <= 6; ++c) {
        r.Coordinate(c) = values[c - 1];
        table.SetCellText(c, row, std::to_string(values[c - 1]));
    }
    r.Complete = r.AllCoordinatesDefined();
}

TEST(RowTexts, KeepsSevenTextsApartWhateverTheirLengths)
{
    RowTexts row;
    EXPECT_TRUE(row.AllEmpty());
    row.Set(3, "three");
    row.Set(7, "a supplement, with separators");
    row.Set(1, "1");
    EXPECT_EQ(row.Get(1), "1");
    EXPECT_EQ(row.Get(2), "");
    EXPECT_EQ(row.Get(3), "three");
    EXPECT_EQ(row.Get(7), "a supplement, with separators");
    row.Set(3, "");
    EXPECT_EQ(row.Get(3), "");
    EXPECT_EQ(row.Get(7), "a supplement, with separators");
    EXPECT_FALSE(row.AllEmpty());

    RowTexts built;
    built.Assign({"1", "", "", "", "", "", "a supplement, with separators"});
    EXPECT_EQ(built, row);
    built.Set(2, " ");
    EXPECT_NE(built, row);  // a blank is not nothing
    row.Clear();
    EXPECT_TRUE(row.AllEmpty());
}

TEST(RowTexts, TellsTextsApartThatJoinToTheSameBytes)
{
    RowTexts a, b;
    a.Assign({"12", "3", "", "", "", "", ""});
    b.Assign({"1", "23", "", "", "", "", ""});
    EXPECT_NE(a, b);
}

TEST(LineTable, StartsWithTenEmptyRows)
{
    LineTable table;
    EXPECT_EQ(table.Capacity(), 10);
    EXPECT_EQ(table.Records().size(), 11u);
    EXPECT_EQ(table.LineCount, 0);
    EXPECT_EQ(table.CompleteLineCount, 0);
    EXPECT_EQ(table.LineHighWater, 0);
    EXPECT_EQ(table.SavedLineCount, 0);
    for (int row = 1; row <= 10; ++row) {
        EXPECT_TRUE(table.IsRowEmpty(row));
        EXPECT_EQ(table.Record(row), EmptyLineRecord);
    }
    EXPECT_EQ(EmptyLineRecord.X1, Undefined);
    EXPECT_EQ(EmptyLineRecord.PX1, 2147483647);
    EXPECT_EQ(EmptyLineRecord.PY2, 2147483647);
    EXPECT_EQ(EmptyLineRecord.PXM, 0);
    EXPECT_EQ(EmptyLineRecord.XM, 0);
    EXPECT_FALSE(EmptyLineRecord.Complete);
}

TEST(LineTable, SetCapacityBoundsItsArgumentAndTellsTheWindow)
{
    LineTable table;
    RecordedTableEvents events;
    table.SetEvents(&events);
    table.SetCapacity(5);
    EXPECT_EQ(table.Capacity(), 10);
    table.SetCapacity(250000);
    EXPECT_EQ(table.Capacity(), 100000);
    EXPECT_EQ(table.Records().size(), 100001u);
    table.SetCapacity(-3);
    EXPECT_EQ(table.Capacity(), 10);
    EXPECT_EQ(events.capacities, (std::vector<int>{10, 100000, 10}));
}

TEST(LineTable, AFailedGrowthIsReportedAndKeepsTheTableWhole)
{
    const bool kept = testing::RunInChildProcess([] {
        LineTable table;
        RecordedTableEvents events;
        table.SetEvents(&events);
        table.SetCellText(7, 3, "kept");
        // Room for a few more megabytes, not for the 30 of a full table.
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        std::ifstream status("/proc/self/status");
        std::string line;
        long kilobytes = 0;
        while (std::getline(status, line))
            if (line.rfind("VmSize:", 0) == 0)
                kilobytes = std::stol(line.substr(7));
        limit.rlim_cur = rlim_t(kilobytes + 4096) * 1024;
        setrlimit(RLIMIT_AS, &limit);
        table.SetCapacity(100000);
        return events.errors.size() == 1 && table.Capacity() == 10 &&
               table.Records().size() == 11 && table.CellText(7, 3) == "kept";
    });
    EXPECT_TRUE(kept);
}

TEST(LineTable, RowsDroppedByShrinkingComeBackEmpty)
{
    LineTable table;
    table.SetCapacity(30);
    SetCoordinates(table, 25, {1, 2, 3, 4, 5, 6});
    table.SetCellText(7, 25, "gone");
    table.SavedRowTexts(25) = table.RowCellTexts(25);
    table.SetCapacity(20);
    table.GrowCapacity(10);
    EXPECT_EQ(table.Capacity(), 30);
    EXPECT_TRUE(table.IsRowEmpty(25));
    EXPECT_TRUE(table.SavedRowTexts(25).AllEmpty());
    EXPECT_EQ(table.Record(25), EmptyLineRecord);
}

TEST(LineTable, RecountCountsRowsInUseAndCompleteOnes)
{
    LineTable table;
    table.Recount();
    EXPECT_EQ(table.LineCount, 0);
    EXPECT_EQ(table.CompleteLineCount, 0);

    SetCoordinates(table, 1, {0, 0, 0, 1, 1, 1});
    // Row 2 stays empty between used rows.
    table.SetCellText(7, 3, "supplement only");
    table.SetCellText(1, 4, "abc");
    table.SetCellText(2, 4, "x");
    table.Record(4).Complete = false;
    SetCoordinates(table, 5, {1, 1, 1, 2, 2, 2});
    table.Recount();
    EXPECT_EQ(table.LineCount, 5);
    EXPECT_EQ(table.CompleteLineCount, 2);
    EXPECT_FALSE(table.Record(3).Complete);
    EXPECT_EQ(table.CellText(1, 4), "abc");

    // Empty rows after the last used one do not count.
    table.RowCellTexts(5).Clear();
    table.Record(5) = EmptyLineRecord;
    table.Recount();
    EXPECT_EQ(table.LineCount, 4);
    EXPECT_EQ(table.CompleteLineCount, 1);

    // A text of blanks is not empty.
    table.SetCellText(7, 9, " ");
    table.Recount();
    EXPECT_EQ(table.LineCount, 9);
}

TEST(LineTable, CompleteLinesAreCountedOnlyUpToLineCount)
{
    LineTable table;
    SetCoordinates(table, 1, {0, 0, 0, 1, 1, 1});
    table.Record(8).Complete = true;  // a stale flag below the used rows
    table.LineCount = 1;
    EXPECT_EQ(table.CountCompleteLines(), 1);
}

TEST(LineTable, ACoordinateOfExactlyUndefinedIsUndefined)
{
    LineRecord r;
    r.X1 = 0, r.Y1 = 0, r.Z1 = 0, r.X2 = 1, r.Y2 = 1, r.Z2 = 1;
    EXPECT_TRUE(r.AllCoordinatesDefined());
    r.Y2 = 1.7e308;
    EXPECT_FALSE(r.AllCoordinatesDefined());
}

TEST(LineTable, MidpointsAreComputedInExtendedPrecision)
{
    LineTable table;
    SetCoordinates(table, 1, {1e308, -1, 0.1, 1.5e308, 3, 0.2});
    SetCoordinates(table, 2, {0, 0, 0, 2, 4, 6});
    table.Record(3).X1 = 10;  // incomplete: left alone
    table.Recount();
    table.ComputeAllMidpoints();
    // (1e308 + 1.5e308) overflows a double; the midpoint does not.
    EXPECT_EQ(table.Record(1).XM, 1.25e308);
    EXPECT_EQ(table.Record(1).YM, 1.0);
    EXPECT_DOUBLE_EQ(table.Record(1).ZM, 0.15);
    EXPECT_EQ(table.Record(2).XM, 1.0);
    EXPECT_EQ(table.Record(2).YM, 2.0);
    EXPECT_EQ(table.Record(2).ZM, 3.0);
    EXPECT_EQ(table.Record(3).XM, 0.0);
}

TEST(LineTable, ClearTableEmptiesEverythingAndTellsTheWindow)
{
    LineTable table;
    RecordedTableEvents events;
    table.SetEvents(&events);
    table.SetCapacity(500);
    SetCoordinates(table, 3, {0, 0, 0, 1, 1, 1});
    table.SetCellText(7, 3, "old");
    table.SavedRowTexts(3) = table.RowCellTexts(3);
    table.Recount();
    table.LineHighWater = 40;
    table.SavedLineCount = 3;

    table.ClearTable();
    EXPECT_EQ(table.Capacity(), 10);
    EXPECT_EQ(table.LineCount, 0);
    EXPECT_EQ(table.CompleteLineCount, 0);
    EXPECT_EQ(table.LineHighWater, 0);
    EXPECT_EQ(table.SavedLineCount, 0);
    EXPECT_TRUE(table.IsRowEmpty(3));
    EXPECT_TRUE(table.SavedRowTexts(3).AllEmpty());
    EXPECT_EQ(table.Record(3), EmptyLineRecord);
    EXPECT_EQ(events.clears, 1);
    EXPECT_EQ(events.capacities.back(), 10);
}

}  // namespace
}  // namespace quorvane
