#include "FormMain.h"

#include "FormDataTable.h"
#include "FormSettings.h"
#include "ImageView.h"
#include "KeyPreview.h"
#include "PrinterSource.h"
#include "Projection.h"
#include "Scale.h"
#include "ScaleList.h"
#include "SvgPictures.h"
#include "ToolkitLanguage.h"
#include "UnitLanguage.h"
#include "UnitPrinter.h"
#include "UpDownArrows.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr Qt::KeyboardModifiers ModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Pixels a click may move the mouse and still be a click, not a drag.
constexpr int ClickSlop = 3;

// Nearest whole number, halves to the even one.
int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

void FormMain::ConnectViewControls()
{
    connect(TrackBarAzimuth, &QSlider::valueChanged, this,
            [this] { TrackBarOnChange(TrackBarAzimuth); });
    connect(TrackBarElevation, &QSlider::valueChanged, this,
            [this] { TrackBarOnChange(TrackBarElevation); });
    connect(SpeedButtonRotateAzimuth, &QToolButton::clicked, this,
            [this] { SpeedButtonRotateAzimuthOnClick(); });
    connect(SpeedButtonShowLineNumbers, &QToolButton::clicked, this,
            [this] { SpeedButtonShowLineNumbersOnClick(); });
    connect(SpeedButtonDrawingCentered, &QToolButton::clicked, this,
            [this] { SpeedButtonDrawingCenteredOnClick(); });
    connect(SpeedButtonProjection, &QToolButton::clicked, this,
            [this] { SpeedButtonProjectionOnClick(); });
    connect(SpeedButtonShowAnaglyph, &QToolButton::clicked, this,
            [this] { SpeedButtonShowAnaglyphOnClick(); });
    connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpOnClick(); });
    connect(SpeedButtonSettings, &QToolButton::clicked, this, [this] { SpeedButtonSettingsOnClick(); });
    connect(PopupMenuImageSettings, &QAction::triggered, this, [this] { SpeedButtonSettingsOnClick(); });
    // The data table does the editing; these only ask it.
    connect(SpeedButtonUndo, &QToolButton::clicked, this, [this] {
        if (dataTable_)
            dataTable_->SpeedButtonUndoOnClick();
    });
    connect(SpeedButtonRedo, &QToolButton::clicked, this, [this] {
        if (dataTable_)
            dataTable_->SpeedButtonRedoOnClick();
    });
    connect(PopupMenuImageTransform, &QAction::triggered, this, [this] {
        if (dataTable_)
            dataTable_->SpeedButtonTransformOnClick();
    });
    connect(TimerRotateAzimuth, &QTimer::timeout, this, [this] { TimerRotateAzimuthOnTimer(); });
    UpDownScale->Clicked = [this] { UpDownScaleOnClick(); };
    Image->MousePressed = [this](QMouseEvent* e, QPoint p) { ImageOnMouseDown(e, p); };
    Image->MouseMoved = [this](QMouseEvent* e, QPoint p) { ImageOnMouseMove(e, p); };
    Image->MouseReleased = [this](QMouseEvent* e, QPoint p) { ImageOnMouseUp(e, p); };
    // The window sees keys before the control that has the focus, and the
    // wheel before the sliders.
    keyPreview_ = std::make_unique<KeyPreview>(
        *this, [this](QKeyEvent* key) { return FormMainOnKeyDown(key) || FormMainOnKeyPress(key); });
    TrackBarAzimuth->installEventFilter(this);
    TrackBarElevation->installEventFilter(this);
}

void FormMain::ShowSliderHint(QSlider* slider, const QString& hint, QPoint offset)
{
    slider->setToolTip(hint);
    // The hint follows the angle while the mouse rests on the slider.
    const QPoint mouse = QCursor::pos();
    if (slider->isVisible() && slider->rect().contains(slider->mapFromGlobal(mouse)))
        QToolTip::showText(mouse + offset, hint, slider);
}

void FormMain::TrackBarOnChange(QSlider* slider)
{
    const Language language = program_.Main.CurrentLanguage;
    if (slider == TrackBarAzimuth) {
        const int position = TrackBarAzimuth->value();
        if (!timerStepping_)
            SetAzimuth(program_.View, position);
        ShowSliderHint(TrackBarAzimuth,
                       Text(MainTexts::AzimuthHint, language).arg(position), QPoint(10, 0));
        if (timerStepping_)
            return;  // the tick draws once itself
    } else {
        const int elevation = -TrackBarElevation->value();
        SetElevation(program_.View, elevation);
        ShowSliderHint(TrackBarElevation,
                       Text(MainTexts::ElevationHint, language).arg(elevation), QPoint(0, 2));
    }
    BuildViewMatrices(program_.View);
    drawing_->DrawWireFrame();
}

void FormMain::Toggle(QToolButton* button, void (FormMain::*handler)())
{
    button->setChecked(!button->isChecked());
    (this->*handler)();
}

bool FormMain::eventFilter(QObject* watched, QEvent* event)
{
    // A right press on the pressed data table button brings that window to
    // the front.
    if (watched == SpeedButtonDataTable && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton && press->buttons() == Qt::RightButton &&
            SpeedButtonDataTable->isChecked() && dataTable_) {
            dataTable_->raise();
            dataTable_->activateWindow();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Wheel &&
        (watched == TrackBarAzimuth || watched == TrackBarElevation))
        return FormMainOnMouseWheel(static_cast<QSlider*>(watched),
                                    static_cast<QWheelEvent*>(event));
    return false;
}

void FormMain::wheelEvent(QWheelEvent* event)
{
    if (!FormMainOnMouseWheel(nullptr, event))
        QWidget::wheelEvent(event);
}

bool FormMain::FormMainOnKeyDown(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ModifierKeys;
    const bool none = modifiers == Qt::NoModifier;
    const bool ctrlOrNone = none || modifiers == Qt::ControlModifier;
    const bool alt = modifiers == Qt::AltModifier;
    const int key = event->key();

    if (PointingKeyDown(event))
        return true;
    if (key == Qt::Key_F1 && none) {
        SpeedButtonHelpOnClick();
        return true;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) &&
        (none || modifiers == Qt::ShiftModifier)) {
        QSlider* slider = TrackBarAzimuth;
        const int position = slider->value();
        if (slider->hasFocus()) {
            // -180 and 180 are the same direction: wrapping skips the other end.
            if (key == Qt::Key_Left && position == slider->minimum()) {
                slider->setValue(slider->maximum() - 1);
                return true;
            }
            if (key == Qt::Key_Right && position == slider->maximum()) {
                slider->setValue(slider->minimum() + 1);
                return true;
            }
            return false;
        }
        slider->setFocus();
        if (key == Qt::Key_Left)
            slider->setValue(position == slider->minimum() ? slider->maximum() - 1 : position - 1);
        else
            slider->setValue(position == slider->maximum() ? slider->minimum() + 1 : position + 1);
        return true;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && (none || modifiers == Qt::ShiftModifier)) {
        QSlider* slider = TrackBarElevation;
        if (slider->hasFocus())
            return false;
        slider->setFocus();
        const int position = slider->value();
        if (key == Qt::Key_Up && position > slider->minimum())
            slider->setValue(position - 1);
        if (key == Qt::Key_Down && position < slider->maximum())
            slider->setValue(position + 1);
        return true;
    }

    // Letter keys act with Ctrl or with no modifier and are not consumed.
    if (key == Qt::Key_C && modifiers == Qt::ControlModifier)
        SpeedButtonCopyOnClick(PictureDestination::Clipboard);
    if (ctrlOrNone) {
        switch (key) {
        case Qt::Key_O:
            SpeedButtonOpenOnClick();
            break;
        case Qt::Key_S:
            SpeedButtonSaveOnClick();
            break;
        case Qt::Key_U:
            SpeedButtonSaveAsOnClick();
            break;
        case Qt::Key_P:
            if (program_.PrinterAvailable)
                SpeedButtonPrintOnClick();
            break;
        case Qt::Key_T:
            Toggle(SpeedButtonDataTable, &FormMain::SpeedButtonDataTableOnClick);
            break;
        case Qt::Key_Z:
            Toggle(SpeedButtonDrawingCentered, &FormMain::SpeedButtonDrawingCenteredOnClick);
            break;
        case Qt::Key_R:
            Toggle(SpeedButtonRotateAzimuth, &FormMain::SpeedButtonRotateAzimuthOnClick);
            break;
        case Qt::Key_E:
            SpeedButtonSettingsOnClick();
            break;
        default:
            break;
        }
    } else if (alt) {
        switch (key) {
        case Qt::Key_A:
            Toggle(SpeedButtonShowAnaglyph, &FormMain::SpeedButtonShowAnaglyphOnClick);
            break;
        case Qt::Key_N:
            Toggle(SpeedButtonShowLineNumbers, &FormMain::SpeedButtonShowLineNumbersOnClick);
            break;
        case Qt::Key_P:
            Toggle(SpeedButtonProjection, &FormMain::SpeedButtonProjectionOnClick);
            break;
        default:
            break;
        }
    }
    return false;
}

bool FormMain::FormMainOnKeyPress(QKeyEvent* event)
{
    if (event->text() == QStringLiteral("+")) {
        IncreaseScale();
        return true;
    }
    if (event->text() == QStringLiteral("-")) {
        DecreaseScale();
        return true;
    }
    return false;
}

bool FormMain::FormMainOnMouseWheel(QSlider* target, QWheelEvent* event)
{
    if ((event->modifiers() & ModifierKeys) == Qt::ControlModifier) {
        // The scale steps about the mouse when it is on the drawing.
        const QPoint mouse = Image->mapFromGlobal(event->globalPosition().toPoint());
        QPoint anchor;
        if (Image->rect().contains(mouse))
            anchor = QPoint(static_cast<int>(std::floor(mouse.x() * Image->Ratio())) -
                                drawing_->ImageWidth / 2,
                            drawing_->ImageHeight / 2 -
                                static_cast<int>(std::floor(mouse.y() * Image->Ratio())));
        StepScale(event->angleDelta().y() >= 0, anchor);
        event->accept();
        return true;
    }
    // Otherwise the wheel turns the slider that has the focus, wherever the
    // mouse is.
    auto* focused = qobject_cast<QSlider*>(QApplication::focusWidget());
    if (focused != TrackBarAzimuth && focused != TrackBarElevation)
        return false;
    if (focused == target)
        return false;  // the slider takes it itself
    QWheelEvent forwarded(event->position(), event->globalPosition(), event->pixelDelta(),
                          event->angleDelta(), event->buttons(), event->modifiers(),
                          event->phase(), event->inverted());
    QApplication::sendEvent(focused, &forwarded);
    event->accept();
    return true;
}

void FormMain::ImageOnMouseDown(QMouseEvent* event, QPoint position)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ModifierKeys;
    const bool leftAlone = event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton;
    // The middle button, or Shift with the left, moves the drawing.
    if ((event->button() == Qt::MiddleButton && event->buttons() == Qt::MiddleButton &&
         modifiers == Qt::NoModifier) ||
        (leftAlone && modifiers == Qt::ShiftModifier)) {
        panning_ = true;
        panFrom_ = position;
        Image->setCursor(handGrab_);
        return;
    }
    if (!leftAlone || (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier))
        return;
    // Until the mouse moves or the model turns, the press may be a click.
    clickPending_ = true;
    clickToggles_ = modifiers == Qt::ControlModifier;
    pressPosition_ = position;
    if (modifiers != Qt::NoModifier)
        return;
    lastX_ = position.x();
    lastY_ = position.y();
    const int halfHeight = drawing_->ImageHeight / 2;
    const double elevation = program_.View.ElevationRad;
    // Seen from above, the lower half of the drawing is the near side: moving
    // it right turns the model the other way than moving the far side.
    invertDrag_ = (position.y() > halfHeight && elevation > 0) ||
                  (position.y() < halfHeight && elevation < 0);
    dragging_ = true;
    Image->setCursor(handGrab_);
}

void FormMain::ImageOnMouseMove(QMouseEvent* event, QPoint position)
{
    if (panning_) {
        if (program_.Activity != ActivityState::Idle)
            return;
        const QPoint step = position - panFrom_;
        panFrom_ = position;
        // Projected coordinates grow upwards.
        drawing_->PanBy(step.x(), -step.y());
        return;
    }
    const QPoint moved = position - pressPosition_;
    if (std::max(std::abs(moved.x()), std::abs(moved.y())) > ClickSlop)
        clickPending_ = false;
    if (!dragging_ || program_.Activity != ActivityState::Idle ||
        event->buttons() != Qt::LeftButton)
        return;
    const int width = std::max(1, drawing_->ImageWidth);
    const int height = std::max(1, drawing_->ImageHeight);
    const int range = TrackBarAzimuth->maximum() - TrackBarAzimuth->minimum();

    const int dx = invertDrag_ ? lastX_ - position.x() : position.x() - lastX_;
    int azimuth = TrackBarAzimuth->value() + 2 * range * dx / width;
    if (azimuth > TrackBarAzimuth->maximum())
        azimuth -= range;
    if (azimuth < TrackBarAzimuth->minimum())
        azimuth += range;
    if (azimuth != TrackBarAzimuth->value()) {
        TrackBarAzimuth->setValue(azimuth);
        lastX_ = position.x();
        clickPending_ = false;
    }

    const int dy = invertDrag_ ? lastY_ - position.y() : position.y() - lastY_;
    const int elevation = std::clamp(TrackBarElevation->value() + 2 * 180 * dy / height,
                                     TrackBarElevation->minimum(), TrackBarElevation->maximum());
    if (elevation != TrackBarElevation->value()) {
        TrackBarElevation->setValue(elevation);
        lastY_ = position.y();
        clickPending_ = false;
    }
}

void FormMain::ImageOnMouseUp(QMouseEvent* event, QPoint position)
{
    if (event->buttons() != Qt::NoButton)
        return;
    const QCursor resting =
        SpeedButtonMeasure->isChecked() ? QCursor(Qt::CrossCursor) : handFlat_;
    if (panning_) {
        panning_ = false;
        Image->setCursor(resting);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    Image->setCursor(resting);
    if (!clickPending_)
        return;
    // A click: it measures in the measure mode and picks a line otherwise.
    clickPending_ = false;
    if (program_.Activity != ActivityState::Idle)
        return;
    if (SpeedButtonMeasure->isChecked())
        MeasureAt(position);
    else
        PickLine(position, clickToggles_);
}

void FormMain::SpeedButtonRotateAzimuthOnClick()
{
    rotating_ = SpeedButtonRotateAzimuth->isChecked();
    if (rotating_) {
        // Rotation starts from the whole degree the slider shows.
        SetAzimuth(program_.View, TrackBarAzimuth->value());
        TimerRotateAzimuth->start();
    } else {
        TimerRotateAzimuth->stop();
    }
}

void FormMain::ApplyRotationSettings()
{
    TimerRotateAzimuth->setInterval(program_.Main.RotateAzimuthTimeInterval);
    rotationStep_ =
        program_.Main.RotateAzimuthTimeInterval * program_.Main.AzimuthAngularVelocity * 0.001;
}

void FormMain::TimerRotateAzimuthOnTimer()
{
    timerStepping_ = true;
    double azimuth = program_.View.Azimuth + rotationStep_;
    if (azimuth > 180.0)
        azimuth -= 360.0;
    SetAzimuth(program_.View, azimuth);
    TrackBarAzimuth->setValue(RoundHalfEven(azimuth));
    BuildViewMatrices(program_.View);
    drawing_->DrawWireFrame();
    if (settings_ && settings_->PrinterPageShown())
        settings_->DrawPagePreview();
    timerStepping_ = false;
}

void FormMain::SpeedButtonSettingsOnClick()
{
    if (!settings_)
        return;
    if (settings_->EditSettings()) {
        if (program_.PrinterAvailable)
            program_.Page = PageGeometry(printers_.Printer(), program_.Main.PrinterOrientation);
        SetMainCaptions(program_.Main.CurrentLanguage);
        if (dataTable_)
            dataTable_->SetDataTableCaptions(program_.Main.CurrentLanguage);
        ApplyRotationSettings();
        drawing_->SetupAnaglyphColors();
        drawing_->DrawWireFrame();
    }
    activateWindow();
}

void FormMain::SpeedButtonShowLineNumbersOnClick()
{
    program_.View.ShowLineNumbers = SpeedButtonShowLineNumbers->isChecked();
    drawing_->RedrawStoredProjection();
}

void FormMain::SpeedButtonDrawingCenteredOnClick()
{
    program_.View.DrawingCentered = SpeedButtonDrawingCentered->isChecked();
    // Centring, on or off, also brings a moved drawing back.
    program_.View.PanX = 0;
    program_.View.PanY = 0;
    drawing_->DrawWireFrame();
}

void FormMain::SpeedButtonProjectionOnClick()
{
    program_.View.VanishingPointProjection = SpeedButtonProjection->isChecked();
    drawing_->DrawWireFrame();
}

void FormMain::SpeedButtonShowAnaglyphOnClick()
{
    program_.View.ShowAnaglyph = SpeedButtonShowAnaglyph->isChecked();
    SetImagePanelColor(program_.View.ShowAnaglyph ? program_.View.AnaglyphBackgroundColor
                                                  : program_.View.BackgroundColor);
    drawing_->DrawWireFrame();
}

void FormMain::SpeedButtonHelpOnClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(program_.HelpFile)));
    QApplication::restoreOverrideCursor();
}

void FormMain::SnapScaleToList()
{
    program_.View.ScaleDenominator =
        quorvane::SnapScaleToList(program_.Main.ScaleList, scaleIndex_, program_.View.ScaleDenominator);
    UpDownScale->SetMaximum(static_cast<int>(program_.Main.ScaleList.size()) - 1);
    UpDownScale->SetPosition(scaleIndex_);
    drawing_->ApplyScale();
}

void FormMain::IncreaseScale()
{
    StepScale(true, QPoint());
}

void FormMain::DecreaseScale()
{
    StepScale(false, QPoint());
}

void FormMain::UpDownScaleOnClick()
{
    scaleIndex_ = UpDownScale->Position();
    if (!program_.Main.ScaleList.empty()) {
        // About the middle of the window, as the keys step it.
        ScalePanAbout(program_.View, program_.View.ScaleDenominator,
                      program_.Main.ScaleList[scaleIndex_], 0, 0);
        program_.View.ScaleDenominator = program_.Main.ScaleList[scaleIndex_];
    }
    drawing_->ApplyScale();
}

void FormMain::SetMainCaptions(Language language)
{
    using namespace MainTexts;
    program_.HelpFile =
        HelpFileName(QString::fromStdString(program_.ResourcePath), language).toStdString();
    // The toolkit's dialogs, opened from any window, follow the language of
    // the program, which this routine sets at start and after the settings.
    UseToolkitLanguage(language);
    PopupMenuImageCopy->setText(Text(PopupCopy, language));
    PopupMenuImageSettings->setText(Text(PopupSettings, language));
    PopupMenuImageTransform->setText(Text(PopupTransform, language));
    SpeedButtonOpen->setToolTip(Text(OpenHint, language));
    SpeedButtonSave->setToolTip(Text(SaveHint, language));
    SpeedButtonSaveAs->setToolTip(Text(SaveAsHint, language));
    SpeedButtonPrint->setToolTip(Text(PrintHint, language));
    SpeedButtonCopy->setToolTip(Text(CopyHint, language));
    SpeedButtonDataTable->setToolTip(Text(DataTableHint, language));
    SpeedButtonShowLineNumbers->setToolTip(Text(ShowLineNumbersHint, language));
    SpeedButtonDrawingCentered->setToolTip(Text(DrawingCenteredHint, language));
    SpeedButtonProjection->setToolTip(Text(ProjectionHint, language));
    SpeedButtonShowAnaglyph->setToolTip(Text(ShowAnaglyphHint, language));
    SpeedButtonRotateAzimuth->setToolTip(Text(RotateAzimuthHint, language));
    SpeedButtonSettings->setToolTip(Text(SettingsHint, language));
    SpeedButtonHelp->setToolTip(Text(HelpHint, language));
    SpeedButtonUndo->setToolTip(Text(UndoHint, language));
    SpeedButtonRedo->setToolTip(Text(RedoHint, language));
    SetPointingCaptions(language);
    PanelScale->setToolTip(Text(PanelScaleHint, language));
    UpDownScale->SetHint(Text(UpDownScaleHint, language));
    TrackBarAzimuth->setToolTip(Text(AzimuthHint, language).arg(TrackBarAzimuth->value()));
    TrackBarElevation->setToolTip(Text(ElevationHint, language).arg(-TrackBarElevation->value()));
}

}  // namespace quorvane
