#include "DataFileFixture.h"

namespace quorvane::testing {
namespace {

using DataFileRead = DataFileFixture;

TEST_F(DataFileRead, SplitsCompleteLinesIntoNumbersAndASupplement)
{
    Read("1,2,3,4,5,6,Door\r\n-1.5,0,0,2.25,1e1,.5,front door, left\r\n");
    EXPECT_EQ(table.LineCount, 2);
    EXPECT_EQ(table.CompleteLineCount, 2);
    EXPECT_EQ(Texts(1), "1.00|2.00|3.00|4.00|5.00|6.00|Door");
    const LineRecord& r = table.Record(2);
    EXPECT_TRUE(r.Complete);
    EXPECT_EQ(r.X1, -1.5);
    EXPECT_EQ(r.X2, 2.25);
    EXPECT_EQ(r.Y2, 10.0);
    EXPECT_EQ(r.Z2, 0.5);
    // The supplement runs to the end of the line, separators and all.
    EXPECT_EQ(table.CellText(7, 2), "front,door,,left");
}

TEST_F(DataFileRead, FollowsTheSeparatorTable)
{
    Read("1,2,3,4,5,6,Door\n"
         "1 2 3 4 5 6 front door\n"
         "1  2 3 4 5 6\n"
         "1,2,3\n"
         "1,2,3,4,5,6,\n"
         "1,abc,3,4,5,6\n"
         "1.5E2,.5,5.,-.5,0,0\n"
         "\n"
         "7,8,9,10,11,12\n");
    EXPECT_EQ(table.LineCount, 9);

    EXPECT_TRUE(table.Record(1).Complete);
    EXPECT_EQ(table.CellText(7, 1), "Door");

    EXPECT_TRUE(table.Record(2).Complete);
    EXPECT_EQ(table.CellText(7, 2), "front,door");

    // The doubled blank makes an empty second field.
    const LineRecord& doubled = table.Record(3);
    EXPECT_FALSE(doubled.Complete);
    EXPECT_EQ(doubled.X1, 1.0);
    EXPECT_EQ(doubled.Y1, Undefined);
    EXPECT_EQ(doubled.Z1, 2.0);
    EXPECT_EQ(doubled.X2, 3.0);
    EXPECT_EQ(doubled.Y2, 4.0);
    EXPECT_EQ(doubled.Z2, 5.0);
    EXPECT_EQ(Texts(3), "1.00||2.00|3.00|4.00|5.00|6");

    const LineRecord& short3 = table.Record(4);
    EXPECT_FALSE(short3.Complete);
    EXPECT_EQ(short3.Z1, 3.0);
    EXPECT_EQ(short3.X2, Undefined);
    EXPECT_EQ(short3.Z2, Undefined);
    EXPECT_EQ(Texts(4), "1.00|2.00|3.00||||");

    EXPECT_TRUE(table.Record(5).Complete);
    EXPECT_EQ(table.CellText(7, 5), "");

    EXPECT_FALSE(table.Record(6).Complete);
    EXPECT_EQ(table.Record(6).Y1, Undefined);
    EXPECT_EQ(table.CellText(2, 6), "abc");

    const LineRecord& forms = table.Record(7);
    EXPECT_TRUE(forms.Complete);
    EXPECT_EQ(forms.X1, 150.0);
    EXPECT_EQ(forms.Y1, 0.5);
    EXPECT_EQ(forms.Z1, 5.0);
    EXPECT_EQ(forms.X2, -0.5);

    EXPECT_TRUE(table.IsRowEmpty(8));
    EXPECT_EQ(table.Record(8), EmptyLineRecord);
    EXPECT_TRUE(table.Record(9).Complete);
    EXPECT_EQ(table.CompleteLineCount, 5);
}

TEST_F(DataFileRead, ADecimalCommaSplitsANumberWhenTheSeparatorIsASemicolon)
{
    settings.DataSeparator = ';';
    Read("1,5;2;3;4;5;6\n");
    EXPECT_EQ(Texts(1), "1.00|5.00|2.00|3.00|4.00|5.00|6");
}

TEST_F(DataFileRead, AtStartUpOnlyTheDataSeparatorSplits)
{
    settings.SeparatorSet.reset();  // the settings dialog does not exist yet
    Read("1 2 3 4 5 6\n");
    EXPECT_FALSE(table.Record(1).Complete);
    EXPECT_EQ(table.Record(1).X1, Undefined);
    EXPECT_EQ(Texts(1), "1 2 3 4 5 6||||||");

    settings.SeparatorSet = StandardSeparatorSet();
    file.ReadDataFile(folder.Path("model.qrv"));
    EXPECT_TRUE(table.Record(1).Complete);
}

TEST_F(DataFileRead, ACustomSeparatorJoinsTheSet)
{
    settings.DataSeparator = '|';
    settings.SeparatorSet.set('|');
    Read("1|2,3;4\t5 6|x y\n");
    EXPECT_TRUE(table.Record(1).Complete);
    EXPECT_EQ(table.CellText(7, 1), "x|y");
}

TEST_F(DataFileRead, HandlesEveryKindOfLineEnd)
{
    // LF, CR LF, a lone CR inside a line (dropped), no end on the last line.
    Read("1,2,3,4,5,6,a\n1,2,3,4,5,6,b\r\n1,2,3,4,5,6,c\rd\r\n1,2,3,4,5,6,e");
    EXPECT_EQ(table.LineCount, 4);
    EXPECT_EQ(table.CellText(7, 1), "a");
    EXPECT_EQ(table.CellText(7, 2), "b");
    EXPECT_EQ(table.CellText(7, 3), "cd");
    EXPECT_EQ(table.CellText(7, 4), "e");
}

TEST_F(DataFileRead, CtrlZEndsTheFile)
{
    Read("1,2,3,4,5,6,a\r\n1,2,3,4,5,6,b\x1a" "1,2,3,4,5,6,c\r\n");
    EXPECT_EQ(table.LineCount, 2);
    EXPECT_EQ(table.CellText(7, 2), "b");
    EXPECT_EQ(table.LineHighWater, 2);
}

TEST_F(DataFileRead, TrimsBlanksAndControlCharactersAtBothEnds)
{
    Read(" \t 1,2,3,4,5,6,x \t \x01\n");
    EXPECT_TRUE(table.Record(1).Complete);
    EXPECT_EQ(table.CellText(7, 1), "x");
}

TEST_F(DataFileRead, EmptyLinesAtTheEndAreTakenButNotCounted)
{
    Read("1,2,3,4,5,6\n\n\n");
    EXPECT_EQ(table.LineCount, 1);
    EXPECT_EQ(table.LineHighWater, 3);
    EXPECT_EQ(table.SavedLineCount, 1);
}

TEST_F(DataFileRead, AFullTableGetsOneEmptyRowAfterIt)
{
    std::string ten;
    for (int i = 0; i < 10; ++i)
        ten += "1,2,3,4,5,6\n";
    Read(ten);
    EXPECT_EQ(table.LineCount, 10);
    EXPECT_EQ(table.Capacity(), 11);
    EXPECT_TRUE(table.IsRowEmpty(11));

    Read(ten + ten + "1,2,3,4,5,6\n");
    EXPECT_EQ(table.LineCount, 21);
    EXPECT_EQ(table.Capacity(), 30);
}

TEST_F(DataFileRead, LeavesTheTableSavedAndTellsTheWindowsInOrder)
{
    Read("0,0,0,2,4,6,a\n");
    EXPECT_EQ(events.calls, (std::vector<std::string>{"captions", "resize", "model"}));
    EXPECT_EQ(events.captions.back(), " Quorvane - " + folder.Path("model.qrv"));
    EXPECT_EQ(table.Record(1).XM, 1.0);
    EXPECT_EQ(table.Record(1).ZM, 3.0);
    EXPECT_EQ(table.SavedLineCount, table.LineCount);
    EXPECT_EQ(table.SavedCellText(7, 1), "a");
    EXPECT_FALSE(file.TableChanged());
    EXPECT_EQ(file.QuerySaveChanges(), SaveAnswer::No);
    EXPECT_TRUE(events.questions.empty());
}

TEST_F(DataFileRead, AnEmptyFileClearsTheTableWithoutACaption)
{
    Read("1,2,3,4,5,6\n");
    events.calls.clear();
    Read("");
    EXPECT_EQ(table.LineCount, 0);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"resize", "model"}));
}

TEST_F(DataFileRead, AMissingFileLeavesTheTableAndSaysNothing)
{
    Read("1,2,3,4,5,6,kept\n");
    table.SetCellText(7, 2, "typed");
    table.Recount();
    events.calls.clear();
    file.ReadDataFile(folder.Path("gone.qrv"));
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(table.CellText(7, 1), "kept");
    EXPECT_EQ(table.LineCount, 2);
    EXPECT_EQ(table.SavedLineCount, 2);
    // The typed text still counts as a change.
    EXPECT_TRUE(file.TableChanged());
}

TEST_F(DataFileRead, NumberTextsArePaddedInTheGridFont)
{
    table.SetCharWidths(CharWidths());
    settings.Decimals = 3;
    Read("1.23456,-2,0,0,0,0\n");
    // "1.235": 4 digits and a point, 31 px; round(49 / 3) - 2 = 14 blanks.
    EXPECT_EQ(table.CellText(1, 1), std::string(14, ' ') + "1.235");
    EXPECT_EQ(table.Record(1).X1, 1.23456);
    // "-2.000": 35 px; round(45 / 3) - 2 = 13 blanks.
    EXPECT_EQ(table.CellText(2, 1), std::string(13, ' ') + "-2.000");
}

TEST_F(DataFileRead, ANumberThatIsExactlyUndefinedStaysText)
{
    Read("1.7e308,0,0,1,1,1\n");
    EXPECT_FALSE(table.Record(1).Complete);
    EXPECT_EQ(table.Record(1).X1, Undefined);
    EXPECT_EQ(table.CellText(1, 1), "1.7e308");
    EXPECT_EQ(table.CompleteLineCount, 0);
}

}  // namespace
}  // namespace quorvane::testing
