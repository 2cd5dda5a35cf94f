#include "CellDelegate.h"
#include "DataTableGrid.h"
#include "GridEditEvents.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "QtPrinting.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

// Writes down every event the grid reports; refuses the key 'x' and
// inserted text holding it, and inserts other text in capitals.
struct RecordedGridEvents : GridEditEvents {
    void SelectCell(int column, int row) override
    {
        events << QStringLiteral("select %1,%2").arg(column).arg(row);
    }
    QString GetEditText(int column, int row, const QString& text) override
    {
        events << QStringLiteral("get %1,%2 '%3'").arg(column).arg(row).arg(text);
        return QLatin1Char('<') + text + QLatin1Char('>');
    }
    void SetEditText(int column, int row, const QString& text) override
    {
        events << QStringLiteral("set %1,%2 '%3'").arg(column).arg(row).arg(text);
    }
    bool KeyDown(QKeyEvent* event) override
    {
        events << QStringLiteral("down %1").arg(event->text());
        return false;
    }
    bool KeyPress(QKeyEvent* event) override
    {
        events << QStringLiteral("press %1").arg(event->text());
        return event->text() == QStringLiteral("x");
    }
    std::optional<QString> InsertText(int column, int row, const QString&, int from, int to,
                                      const QString& inserted) override
    {
        events << QStringLiteral("insert %1,%2 %3-%4 '%5'")
                      .arg(column).arg(row).arg(from).arg(to).arg(inserted);
        if (inserted.contains(QLatin1Char('x')))
            return std::nullopt;
        return inserted.toUpper();
    }
    QStringList events;
};

class GridEventOrder : public ::testing::Test {
protected:
    GridEventOrder() : model(table), grid(model, nullptr)
    {
        grid.SetEditEvents(&events);
        grid.resize(700, 300);
        grid.show();
        grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.SetCurrentCell(1, 1);
        grid.setFocus();
        events.events.clear();
    }
    void Type(const char* keys)
    {
        for (const char* key = keys; *key; ++key)
            QTest::keyClick(QApplication::focusWidget(), *key);
    }

    LineTable table;
    LineTableModel model;
    DataTableGrid grid;
    RecordedGridEvents events;
};

TEST_F(GridEventOrder, SelectionComesBeforeTheOldEditorCloses)
{
    Type("12");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(events.events,
              QStringList({"down 1", "get 1,1 ''", "press 1", "set 1,1 '1'", "down 2", "press 2",
                           "set 1,1 '12'", "select 2,1", "set 1,1 '12'"}));
    EXPECT_EQ(table.CellText(1, 1), "12");
    EXPECT_EQ(grid.OpenEditor(), nullptr);
}

TEST_F(GridEventOrder, TheEditorShowsWhatTheTextRequestGives)
{
    table.SetCellText(2, 1, "ab");
    grid.SetCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_F2);
    ASSERT_NE(grid.OpenEditor(), nullptr);
    EXPECT_EQ(grid.OpenEditor()->text(), "<ab>");
    // The program's change of the open cell reaches the editor the same way.
    events.events.clear();
    model.SetCellText(2, 1, QStringLiteral("cd"));
    EXPECT_EQ(events.events, QStringList({"get 2,1 'cd'"}));
    EXPECT_EQ(grid.OpenEditor()->text(), "<cd>");
}

TEST_F(GridEventOrder, AConsumedKeyNeverReachesTheEditor)
{
    Type("axb");
    EXPECT_EQ(grid.OpenEditor()->text(), "ab");
    EXPECT_EQ(events.events.filter(QStringLiteral("set")).size(), 2);
}

TEST_F(GridEventOrder, PastedTextIsOfferedFirstAndStoredAsItCameBack)
{
    Type("ab");
    QLineEdit* editor = grid.OpenEditor();
    editor->setSelection(0, 1);
    events.events.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("cd"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    // Ctrl+V is seen as a key first, which does not consume it.
    EXPECT_EQ(events.events.filter(QRegularExpression(QStringLiteral("^(?!down)"))),
              QStringList({"insert 1,1 0-1 'cd'", "set 1,1 'CDb'", "insert 1,1 2-2 'xy'"}));
    EXPECT_EQ(editor->text(), "CDb");
}

TEST_F(GridEventOrder, AnEditorStaysOpenWhenTheFocusGoesElsewhere)
{
    Type("5");
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_NE(grid.OpenEditor(), nullptr);
    EXPECT_EQ(events.events.filter(QStringLiteral("set")).size(), 1);
    grid.CloseEditor();
    EXPECT_EQ(events.events.last(), "set 1,1 '5'");
}

}  // namespace
}  // namespace quorvane::testing
