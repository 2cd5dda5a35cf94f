#include "DataTableFixture.h"

#include <QClipboard>
#include <QMenu>

namespace quorvane::testing {
namespace {

using DataTableRows = DataTableFixture;

// Lines n = 1..count from (n, 0, 0) to (n, 1, 0), with the supplement "L<n>".
std::string NumberedLines(int count)
{
    std::string text;
    for (int n = 1; n <= count; ++n) {
        const std::string number = std::to_string(n);
        text += number + ",0,0," + number + ",1,0,L" + number + "\r\n";
    }
    return text;
}

class DataTableRowOrder : public DataTableFixture {
protected:
    // The supplements of the first rows, checked against their records: "_"
    // for an empty row, "!" where text and record no longer belong together.
    std::string Order(int rows)
    {
        std::string order;
        for (int row = 1; row <= rows; ++row) {
            const std::string supplement = Cell(7, row);
            const LineRecord& record = Lines().Record(row);
            if (supplement.empty())
                order += record == EmptyLineRecord ? "_" : "!";
            else
                order += record.X1 == std::stod(supplement.substr(1)) && record.Complete
                             ? supplement.substr(1)
                             : "!";
            order += ' ';
        }
        return order;
    }
    // The row labels stay in their places whatever moves.
    void ExpectLabelsInPlace(int rows)
    {
        for (int row = 1; row <= rows; ++row) {
            EXPECT_EQ(Grid().verticalHeader()->visualIndex(row - 1), row - 1);
            EXPECT_EQ(Table().Model().headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString(),
                      QString::fromStdString(RowLabel(row)));
        }
    }
};

TEST_F(DataTableRowOrder, InsertDeleteAndMoveKeepTextsAndRecordsTogether)
{
    StartOn(NumberedLines(6));
    Click(1, 3);
    Table().SpeedButtonInsert->click();
    EXPECT_EQ(Order(8), "1 2 _ 3 4 5 6 _ ");
    EXPECT_EQ(Lines().LineCount, 7);
    EXPECT_EQ(Lines().LineHighWater, 7);
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_TRUE(windows->Data().TableChanged());

    // An empty row inside the table goes without a question.
    Table().SpeedButtonDelete->click();
    EXPECT_EQ(Order(7), "1 2 3 4 5 6 _ ");
    EXPECT_TRUE(dismissed.empty());

    // Row 2 dragged to row 5: the press on its label selects it first.
    Click(0, 2);
    Grid().verticalHeader()->moveSection(1, 4);
    EXPECT_EQ(Order(7), "1 3 4 5 2 6 _ ");
    ExpectLabelsInPlace(7);
    EXPECT_EQ(Grid().CurrentRow(), 5);

    // A used row asks first; No keeps it.
    Click(1, 2);
    answers = {QMessageBox::No};
    Table().SpeedButtonDelete->click();
    EXPECT_EQ(Order(3), "1 3 4 ");
    answers = {QMessageBox::Yes};
    Table().SpeedButtonDelete->click();
    EXPECT_EQ(Order(6), "1 4 5 2 6 _ ");
    ASSERT_EQ(dismissed.size(), 2);
    EXPECT_EQ(dismissed[0], "Delete the selected row?   ");
    // Below the used rows there is nothing to delete.
    Click(1, 9);
    Table().SpeedButtonDelete->click();
    EXPECT_EQ(beeps, 1);
}

TEST_F(DataTableRowOrder, InsertingIntoAFullTableGrowsItFirst)
{
    StartOn(NumberedLines(9));
    ASSERT_EQ(Lines().Capacity(), 10);
    // A supplement typed into the last row counts at once; the insert must
    // not write over it.
    Click(7, 10);
    TypeText("L10");
    Click(1, 1);
    ASSERT_EQ(Lines().LineCount, 10);
    Table().SpeedButtonInsert->click();
    EXPECT_EQ(Lines().Capacity(), 20);
    EXPECT_EQ(Cell(7, 11), "L10");
    EXPECT_EQ(Order(3), "_ 1 2 ");
    EXPECT_EQ(Lines().LineCount, 11);
}

TEST_F(DataTableRowOrder, CopyCutAndPasteThroughTheRowClipboard)
{
    StartOn(NumberedLines(4));
    // Until something was copied, the menu's Paste is disabled.
    Click(0, 2, Qt::RightButton);
    ASSERT_TRUE(Table().PopupMenuRow->isVisible());
    EXPECT_FALSE(Table().PopupMenuRowPaste->isEnabled());
    Table().PopupMenuRowCopy->trigger();
    Table().PopupMenuRow->hide();
    EXPECT_EQ(Table().Rows().ClipboardLines().size(), 7u);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.split(QStringLiteral("\r\n")).size(), 7);
    EXPECT_TRUE(copied.endsWith(QStringLiteral("\r\nL2"))) << copied.toStdString();
    Click(0, 2, Qt::RightButton);
    EXPECT_TRUE(Table().PopupMenuRowPaste->isEnabled());
    Table().PopupMenuRow->hide();

    Click(0, 4);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Order(6), "1 2 3 2 4 _ ");
    EXPECT_FALSE(Table().Rows().RowSelected());
    EXPECT_FALSE(Grid().SelectsWholeRows());
    EXPECT_EQ(Grid().CurrentColumn(), 1);
    EXPECT_EQ(Lines().CompleteLineCount, 5);

    // Cut never asks.
    Click(0, 1);
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Order(5), "2 3 2 4 _ ");
    EXPECT_TRUE(dismissed.empty());
    EXPECT_EQ(Table().Rows().ClipboardLines().back(), "L1");

    // Ctrl+C in a cell empties the row clipboard; a paste then inserts an
    // empty row.
    Click(1, 2);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(Table().Rows().ClipboardLines().empty());
    Click(0, 2);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Order(6), "2 _ 3 2 4 _ ");
}

TEST_F(DataTableRowOrder, UndoFollowsItsRowWhenRowsMove)
{
    StartOn(NumberedLines(5));
    Click(1, 2);
    Press(Qt::Key_Delete);
    Grid().verticalHeader()->moveSection(1, 3);
    Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Order(5), "1 3 4 2 5 ");
}

TEST_F(DataTableRows, AFullTableRefusesInsertsWithTheCapacityMessage)
{
    std::string text;
    for (int n = 0; n < MaxCapacity; ++n)
        text += "0,0,0,1,1,1\r\n";
    StartOn(text);
    ASSERT_EQ(Lines().LineCount, MaxCapacity);
    Click(0, 1);
    Press(Qt::Key_C, Qt::ControlModifier);
    Press(Qt::Key_V, Qt::ControlModifier);
    Table().SpeedButtonInsert->click();
    EXPECT_EQ(Lines().LineCount, MaxCapacity);
    EXPECT_EQ(Lines().Capacity(), MaxCapacity);
    ASSERT_EQ(dismissed.size(), 2);
    EXPECT_TRUE(dismissed[0].startsWith(QStringLiteral("The maximum capacity")));
    EXPECT_FALSE(Table().Rows().InsertDone());
}

}  // namespace
}  // namespace quorvane::testing
