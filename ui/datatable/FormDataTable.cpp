#include "FormDataTable.h"

#include "CheckPanel.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "DataTableTexts.h"
#include "FormMain.h"
#include "KeyPreview.h"
#include "LiveChecks.h"
#include "NormalPlace.h"
#include "Projection.h"
#include "SettingsFile.h"
#include "SvgPictures.h"
#include "ToolbarButton.h"
#include "UnitLanguage.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace quorvane {

namespace {

constexpr int ButtonWidth = 24;
constexpr int GridTop = 28;
constexpr int RowHeight = 21;
constexpr int GridLineWidth = 1;
constexpr int LabelColumnWidth = 32;
constexpr int MinimumRows = 4;
constexpr int ReachableMargin = 32;

// The editing buttons stand a little apart from the file and row buttons.
constexpr int EditingGroupGap = 8;

QToolButton* MakeButton(QWidget* parent, const char* picture, int slot, int gap = 0)
{
    return MakeToolbarButton(parent, picture, QPoint(slot * ButtonWidth + gap, 1), ButtonWidth);
}

// The grid's font: a sans-serif of the same widths as the one the table
// was laid out for, where the system has it.
QFont GridFont()
{
    const QString preferred = QStringLiteral("Liberation Sans");
    QFont font(QFontDatabase::hasFamily(preferred)
                   ? preferred
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPixelSize(16);
    return font;
}

}  // namespace

FormDataTable::FormDataTable(ProgramState& program, DataFile& dataFile, FormMain& main,
                             PrinterSource& printers)
    : QWidget(nullptr), program_(program), dataFile_(dataFile), main_(main), printers_(printers),
      model_(program.Table), changes_(program.Table), gridFont_(GridFont())
{
    Sound = QApplication::beep;
    // The data table closes with the main window; it alone keeps the
    // program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QString::fromLatin1(DataTableTexts::InitialCaption));
    CreateControls();
    editing_ = std::make_unique<CellEditing>(program_.Table, changes_, program_.DataFileValues,
                                             *StringGrid, *this);
    rows_ = std::make_unique<RowOperations>(program_.Table, changes_, program_.DataFileValues,
                                            *StringGrid, *editing_, *this);
    StringGrid->SetEditEvents(editing_.get());
    changes_.SetEvents(this);

    program_.Table.SetEvents(this);
    program_.Table.SetCapacity(MinCapacity);
    const QFontMetrics metrics(gridFont_);
    program_.Table.SetCharWidths(
        CharWidths([&metrics](char c) { return metrics.horizontalAdvance(QLatin1Char(c)); }));
    MeasureGrid();

    static constexpr const char* Headers[] = {"x1", "y1", "z1", "x2", "y2", "z2"};
    for (int column = 1; column <= 6; ++column)
        model_.SetColumnHeader(column, CenterText(QString::fromLatin1(Headers[column - 1]),
                                                  CoordinateColumnWidth));
    rows_->EmptyClipboard();
    ReadDataTableSettings(program_.IniFileName, program_.Desktop, program_.DataFileValues,
                          program_.DataTableValues);
    storedVisibleRows_ = program_.DataTableValues.VisibleRowsCount;
    SpeedButtonDebug->setChecked(program_.DataTableValues.DebugFlag);
    MemoDebug->setVisible(program_.DataTableValues.DebugFlag);
    MemoDebug->raise();
    ConnectCommands();
    ApplyStoredBounds();
    normalPlace_ = new NormalPlace(*this);
    SetChecksVisible(program_.DataTableValues.ChecksVisible);
    // The first cell counts as selected, so that an edit there before any
    // other selection is an ordinary one.
    StringGrid->SetCurrentCell(1, 1);
    setVisible(program_.DataTableValues.FormVisible);
}

FormDataTable::~FormDataTable()
{
    changes_.SetEvents(nullptr);
    program_.Table.SetEvents(nullptr);
}

void FormDataTable::FinishCreation()
{
    // The empty table holds the window to its ten rows until the file is
    // read; then the stored height applies, so that it survives every start.
    const int storedRows = storedVisibleRows_;
    if (program_.Main.AutoReadQrvFile)
        ReadFile(program_.Main.QrvFile);
    program_.DataTableValues.VisibleRowsCount = storedRows;
    SnapHeightToRows();
    FormDataTableOnResize();
    // Only an imported deck is unsaved after the first read.
    UpdateSaveButtons();
    UpdateUndoButtons();
    SetDataTableCaptions(program_.Main.CurrentLanguage);
    formReady_ = true;
}

void FormDataTable::CreateControls()
{
    SpeedButtonNew = MakeButton(this, "New", 0);
    SpeedButtonOpen = MakeButton(this, "Open", 1);
    SpeedButtonSave = MakeButton(this, "Save", 2);
    SpeedButtonSaveAs = MakeButton(this, "SaveAs", 3);
    SpeedButtonPrint = MakeButton(this, "Print", 4);
    SpeedButtonInsert = MakeButton(this, "InsertRow", 5);
    SpeedButtonDelete = MakeButton(this, "DeleteRow", 6);
    SpeedButtonIncrementDecimals = MakeButton(this, "IncrementDecimals", 7);
    SpeedButtonDecrementDecimals = MakeButton(this, "DecrementDecimals", 8);
    SpeedButtonSettings = MakeButton(this, "Settings", 9);
    SpeedButtonHelp = MakeButton(this, "Help", 10);
    SpeedButtonUndo = MakeButton(this, "Undo", 11, EditingGroupGap);
    SpeedButtonRedo = MakeButton(this, "Redo", 12, EditingGroupGap);
    SpeedButtonTransform = MakeButton(this, "Transform", 13, EditingGroupGap);

    StringGrid = new DataTableGrid(model_, this);
    setAcceptDrops(true);
    StringGrid->setFont(gridFont_);
    StringGrid->horizontalHeader()->setFont(gridFont_);
    StringGrid->verticalHeader()->setFont(gridFont_);

    TimerAfterResize = new QTimer(this);
    TimerAfterResize->setInterval(1000);
    TimerAfterResize->setSingleShot(true);
    connect(TimerAfterResize, &QTimer::timeout, this, [this] { TimerAfterResizeOnTimer(); });

    MemoDebug = new QPlainTextEdit(this);
    MemoDebug->setReadOnly(true);
    MemoDebug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoDebug->hide();
    SpeedButtonDebug = new QToolButton(this);
    SpeedButtonDebug->setText(QStringLiteral("Debug"));
    SpeedButtonDebug->setCheckable(true);
    SpeedButtonDebug->hide();
    CreatePopupMenu();
    CreateChecks();
}

void FormDataTable::CreatePopupMenu()
{
    PopupMenuRow = new QMenu(this);
    const auto add = [this](const char* picture, const char* caption, const char* keys) {
        QAction* action = PopupMenuRow->addAction(
            SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture)), QSize(16, 16)),
            QString::fromLatin1(caption));
        // The window's key handler acts on the keys; the menu only shows them.
        action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
        return action;
    };
    PopupMenuRowCopy = add("Copy", "Copy", "Ctrl+C");
    PopupMenuRowCut = add("Cut", "Cut", "Ctrl+X");
    PopupMenuRowPaste = add("PasteEnabled", "Paste", "Ctrl+V");
    PopupMenuRowInsert = add("InsertRow", "Insert", "Ctrl+Ins");
    PopupMenuRowDelete = add("DeleteRow", "Delete", "Ctrl+Del");
}

int FormDataTable::RowStep() const
{
    return RowHeight + GridLineWidth;
}

int FormDataTable::GridFrame() const
{
    return StringGrid->frameWidth();
}

void FormDataTable::MeasureGrid()
{
    const int rowStep = RowStep();
    QHeaderView* labels = StringGrid->verticalHeader();
    labels->setMinimumSectionSize(rowStep);
    labels->setDefaultSectionSize(rowStep);
    QHeaderView* headers = StringGrid->horizontalHeader();
    headers->setMinimumSectionSize(CoordinateColumnWidth + GridLineWidth);
    headers->setDefaultSectionSize(CoordinateColumnWidth + GridLineWidth);
    headers->setFixedHeight(rowStep);
    UpdateLabelColumn();

    // The main window's frame, measured once it is on the screen.
    const QRect frame = main_.frameGeometry(), inner = main_.geometry();
    const int frameBorder = (frame.width() - inner.width()) / 2;
    const int captionHeight = frame.height() - inner.height() - frameBorder;
    const int desktopHeight = program_.Desktop.VirtualDesktopHeight;
    maxVisibleRowsCount_ = std::max(
        MinimumRows,
        static_cast<int>(std::nearbyint(
            double(desktopHeight - (captionHeight + frameBorder + GridTop + 2 * GridFrame())) /
            rowStep)));
    program_.Desktop.MaxVisibleRowsCount = maxVisibleRowsCount_;
}

void FormDataTable::UpdateLabelColumn()
{
    // Wide enough for the largest row label, which the original width of 32
    // pixels holds only up to about 999.
    const QString widestLabel = QString::fromStdString(RowLabel(program_.Table.Capacity()));
    if (widestLabel.size() == labelDigits_)
        return;
    labelDigits_ = static_cast<int>(widestLabel.size());
    const int width =
        std::max(LabelColumnWidth, QFontMetrics(gridFont_).horizontalAdvance(widestLabel) + 8);
    StringGrid->verticalHeader()->setFixedWidth(width);
    const int scrollBar = StringGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    minimumWidth_ = width + TextColumnCount * (CoordinateColumnWidth + GridLineWidth) + scrollBar +
                    2 * GridFrame();
    setMinimumWidth(minimumWidth_ + ChecksWidth());
}

void FormDataTable::ApplyStoredBounds()
{
    const DataTableSettings& stored = program_.DataTableValues;
    const int rowStep = RowStep();
    setMinimumHeight(GridTop + MinimumRows * rowStep + 2 * GridFrame());
    const int left = std::max(ReachableMargin - stored.Width, stored.Left);
    // Low enough to leave no room for the least rows, the window moves up.
    int top = std::max(0, stored.Top);
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        top = std::min(top, std::max(work.top(), work.bottom() + 1 - Decoration() - minimumHeight()));
    }
    move(left, top);
    resize(std::max(minimumWidth_, stored.Width),
           GridTop + 2 * GridFrame() + stored.VisibleRowsCount * rowStep);
    UpdateHeightLimits();
    FormDataTableOnResize();
}

void FormDataTable::LayOutControls()
{
    const int checksWidth = ChecksWidth();
    const int gridHeight = std::max(0, height() - GridTop);
    StringGrid->setGeometry(0, GridTop, width() - checksWidth, gridHeight);
    if (checksWidth > 0)
        PanelChecks->setGeometry(width() - checksWidth, GridTop, checksWidth, gridHeight);
    const int memoWidth = std::min(360, width() / 2), memoHeight = std::min(180, height() / 2);
    MemoDebug->setGeometry(width() - memoWidth, height() - memoHeight, memoWidth, memoHeight);
}

int FormDataTable::Decoration() const
{
    const int own = frameGeometry().height() - height();
    return own > 0 ? own : main_.frameGeometry().height() - main_.height();
}

void FormDataTable::UpdateHeightLimits()
{
    int rows = program_.Table.Capacity() + 1;
    // The whole window, frame included, stays within the work area below
    // its top, in whole rows.
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        const int room = work.bottom() + 1 - frameGeometry().top() - Decoration() - GridTop -
                         2 * GridFrame();
        rows = std::min(rows, std::max(0, room) / RowStep());
    }
    const int highest = std::max(minimumHeight(), GridTop + 2 * GridFrame() + rows * RowStep());
    if (highest != maximumHeight())
        setMaximumHeight(highest);
}

void FormDataTable::moveEvent(QMoveEvent*)
{
    // A new top, or a frame just put round the window, leaves another room
    // below it.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        UpdateHeightLimits();
}

void FormDataTable::PlaceBesideMain()
{
    placed_ = true;
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    // Before the main window is framed its frame is taken as its inside.
    const QRect mainFrame = main_.frameGeometry();
    const QPoint inside = geometry().topLeft() - frameGeometry().topLeft();
    const QPoint mainInside = main_.geometry().topLeft() - main_.frameGeometry().topLeft();
    const QSize frame(width() + main_.frameGeometry().width() - main_.width(),
                      height() + Decoration());
    const int toolbarBottom = mainInside.y() + GridTop + 2;
    const QPoint corner = PlaceBesideMainWindow(mainFrame, frame, work, toolbarBottom);
    const QPoint offset = frameGeometry() != geometry() ? inside : mainInside;
    setGeometry(QRect(corner + offset, size()));
    UpdateHeightLimits();
}

void FormDataTable::resizeEvent(QResizeEvent*)
{
    FormDataTableOnResize();
}

void FormDataTable::FormDataTableOnResize()
{
    LayOutControls();
    // A maximised window is sized by the window manager; its rows in the
    // normal state stay what the settings keep.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    UpdateHeightLimits();
    const int rowStep = RowStep();
    program_.DataTableValues.VisibleRowsCount = std::max(
        MinimumRows,
        static_cast<int>(std::nearbyint(double(height() - GridTop - 2 * GridFrame()) / rowStep)));
    const int outerHeight = frameGeometry().height();
    if (outerHeight != lastOuterHeight_) {
        lastOuterHeight_ = outerHeight;
        // Snap a second after the user stops changing the height; while the
        // window is being made, at once.
        if (formReady_)
            TimerAfterResize->start();
        else
            SnapHeightToRows();
    }
}

void FormDataTable::TimerAfterResizeOnTimer()
{
    TimerAfterResize->stop();
    SnapHeightToRows();
}

void FormDataTable::SnapHeightToRows()
{
    if (snapping_)
        return;
    snapping_ = true;
    const int rows = program_.DataTableValues.VisibleRowsCount;
    const int wanted = std::clamp(GridTop + 2 * GridFrame() + rows * RowStep(), minimumHeight(),
                                  maximumHeight());
    if (wanted != height())
        resize(width(), wanted);
    lastOuterHeight_ = frameGeometry().height();
    snapping_ = false;
}

void FormDataTable::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!program_.DataTableValues.PlaceStored && !placed_)
        PlaceBesideMain();
    UpdateDecimalsButtons();
    SnapHeightToRows();
    program_.DataTableValues.FormVisible = true;
    main_.SpeedButtonDataTable->setChecked(true);
    editing_->ResetOnShow();
}

void FormDataTable::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    // An edit left open would take no part in saving while hidden.
    editing_->FinishEdit();
    program_.DataTableValues.FormVisible = false;
    main_.SpeedButtonDataTable->setChecked(false);
    if (main_.isVisible())
        main_.activateWindow();
}

void FormDataTable::RememberWindowState()
{
    DataTableSettings& stored = program_.DataTableValues;
    // A maximised window keeps the place it will be restored to.
    if (const std::optional<QRect> normal = normalPlace_->Bounds()) {
        stored.Left = normal->x();
        stored.Top = normal->y();
        stored.Width = normal->width() - ChecksWidth();
    }
    stored.FormVisible = isVisible();
    stored.ChecksVisible = ChecksVisible();
}

QString FormDataTable::CenterText(const QString& text, int width) const
{
    return QString(CenterTextBlanks(QFontMetrics(gridFont_), text, width), QLatin1Char(' ')) + text;
}

int FormDataTable::CenterTextBlanks(const QFontMetrics& metrics, const QString& text, int width)
{
    const int blanks = metrics.horizontalAdvance(QStringLiteral("  "));
    if (blanks <= 0)
        return 0;
    return std::max(0, static_cast<int>(std::nearbyint(
                           double(width - metrics.horizontalAdvance(text)) / blanks)));
}

void FormDataTable::SetDataTableCaptions(Language language)
{
    using namespace DataTableTexts;
    SpeedButtonNew->setToolTip(Text(NewHint, language));
    SpeedButtonOpen->setToolTip(Text(OpenHint, language));
    SpeedButtonSave->setToolTip(Text(SaveHint, language));
    SpeedButtonSaveAs->setToolTip(Text(SaveAsHint, language));
    SpeedButtonPrint->setToolTip(Text(PrintHint, language));
    SpeedButtonInsert->setToolTip(Text(InsertHint, language));
    SpeedButtonDelete->setToolTip(Text(DeleteHint, language));
    SpeedButtonIncrementDecimals->setToolTip(Text(IncrementDecimalsHint, language));
    SpeedButtonDecrementDecimals->setToolTip(Text(DecrementDecimalsHint, language));
    SpeedButtonSettings->setToolTip(Text(SettingsHint, language));
    SpeedButtonHelp->setToolTip(Text(HelpHint, language));
    SpeedButtonUndo->setToolTip(Text(UndoHint, language));
    SpeedButtonRedo->setToolTip(Text(RedoHint, language));
    SpeedButtonTransform->setToolTip(Text(TransformHint, language));
    model_.SetColumnHeader(SupplementColumn,
                           CenterText(Text(SupplementHeader, language), CoordinateColumnWidth));
    SetChecksCaptions(language);
    program_.HelpFile =
        HelpFileName(QString::fromStdString(program_.ResourcePath), language).toStdString();
}

void FormDataTable::SetFileCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void FormDataTable::CapacityChanged(int)
{
    // Within a read the grid catches up once, at its end.
    if (model_.InBulkChange())
        return;
    model_.CapacityChanged();
    UpdateLabelColumn();
}

void FormDataTable::TableCleared()
{
    editing_->ClearUndo();
    if (model_.InBulkChange()) {
        // The grid is told at the end of the read.
        clearedInBulk_ = true;
    } else {
        StringGrid->SetCurrentCell(1, 1);
        StringGrid->scrollToTop();
    }
    FormDataTableOnResize();
}

void FormDataTable::ShowResizeError(const std::string& message)
{
    QMessageBox::critical(this, QString::fromStdString(program_.ExeBaseName),
                          QString::fromStdString(message));
}

void FormDataTable::TableChanged(const TableChange& change)
{
    model_.RowsChanged(change.Rows.First, std::min(change.Rows.Last, program_.Table.Capacity()));
    if (change.Redraw)
        DrawModel();
    editing_->TableChanged();
}

void FormDataTable::HistoryChanged()
{
    UpdateSaveButtons();
    UpdateUndoButtons();
}

void FormDataTable::Beep()
{
    if (Sound)
        Sound();
}

void FormDataTable::DebugLog(const QString& text)
{
    if (!MemoDebug->isHidden())
        MemoDebug->appendPlainText(text);
}

void FormDataTable::DrawModel()
{
    ComputeModelExtents(program_.View, program_.Table);
    main_.Drawing().DrawWireFrame();
    checks_->TableRedrawn();
}

bool FormDataTable::AskDeleteRow()
{
    return QMessageBox::question(this, QString::fromStdString(program_.ExeBaseName),
                                 Text(DataTableTexts::DeleteQuestion, program_.Main.CurrentLanguage),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void FormDataTable::ShowCapacityMessage()
{
    QMessageBox::critical(this, QStringLiteral(" ") + QString::fromStdString(program_.ExeBaseName),
                          Text(CapacityMessage, program_.Main.CurrentLanguage));
}

void FormDataTable::ShowRowMenu(QPoint globalPosition)
{
    PopupMenuRowOnPopup();
    PopupMenuRow->popup(globalPosition);
}

void FormDataTable::SetSaveButtonsEnabled(bool enabled)
{
    SpeedButtonSave->setEnabled(enabled);
    main_.SpeedButtonSave->setEnabled(enabled);
}

bool FormDataTable::SaveButtonsEnabled() const
{
    return SpeedButtonSave->isEnabled();
}

}  // namespace quorvane
