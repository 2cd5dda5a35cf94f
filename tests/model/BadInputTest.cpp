#include "DataFileFixture.h"
#include "Unprivileged.h"

#include <filesystem>
#include <random>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

using BadInput = DataFileFixture;

TEST_F(BadInput, BinaryGarbageIsReadAsTextAndWrittenBackUnchanged)
{
    std::mt19937 random(7);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        char c = static_cast<char>(random() & 0xFF);
        garbage += c == 26 ? 'Z' : c;  // Ctrl+Z would end the file early
    }
    Read(garbage);
    EXPECT_GT(table.LineCount, 100);
    EXPECT_LE(table.LineCount, table.Capacity());
    EXPECT_FALSE(file.TableChanged());
    EXPECT_EQ(table.CompleteLineCount, table.CountCompleteLines());

    // Whatever was read is written back and read again into the same texts.
    Write("again.qrv");
    std::vector<std::string> before;
    for (int row = 1; row <= table.LineCount; ++row)
        before.push_back(Texts(row));
    settings.SeparatorSet.reset();  // so that the written separators are all there is
    file.ReadDataFile(folder.Path("again.qrv"));
    for (int row = 1; row <= table.LineCount; ++row)
        ASSERT_EQ(Texts(row), before[row - 1]) << "row " << row;
}

TEST_F(BadInput, NulBytesAndWesternCodePageTextSurviveARoundTrip)
{
    const std::string supplement("Gr\xFC\xDF" "e\0mitte\x80\xA0" "ende", 16);
    Read("1,2,3,4,5,6," + supplement + "\r\n");
    EXPECT_EQ(table.CellText(7, 1), supplement);
    EXPECT_EQ(Write(), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000," + supplement + "\r\n");
}

TEST_F(BadInput, ATenMegabyteLineIsOneRow)
{
    const std::string huge(10 * 1024 * 1024, 'x');
    Read("1,2,3,4,5,6," + huge + "\n0,0,0,1,1,1,end\n");
    EXPECT_EQ(table.LineCount, 2);
    EXPECT_EQ(table.CellText(7, 1).size(), huge.size());
    EXPECT_EQ(table.CellText(7, 2), "end");

    Read(huge);
    EXPECT_EQ(table.LineCount, 1);
    EXPECT_EQ(table.CellText(1, 1).size(), huge.size());
    EXPECT_FALSE(table.Record(1).Complete);
}

TEST_F(BadInput, CarriageReturnsAloneDoNotEndLines)
{
    Read("1,2,3,4,5,6,a\r7,8,9,10,11,12,b\r");
    EXPECT_EQ(table.LineCount, 1);
    EXPECT_TRUE(table.Record(1).Complete);
    EXPECT_EQ(table.CellText(7, 1), "a7,8,9,10,11,12,b");
    EXPECT_FALSE(file.TableChanged());
}

TEST_F(BadInput, MoreThanTheMaximumOfLinesFillsTheTableWithTheFirstOnes)
{
    std::string lines;
    lines.reserve(100005 * 16);
    for (int i = 1; i <= 100005; ++i)
        lines += std::to_string(i) + ",0,0,1,1,1\n";
    Read(lines);
    EXPECT_EQ(table.Capacity(), MaxCapacity);
    EXPECT_EQ(table.LineCount, MaxCapacity);
    EXPECT_EQ(table.Record(MaxCapacity).X1, 100000.0);
    // Only the lines taken count as created rows.
    EXPECT_EQ(table.LineHighWater, MaxCapacity);
    EXPECT_EQ(table.SavedLineCount, MaxCapacity);
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(BadInput, AnUnreadableFileLeavesTheTableAndSavedStateAlone)
{
    Read("1,2,3,4,5,6,kept\n");
    table.SetCellText(7, 1, "typed");
    fs::permissions(folder.Root(), fs::perms::all);
    folder.Write("secret.qrv", "9,9,9,9,9,9,secret\n");
    fs::permissions(folder.Path("secret.qrv"), fs::perms::none);
    const bool refused = RunWithoutFileRights([&] {
        events.calls.clear();
        file.ReadDataFile(folder.Path("secret.qrv"));
        return events.calls == std::vector<std::string>{"error"} &&
               events.errors.back() == "Dateizugriff verweigert\n" + folder.Path("secret.qrv") &&
               table.CellText(7, 1) == "typed" && table.SavedLineCount == 1 &&
               file.TableChanged();
    });
    EXPECT_TRUE(refused);
}

TEST_F(BadInput, AFolderOfThatNameIsReportedAndNotRead)
{
    Read("1,2,3,4,5,6,kept\n");
    fs::create_directory(folder.Path("folder.qrv"));
    events.calls.clear();
    file.ReadDataFile(folder.Path("folder.qrv"));
    EXPECT_EQ(events.calls, (std::vector<std::string>{"error"}));
    EXPECT_EQ(events.errors.back(), "Dateizugriff verweigert\n" + folder.Path("folder.qrv"));
    EXPECT_EQ(table.CellText(7, 1), "kept");
}

TEST_F(BadInput, AFileThatDisappearedIsTakenAsMissing)
{
    Read("1,2,3,4,5,6,kept\n");
    folder.Write("brief.qrv", "1,1,1,1,1,1\n");
    fs::create_symlink(folder.Path("brief.qrv"), folder.Path("pointer.qrv"));
    fs::remove(folder.Path("brief.qrv"));
    events.calls.clear();
    file.ReadDataFile(folder.Path("brief.qrv"));
    file.ReadDataFile(folder.Path("pointer.qrv"));
    file.ReadDataFile(folder.Path("model.qrv/inside.qrv"));
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(table.CellText(7, 1), "kept");
}

TEST_F(BadInput, AnOverlongNameIsReported)
{
    file.ReadDataFile(folder.Path(std::string(300, 'n') + ".qrv"));
    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_TRUE(events.errors[0].starts_with("Ungültiger Dateiname\n"));
}

}  // namespace
}  // namespace quorvane::testing
