#include "FormDataTable.h"

#include "DataTableGrid.h"
#include "DataTableTexts.h"
#include "FormMain.h"
#include "CheckPanel.h"
#include "KeyPreview.h"
#include "SvgPictures.h"
#include "UnitLanguage.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include <algorithm>

namespace quorvane {

namespace {

constexpr int MaxDecimals = 4;

}  // namespace

void FormDataTable::ConnectCommands()
{
    const auto onClick = [this](QToolButton* button, void (FormDataTable::*handler)()) {
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick(SpeedButtonNew, &FormDataTable::SpeedButtonNewOnClick);
    onClick(SpeedButtonOpen, &FormDataTable::SpeedButtonOpenOnClick);
    onClick(SpeedButtonSave, &FormDataTable::SpeedButtonSaveOnClick);
    onClick(SpeedButtonSaveAs, &FormDataTable::SpeedButtonSaveAsOnClick);
    onClick(SpeedButtonPrint, &FormDataTable::SpeedButtonPrintOnClick);
    onClick(SpeedButtonHelp, &FormDataTable::SpeedButtonHelpOnClick);
    onClick(SpeedButtonIncrementDecimals, &FormDataTable::SpeedButtonIncrementDecimalsOnClick);
    onClick(SpeedButtonDecrementDecimals, &FormDataTable::SpeedButtonDecrementDecimalsOnClick);
    onClick(SpeedButtonDebug, &FormDataTable::SpeedButtonDebugOnClick);
    connect(SpeedButtonInsert, &QToolButton::clicked, this, [this] { rows_->Insert(); });
    connect(SpeedButtonSettings, &QToolButton::clicked, this, [this] { SpeedButtonSettingsOnClick(); });
    connect(SpeedButtonDelete, &QToolButton::clicked, this, [this] { rows_->Delete(); });
    onClick(SpeedButtonUndo, &FormDataTable::SpeedButtonUndoOnClick);
    onClick(SpeedButtonRedo, &FormDataTable::SpeedButtonRedoOnClick);
    onClick(SpeedButtonTransform, &FormDataTable::SpeedButtonTransformOnClick);

    connect(PopupMenuRowCopy, &QAction::triggered, this,
            [this] { rows_->CopyRow(rows_->ClipboardRow()); });
    connect(PopupMenuRowCut, &QAction::triggered, this, [this] { rows_->Cut(); });
    connect(PopupMenuRowPaste, &QAction::triggered, this, [this] { rows_->Paste(); });
    connect(PopupMenuRowInsert, &QAction::triggered, this, [this] { rows_->Insert(); });
    connect(PopupMenuRowDelete, &QAction::triggered, this, [this] { rows_->Delete(); });

    StringGrid->MousePressed = [this](Qt::MouseButton button, int column, int row, QPoint at) {
        rows_->MouseDown(button, column, row, at);
    };
    StringGrid->RowDragged = [this](int from, int to) { rows_->MoveRow(from, to); };
    StringGrid->HintRequested = [this](const QHelpEvent* event, int column, int row) {
        return ShowCellHint(event, column, row);
    };
    // The window sees keys before the grid and its editor.
    keyPreview_ = std::make_unique<KeyPreview>(
        *this, [this](QKeyEvent* key) { return FormDataTableOnKeyDown(key); });
}

bool FormDataTable::FormDataTableOnKeyDown(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                              Qt::MetaModifier);
    const int key = event->key();
    if (key == Qt::Key_F1 && modifiers == Qt::NoModifier) {
        SpeedButtonHelpOnClick();
        return true;
    }
    if (key == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        SpeedButtonRedoOnClick();
        return true;
    }
    if (modifiers != Qt::ControlModifier)
        return false;
    switch (key) {
    case Qt::Key_Z:
        SpeedButtonUndoOnClick();
        return true;
    case Qt::Key_Y:
        SpeedButtonRedoOnClick();
        return true;
    case Qt::Key_E:
        SpeedButtonSettingsOnClick();
        return true;
    case Qt::Key_N:
        SpeedButtonNewOnClick();
        return true;
    case Qt::Key_O:
        SpeedButtonOpenOnClick();
        return true;
    case Qt::Key_P:
        SpeedButtonPrintOnClick();
        return true;
    case Qt::Key_S:
        if (SpeedButtonSave->isEnabled())
            SpeedButtonSaveOnClick();
        return true;
    case Qt::Key_U:
        SpeedButtonSaveAsOnClick();
        return true;
    case Qt::Key_K:
        SetChecksVisible(!ChecksVisible());
        return true;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
        // In the check panel's frequency field they are the field's own.
        if (PanelChecks->isAncestorOf(QApplication::focusWidget()))
            return false;
        return rows_->ClipboardKey(key);
    default:
        return false;
    }
}

bool FormDataTable::ShowCellHint(const QHelpEvent* event, int column, int row)
{
    const bool eligible = program_.Activity == ActivityState::Idle &&
                          program_.DataTableValues.ShowCellsAsHint && column >= 1 && row >= 1 &&
                          row <= program_.Table.Capacity();
    const QString text = eligible ? model_.CellText(column, row) : QString();
    // The column's width without its grid line.
    const int columnWidth = StringGrid->columnWidth(column - 1) - 1;
    if (!eligible || QFontMetrics(gridFont_).horizontalAdvance(text) + 3 <= columnWidth) {
        QToolTip::hideText();
        return false;
    }
    const QModelIndex cell = model_.CellIndex(column, row);
    QToolTip::showText(event->globalPos(), text, StringGrid->viewport(),
                       StringGrid->visualRect(cell), 5000);
    return true;
}

void FormDataTable::PopupMenuRowOnPopup()
{
    const bool filled = !rows_->ClipboardLines().empty();
    PopupMenuRowPaste->setEnabled(filled);
    // The disabled picture is drawn as it is, not greyed once more.
    const QIcon picture = SvgIcon(filled ? QStringLiteral(":/icons/PasteEnabled.svg")
                                         : QStringLiteral(":/icons/PasteDisabled.svg"),
                                  QSize(16, 16));
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
        icon.addPixmap(picture.pixmap(QSize(16, 16), devicePixelRatioF()), mode);
    PopupMenuRowPaste->setIcon(icon);
}

void FormDataTable::UpdateDecimalsButtons()
{
    const int decimals = program_.DataFileValues.Decimals;
    SpeedButtonIncrementDecimals->setEnabled(decimals < MaxDecimals);
    SpeedButtonDecrementDecimals->setEnabled(decimals > 0);
}

void FormDataTable::SpeedButtonIncrementDecimalsOnClick()
{
    StepDecimals(+1);
}

void FormDataTable::SpeedButtonDecrementDecimalsOnClick()
{
    StepDecimals(-1);
}

void FormDataTable::StepDecimals(int by)
{
    int& decimals = program_.DataFileValues.Decimals;
    const int stepped = std::clamp(decimals + by, 0, MaxDecimals);
    if (stepped == decimals)
        return;
    decimals = stepped;
    ApplyDecimals();
}

void FormDataTable::ApplyDecimals()
{
    UpdateDecimalsButtons();
    editing_->FinishEdit();
    LineTable& table = program_.Table;
    std::string text;
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& record = table.Record(row);
        for (int column = 1; column <= 6; ++column) {
            const double value = record.Coordinate(column);
            if (value == Undefined)
                continue;
            table.FormatNumber(text, program_.DataFileValues.Decimals, value);
            table.SetCellText(column, row, text);
        }
    }
    model_.RowsChanged(1, table.LineCount);
    // Only the look of the numbers changed; an edit starts from it.
    editing_->TableChanged();
}

void FormDataTable::SpeedButtonUndoOnClick()
{
    // An open edit is committed first, and so is the first thing undone.
    editing_->FinishEdit();
    if (!changes_.CanUndo()) {
        Beep();
        return;
    }
    const int row = changes_.UndoRow();
    changes_.Undo();
    GoToChangedRow(row);
}

void FormDataTable::SpeedButtonRedoOnClick()
{
    editing_->FinishEdit();
    if (!changes_.CanRedo()) {
        Beep();
        return;
    }
    const int row = changes_.RedoRow();
    changes_.Redo();
    GoToChangedRow(row);
}

void FormDataTable::GoToChangedRow(int row)
{
    // The one-step buffer of the cells may name a row that has just moved or
    // gone: it is given up rather than written somewhere else.
    editing_->ClearUndo();
    row = std::clamp(row, 1, program_.Table.Capacity());
    StringGrid->SelectWholeRows(false);
    StringGrid->SetCurrentCell(std::max(1, StringGrid->CurrentColumn()), row);
    StringGrid->scrollTo(model_.CellIndex(std::max(1, StringGrid->CurrentColumn()), row));
}

void FormDataTable::UpdateUndoButtons()
{
    for (QToolButton* button : {SpeedButtonUndo, main_.SpeedButtonUndo})
        button->setEnabled(changes_.CanUndo());
    for (QToolButton* button : {SpeedButtonRedo, main_.SpeedButtonRedo})
        button->setEnabled(changes_.CanRedo());
}

void FormDataTable::SpeedButtonSettingsOnClick()
{
    FinishEdit();
    main_.SpeedButtonSettingsOnClick();
    activateWindow();
}

void FormDataTable::SpeedButtonHelpOnClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(program_.HelpFile)));
    QApplication::restoreOverrideCursor();
}

void FormDataTable::SpeedButtonDebugOnClick()
{
    program_.DataTableValues.DebugFlag = SpeedButtonDebug->isChecked();
    MemoDebug->setVisible(program_.DataTableValues.DebugFlag);
    if (MemoDebug->isVisible())
        MemoDebug->raise();
}

}  // namespace quorvane
