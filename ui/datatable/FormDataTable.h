#pragma once

#include "CellEditing.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "ModelFileTypes.h"
#include "ProgramState.h"
#include "RowOperations.h"
#include "TableChanges.h"
#include "TableWindowServices.h"
#include "Transforms.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QHelpEvent;
class QMenu;
class QPlainTextEdit;
class QPrintPreviewDialog;
class QPrinter;
class QTimer;
class QToolButton;

namespace quorvane {

class CheckPanel;
class DataFile;
class DataTableGrid;
class LiveChecks;
class NormalPlace;
class FormMain;
class KeyPreview;
class PrinterSource;

// The data table window: a toolbar over a grid of the line table's rows. It
// owns the file commands for data files, the decimals buttons, the row
// commands and cell editing, and both windows' save buttons.
class FormDataTable : public QWidget,
                      public TableEvents,
                      public TableChangeEvents,
                      public TableWindowServices {
public:
    // Builds the window, measures the grid, reads this window's settings and
    // shows the window when it was open at the last end.
    FormDataTable(ProgramState& program, DataFile& dataFile, FormMain& main,
                  PrinterSource& printers);
    ~FormDataTable() override;
    // The rest of the creation, once the windows know each other: reads the
    // current data file when AutoReadQrvFile is on, disables the save
    // buttons and applies the captions.
    void FinishCreation();

    void SetDataTableCaptions(Language language);
    void SetFileCaption(const QString& caption);
    // Fits the grid and the window's height limits to the window and the
    // table; a changed height snaps to whole rows a second later.
    void FormDataTableOnResize();

    // File commands; the main window's open and save commands come here too.
    void SpeedButtonNewOnClick();
    void SpeedButtonOpenOnClick();
    // Opens a file dropped on a window, as Open would after its dialog.
    void OpenDroppedFile(const QString& path);
    void SpeedButtonSaveOnClick();
    void SpeedButtonSaveAsOnClick();
    // Writes the table under the name a save dialog gave (its extension
    // becomes .qrv). True when the file was written.
    bool SaveTableAs(const QString& chosenPath);
    // Writes the table as a file of an exported type (an antenna deck, ...)
    // under the name a save dialog gave (its extension becomes the type's),
    // after asking before it replaces a file the user did not name. The table
    // keeps its data file name and its unsaved state: an export is not a
    // save. True when the file was written.
    bool SaveModelFileAs(ModelFileType type, const QString& chosenPath);
    // The same without asking, as Save repeats it.
    bool WriteModelFile(ModelFileType type, const QString& path);
    // The table as paged rows, in a print preview from which it is printed
    // or saved as a PDF.
    void SpeedButtonPrintOnClick();
    void SpeedButtonHelpOnClick();
    // The settings dialog, as from the main window.
    void SpeedButtonSettingsOnClick();
    void SpeedButtonIncrementDecimalsOnClick();
    void SpeedButtonDecrementDecimalsOnClick();
    void SpeedButtonDebugOnClick();
    // Reads a data file, or imports a file of another type (ModelFileTypeOf)
    // under the data file name beside it, with the grid reset once at its end.
    void ReadFile(const std::string& path);

    // Both windows' save buttons, which are one state.
    void SetSaveButtonsEnabled(bool enabled);
    bool SaveButtonsEnabled() const;

    // Multi-level undo and redo of the table's changes, from both windows;
    // the current cell goes to the first row that changed.
    void SpeedButtonUndoOnClick();
    void SpeedButtonRedoOnClick();
    // The transforms dialog for the selected rows, from both windows.
    void SpeedButtonTransformOnClick();
    // `transform` applied to `rows` (or to copies of them appended to the
    // table) as one step; rows without coordinates are left as they are.
    // False, after saying why, when nothing was changed.
    bool ApplyTransform(const std::vector<int>& rows, const Transform& transform);
    // The one path of every change to the table.
    TableChanges& Changes() { return changes_; }
    // Commits an edit still open in the grid.
    void FinishEdit() { editing_->FinishEdit(); }
    // Takes the window's place, width, row count and visibility into the
    // settings values, before they are written.
    void RememberWindowState();
    int MaxVisibleRowsCount() const { return maxVisibleRowsCount_; }
    int RowStep() const;
    int GridFrame() const;
    static int CenterTextBlanks(const QFontMetrics& metrics, const QString& text, int width);
    QString CenterText(const QString& text, int width) const;

    // The beep of rejected keys and commands; the system's bell.
    std::function<void()> Sound;

    // The rows the drawing highlights: those with a selected cell, or the
    // current row when nothing is selected; ascending.
    std::vector<int> SelectedRows() const;
    // Makes `row` the current row, in the current column, and scrolls to it.
    void ShowRow(int row);
    // Adds the whole row to the selection, or takes it out when a cell of
    // it is selected, and scrolls to it.
    void ToggleRowSelection(int row);

    CellEditing& Editing() { return *editing_; }
    RowOperations& Rows() { return *rows_; }
    LineTableModel& Model() { return model_; }
    // The geometry checks of the table, kept current as it changes.
    LiveChecks& Checks() { return *checks_; }
    // The list of the checks' findings beside the grid.
    void SetChecksVisible(bool visible);
    bool ChecksVisible() const;

    // TableEvents
    void CapacityChanged(int capacity) override;
    void TableCleared() override;
    void ShowResizeError(const std::string& message) override;

    // The model's extents and the main window's drawing, after the
    // coordinates changed and the table was recounted.
    void DrawModel();

    // TableChangeEvents
    void TableChanged(const TableChange& change) override;
    void HistoryChanged() override;

    // TableWindowServices
    void Beep() override;
    void DebugLog(const QString& text) override;
    void EnableSaveButtons() override { SetSaveButtonsEnabled(true); }
    void UpdateSaveButtons() override { SetSaveButtonsEnabled(changes_.Changed()); }
    bool AskDeleteRow() override;
    void ShowCapacityMessage() override;
    void ShowRowMenu(QPoint globalPosition) override;

    QToolButton* SpeedButtonNew;
    QToolButton* SpeedButtonOpen;
    QToolButton* SpeedButtonSave;
    QToolButton* SpeedButtonSaveAs;
    QToolButton* SpeedButtonPrint;
    QToolButton* SpeedButtonInsert;
    QToolButton* SpeedButtonDelete;
    QToolButton* SpeedButtonIncrementDecimals;
    QToolButton* SpeedButtonDecrementDecimals;
    QToolButton* SpeedButtonSettings;
    QToolButton* SpeedButtonHelp;
    QToolButton* SpeedButtonUndo;
    QToolButton* SpeedButtonRedo;
    QToolButton* SpeedButtonTransform;
    DataTableGrid* StringGrid;
    QMenu* PopupMenuRow;
    QAction* PopupMenuRowCopy;
    QAction* PopupMenuRowCut;
    QAction* PopupMenuRowPaste;
    QAction* PopupMenuRowInsert;
    QAction* PopupMenuRowDelete;
    QTimer* TimerAfterResize;
    QPlainTextEdit* MemoDebug;
    QToolButton* SpeedButtonDebug;
    // The checks' counts in the toolbar; shows and hides PanelChecks.
    QToolButton* ButtonCheckCount = nullptr;
    CheckPanel* PanelChecks = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ReadChosenFile(const QString& path);
    // Creation and layout (FormDataTable.cpp).
    void CreateControls();
    void CreatePopupMenu();
    void MeasureGrid();
    void ApplyStoredBounds();
    void LayOutControls();
    void UpdateHeightLimits();
    // Height of the frame's parts above and below the inside: the window's
    // own once the window manager has framed it, else the main window's.
    int Decoration() const;
    // Opens the window beside the main window when the settings hold no
    // place for it.
    void PlaceBesideMain();
    void UpdateLabelColumn();
    void TimerAfterResizeOnTimer();
    // The checks' panel and counts follow the table (FormDataTableChecks.cpp).
    void CreateChecks();
    void ShowCheckCounts();
    void SetChecksCaptions(Language language);
    int ChecksWidth() const;
    void SnapHeightToRows();
    // Commands and keys (FormDataTableCommands.cpp).
    void ConnectCommands();
    bool FormDataTableOnKeyDown(QKeyEvent* event);
    bool ShowCellHint(const QHelpEvent* event, int column, int row);
    void PopupMenuRowOnPopup();
    void UpdateDecimalsButtons();
    void UpdateUndoButtons();
    // After an undo or redo: the row it reached becomes the current one.
    void GoToChangedRow(int row);
    void StepDecimals(int by);
    void ApplyDecimals();
    // Files (FormDataTableFiles.cpp).
    // Tells the grid of a bulk change, and of the clear it held back.
    void EndBulkChange();
    bool SaveBeforeLosingChanges();
    void WriteTable(const std::string& path);
    void WriteCurrentFile();
    void ReportImport(const std::string& importedPath, const ModelImport& import);
    // Transforms (FormDataTableTransform.cpp).
    void ShowTransformMessage(const QString& text);
    // The rows from `first` on selected in the grid, `count` of them.
    void SelectRows(int first, int count);
    // Printing (FormDataTablePrint.cpp).
    // Paints the table onto `printer` with the page set-up of its
    // orientation; false, after saying so, when it could not.
    bool PrintTable(QPrinter& printer);
    void AddSavePdfAction(QPrintPreviewDialog& preview);
    void SaveTableAsPdf(QPrintPreviewDialog& preview);

    ProgramState& program_;
    DataFile& dataFile_;
    NormalPlace* normalPlace_ = nullptr;
    bool placed_ = false;
    FormMain& main_;
    PrinterSource& printers_;
    LineTableModel model_;
    TableChanges changes_;
    std::unique_ptr<CellEditing> editing_;
    std::unique_ptr<RowOperations> rows_;
    std::unique_ptr<LiveChecks> checks_;

    QFont gridFont_;
    int maxVisibleRowsCount_ = 4;
    int minimumWidth_ = 0;
    int labelDigits_ = 0;  // characters of the widest row label the column is sized for
    int storedVisibleRows_ = 0;  // the height in rows the settings asked for
    int lastOuterHeight_ = -1;
    bool formReady_ = false;
    bool snapping_ = false;
    // Set by New until the table is saved under a name the user chose, so
    // that a save never overwrites a file the user did not pick.
    bool untitled_ = false;
    // Set by an import: the table's name was derived from the imported
    // file's, not chosen, so a file of that name is replaced only when the
    // user agrees.
    bool replaceUnasked_ = false;
    bool clearedInBulk_ = false;
    int saveDialogType_ = 1;
    // What the transforms dialog shows next: the last transform asked for.
    Transform lastTransform_;
    std::unique_ptr<KeyPreview> keyPreview_;
};

}  // namespace quorvane
