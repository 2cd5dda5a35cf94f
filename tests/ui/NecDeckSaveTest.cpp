#include "DataTableFixture.h"

#include "DataFile.h"
#include "NecDeck.h"

#include <filesystem>

namespace quorvane::testing {
namespace {

// Two wires and a note that is not a line.
const std::string Model = "0,0,0,0,0,1.1,driven\r\n,,,,,,feed below\r\n1,0,0,1,0,0.55,\r\n";

class NecDeckSave : public DataTableFixture {
protected:
    void StartOnModelWithAnEdit()
    {
        StartOn(Model);
        Click(3, 3);
        TypeText("2");
        Press(Qt::Key_Tab);
        ASSERT_TRUE(windows->Data().TableChanged());
    }

    void MainSaveAs(int type, const std::string& name)
    {
        typeChoices = {type};
        fileChoices = {QString::fromStdString(folder.Path(name))};
        Window().SpeedButtonSaveAs->click();
    }

    // The table, its name and its unsaved state as before any deck.
    void ExpectTableUntouched(const QString& title)
    {
        EXPECT_EQ(program.Main.QrvFile, ModelPath());
        EXPECT_EQ(Window().windowTitle(), title);
        EXPECT_EQ(Table().windowTitle(), title);
        EXPECT_TRUE(windows->Data().TableChanged());
        EXPECT_TRUE(Table().SpeedButtonSave->isEnabled());
        EXPECT_EQ(folder.Read("model.qrv"), Model);
    }
};

TEST_F(NecDeckSave, TheMainWindowsSaveAsWritesADeckAndSaveWritesItAgainWithoutTouchingTheData)
{
    StartOnModelWithAnEdit();
    const QString title = Window().windowTitle();
    answers = {QMessageBox::Ok};
    MainSaveAs(6, "antenna");

    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].filters.size(), 7);
    EXPECT_EQ(fileDialogs[0].filters[5], "NEC-2 input files (*.nec)");
    EXPECT_EQ(fileDialogs[0].nameAfterTypeChange, "model.nec");
    NecImport deck = ImportNecDeck(folder.Read("antenna.nec"));
    EXPECT_TRUE(deck.Errors.empty());
    ASSERT_EQ(deck.Wires.size(), 2u);
    EXPECT_EQ(deck.Wires[0].Supplement, "GW 1 NS 11 R 0.001");
    EXPECT_EQ(deck.Wires[1].Supplement, "GW 3 NS 15 R 0.001");  // 1.45 m after the edit
    EXPECT_EQ(deck.Wires[1].Z2, 0.55);
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_EQ(dismissed[0], "1 row is not a complete line and was left out of antenna.nec.");
    ExpectTableUntouched(title);
    EXPECT_TRUE(Window().SpeedButtonSave->isEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);

    // Save follows the deck type without a dialog, with the table as it is now.
    Activate(Table());
    Click(7, 1);
    TypeText("x");
    Press(Qt::Key_Tab);
    answers = {QMessageBox::Ok};
    Activate(Window());
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileDialogs.size(), 1u);
    EXPECT_NE(folder.Read("antenna.nec").find("CM GW 1: x\n"), std::string::npos);
    ExpectTableUntouched(title);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("antenna.bak")));
}

TEST_F(NecDeckSave, TheCloseQuestionsSaveAsWithTheDeckTypeWritesItAndKeepsTheWindow)
{
    StartOnModelWithAnEdit();
    Activate(Window());
    answers = {QMessageBox::Yes, QMessageBox::Ok};
    typeChoices = {6};
    fileChoices = {QString::fromStdString(folder.Path("closing"))};
    Window().close();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(ImportNecDeck(folder.Read("closing.nec")).Wires.size(), 2u);
    EXPECT_TRUE(windows->Data().TableChanged());
}

TEST_F(NecDeckSave, TheDataTableSavesAnImportedDeckBackWithItsWireDataAndReportsAFailedWrite)
{
    const std::string original = "CM yagi\nCE\nGW 4 15 0 -0.5 0 0 0.5 0 0.002\n"
                                 "GM 1 2 0 0 0 0.2 0 0 0\nGE 0\nEN\n";
    folder.Write("yagi.nec", original);
    StartOn(Model, "Language=2\r\n");
    fileChoices = {QString::fromStdString(folder.Path("yagi.nec"))};
    Press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(program.Table.CompleteLineCount, 3);

    // Saved under the deck's own name: the dialog's name has it once the
    // type is chosen, and the user agrees to replace the deck.
    answers = {QMessageBox::Yes};
    typeChoices = {3};
    fileChoices = {QString::fromStdString(folder.Path("yagi.nec"))};
    Table().SpeedButtonSaveAsOnClick();
    ASSERT_EQ(fileDialogs.size(), 2u);
    EXPECT_EQ(fileDialogs[1].filters[2], "NEC-2-Eingabedateien (*.nec)");
    EXPECT_EQ(fileDialogs[1].nameAfterTypeChange, "yagi.nec");
    const NecImport before = ImportNecDeck(original);
    const NecImport after = ImportNecDeck(folder.Read("yagi.nec"));
    ASSERT_EQ(after.Wires.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(after.Wires[i].Supplement, before.Wires[i].Supplement);
        EXPECT_EQ(after.Wires[i].X1, before.Wires[i].X1);
    }
    EXPECT_EQ(program.Main.QrvFile, folder.Path("yagi.qrv"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("yagi.qrv")));
    EXPECT_TRUE(SaveButtonsEnabled());

    // A folder where the deck should go: the error, in the system's words.
    std::filesystem::create_directories(folder.Path("blocked.nec"));
    const int shown = static_cast<int>(dismissed.size());
    answers = {QMessageBox::Yes, QMessageBox::Ok};
    EXPECT_FALSE(Table().SaveModelFileAs(ModelFileType::NecDeck,
                                         QString::fromStdString(folder.Path("blocked.txt"))));
    ASSERT_GT(static_cast<int>(dismissed.size()), shown);
    EXPECT_TRUE(dismissed.last().endsWith(QString::fromStdString(folder.Path("blocked.nec"))));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("blocked.nec")));
}

}  // namespace
}  // namespace quorvane::testing
