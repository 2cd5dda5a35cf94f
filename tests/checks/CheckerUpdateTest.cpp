#include "CheckMessages.h"
#include "CheckTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <tuple>

namespace quorvane::testing {
namespace {

// Findings in an order that does not depend on how they were found.
std::vector<std::string> Canonical(std::vector<CheckFinding> findings)
{
    std::vector<std::string> lines;
    for (const CheckFinding& f : findings)
        lines.push_back(std::string(RuleId(f.Rule)) + " " + std::string(SeverityId(f.Severity)) +
                        " rows " + RowList(f.Rows) + " " + FindingNumbers(f, Language::English) +
                        " at " + CheckNumber(f.Place.X) + " " + CheckNumber(f.Place.Y) + " " +
                        CheckNumber(f.Place.Z));
    std::sort(lines.begin(), lines.end());
    return lines;
}

// What one list has and the other lacks, for a readable failure.
std::string Difference(const std::vector<std::string>& kept, const std::vector<std::string>& fresh)
{
    std::vector<std::string> missing, extra;
    std::set_difference(fresh.begin(), fresh.end(), kept.begin(), kept.end(),
                        std::back_inserter(missing));
    std::set_difference(kept.begin(), kept.end(), fresh.begin(), fresh.end(),
                        std::back_inserter(extra));
    std::string text;
    for (const std::string& line : missing)
        text += "missing: " + line + "\n";
    for (const std::string& line : extra)
        text += "extra: " + line + "\n";
    return text;
}

void ExpectSame(GeometryChecker& checker, const LineTable& table,
                const CheckConditions& conditions)
{
    const std::vector<std::string> kept = Canonical(checker.Findings());
    const std::vector<std::string> fresh = Canonical(CheckGeometry(table, conditions));
    EXPECT_EQ(kept, fresh) << Difference(kept, fresh);
}

// Lines between points of a small lattice cross, touch, meet, overlap and
// repeat each other often; some carry wire data of few segments.
class LatticeModel {
public:
    explicit LatticeModel(unsigned seed) : random_(seed) {}

    std::array<double, 6> Coordinates()
    {
        std::array<double, 6> c;
        for (double& v : c)
            v = Pick(0, 4) * 0.5;
        if (Pick(0, 9) == 0)  // now and then a point line or one off the lattice
            c[3] = c[0], c[4] = c[1], c[5] = c[2];
        else if (Pick(0, 9) == 0)
            c[Pick(0, 5)] += 0.0004;
        return c;
    }

    std::string Supplement()
    {
        switch (Pick(0, 3)) {
        case 0:
            return {};
        case 1:
            return Wire(Pick(1, 4), 0.001);
        case 2:
            return Wire(Pick(1, 4), Pick(0, 3) * 0.1);
        default:
            return NecSupplement(7, Pick(1, 2), 0.0005) + " remark";
        }
    }

    void Fill(LineTable& table, int rows)
    {
        for (int i = 0; i < rows; ++i)
            AddWire(table, Coordinates(), Supplement());
    }

    // Changes one row as an edit would and says which.
    int Edit(LineTable& table)
    {
        const int row = Pick(1, table.LineCount + 1);
        if (row > table.Capacity())
            table.GrowCapacity(10);
        LineRecord& r = table.Record(row);
        switch (Pick(0, 3)) {
        case 0: {  // one coordinate typed anew
            const int column = Pick(1, 6);
            r.Coordinate(column) = Pick(0, 4) * 0.5;
            table.SetCellText(column, row, "x");
            break;
        }
        case 1:  // the supplement
            table.SetCellText(7, row, Supplement());
            break;
        case 2:  // a coordinate emptied
            r.Coordinate(Pick(1, 6)) = Undefined;
            table.SetCellText(1, row, "x");
            break;
        default: {  // the whole line
            const std::array<double, 6> c = Coordinates();
            for (int column = 1; column <= 6; ++column) {
                r.Coordinate(column) = c[column - 1];
                table.SetCellText(column, row, "x");
            }
        }
        }
        r.Complete = r.AllCoordinatesDefined();
        table.Recount();
        return row;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::mt19937 random_;
};

TEST(CheckerUpdates, EditedRowByRowTheFindingsAreThoseOfAFreshCheck)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        LatticeModel model(seed);
        LineTable table;
        model.Fill(table, 60);
        const CheckConditions conditions{300.0, seed % 2 == 0};
        GeometryChecker checker;
        checker.Load(table, conditions);
        ASSERT_FALSE(checker.Findings().empty());
        for (int edit = 0; edit < 150; ++edit) {
            std::vector<int> rows{model.Edit(table)};
            if (edit % 10 == 0)
                rows.push_back(model.Edit(table));
            checker.UpdateRows(table, rows);
            SCOPED_TRACE("after edit " + std::to_string(edit) + " of rows " + RowList(rows));
            ExpectSame(checker, table, conditions);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

// Coordinates can change without anyone naming their row (a number that no
// longer reads empties the coordinate behind its text): the checker finds
// those rows itself, and only those.
TEST(CheckerUpdates, MovedComeAndGoneLinesAreFoundUnnamed)
{
    LatticeModel model(9);
    LineTable table;
    model.Fill(table, 40);
    GeometryChecker checker;
    checker.Load(table, {300.0, false});
    EXPECT_TRUE(checker.StaleRows(table).empty());

    table.Record(3).X2 += 0.5;                   // moved
    table.Record(7).Coordinate(4) = Undefined;   // gone
    table.Record(7).Complete = false;
    table.SetCellText(7, 9, Wire(2, 0.3));       // wire data alone: named by its editor
    AddWire(table, {0, 0, 0, 1, 1, 1});          // come, beyond the rows loaded
    table.Recount();
    EXPECT_EQ(checker.StaleRows(table), (std::vector<int>{3, 7, 41}));

    std::vector<int> rows = checker.StaleRows(table);
    rows.push_back(9);
    checker.UpdateRows(table, rows);
    EXPECT_TRUE(checker.StaleRows(table).empty());
    ExpectSame(checker, table, {300.0, false});
}

// A table of one line pasted 50,000 times is one finding, checked as fast
// as one line: copies are not compared with each other. The copies' holder
// edited away hands the line on to the next copy.
TEST(CheckerUpdates, ManyCopiesOfALineAreOneFindingAndFollowEdits)
{
    constexpr int copies = 50000;
    LineTable table;
    table.SetCapacity(copies + 1);
    for (int row = 1; row <= copies; ++row) {
        LineRecord& r = table.Record(row);
        const bool reversed = row % 2 == 0;
        r.X1 = reversed ? 1 : 0, r.Y1 = 0, r.Z1 = -0.0;
        r.X2 = reversed ? 0 : 1, r.Y2 = 0, r.Z2 = 0;
        r.Complete = true;
        table.SetCellText(1, row, "x");
    }
    table.Recount();
    AddWire(table, {0.5, -1, 0, 0.5, 1, 0});  // crosses them all in their middle
    GeometryChecker checker;
    checker.Load(table, {});
    ASSERT_EQ(checker.Findings().size(), 2u);
    EXPECT_EQ(checker.Findings()[0].Rule, CheckRule::DuplicateLines);
    EXPECT_EQ(checker.Findings()[0].Rows.size(), std::size_t(copies));
    EXPECT_EQ(checker.Findings()[1].Rule, CheckRule::LinesCross);
    EXPECT_EQ(checker.Findings()[1].Rows, (std::vector<int>{1, copies + 1}));

    for (const int row : {1, 2, copies}) {
        table.Record(row).Y2 = 3;
        const int changed[] = {row};
        checker.UpdateRows(table, changed);
        ExpectSame(checker, table, {});
        table.Record(row).Y2 = 0;
        checker.UpdateRows(table, changed);
        ExpectSame(checker, table, {});
    }
}

TEST(CheckerUpdates, ConditionsChangeOnlyTheRulesThatNeedThem)
{
    LineTable table;
    AddWire(table, {0, 0, 0, 10, 0, 0}, Wire(3, 0.001));
    AddWire(table, {0, 0, -1, 0, 0, 0}, Wire(1, 0.001));
    GeometryChecker checker;
    checker.Load(table, {});
    EXPECT_TRUE(checker.Findings().empty());
    checker.SetConditions({10.0, true});
    ExpectSame(checker, table, {10.0, true});
    // Row 1's segments too long, row 1 lying on the ground, row 2 below it.
    EXPECT_EQ(checker.Findings().size(), 3u);
    checker.SetConditions({});
    EXPECT_TRUE(checker.Findings().empty());
}

TEST(CheckerUpdates, ManyMovesLeadToAFreshGridWithTheSameFindings)
{
    LatticeModel model(42);
    LineTable table;
    model.Fill(table, 400);
    GeometryChecker checker;
    checker.Load(table, {});
    for (int edit = 0; edit < 1500; ++edit) {
        const int row = model.Edit(table);
        checker.UpdateRows(table, std::vector<int>{row});
    }
    ExpectSame(checker, table, {});
}

}  // namespace
}  // namespace quorvane::testing
