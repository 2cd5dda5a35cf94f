#include "DataTableFixture.h"

#include "CellDelegate.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace quorvane::testing {
namespace {

using DataTableEditing = DataTableFixture;

TEST_F(DataTableEditing, TypedNumbersAreShownWithTheDecimalsAndDrawn)
{
    StartOn("");
    EXPECT_FALSE(SaveButtonsEnabled());
    Click(1, 1);
    TypeText("1.5");
    EXPECT_EQ(Lines().Record(1).X1, Undefined);  // nothing is parsed while the editor is open
    Press(Qt::Key_Tab);
    EXPECT_EQ(Shown(1, 1), "1.50");
    EXPECT_TRUE(Cell(1, 1).starts_with(" "));  // right-aligned in its column
    EXPECT_EQ(Lines().Record(1).X1, 1.5);
    EXPECT_EQ(Lines().LineCount, 1);
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_EQ(LinePixels(), 0);

    for (const char* value : {"0", "0", "2", "0", "0"}) {
        TypeText(value);
        Press(Qt::Key_Tab);
    }
    EXPECT_TRUE(Lines().Record(1).Complete);
    EXPECT_EQ(Lines().CompleteLineCount, 1);
    EXPECT_DOUBLE_EQ(Lines().Record(1).XM, 1.75);
    EXPECT_GT(LinePixels(), 10);
    EXPECT_EQ(Grid().CurrentColumn(), 7);
}

TEST_F(DataTableEditing, NumbersStandTwoBlanksFromTheGridLineAlsoWhileEdited)
{
    StartOn("1.5,2,3,4,5,6,wire\r\n");
    const QModelIndex cell = Table().Model().CellIndex(2, 1);
    const QRect rect = Grid().visualRect(cell);
    const int blank = QFontMetrics(Grid().font()).horizontalAdvance(QLatin1Char(' '));
    // The rightmost dark pixel of the shown number.
    const auto textEnd = [&](const QImage& image) {
        for (int x = rect.right() - 1; x > rect.left(); --x)
            for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    return x;
        return -1;
    };
    const int shown = textEnd(Grid().viewport()->grab().toImage());
    EXPECT_GE(rect.right() - shown, blank + blank / 2);
    EXPECT_LE(rect.right() - shown, 3 * blank);

    Click(2, 1);
    Press(Qt::Key_F2);
    QLineEdit* editor = Grid().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->alignment() & Qt::AlignRight);
    editor->deselect();
    editor->setCursorPosition(0);
    QApplication::processEvents();
    EXPECT_NEAR(textEnd(Grid().viewport()->grab().toImage()), shown, 2);
}

TEST_F(DataTableEditing, TheKeyFilterKeepsNumbersNumbers)
{
    StartOn("7,0,0,1,1,1,door\r\n");
    Click(1, 1);
    TypeText("1.5");  // the first key replaces the number
    TypeText(".+a ,");
    EXPECT_EQ(beeps, 5);
    EXPECT_EQ(Grid().OpenEditor()->text(), "1.5");
    EXPECT_EQ(Cell(1, 1), "1.5");  // the editor's text is the cell's at once
    TypeText("-x");  // no number any more: anything goes
    EXPECT_EQ(beeps, 5);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, 1), "1.5-x");
    EXPECT_EQ(Lines().Record(1).X1, Undefined);
    EXPECT_FALSE(Lines().Record(1).Complete);

    // The separator is refused in coordinates only.
    Click(7, 1);
    TypeText("a,b");
    Press(Qt::Key_Tab);
    EXPECT_EQ(beeps, 5);
    EXPECT_EQ(Cell(7, 1), "a,b");
}

TEST_F(DataTableEditing, EscapeBringsBackTextRecordAndDrawing)
{
    StartOn("1,2,3,4,5,6,x\r\n");
    const std::string before = Cell(1, 1);
    const int pixels = LinePixels();
    Click(1, 1);
    TypeText("900");
    Press(Qt::Key_Escape);
    EXPECT_EQ(Cell(1, 1), before);
    EXPECT_EQ(Lines().Record(1).X1, 1);
    EXPECT_TRUE(Lines().Record(1).Complete);
    EXPECT_EQ(Grid().CurrentColumn(), 1);
    EXPECT_EQ(Grid().OpenEditor(), nullptr);
    EXPECT_EQ(LinePixels(), pixels);
}

TEST_F(DataTableEditing, DeleteEmptiesTheCellAndAltBackspaceUndoesIt)
{
    StartOn("1,2,3,4,5,6,x\r\n");
    Press(Qt::Key_Backspace, Qt::AltModifier);  // nothing to undo yet
    EXPECT_EQ(beeps, 1);
    const std::string y1 = Cell(2, 1);
    Click(2, 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Lines().Record(1).Y1, Undefined);
    EXPECT_EQ(Lines().CompleteLineCount, 0);
    EXPECT_TRUE(SaveButtonsEnabled());
    for (int i = 0; i < 2; ++i) {  // a second undo changes nothing more
        Press(Qt::Key_Backspace, Qt::AltModifier);
        EXPECT_EQ(Cell(2, 1), y1);
        EXPECT_EQ(Lines().Record(1).Y1, 2);
        EXPECT_EQ(Lines().CompleteLineCount, 1);
    }

    // Inside an open editor Delete empties the whole cell too.
    Click(3, 1);
    TypeText("45");
    Press(Qt::Key_Delete);
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(Grid().OpenEditor(), nullptr);
    EXPECT_EQ(beeps, 1);
}

TEST_F(DataTableEditing, EnterMovesDownAndGrowsTheTableAtItsEnd)
{
    StartOn("");
    EXPECT_EQ(Lines().Capacity(), 10);
    Click(2, 10);
    TypeText("3");
    Press(Qt::Key_Return);
    EXPECT_EQ(Lines().Capacity(), 20);
    EXPECT_EQ(Table().Model().rowCount(), 20);
    EXPECT_EQ(Grid().CurrentRow(), 11);
    EXPECT_EQ(Grid().CurrentColumn(), 2);
    EXPECT_EQ(Lines().Record(10).Y1, 3);
}

TEST_F(DataTableEditing, TwoApostrophesCopyTheValueAbove)
{
    StartOn("1.25,2,3,4,5,6,a\r\n,,,,,,b\r\n");
    Click(1, 2);
    TypeText("''");
    Press(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, 2), Cell(1, 1));
    EXPECT_EQ(Lines().Record(2).X1, 1.25);
    EXPECT_TRUE(SaveButtonsEnabled());
}

TEST_F(DataTableEditing, DecimalsChangeOnlyTheDisplay)
{
    StartOn("1.23456,0,0,0,0,0,a\r\n");
    EXPECT_EQ(Shown(1, 1), "1.23");
    Table().SpeedButtonIncrementDecimals->click();
    Table().SpeedButtonIncrementDecimals->click();
    EXPECT_EQ(Shown(1, 1), "1.2346");
    EXPECT_FALSE(Table().SpeedButtonIncrementDecimals->isEnabled());
    Table().SpeedButtonIncrementDecimals->click();
    EXPECT_EQ(program.DataFileValues.Decimals, 4);
    EXPECT_FALSE(SaveButtonsEnabled());
    EXPECT_TRUE(windows->Data().TableChanged());
    for (int i = 0; i < 5; ++i)
        Table().SpeedButtonDecrementDecimals->click();
    EXPECT_EQ(Shown(1, 1), "1");
    EXPECT_FALSE(Table().SpeedButtonDecrementDecimals->isEnabled());
    EXPECT_EQ(Lines().Record(1).X1, 1.23456);
}

TEST_F(DataTableEditing, ASupplementBelowTheUsedRowsIsStoredAndCountsAsAChange)
{
    StartOn("1,2,3,4,5,6,a\r\n");
    Click(7, 3);
    TypeText("note");
    Press(Qt::Key_Up);
    EXPECT_EQ(Cell(7, 3), "note");
    // Like every change, it is counted at once.
    EXPECT_EQ(Lines().LineCount, 3);
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_TRUE(windows->Data().TableChanged());
}

TEST_F(DataTableEditing, APastedLineBreakCannotSplitARow)
{
    StartOn("1,2,3,4,5,6,a\r\n");
    Click(7, 1);
    TypeText("x");
    QGuiApplication::clipboard()->setText(QStringLiteral("two\r\nlines\nhere"));
    Press(Qt::Key_V, Qt::ControlModifier);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Cell(7, 1), "xtwo lines here");
    Table().SpeedButtonSaveOnClick();
    EXPECT_EQ(folder.Read("model.qrv"),
              "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,xtwo lines here\r\n");
}

// The clipboard's text put into the open editor with Ctrl+V.
void PasteText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

// Text dragged from another program and let go over the open editor.
void DropText(CellEditor& editor, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(editor.width() - 2, editor.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&editor, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&editor, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&editor, &drop);
}

// Paste from the editor's own context menu.
void PasteFromMenu(CellEditor& editor, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), editor.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&editor, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text().startsWith(QStringLiteral("&Paste"));
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menu->close();
}

TEST_F(DataTableEditing, APasteIsAChangeLikeTypingAndIsSaved)
{
    StartOn("1,2,3,4,5,6,a\r\n");
    Click(7, 1);
    Press(Qt::Key_F2);  // the editor opens without a key typed
    ASSERT_NE(Grid().OpenEditor(), nullptr);
    Press(Qt::Key_End);
    PasteText(QStringLiteral(" pasted"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Cell(7, 1), "a pasted");
    EXPECT_TRUE(SaveButtonsEnabled());
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder.Read("model.qrv"),
              "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a pasted\r\n");
    EXPECT_FALSE(SaveButtonsEnabled());

    // A number copied from a spreadsheet cell comes with a line break.
    Click(1, 1);
    Press(Qt::Key_F2);
    PasteText(QStringLiteral("2.5\n"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Lines().Record(1).X1, 2.5);
    EXPECT_TRUE(SaveButtonsEnabled());
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder.Read("model.qrv"),
              "2.5000,2.0000,3.0000,4.0000,5.0000,6.0000,a pasted\r\n");
    EXPECT_EQ(beeps, 0);
}

TEST_F(DataTableEditing, TextPastedOrDroppedIntoACoordinateObeysTheKeyFilter)
{
    StartOn("1,2,3,4,5,6,a\r\n");
    Click(1, 1);
    Press(Qt::Key_F2);
    CellEditor* editor = Grid().OpenEditor();
    ASSERT_NE(editor, nullptr);
    Press(Qt::Key_End);
    // Each of these, typed key by key, would have been refused somewhere.
    PasteText(QStringLiteral("1,5"));
    PasteText(QStringLiteral("x"));
    DropText(*editor, QStringLiteral("7,5"));
    PasteFromMenu(*editor, QStringLiteral("0;5"));
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(editor->text(), "1.00");
    EXPECT_FALSE(SaveButtonsEnabled());
    DropText(*editor, QStringLiteral("9"));
    PasteFromMenu(*editor, QStringLiteral("1"));
    EXPECT_EQ(beeps, 4);
    EXPECT_TRUE(SaveButtonsEnabled());
    Press(Qt::Key_Tab);
    EXPECT_EQ(Lines().Record(1).X1, 1.0091);

    // The supplement takes all of them.
    Click(7, 1);
    Press(Qt::Key_F2);
    Press(Qt::Key_End);
    PasteText(QStringLiteral(",b;c"));
    DropText(*Grid().OpenEditor(), QStringLiteral(" 1x"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(Cell(7, 1), "a,b;c 1x");

    // Written and read afresh, every field is where it was.
    Press(Qt::Key_S, Qt::ControlModifier);
    Table().ReadFile(ModelPath());
    EXPECT_EQ(Lines().Record(1).X1, 1.0091);
    EXPECT_EQ(Lines().Record(1).Y1, 2);
    EXPECT_EQ(Lines().Record(1).Z2, 6);
    EXPECT_EQ(Cell(7, 1), "a,b,c,1x");
}

TEST_F(DataTableEditing, AnEditStillOpenIsSavedAsTheCellShowsIt)
{
    StartOn("1,2,3,4,5,6,a\r\n");
    Click(1, 1);
    TypeText("7");
    Window().SpeedButtonSave->click();
    EXPECT_EQ(folder.Read("model.qrv"), "7.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a\r\n");
    EXPECT_EQ(Shown(1, 1), "7.00");
    EXPECT_FALSE(SaveButtonsEnabled());
}

TEST_F(DataTableEditing, TheDebugLogRecordsTheEditingEvents)
{
    StartOn("1,2,3,4,5,6,a\r\n", "DebugFlag=1\r\n");
    ASSERT_TRUE(Table().MemoDebug->isVisible());
    Click(1, 1);
    TypeText("8");
    Press(Qt::Key_Tab);
    const QString log = Table().MemoDebug->toPlainText();
    const QStringList expected{"StringGridOnGetEditText(1,1)= ", "SavedCell= ",
                               "Value=1.00\n",                  "StringGridOnSetEditText(1,1)=8",
                               "StringGridOnSelectCell(1,2)",    "StringGridOnSetEditText(1,1)=8"};
    qsizetype at = 0;
    for (const QString& line : expected) {
        at = log.indexOf(line, at);
        ASSERT_GE(at, 0) << line.toStdString() << "\n" << log.toStdString();
    }
}

}  // namespace
}  // namespace quorvane::testing
