#include "DataTableFixture.h"

#include "TransformDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace quorvane::testing {
namespace {

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

class DataTableUndo : public DataTableFixture {
protected:
    // Every text and coordinate of the used rows, and the counts.
    std::string State()
    {
        std::string state;
        for (int row = 1; row <= Lines().LineCount; ++row) {
            for (int column = 1; column <= 7; ++column)
                state += Cell(column, row) + '|';
            const LineRecord& record = Lines().Record(row);
            for (int column = 1; column <= 6; ++column) {
                const double value = record.Coordinate(column);
                state += value == Undefined ? std::string("u ") : std::to_string(value) + ' ';
            }
            state += record.Complete ? "complete\n" : "incomplete\n";
        }
        return state + std::to_string(Lines().LineCount) + " lines, " +
               std::to_string(Lines().CompleteLineCount) + " complete";
    }
    bool CanUndo() { return Table().SpeedButtonUndo->isEnabled(); }
    bool CanRedo() { return Table().SpeedButtonRedo->isEnabled(); }
    void Undo() { Press(Qt::Key_Z, Qt::ControlModifier); }

    // Answers the next transforms dialog with `fill`, then OK.
    void AnswerTransformDialog(std::function<void(TransformDialog&)> fill)
    {
        auto* poll = new QTimer(&Table());
        QObject::connect(poll, &QTimer::timeout, [poll, fill] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* transform = dynamic_cast<TransformDialog*>(dialog);
            if (!transform || !transform->isVisible())
                return;
            poll->deleteLater();
            fill(*transform);
            transform->accept();
        });
        poll->start(10);
    }
};

TEST_F(DataTableUndo, EveryOperationIsOneStepBackToTheSavedStateAndPastIt)
{
    StartOn(NumberedLines(4));
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(Window().SpeedButtonUndo->isEnabled());
    std::vector<std::string> states{State()};
    std::vector<int> drawn{LinePixels()};
    const auto done = [&] {
        states.push_back(State());
        drawn.push_back(LinePixels());
    };

    Click(1, 1);  // a typed number
    TypeText("9");
    Press(Qt::Key_Tab);
    done();
    Click(2, 2);  // an emptied cell
    Press(Qt::Key_Delete);
    done();
    Click(1, 3);  // the value above, copied with two apostrophes
    TypeText("''");
    Press(Qt::Key_Tab);
    done();
    Click(7, 4);  // a supplement
    TypeText("feed");
    Click(1, 2);
    done();
    Table().SpeedButtonInsert->click();  // at row 2
    done();
    Table().SpeedButtonSaveOnClick();
    const std::size_t saved = states.size() - 1;
    EXPECT_FALSE(SaveButtonsEnabled());
    Click(1, 4);
    answers = {QMessageBox::Yes};
    Table().SpeedButtonDelete->click();
    Activate(Table());
    done();
    Click(0, 1);  // row 1 dragged to row 3
    Grid().verticalHeader()->moveSection(0, 2);
    done();
    Click(0, 2);
    Press(Qt::Key_X, Qt::ControlModifier);
    done();
    Click(0, 1);
    Press(Qt::Key_V, Qt::ControlModifier);
    done();
    Transform turn;
    turn.Kind = TransformKind::Rotate;
    turn.AngleDegrees = 90;
    ASSERT_TRUE(Table().ApplyTransform({1, 2, 3}, turn));
    done();
    ASSERT_EQ(states.size(), 11u);
    for (std::size_t i = 1; i < states.size(); ++i)
        ASSERT_NE(states[i], states[i - 1]) << "operation " << i << " changed nothing";
    EXPECT_TRUE(SaveButtonsEnabled());

    // Back, one operation at a time: texts, records, counts and drawing.
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        Undo();
        EXPECT_EQ(State(), states[i - 1]) << "undoing operation " << i;
        EXPECT_EQ(LinePixels(), drawn[i - 1]) << "undoing operation " << i;
        EXPECT_EQ(SaveButtonsEnabled(), i - 1 != saved) << "undoing operation " << i;
    }
    EXPECT_FALSE(CanUndo());
    EXPECT_TRUE(CanRedo());
    Undo();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(State(), states[0]);

    // And forward again, with both keys for redo and the main window's button.
    for (std::size_t i = 1; i < states.size(); ++i) {
        if (i % 3 == 0)
            Window().SpeedButtonRedo->click();
        else if (i % 2 == 0)
            Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            Press(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(State(), states[i]) << "redoing operation " << i;
        EXPECT_EQ(SaveButtonsEnabled(), i != saved) << "redoing operation " << i;
    }
    EXPECT_FALSE(Window().SpeedButtonRedo->isEnabled());
    Window().SpeedButtonUndo->click();
    EXPECT_EQ(State(), states[states.size() - 2]);
}

TEST_F(DataTableUndo, AnEditThatIsCancelledOrUndoneLeavesTheTableAsSaved)
{
    StartOn(NumberedLines(3));
    const std::string start = State();
    Click(1, 2);
    TypeText("5");
    EXPECT_TRUE(SaveButtonsEnabled());  // typing enables them at once
    Press(Qt::Key_Escape);
    EXPECT_EQ(State(), start);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(SaveButtonsEnabled());

    // Ctrl+Z in an open editor takes the edit back, as it was before it.
    Click(2, 2);
    TypeText("7");
    Undo();
    EXPECT_EQ(State(), start);
    EXPECT_FALSE(SaveButtonsEnabled());

    // Alt+Backspace keeps its one step, and is itself a step of the history.
    Click(3, 1);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(State(), start);
    Press(Qt::Key_Backspace, Qt::AltModifier);
    Undo();
    EXPECT_EQ(Cell(3, 1), "");
    Undo();
    EXPECT_EQ(State(), start);
    EXPECT_FALSE(SaveButtonsEnabled());
}

TEST_F(DataTableUndo, UndoNeverWritesIntoRowsThatTookAnotherRowsPlace)
{
    StartOn(NumberedLines(5));
    Click(1, 3);
    TypeText("30");
    Press(Qt::Key_Tab);
    Click(1, 3);
    answers = {QMessageBox::Yes};
    Table().SpeedButtonDelete->click();  // the edited row goes
    Activate(Table());
    Click(1, 2);
    Press(Qt::Key_Delete);
    const std::string afterDelete = State();
    Undo();  // the emptied cell
    Undo();  // the deleted row comes back where it was
    EXPECT_EQ(Cell(7, 3), "L3");
    EXPECT_EQ(Lines().Record(3).X1, 30);
    EXPECT_EQ(Cell(7, 4), "L4");
    EXPECT_EQ(Lines().Record(4).X1, 4);
    // The cells' one-step undo named a row that moved: it is given up.
    const std::string beforeBackspace = State();
    Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(State(), beforeBackspace);
    EXPECT_EQ(beeps, 1);
    Undo();
    EXPECT_EQ(Lines().Record(3).X1, 3);
    Press(Qt::Key_Y, Qt::ControlModifier);
    Press(Qt::Key_Y, Qt::ControlModifier);
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(State(), afterDelete);
}

TEST_F(DataTableUndo, NewAndOpenStartAHistoryOfTheirOwnAndTheMainWindowKeepsItsZ)
{
    StartOn(NumberedLines(3));
    Click(0, 1);
    Press(Qt::Key_X, Qt::ControlModifier);
    ASSERT_TRUE(Window().SpeedButtonUndo->isEnabled());

    // In the main window, Ctrl+Z is still the centring toggle.
    Activate(Window());
    const bool centred = Window().SpeedButtonDrawingCentered->isChecked();
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(Window().SpeedButtonDrawingCentered->isChecked(), centred);
    EXPECT_EQ(Lines().LineCount, 2);

    Activate(Table());
    answers = {QMessageBox::No};  // the changes are not saved
    Table().SpeedButtonNewOnClick();
    Activate(Table());
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(Window().SpeedButtonUndo->isEnabled());
    EXPECT_FALSE(SaveButtonsEnabled());

    Click(1, 1);
    TypeText("1");
    Press(Qt::Key_Tab);
    ASSERT_TRUE(CanUndo());
    answers = {QMessageBox::No};
    fileChoices = {QString::fromStdString(ModelPath())};
    Table().SpeedButtonOpenOnClick();
    EXPECT_EQ(Lines().LineCount, 3);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(CanRedo());
    EXPECT_FALSE(SaveButtonsEnabled());
}

TEST_F(DataTableUndo, TheTransformsDialogTurnsTheSelectedRowsInOneStep)
{
    StartOn(NumberedLines(3) + ",,,,,,FR 0 1 0 0 14.2 0\r\n");
    const std::string start = State();
    // Rows 1 and 2 and the card row, selected as a range.
    Click(1, 1);
    Grid().selectionModel()->select(
        QItemSelection(Table().Model().CellIndex(1, 1), Table().Model().CellIndex(7, 4)),
        QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(Table().SelectedRows(), (std::vector<int>{1, 2, 3, 4}));
    AnswerTransformDialog([](TransformDialog& dialog) {
        dialog.RadioButtonRotate->setChecked(true);
        dialog.EditAngle->setText(QStringLiteral("90"));
        dialog.ComboBoxAxis->setCurrentIndex(2);
    });
    Table().SpeedButtonTransform->click();
    Activate(Table());
    // (n, 0, 0) - (n, 1, 0) turned a quarter about z: (0, n, 0) - (-1, n, 0).
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(Lines().Record(row).X1, 0);
        EXPECT_EQ(Lines().Record(row).Y1, row);
        EXPECT_EQ(Lines().Record(row).X2, -1);
        EXPECT_EQ(Shown(4, row), "-1.00");
    }
    EXPECT_EQ(Cell(7, 4), "FR 0 1 0 0 14.2 0");
    EXPECT_TRUE(SaveButtonsEnabled());
    Undo();
    EXPECT_EQ(State(), start);

    // Duplicates: the rows stay, moved copies are appended and selected.
    Click(1, 2);
    AnswerTransformDialog([](TransformDialog& dialog) {
        dialog.RadioButtonMove->setChecked(true);
        dialog.EditDx->setText(QStringLiteral("0.5"));
        dialog.EditDy->setText(QStringLiteral("0"));
        dialog.EditDz->setText(QStringLiteral("-2E1"));
        dialog.CheckBoxDuplicate->setChecked(true);
    });
    Table().SpeedButtonTransform->click();
    Activate(Table());
    EXPECT_EQ(Cell(7, 2), "L2");
    EXPECT_EQ(Lines().Record(2).X1, 2);
    EXPECT_EQ(Cell(7, 5), "L2");
    EXPECT_EQ(Lines().Record(5).X1, 2.5);
    EXPECT_EQ(Lines().Record(5).Z2, -20);
    EXPECT_EQ(Lines().LineCount, 5);
    EXPECT_EQ(Table().SelectedRows(), (std::vector<int>{5}));
    Undo();
    EXPECT_EQ(State(), start);
}

TEST_F(DataTableUndo, TransformNumbersArePointNumbersAndAFailedTransformChangesNothing)
{
    StartOn(NumberedLines(2));
    const std::string start = State();
    TransformDialog dialog(&Table(), Language::German, Transform{}, 2);
    EXPECT_EQ(dialog.EditDx->text(), "0");
    dialog.RadioButtonScale->setChecked(true);
    EXPECT_FALSE(dialog.EditDx->isEnabled());
    dialog.EditFactor->setText(QStringLiteral("1,5"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);  // still open
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_TRUE(dismissed[0].startsWith(QStringLiteral("„1,5“ ist keine Zahl")));
    dialog.EditFactor->setText(QStringLiteral("0"));
    dialog.accept();
    ASSERT_EQ(dismissed.size(), 2);
    dialog.EditFactor->setText(QStringLiteral(" 1.5e300 "));
    dialog.RadioButtonCentre->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().Factor, 1.5e300);
    EXPECT_TRUE(dialog.Result().AboutCentre);
    EXPECT_EQ(dialog.Result().Kind, TransformKind::Scale);

    // Lines scaled beyond the range of numbers: nothing changes, and the
    // message says why.
    Transform beyond = dialog.Result();
    beyond.Factor = 1e308;
    beyond.AboutCentre = false;
    EXPECT_FALSE(Table().ApplyTransform({1, 2}, beyond));
    ASSERT_EQ(dismissed.size(), 3);
    EXPECT_TRUE(dismissed[2].contains(QStringLiteral("beyond the largest number")));
    EXPECT_EQ(State(), start);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(SaveButtonsEnabled());
}

}  // namespace
}  // namespace quorvane::testing
