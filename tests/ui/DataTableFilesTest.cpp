#include "DataTableFixture.h"
#include "WindowPlacement.h"

#include "DataFile.h"

#include <QAbstractItemModelTester>
#include <QDropEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMimeData>
#include <QToolTip>
#include <QUrl>

namespace quorvane::testing {
namespace {

using DataTableFiles = DataTableFixture;
using DataTableWindow = DataTableFixture;

const std::string OneLine = "1,2,3,4,5,6,a\r\n";

QString Caption(const std::string& path)
{
    return QString::fromStdString(" Quorvane - " + path);
}

TEST_F(DataTableFiles, NewAsksFirstKeepsTheFolderAndSavesOnlyUnderAChosenName)
{
    folder.Write("NewFile.qrv", "keep\r\n");
    StartOn(OneLine);
    Click(1, 1);
    TypeText("9");
    Press(Qt::Key_Tab);

    answers = {QMessageBox::Cancel};
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Shown(1, 1), "9.00");
    answers = {QMessageBox::No};
    Activate(Table());
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Lines().LineCount, 0);
    EXPECT_EQ(program.Main.QrvFile, folder.Path("NewFile.qrv"));
    EXPECT_EQ(Window().windowTitle(), Caption(folder.Path("NewFile.qrv")));
    EXPECT_EQ(Table().windowTitle(), Window().windowTitle());
    EXPECT_FALSE(SaveButtonsEnabled());
    EXPECT_EQ(LinePixels(), 0);
    EXPECT_EQ(dismissed, QStringList({"Save changes?", "Save changes?"}));

    // The first save of the new table asks for its name.
    Activate(Table());
    Click(1, 1);
    TypeText("5");
    Press(Qt::Key_Tab);
    fileChoices = {QString::fromStdString(folder.Path("fresh"))};
    Press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].title, "Save data table");
    EXPECT_TRUE(fileDialogs[0].proposed.endsWith(QStringLiteral("NewFile.qrv")));
    EXPECT_EQ(folder.Read("fresh.qrv"), "5.0000,,,,,,\r\n");
    EXPECT_EQ(folder.Read("NewFile.qrv"), "keep\r\n");
    EXPECT_EQ(program.Main.QrvFile, folder.Path("fresh.qrv"));
    EXPECT_FALSE(SaveButtonsEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);
}

TEST_F(DataTableFiles, AFailedSaveLeavesTheChangesUnsaved)
{
    StartOn(OneLine);
    // The folder of the file has gone since it was read.
    program.Main.QrvFile = folder.Path("gone/model.qrv");
    Click(1, 1);
    TypeText("9");
    Press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_FALSE(windows->Data().DataSaved);
    // The close question still knows; a cancelled save keeps the program.
    answers = {QMessageBox::Yes};
    Window().close();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(dismissed.last(), "Save changes?");
}

TEST_F(DataTableFiles, TheTablesSaveKeyNeedsAChangeTheMainWindowsDoesNot)
{
    StartOn(OneLine);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(folder.Exists("model.bak"));
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder.Read("model.bak"), OneLine);
    EXPECT_EQ(folder.Read("model.qrv"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a\r\n");
}

TEST_F(DataTableFiles, TheMainWindowOpensThroughTheTableAndSavesChangesFirst)
{
    folder.Write("other.qrv", "0,0,0,1,1,1,o\r\n");
    StartOn(OneLine);
    Click(1, 1);
    TypeText("7");
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));

    answers = {QMessageBox::Cancel};
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(fileDialogs.empty());

    answers = {QMessageBox::Yes};
    fileChoices = {QString::fromStdString(folder.Path("other.qrv"))};
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(folder.Read("model.qrv"), "7.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a\r\n");
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].folder.toStdString() + "/", folder.Path(""));
    EXPECT_EQ(fileDialogs[0].filters,
              QStringList({"Quorvane-Dateien (*.qrv)", "alle Dateien (*.*)",
                           "NEC-2 input files (*.nec)", "MMANA files (*.maa)"}));
    EXPECT_EQ(Cell(7, 1), "o");
    EXPECT_EQ(program.Main.QrvFile, folder.Path("other.qrv"));
    EXPECT_TRUE(program.RememberQrvFile);
    EXPECT_EQ(Table().windowTitle(), Caption(folder.Path("other.qrv")));
    EXPECT_FALSE(SaveButtonsEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);
}

TEST_F(DataTableFiles, SaveAsWritesADataFileUnderTheChosenName)
{
    StartOn(OneLine);
    fileChoices = {QString::fromStdString(folder.Path("copy"))};
    Window().SpeedButtonSaveAs->click();
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].title, "Save data table or graphic");
    EXPECT_EQ(fileDialogs[0].filters,
              QStringList({"Quorvane files (*.qrv)", "Bitmap files (*.bmp)",
                           "Vector graphic files (*.emf)", "SVG files (*.svg)",
                           "PDF files (*.pdf)", "NEC-2 input files (*.nec)",
                           "MMANA files (*.maa)"}));
    // The data file's name without its extension, which the dialog may show
    // with its default one.
    EXPECT_EQ(QFileInfo(fileDialogs[0].proposed).completeBaseName(), "model");
    EXPECT_EQ(QFileInfo(fileDialogs[0].proposed).absolutePath().toStdString() + "/", folder.Path(""));
    EXPECT_TRUE(folder.Exists("copy.qrv"));
    EXPECT_EQ(program.Main.QrvFile, folder.Path("copy.qrv"));

    // Another extension becomes .qrv; a file it would then replace is asked
    // about first.
    fileChoices = {QString::fromStdString(folder.Path("copy.txt"))};
    answers = {QMessageBox::No};
    Activate(Table());
    Click(1, 1);
    TypeText("3");
    Press(Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs.back().filters,
              QStringList({"Quorvane files (*.qrv)", "all files (*.*)",
                           "NEC-2 input files (*.nec)", "MMANA files (*.maa)"}));
    EXPECT_FALSE(folder.Exists("copy.txt"));
    EXPECT_EQ(folder.Read("copy.qrv"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a\r\n");
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_EQ(program.Main.QrvFile, folder.Path("copy.qrv"));
}

TEST_F(DataTableWindow, AFailedReadAtStartStillFinishesTheWindow)
{
    std::filesystem::create_directory(folder.Path("folder.qrv"));
    WriteSettings("[General]\r\nLanguage=2\r\nQrvFile=" + folder.Path("folder.qrv") +
                  "\r\n[FormDataTable]\r\nFormVisible=1\r\n");
    Start();
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_EQ(Table().windowTitle(), "FormDataTable");
    EXPECT_EQ(Table().SpeedButtonNew->toolTip(), "Neue Datei anlegen (Strg+N)");
    EXPECT_FALSE(SaveButtonsEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(Lines().LineCount, 0);
}

TEST_F(DataTableWindow, SnapsToWholeRowsAndKeepsItsPlaceInTheSettings)
{
    StartOn(std::string(30, '\n') + OneLine, {}, "Left=100\r\nTop=50\r\n");
    const int rowStep = Table().RowStep();
    const int frame = 28 + 2 * Table().GridFrame();
    EXPECT_EQ(Table().height(), frame + 11 * rowStep);
    EXPECT_EQ(Table().pos(), QPoint(100, 50));
    EXPECT_EQ(Table().TimerAfterResize->interval(), 1000);

    Table().TimerAfterResize->setInterval(1);
    Table().resize(Table().width(), frame + 12 * rowStep + rowStep / 2 + 2);
    EXPECT_EQ(program.DataTableValues.VisibleRowsCount, 13);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Table().height() == frame + 13 * rowStep; })) << Table().height();
    Table().resize(Table().width(), frame + 2 * rowStep);  // below the least
    EXPECT_TRUE(QTest::qWaitFor([&] { return Table().height() == frame + 4 * rowStep; })) << Table().height();

    // A wider window widens the supplement column alone.
    const int supplement = Grid().columnWidth(6);
    Table().resize(Table().width() + 40, Table().height());
    EXPECT_EQ(Grid().columnWidth(6), supplement + 40);
    EXPECT_EQ(Grid().columnWidth(2), CoordinateColumnWidth + 1);

    const int width = Table().width();
    Window().close();
    const std::string settings = ReadSettings();
    for (const char* key : {"Left=100\r\n", "Top=50\r\n", "FormVisible=1\r\n",
                                   "VisibleRowsCount=4\r\n"})
        EXPECT_NE(settings.find(key, settings.find("[FormDataTable]")), std::string::npos) << key;
    EXPECT_NE(settings.find("Width=" + std::to_string(width) + "\r\n",
                            settings.find("[FormDataTable]")),
              std::string::npos);
    EXPECT_FALSE(Table().isVisible());
}

TEST_F(DataTableWindow, AWindowMaximisedAtClosingKeepsItsNormalPlaceWithItsFrame)
{
    StartOn(OneLine, {}, "Left=120\r\nTop=90\r\n");
    WaitForFrame(Table());
    EXPECT_EQ(Table().frameGeometry().topLeft(), QPoint(120, 90));
    Table().showMaximized();
    WaitForMaximised(Table());
    Window().close();
    const std::string text = ReadSettings();
    const std::string section = text.substr(text.find("[FormDataTable]"));
    for (const char* key : {"Left=120\r\n", "Top=90\r\n", "Width=800\r\n"})
        EXPECT_NE(section.find(key), std::string::npos) << key << text;
}

TEST_F(DataTableWindow, StaysWithinTheWorkAreaBelowItsTopInWholeRowsWithItsFrame)
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const int top = work.bottom() + 1 - 280;
    folder.Write("model.qrv", std::string(60, '\n') + OneLine);
    WriteSettings("[General]\r\nQrvFile=" + ModelPath() + "\r\n[FormDataTable]\r\nFormVisible=1\r\n"
                  "Left=100\r\nTop=" + std::to_string(top) + "\r\nVisibleRowsCount=40\r\n");
    Start();
    WaitForFrame(Table());
    const int frame = 28 + 2 * Table().GridFrame();
    const auto within = [&] {
        return Table().frameGeometry().bottom() <= work.bottom() &&
               (Table().height() - frame) % Table().RowStep() == 0;
    };
    EXPECT_TRUE(QTest::qWaitFor(within, 3000))
        << Table().frameGeometry().bottom() << " " << Table().height();
    EXPECT_EQ(Table().frameGeometry().top(), top);
    // Not a row less than the room holds.
    EXPECT_GT(Table().frameGeometry().bottom() + Table().RowStep(), work.bottom());
}

TEST_F(DataTableWindow, FirstOpensBesideTheMainWindowWithItsFrame)
{
    // No place for the table window in the settings yet: it covers neither
    // the main window nor, where the screen is too small, its toolbar.
    StartOn(OneLine);
    WaitForFrame(Table());
    WaitForFrame(Window());
    const auto clear = [this] {
        const QRect table = Table().frameGeometry(), main = Window().frameGeometry();
        return !table.intersects(main) || table.top() >= Window().geometry().top() + 28;
    };
    EXPECT_TRUE(QTest::qWaitFor(clear, 3000))
        << Table().frameGeometry().x() << "," << Table().frameGeometry().y();

    const QRect work(0, 0, 1920, 1050);
    const QSize table(802, 300);
    EXPECT_EQ(PlaceBesideMainWindow(QRect(24, 24, 802, 621), table, work, 60), QPoint(834, 24));
    EXPECT_EQ(PlaceBesideMainWindow(QRect(1000, 24, 802, 621), table, work, 60), QPoint(190, 24));
    EXPECT_EQ(PlaceBesideMainWindow(QRect(500, 0, 1000, 600), table, work, 60), QPoint(500, 608));
    // No room beside or below: shifted down over the main window, below
    // its toolbar, and right.
    EXPECT_EQ(PlaceBesideMainWindow(QRect(0, 0, 1900, 1000), table, work, 60), QPoint(32, 60));
}

TEST_F(DataTableWindow, AStoredHeightSurvivesAStartWithALongFile)
{
    folder.Write("model.qrv", std::string(40, '\n') + OneLine);
    WriteSettings("[General]\r\nQrvFile=" + ModelPath() +
                  "\r\n[FormDataTable]\r\nFormVisible=1\r\nVisibleRowsCount=20\r\n");
    Start();
    EXPECT_EQ(Table().height(), 28 + 2 * Table().GridFrame() + 20 * Table().RowStep());
    EXPECT_EQ(program.DataTableValues.VisibleRowsCount, 20);
}

TEST_F(DataTableWindow, TheDataTableButtonShowsAndHidesTheWindow)
{
    StartOn(OneLine);
    EXPECT_TRUE(Window().SpeedButtonDataTable->isChecked());
    Table().close();
    EXPECT_FALSE(Window().SpeedButtonDataTable->isChecked());
    EXPECT_FALSE(program.DataTableValues.FormVisible);
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Type('t');
    EXPECT_TRUE(Table().isVisible());
    EXPECT_TRUE(Window().SpeedButtonDataTable->isChecked());
}

TEST_F(DataTableWindow, HintsShowCellTextsThatDoNotFit)
{
    StartOn("1,2,3,4,5,6,short\r\n-123456789012.5,0,0,0,0,0,x\r\n");
    const auto hintAt = [this](int column, int row) {
        const QModelIndex cell = Table().Model().CellIndex(column, row);
        const QPoint at = Grid().visualRect(cell).center();
        const QHelpEvent event(QEvent::ToolTip, at, Grid().viewport()->mapToGlobal(at));
        return Grid().HintRequested(&event, column, row) ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hintAt(1, 2).trimmed(), "-123456789012.50");
    EXPECT_EQ(hintAt(7, 1), "");
    program.Activity = ActivityState::Opening;
    EXPECT_EQ(hintAt(1, 2), "");
    program.Activity = ActivityState::Idle;
}

TEST_F(DataTableWindow, CaptionsFollowTheLanguage)
{
    StartOn(OneLine);
    Table().SetDataTableCaptions(Language::German);
    EXPECT_EQ(Table().SpeedButtonInsert->toolTip(), "Zeile einfügen (Strg+Einfg)");
    EXPECT_EQ(Table().Model().headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(),
              Table().CenterText(QStringLiteral("Zusatz-Info"), 80));
    EXPECT_TRUE(Table().CenterText(QStringLiteral("x1"), 80).startsWith(QStringLiteral("      ")));
    program.Main.CurrentLanguage = Language::German;
    Press(Qt::Key_U, Qt::ControlModifier);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].title, "Datentabelle speichern");
    EXPECT_EQ(fileDialogs[0].filter, "Quorvane-Dateien (*.qrv)");
}

TEST_F(DataTableWindow, TheModelKeepsItsPromisesToTheViews)
{
    StartOn(OneLine);
    QAbstractItemModelTester tester(&Table().Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    Table().ReadFile(ModelPath());
    Click(1, 10);
    Press(Qt::Key_Return);
    Table().SpeedButtonInsert->click();
    Table().SpeedButtonIncrementDecimals->click();
    answers = {QMessageBox::No};
    Table().SpeedButtonNewOnClick();
    EXPECT_EQ(Table().Model().rowCount(), 10);
}

TEST_F(DataTableFiles, AFileDroppedOnEitherWindowOpensAfterTheUnsavedChangesQuestion)
{
    StartOn(OneLine);
    folder.Write("other.qrv", "7,8,9,1,2,3,dropped\r\n");
    folder.Write("notes.txt", "7,8,9,1,2,3,text\r\n");
    DropFile(Window(), QString::fromStdString(folder.Path("notes.txt")));
    EXPECT_EQ(Cell(7, 1), "a");
    DropFile(Window(), QString::fromStdString(folder.Path("other.qrv")));
    EXPECT_EQ(Cell(7, 1), "dropped");
    EXPECT_EQ(program.Main.QrvFile, folder.Path("other.qrv"));

    Click(1, 1);
    TypeText("5");
    DropFile(Table(), QString::fromStdString(folder.Path("model.qrv")));  // the question is cancelled
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_EQ(dismissed[0], "Save changes?");
    EXPECT_EQ(program.Main.QrvFile, folder.Path("other.qrv"));
    answers = {QMessageBox::No};
    DropFile(Table(), QString::fromStdString(folder.Path("model.qrv")));
    EXPECT_EQ(Cell(7, 1), "a");
    EXPECT_EQ(program.Activity, ActivityState::Idle);
}

}  // namespace
}  // namespace quorvane::testing
