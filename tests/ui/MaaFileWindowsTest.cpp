#include "DataTableFixture.h"

#include "MaaFile.h"

namespace quorvane::testing {
namespace {

using MaaFileWindows = DataTableFixture;

const std::string OneLine = "1,2,3,4,5,6,a\r\n";
const std::string Dipole = "Dipole\r\n*\r\n14.2\r\n***Wires***\r\n1\r\n"
                           "0.0,\t-5.0,\t10.0,\t0.0,\t5.0,\t10.0,\t8.000e-04,\t-1\r\n"
                           "0,0,x,0,0,0,0.001,-1\r\n"
                           "***Source***\r\n1,\t1\r\nw1c,\t0.0,\t1.0\r\n";

TEST_F(MaaFileWindows, ADroppedFileBecomesAnUnsavedTableAndBothSaveDialogsWriteItBack)
{
    folder.Write("dipole.maa", Dipole);
    StartOn(OneLine, "Language=2\r\n");
    answers = {QMessageBox::Ok};
    DropFile(Window(), QString::fromStdString(folder.Path("dipole.maa")));
    EXPECT_EQ(Cell(7, 3), "GW 1 NS 38 R 8e-04 MMANA S -1");
    EXPECT_EQ(program.Main.QrvFile, folder.Path("dipole.qrv"));
    EXPECT_TRUE(SaveButtonsEnabled());
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_TRUE(dismissed[0].startsWith("Einige Zeilen von "));
    EXPECT_TRUE(dismissed[0].contains(QStringLiteral("Zeile 7: 0,0,x,0,0,0,0.001,-1 – ")));

    // The main window's Save as with the MMANA type, then the table's.
    typeChoices = {7};
    fileChoices = {QString::fromStdString(folder.Path("copy"))};
    Window().SpeedButtonSaveAs->click();
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].filters.last(), "MMANA-Dateien (*.maa)");
    EXPECT_EQ(fileDialogs[0].nameAfterTypeChange, "dipole.maa");
    const MaaImport original = ReadMaaText(Dipole);
    MaaImport written = ReadMaaText(folder.Read("copy.maa"));
    EXPECT_TRUE(written.Errors.empty());
    ASSERT_EQ(written.Wires.size(), 1u);
    EXPECT_EQ(written.Wires[0].Supplement, original.Wires[0].Supplement);
    ASSERT_GE(written.Rows.size(), 4u);
    EXPECT_EQ(written.Rows[3].Text, "MMANA source w1c 0.0 1.0");

    typeChoices = {4};
    fileChoices = {QString::fromStdString(folder.Path("table"))};
    Table().SpeedButtonSaveAsOnClick();
    ASSERT_EQ(fileDialogs.size(), 2u);
    EXPECT_EQ(fileDialogs[1].filters.last(), "MMANA-Dateien (*.maa)");
    EXPECT_EQ(folder.Read("table.maa"), folder.Read("copy.maa"));
    // The table keeps its own name and stays to be saved; the file it came
    // from is never written.
    EXPECT_EQ(program.Main.QrvFile, folder.Path("dipole.qrv"));
    EXPECT_TRUE(SaveButtonsEnabled());
    EXPECT_EQ(folder.Read("dipole.maa"), Dipole);
}

}  // namespace
}  // namespace quorvane::testing
