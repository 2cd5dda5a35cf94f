#include "FormMain.h"

#include "DataFile.h"
#include "FormDataTable.h"
#include "ImageView.h"
#include "KeyPreview.h"
#include "NormalPlace.h"
#include "PrinterSource.h"
#include "Projection.h"
#include "QtRasterCanvas.h"
#include "SvgPictures.h"
#include "ToolbarButton.h"
#include "UnitAssociateFileExt.h"
#include "UnitLanguage.h"
#include "UnitPrinter.h"
#include "UpDownArrows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr int ButtonWidth = 24;
constexpr int ToolbarButtons = 14;
// The undo buttons stand a little apart from the others; the scale panel and
// its arrows follow them, and the window is at least as wide as the row.
constexpr int UndoGroupLeft = ToolbarButtons * ButtonWidth + 8;
constexpr int PanelScaleLeft = UndoGroupLeft + 2 * ButtonWidth + 2;
constexpr int UpDownScaleLeft = PanelScaleLeft + 126;
constexpr int MinimumWidth = UpDownScaleLeft + 30;
constexpr int MinimumHeight = 240;
constexpr int ReachableMargin = 32;  // pixels of the window that stay on the work area

// The toolbar's buttons stand side by side at the top, one slot each.
QToolButton* MakeButton(QWidget* parent, const char* picture, int slot, bool toggle,
                        QSize pictureSize = QSize(16, 16))
{
    return MakeToolbarButton(parent, picture, QPoint(slot * ButtonWidth, 2), ButtonWidth, toggle,
                             pictureSize);
}

// Help pages and samples lie beside the program where it was built, and in
// ../share/quorvane where it was installed.
std::string ResourceFolderOf(const QFileInfo& programFile)
{
    const QDir beside = programFile.absoluteDir();
    const QDir installed(beside.absoluteFilePath(QStringLiteral("../share/quorvane")));
    const QDir& folder = !beside.exists(QStringLiteral("English.html")) &&
                                 installed.exists(QStringLiteral("English.html"))
                             ? installed
                             : beside;
    return (QDir::cleanPath(folder.absolutePath()) + QLatin1Char('/')).toStdString();
}

QString AngleText(int degrees)
{
    return (degrees > 0 ? QStringLiteral("+") : QString()) + QString::number(degrees) +
           QStringLiteral("°");
}

// Length of the slider's handle along its track: the track for the handle's
// centre is this much shorter than the control.
int HandleLength(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    return slider->style()->pixelMetric(QStyle::PM_SliderLength, &option, slider);
}

}  // namespace

FormMain::FormMain(ProgramState& program, PrinterSource& printers)
    : QWidget(nullptr), program_(program), printers_(printers)
{
    program_.Activity = ActivityState::Creating;

    const QFileInfo programFile(QString::fromStdString(program_.ProgramFile));
    program_.ExePath = (programFile.absolutePath() + QLatin1Char('/')).toStdString();
    program_.ExeBaseName = programFile.completeBaseName().toStdString();
    program_.ResourcePath = ResourceFolderOf(programFile);
    program_.SampleFile = program_.ResourcePath + "QRV sample files/Yagi antenna.qrv";
    // A separator outside the 8-bit range cannot stand in the settings file.
    const QString decimalPoint = QLocale::system().decimalPoint();
    const char separator = decimalPoint.size() == 1 ? decimalPoint[0].toLatin1() : '\0';
    program_.Numbers.DecimalSeparator = separator != '\0' ? separator : '.';
    program_.Numbers.AlternateDecimalSeparator =
        program_.Numbers.DecimalSeparator == '.' ? ',' : '.';
    handFlat_ = SvgCursor(QStringLiteral(":/cursors/HandFlat.svg"), QSize(32, 32), QPoint(18, 22),
                          devicePixelRatioF());
    handGrab_ = SvgCursor(QStringLiteral(":/cursors/HandGrab.svg"), QSize(32, 32), QPoint(18, 22),
                          devicePixelRatioF());
    program_.Table.LineHighWater = 0;
    program_.Table.LineCount = 0;

    ReadSettingsAtStart();
    program_.View.DrawFactor = 1.0;

    CreateControls();
    drawing_ = std::make_unique<WireFrameDrawing>(program_.Table, program_.View, *this);
    SetImagePanelColor(program_.View.ShowAnaglyph ? program_.View.AnaglyphBackgroundColor
                                                  : program_.View.BackgroundColor);
    drawing_->SetupAnaglyphColors();
    CreateAngleLabels();

    appMinimized_ = program_.Main.WindowState == 1;
    stateBeforeMinimize_ = appMinimized_ ? 0 : program_.Main.WindowState;
    ApplyStoredBounds();
    normalPlace_ = new NormalPlace(*this);
    setWindowTitle(QStringLiteral(" ") + QString::fromStdString(program_.ExeBaseName));
    setAcceptDrops(true);

    SpeedButtonPrint->setEnabled(program_.PrinterAvailable);
    if (program_.PrinterAvailable)
        program_.Page = PageGeometry(printers_.Printer(), program_.Main.PrinterOrientation);
    Image->setCursor(handFlat_);
    LayOut();

    ApplyRotationSettings();
    TrackBarAzimuth->setValue(static_cast<int>(std::lround(program_.View.Azimuth)));
    TrackBarElevation->setValue(-program_.View.Elevation);
    SetUpViewAngles(program_.View, TrackBarAzimuth->value(), -TrackBarElevation->value());
    SpeedButtonShowLineNumbers->setChecked(program_.View.ShowLineNumbers);
    SpeedButtonDrawingCentered->setChecked(program_.View.DrawingCentered);
    SpeedButtonProjection->setChecked(program_.View.VanishingPointProjection);
    SpeedButtonShowAnaglyph->setChecked(program_.View.ShowAnaglyph);
    // After start the list begins with 1 : 1.
    if (!program_.Main.ScaleList.empty())
        program_.Main.ScaleList[0] = 1;
    SnapScaleToList();
    UpdateDrawFactor(program_.View);

    AssociateFileExt("Tallomar", "Quorvane", "qrv", program_.ExeBaseName, program_.ProgramFile,
                     AssociationPlacesFromEnvironment(),
                     [this](const std::string& title, const std::string& message) {
                         QMessageBox::critical(this, QString::fromStdString(title),
                                               QString::fromStdString(message).replace(
                                                   QLatin1Char('\r'), QLatin1Char('\n')));
                     });
    TakeCommandLine();
    if (!program_.Main.AutoReadQrvFile ||
        !QFileInfo(QString::fromStdString(program_.Main.QrvFile)).isFile())
        ComputeModelExtents(program_.View, program_.Table);

    ConnectViewControls();
    ConnectFileCommands();
    ConnectPointing();
    AddCheckMarkersPart();
    for (QWidget* child : findChildren<QWidget*>())
        child->setToolTipDuration(5000);
    SetMainCaptions(program_.Main.CurrentLanguage);
    TrackBarAzimuth->setFocus();
    program_.Activity = ActivityState::Idle;
}

FormMain::~FormMain() = default;

void FormMain::CreateControls()
{
    SpeedButtonOpen = MakeButton(this, "Open", 0, false);
    SpeedButtonSave = MakeButton(this, "Save", 1, false);
    SpeedButtonSaveAs = MakeButton(this, "SaveAs", 2, false);
    SpeedButtonPrint = MakeButton(this, "Print", 3, false);
    SpeedButtonCopy = MakeButton(this, "Copy", 4, false);
    SpeedButtonDataTable = MakeButton(this, "DataTable", 5, true);
    SpeedButtonShowLineNumbers = MakeButton(this, "ShowLineNumbers", 6, true);
    SpeedButtonDrawingCentered = MakeButton(this, "DrawingCentered", 7, true);
    SpeedButtonProjection = MakeButton(this, "Projection", 8, true);
    SpeedButtonShowAnaglyph = MakeButton(this, "ShowAnaglyph", 9, true);
    SpeedButtonRotateAzimuth = MakeButton(this, "RotateAzimuth", 10, true, QSize(20, 20));
    SpeedButtonSettings = MakeButton(this, "Settings", 11, true);
    SpeedButtonMeasure = MakeButton(this, "Measure", 12, true);
    SpeedButtonHelp = MakeButton(this, "Help", 13, false);
    SpeedButtonUndo = MakeToolbarButton(this, "Undo", QPoint(UndoGroupLeft, 2), ButtonWidth);
    SpeedButtonRedo =
        MakeToolbarButton(this, "Redo", QPoint(UndoGroupLeft + ButtonWidth, 2), ButtonWidth);
    // Nothing to undo before the table exists.
    SpeedButtonUndo->setEnabled(false);
    SpeedButtonRedo->setEnabled(false);

    PanelScale = new QLabel(this);
    PanelScale->setGeometry(PanelScaleLeft, 2, 123, 24);
    PanelScale->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelScale->setLineWidth(1);
    PanelScale->setAlignment(Qt::AlignCenter);
    QFont scaleFont = PanelScale->font();
    scaleFont.setPixelSize(13);
    scaleFont.setBold(true);
    PanelScale->setFont(scaleFont);
    PanelScale->setAutoFillBackground(true);
    PanelScale->setBackgroundRole(QPalette::Base);

    UpDownScale = new UpDownArrows(this);
    UpDownScale->setGeometry(UpDownScaleLeft, 2, 20, 24);
    UpDownScale->setFocusPolicy(program_.Main.UpDownScaleTabStop ? Qt::TabFocus : Qt::NoFocus);

    PanelImage = new QFrame(this);
    PanelImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelImage->setLineWidth(2);
    PanelImage->setAutoFillBackground(true);
    Image = new ImageView(PanelImage);

    PanelTrackBarElevation = new QWidget(this);
    TrackBarElevation = new QSlider(Qt::Vertical, PanelTrackBarElevation);
    TrackBarElevation->setRange(-90, 90);
    // The top end is position -90, elevation +90; Up moves towards it.
    TrackBarElevation->setInvertedAppearance(true);
    TrackBarElevation->setInvertedControls(true);
    TrackBarElevation->setTickPosition(QSlider::TicksLeft);

    TrackBarAzimuth = new QSlider(Qt::Horizontal, this);
    TrackBarAzimuth->setRange(-180, 180);
    TrackBarAzimuth->setTickPosition(QSlider::TicksBelow);
    for (QSlider* slider : {TrackBarAzimuth, TrackBarElevation}) {
        slider->setSingleStep(1);
        slider->setPageStep(10);
        slider->setTickInterval(10);
        slider->setFocusPolicy(Qt::StrongFocus);
    }

    TimerRotateAzimuth = new QTimer(this);
    TimerRotateAzimuth->setTimerType(Qt::PreciseTimer);

    PopupMenuImage = new QMenu(this);
    PopupMenuImageCopy = PopupMenuImage->addAction(SvgIcon(QStringLiteral(":/icons/Copy.svg"),
                                                           QSize(16, 16)),
                                                   QString());
    PopupMenuImageCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    PopupMenuImageSettings = PopupMenuImage->addAction(
        SvgIcon(QStringLiteral(":/icons/Settings.svg"), QSize(16, 16)), QString());
    PopupMenuImageSettings->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    PopupMenuImageTransform = PopupMenuImage->addAction(
        SvgIcon(QStringLiteral(":/icons/Transform.svg"), QSize(16, 16)), QString());
    PopupMenuImage->addSeparator();
    PopupMenuImageHighlight = PopupMenuImage->addAction(QString());
    PopupMenuImageHighlight->setCheckable(true);
    PopupMenuImageCopyMeasurement = PopupMenuImage->addAction(QString());
    for (QAction* action : {PopupMenuImageCopy, PopupMenuImageSettings}) {
        // The key table handles the keys; the menu only shows them.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
    }
    Image->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { PopupMenuImage->popup(Image->mapToGlobal(at)); });
}

void FormMain::CreateAngleLabels()
{
    for (int k = 0; k < 13; ++k) {
        auto* label = new QLabel(AngleText(30 * (k - 6)), this);
        label->adjustSize();
        AzimuthScaleLabels[k] = label;
    }
    for (int k = 0; k < 7; ++k) {
        auto* label = new QLabel(AngleText(-30 * (k - 3)), PanelTrackBarElevation);
        label->adjustSize();
        ElevationScaleLabels[k] = label;
    }
    angleLabelHeight_ = ElevationScaleLabels[3]->height();
}

void FormMain::ApplyStoredBounds()
{
    MainSettings& m = program_.Main;
    const DesktopLimits& desktop = program_.Desktop;
    m.Width = std::max(m.Width, MinimumWidth);
    m.Height = std::max(m.Height, MinimumHeight);
    m.Top = std::max(0, m.Top);
    m.Left = std::max(ReachableMargin - m.Width, m.Left);
    m.Left = std::min(desktop.WorkAreaWidth - ReachableMargin, m.Left);
    m.Top = std::min(desktop.WorkAreaHeight - ReachableMargin, m.Top);
    setMinimumSize(MinimumWidth, MinimumHeight);
    move(m.Left, m.Top);
    resize(m.Width, m.Height);
}

void FormMain::ShowAsStored()
{
    if (appMinimized_)
        showMinimized();
    else if (program_.Main.WindowState == 2)
        showMaximized();
    else
        show();
}

void FormMain::LayOut()
{
    const int clientWidth = width();
    const int clientHeight = height();
    const int azimuthHandle = HandleLength(TrackBarAzimuth);
    const int elevationHandle = HandleLength(TrackBarElevation);
    const int panelLeft = 54;
    const int panelTop = 2 + ButtonWidth + 3;
    const int panelWidth = std::max(10, clientWidth - 2 - panelLeft);
    // The handle's centre runs from 4 pixels inside one end of the drawing
    // panel to 4 pixels inside the other.
    const int sliderHeight = TrackBarAzimuth->sizeHint().height();
    TrackBarAzimuth->setGeometry(panelLeft + 4 - azimuthHandle / 2,
                                 clientHeight - angleLabelHeight_ - sliderHeight,
                                 panelWidth - 8 + azimuthHandle, sliderHeight);
    PlaceAzimuthScaleLabels();
    const int panelHeight = std::max(10, TrackBarAzimuth->y() - 1 - panelTop);
    PanelImage->setGeometry(panelLeft, panelTop, panelWidth, panelHeight);
    const int bevel = PanelImage->frameWidth();
    Image->setGeometry(bevel, bevel, std::max(1, panelWidth - 2 * bevel),
                       std::max(1, panelHeight - 2 * bevel));

    // The elevation panel reaches past the drawing panel's ends, so that the
    // slider's handle is not cut off at either end of its track.
    const int elevationWidth = TrackBarElevation->sizeHint().width();
    const int reach = elevationHandle;
    PanelTrackBarElevation->setGeometry(0, panelTop - reach, panelLeft - 2, panelHeight + 2 * reach);
    TrackBarElevation->setGeometry(panelLeft - 2 - elevationWidth, reach + 4 - elevationHandle / 2,
                                   elevationWidth, panelHeight - 8 + elevationHandle);
    PlaceElevationScaleLabels();
}

void FormMain::PlaceAzimuthScaleLabels()
{
    const int centre = TrackBarAzimuth->x() + TrackBarAzimuth->width() / 2;
    const int track = TrackBarAzimuth->width() - HandleLength(TrackBarAzimuth);
    const int top = height() - angleLabelHeight_;
    // In a narrow window every other label gives way, so that the rest can
    // still be read.
    int widest = 0;
    for (const QLabel* label : AzimuthScaleLabels)
        widest = std::max(widest, label->width());
    const bool crowded = track / 12 < widest + 2;
    for (int k = 0; k < 13; ++k) {
        QLabel* label = AzimuthScaleLabels[k];
        const int i = k - 6;
        const int left = std::min(i * track / 12 + centre - label->width() / 2,
                                  width() - label->width());
        label->move(left + (i == 0 ? 2 : 0), top);
        label->setVisible(!crowded || i % 2 == 0);
    }
}

void FormMain::PlaceElevationScaleLabels()
{
    const int centre = TrackBarElevation->y() + TrackBarElevation->height() / 2;
    const int track = TrackBarElevation->height() - HandleLength(TrackBarElevation);
    for (int k = 0; k < 7; ++k) {
        QLabel* label = ElevationScaleLabels[k];
        const int i = k - 3;
        label->move(TrackBarElevation->x() - label->width(),
                    i * track / 6 + centre - angleLabelHeight_ / 2);
    }
}

void FormMain::resizeEvent(QResizeEvent*)
{
    LayOut();
    PanelImageOnResize();
}

void FormMain::PanelImageOnResize()
{
    Image->FitImageToWidget();
    drawing_->ImageWidth = Image->DeviceWidth();
    drawing_->ImageHeight = Image->DeviceHeight();
    drawing_->RedrawStoredProjection();
}

void FormMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        if (isMinimized() && !wasMinimized) {
            stateBeforeMinimize_ = (change->oldState() & Qt::WindowMaximized) ? 2 : 0;
            if (program_.Activity != ActivityState::Creating)
                RememberNormalBounds();
            appMinimized_ = true;
        } else if (!isMinimized() && wasMinimized) {
            program_.Main.WindowState = stateBeforeMinimize_;
            appMinimized_ = false;
        }
    }
    QWidget::changeEvent(event);
}

void FormMain::TakeCommandLine()
{
    if (program_.Arguments.size() == 1) {
        program_.Main.QrvFile =
            QFileInfo(QString::fromStdString(program_.Arguments[0])).absoluteFilePath().toStdString();
        program_.RememberQrvFile = false;
    } else {
        program_.RememberQrvFile = true;
    }
}

void FormMain::SetFileCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void FormMain::closeEvent(QCloseEvent* event)
{
    if (!FormMainOnCloseQuery()) {
        event->ignore();
        return;
    }
    FormMainOnClose();
    event->accept();
}

bool FormMain::FormMainOnCloseQuery()
{
    if (!dataFile_)
        return true;
    if (dataTable_)
        dataTable_->FinishEdit();
    switch (dataFile_->QuerySaveChanges()) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Yes:
        dataFile_->DataSaved = false;
        SaveAs(PictureDestination::Clipboard);
        return dataFile_->DataSaved;
    }
    return false;
}

void FormMain::FormMainOnClose()
{
    program_.Activity = ActivityState::Closing;
    TimerRotateAzimuth->stop();
    if (program_.Arguments.empty())
        WriteSettingsOnClose();
    if (dataTable_)
        dataTable_->hide();
}

Canvas& FormMain::ImageCanvas()
{
    return Image->Canvas();
}

void FormMain::SetImagePanelColor(Color color)
{
    QPalette palette = PanelImage->palette();
    palette.setColor(QPalette::Window, QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    PanelImage->setPalette(palette);
}

void FormMain::SetScaleCaption(const std::string& caption)
{
    PanelScale->setText(QString::fromStdString(caption));
}

int FormMain::WindowFontHeight() const
{
    return static_cast<int>(std::lround(QFontInfo(font()).pixelSize() * devicePixelRatioF()));
}

std::unique_ptr<OffscreenBitmap> FormMain::CreateOffscreenBitmap()
{
    return std::make_unique<QtRasterCanvas>(1, 1, QtRasterCanvas::TextRendering::Exact);
}

}  // namespace quorvane
