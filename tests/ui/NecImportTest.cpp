#include "DataTableFixture.h"

#include "DataFile.h"

namespace quorvane::testing {
namespace {

using NecImportWindows = DataTableFixture;

const std::string OneLine = "1,2,3,4,5,6,a\r\n";
const std::string Dipole = "CM dipole\nCE\nGW 7 21 0 0 -0.25 0 0 0.25 0.001\nXX bad\nGE 0\nEN\n";

QString Caption(const std::string& path)
{
    return QString::fromStdString(" Quorvane - " + path);
}

TEST_F(NecImportWindows, ADeckOpenedFromTheDialogBecomesAnUnsavedTableOfTheSameName)
{
    folder.Write("dipole.nec", Dipole);
    StartOn(OneLine, "Language=2\r\n");
    fileChoices = {QString::fromStdString(folder.Path("dipole.nec"))};
    Press(Qt::Key_O, Qt::ControlModifier);

    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].filters[2], "NEC-2-Eingabedateien (*.nec)");
    EXPECT_EQ(Shown(3, 1), "-0.25");
    EXPECT_EQ(Cell(7, 1), "GW 7 NS 21 R 0.001");
    EXPECT_GT(LinePixels(), 0);
    EXPECT_EQ(program.Main.QrvFile, folder.Path("dipole.qrv"));
    EXPECT_EQ(Window().windowTitle(), Caption(folder.Path("dipole.qrv")));
    EXPECT_EQ(Table().windowTitle(), Window().windowTitle());
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    // One message names the card left out, in the user's language.
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_TRUE(dismissed[0].startsWith("Einige Karten von " +
                                        QString::fromStdString(folder.Path("dipole.nec"))));
    EXPECT_TRUE(dismissed[0].contains(QStringLiteral("Zeile 4: XX bad – unbekannte Karte")));

    // The close question knows the table is not saved; Save writes the data
    // file and never the deck.
    answers = {QMessageBox::Cancel};
    Window().close();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(dismissed.last(), "Änderungen speichern?");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder.Read("dipole.qrv"),
              "0.0000,0.0000,-0.2500,0.0000,0.0000,0.2500,GW 7 NS 21 R 0.001\r\n");
    EXPECT_EQ(folder.Read("dipole.nec"), Dipole);
    EXPECT_FALSE(SaveButtonsEnabled());
}

TEST_F(NecImportWindows, SaveAsksBeforeItReplacesADataFileThatHasTheDecksName)
{
    folder.Write("dipole.nec", Dipole);
    folder.Write("dipole.qrv", "earlier work\r\n");
    StartOn(OneLine);
    answers = {QMessageBox::Ok};
    DropFile(Window(), QString::fromStdString(folder.Path("dipole.nec")));
    EXPECT_EQ(Cell(7, 1), "GW 7 NS 21 R 0.001");

    answers = {QMessageBox::No};
    Table().SpeedButtonSaveOnClick();
    EXPECT_TRUE(dismissed.last().contains(QStringLiteral("already exists")));
    EXPECT_EQ(folder.Read("dipole.qrv"), "earlier work\r\n");
    EXPECT_TRUE(SaveButtonsEnabled());

    answers = {QMessageBox::Yes};
    Table().SpeedButtonSaveOnClick();
    EXPECT_EQ(folder.Read("dipole.bak"), "earlier work\r\n");
    EXPECT_FALSE(SaveButtonsEnabled());
    // Once written, the file is the table's own: later saves ask nothing.
    const int asked = static_cast<int>(dismissed.size());
    Activate(Table());
    Click(1, 1);
    TypeText("9");
    Press(Qt::Key_Tab);
    Table().SpeedButtonSaveOnClick();
    EXPECT_EQ(static_cast<int>(dismissed.size()), asked);
    EXPECT_EQ(folder.Read("dipole.qrv").substr(0, 7), "9.0000,");
}

TEST_F(NecImportWindows, ADeckNamedOnTheCommandLineIsImportedAtStartAndToldOfOverItsWindow)
{
    folder.Write("dipole.nec", "GW 1 5 0 0 0 1 0 0 0.001\nXX\nGE\n");
    // Started without waiting for the main window to become active: the
    // message takes the activation first.
    windows = std::make_unique<ProgramWindows>(
        program, QString::fromStdString(folder.Path("bin/Quorvane")),
        QStringList{QString::fromStdString(folder.Path("dipole.nec"))}, std::move(printers));
    EXPECT_EQ(program.Main.QrvFile, folder.Path("dipole.qrv"));
    EXPECT_FALSE(program.RememberQrvFile);
    EXPECT_EQ(program.Table.CompleteLineCount, 1);
    EXPECT_TRUE(Window().SpeedButtonSave->isEnabled());
    EXPECT_TRUE(dismissed.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dismissed.isEmpty(); }));
    EXPECT_TRUE(dismissed[0].contains(QStringLiteral("line 2: XX")));
}

}  // namespace
}  // namespace quorvane::testing
