#include "CellKeys.h"
#include "CommaList.h"
#include "LineTable.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CommaList, TextsComeBackExactlyWhateverTheyHold)
{
    const std::vector<std::vector<std::string>> lists{
        {"   1", "    1.50", "abc", "", "x,y", "say \"hi\"", "tab\there", "Tür\xFC"},
        {""},
        {"", ""},
        {"a", "", "", ""},
        {},
    };
    for (const auto& texts : lists)
        EXPECT_EQ(SplitCommaList(JoinCommaList(texts)), texts) << JoinCommaList(texts);
    EXPECT_EQ(JoinCommaList({"   1", "a b", "", "q\"t"}), "\"   1\",\"a b\",,\"q\"\"t\"");
}

TEST(CommaList, OutsideQuotesBlanksSeparateAndSurroundingBlanksGo)
{
    EXPECT_EQ(SplitCommaList("  a b ,c,"), (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ(SplitCommaList("a, "), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitCommaList("\"ab\"cd,e"), (std::vector<std::string>{"ab", "cd", "e"}));
    EXPECT_EQ(SplitCommaList("\"open"), (std::vector<std::string>{"open"}));
}

TEST(CoordinateKeys, AlwaysAcceptedWhenReplacingOrTheTextIsNoNumber)
{
    EXPECT_TRUE(CoordinateKeyAccepted('a', "    1.50", true, ','));
    EXPECT_TRUE(CoordinateKeyAccepted('a', "abc", false, ','));
    EXPECT_TRUE(CoordinateKeyAccepted('+', "", false, ','));
    EXPECT_TRUE(CoordinateKeyAccepted(U'ä', "", false, ','));
    // The separator never, whatever the text.
    EXPECT_FALSE(CoordinateKeyAccepted(',', "", true, ','));
    EXPECT_FALSE(CoordinateKeyAccepted(';', "abc", false, ';'));
}

TEST(CoordinateKeys, KeepANumberANumber)
{
    for (char32_t key : {U'0', U'9', U'\'', BackspaceKey, U'-', U'E', U'e'})
        EXPECT_TRUE(CoordinateKeyAccepted(key, "1.5", false, ',')) << int(key);
    for (char32_t key : {U'.', U'+', U' ', U'a', U','})
        EXPECT_FALSE(CoordinateKeyAccepted(key, "1.5", false, ',')) << int(key);
    EXPECT_FALSE(CoordinateKeyAccepted('-', "-1.5", false, ','));
    EXPECT_FALSE(CoordinateKeyAccepted('e', "1e5", false, ','));
    EXPECT_TRUE(CoordinateKeyAccepted('E', "1e5", false, ','));
    // The alignment blanks of a shown number do not make it text.
    EXPECT_FALSE(CoordinateKeyAccepted('x', "    1.50", false, ','));
}

TEST(CoordinateKeys, APastedTextPassesOnlyWhereItsKeysWouldHave)
{
    const auto paste = [](std::string_view cell, std::size_t from, std::size_t to,
                          std::string_view text, bool replacing = false, char separator = ',') {
        return CoordinateInsertAccepted(cell, from, to, text, replacing, separator);
    };
    // The separator in any place splits the row in the file.
    EXPECT_FALSE(paste("", 0, 0, "1,5"));
    EXPECT_FALSE(paste("abc", 3, 3, ","));
    EXPECT_FALSE(paste("", 0, 0, "1;5", false, ';'));
    EXPECT_FALSE(paste("", 0, 0, "1\t5", true, '\t'));
    // A number stays a number, also in the middle of one...
    EXPECT_TRUE(paste("", 0, 0, "-1.5e3"));
    EXPECT_TRUE(paste("12", 1, 1, "0.5"));
    EXPECT_FALSE(paste("1.5", 3, 3, "0.5"));  // a second point
    EXPECT_FALSE(paste("", 0, 0, "1x"));
    EXPECT_FALSE(paste("", 0, 0, "1 2"));
    // ...while into text, or replacing the cell, everything else goes.
    EXPECT_TRUE(paste("", 0, 0, "x1 y"));
    EXPECT_TRUE(paste("abc", 1, 2, " +;"));
    // The first character is weighed against the cell as it is, with the
    // part it replaces.
    EXPECT_FALSE(paste("1.50", 0, 4, "abc"));
    EXPECT_TRUE(paste("1.50", 0, 4, "abc", true));
    EXPECT_TRUE(paste("1.50", 0, 4, "2"));
    // Characters beyond ASCII count as one key each; the separator is
    // found among them too.
    EXPECT_TRUE(paste("", 0, 0, "\xC3\xA4\xC3\xA4"));
    EXPECT_FALSE(paste("", 0, 0, "a\xC2\xA7", false, '\xA7'));
}

TEST(CoordinateKeys, EditorsShowNumbersWithoutTheirAlignment)
{
    EXPECT_EQ(EditTextOf("     12.50"), "12.50");
    EXPECT_EQ(EditTextOf(" abc "), " abc ");
    EXPECT_EQ(EditTextOf(""), "");
}

std::string Tag(int n)
{
    std::string tag(1, 'r');
    tag += std::to_string(n);
    return tag;
}

// Rows 1..n with the supplement "r<n>" and x1 = n.
LineTable NumberedTable(int rows)
{
    LineTable table;
    table.SetCapacity(rows + 5);
    for (int row = 1; row <= rows; ++row) {
        table.SetCellText(7, row, Tag(row));
        table.Record(row).X1 = row;
        table.SavedRowTexts(row).Set(7, Tag(row));
    }
    table.Recount();
    return table;
}

std::string Order(const LineTable& table, int rows)
{
    std::string order;
    for (int row = 1; row <= rows; ++row) {
        const std::string text(table.CellText(7, row));
        const double x1 = table.Record(row).X1;
        // Texts and records must have moved together.
        if (!text.empty() && text != Tag(static_cast<int>(x1)))
            return "mismatch";
        order += text.empty() ? "_" : text.substr(1);
        order += ' ';
    }
    return order;
}

TEST(LineTableRows, InsertDeleteAndMoveCarryTextsAndRecordsTogether)
{
    LineTable table = NumberedTable(5);
    table.InsertRow(3);
    EXPECT_EQ(Order(table, 7), "1 2 _ 3 4 5 _ ");
    EXPECT_EQ(table.Record(3), EmptyLineRecord);
    table.Recount();
    table.DeleteRow(2);
    EXPECT_EQ(Order(table, 7), "1 _ 3 4 5 _ _ ");
    table.Recount();
    table.MoveRow(1, 4);
    EXPECT_EQ(Order(table, 6), "_ 3 4 1 5 _ ");
    table.MoveRow(4, 1);
    EXPECT_EQ(Order(table, 6), "1 _ 3 4 5 _ ");
    // Saved texts stay where they were, so the moves count as changes.
    EXPECT_EQ(table.SavedCellText(7, 2), "r2");
}

TEST(LineTableRows, EdgesOfTheUsedRows)
{
    LineTable table = NumberedTable(3);
    table.DeleteRow(5);  // below the used rows: nothing
    EXPECT_EQ(Order(table, 4), "1 2 3 _ ");
    table.InsertRow(6);  // below the used rows: only an empty row
    EXPECT_EQ(Order(table, 6), "1 2 3 _ _ _ ");
    table.DeleteRow(3);  // the last used row
    EXPECT_EQ(Order(table, 4), "1 2 _ _ ");
    table.Recount();
    table.InsertRow(1);
    EXPECT_EQ(Order(table, 4), "_ 1 2 _ ");
}

}  // namespace
}  // namespace quorvane
