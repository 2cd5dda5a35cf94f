#pragma once

#include "DrawingOverlay.h"
#include "DrawingPictures.h"
#include "LineHitTest.h"
#include "MainWindowSurface.h"
#include "ProgramState.h"
#include "Measurement.h"
#include "WireFrameDrawing.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QPrinter;
class QFrame;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QToolButton;

namespace quorvane {

class DataFile;
class FormDataTable;
class FormSettings;
class ImageView;
class KeyPreview;
class NormalPlace;
class PrinterSource;
class UpDownArrows;

// Where the picture operation puts its pictures: a file of the save
// dialog's type, or both on the clipboard.
enum class PictureDestination { File, Clipboard };

// The main window: toolbar, drawing area, the two angle sliders with their
// labels and the scale panel. It owns the drawing state and turns every view
// change into a drawing by the engine.
class FormMain : public QWidget, public MainWindowSurface {
public:
    // Runs the whole creation: reads the main settings, lays out the window,
    // sets angles, toggles and scale, takes the command-line file and applies
    // the captions.
    FormMain(ProgramState& program, PrinterSource& printers);
    ~FormMain() override;

    // The data file whose changes the close asks about.
    void SetDataFile(DataFile* dataFile) { dataFile_ = dataFile; }
    // The data table window, which does the main window's file commands for
    // data files.
    // Its selection is what the drawing highlights.
    void SetDataTable(FormDataTable* dataTable);
    // Shows the window as the settings left it (normal, maximised or minimised).
    void ShowAsStored();

    WireFrameDrawing& Drawing() { return *drawing_; }
    // What is drawn over the drawing in this window only. A part that
    // changed what it draws calls OverlayChanged.
    DrawingOverlay& Overlay() { return overlay_; }
    const OverlayLayer& OverlayShown() const { return overlayLayer_; }
    void OverlayChanged();
    // The drawn lines near image pixels, for the last drawing.
    const LineHitTest& HitTest();
    // The measurement shown, if any.
    const std::optional<Measurement>& ShownMeasurement() const { return measurement_; }
    // The measurement as the text Copy measurement puts on the clipboard.
    QString MeasurementText() const;
    void SetMainCaptions(Language language);
    void SetFileCaption(const QString& caption);

    // Scale list.
    void SnapScaleToList();
    void IncreaseScale();
    void DecreaseScale();
    void UpDownScaleOnClick();

    // The settings dialog, which the Settings button opens.
    void SetSettingsDialog(FormSettings* settings) { settings_ = settings; }
    void SpeedButtonSettingsOnClick();
    // Timer interval and step from the rotation settings.
    void ApplyRotationSettings();

    // The checks' findings or their toggle changed: the markers over the
    // drawing follow.
    void CheckMarkersChanged();

    // Rotation.
    void TimerRotateAzimuthOnTimer();
    double RotationStep() const { return rotationStep_; }

    // MainWindowSurface
    Canvas& ImageCanvas() override;
    void ImageChanged() override;
    void SetImagePanelColor(Color color) override;
    void SetScaleCaption(const std::string& caption) override;
    int WindowFontHeight() const override;
    std::unique_ptr<OffscreenBitmap> CreateOffscreenBitmap() override;

    // Controls, named by kind and role.
    QToolButton* SpeedButtonOpen;
    QToolButton* SpeedButtonSave;
    QToolButton* SpeedButtonSaveAs;
    QToolButton* SpeedButtonPrint;
    QToolButton* SpeedButtonCopy;
    QToolButton* SpeedButtonDataTable;
    QToolButton* SpeedButtonShowLineNumbers;
    QToolButton* SpeedButtonDrawingCentered;
    QToolButton* SpeedButtonProjection;
    QToolButton* SpeedButtonShowAnaglyph;
    QToolButton* SpeedButtonRotateAzimuth;
    QToolButton* SpeedButtonSettings;
    QToolButton* SpeedButtonMeasure;
    QToolButton* SpeedButtonHelp;
    // Undo and redo of the data table's changes.
    QToolButton* SpeedButtonUndo;
    QToolButton* SpeedButtonRedo;
    QLabel* PanelScale;
    UpDownArrows* UpDownScale;
    QFrame* PanelImage;
    ImageView* Image;
    QWidget* PanelTrackBarElevation;
    QSlider* TrackBarElevation;
    QSlider* TrackBarAzimuth;
    std::array<QLabel*, 13> AzimuthScaleLabels{};
    std::array<QLabel*, 7> ElevationScaleLabels{};
    QTimer* TimerRotateAzimuth;
    QMenu* PopupMenuImage;
    QAction* PopupMenuImageCopy;
    QAction* PopupMenuImageSettings;
    QAction* PopupMenuImageHighlight;
    QAction* PopupMenuImageCopyMeasurement;
    // The transforms dialog for the rows selected in the data table.
    QAction* PopupMenuImageTransform;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Creation and layout (FormMain.cpp).
    void ReadSettingsAtStart();
    void CreateControls();
    void CreateAngleLabels();
    void ApplyStoredBounds();
    void LayOut();
    void PlaceAzimuthScaleLabels();
    void PlaceElevationScaleLabels();
    void PanelImageOnResize();
    void TakeCommandLine();
    bool FormMainOnCloseQuery();
    void FormMainOnClose();
    void WriteSettingsOnClose();
    void RememberNormalBounds();

    // File commands (FormMainFileCommands.cpp).
    void ConnectFileCommands();
    void SpeedButtonOpenOnClick();
    void SpeedButtonSaveOnClick();
    void SpeedButtonSaveAsOnClick();
    // Save as with the picture going to `pictureDestination`: a file from
    // the Save as button, the clipboard from the close question.
    void SaveAs(PictureDestination pictureDestination);
    void SpeedButtonDataTableOnClick();

    // Pictures and printing (FormMainExport.cpp, FormMainPrint.cpp).
    void SpeedButtonCopyOnClick(PictureDestination destination);
    PictureScreen ExportScreen() const;
    void SpeedButtonPrintOnClick();
    void PrintPage(QPrinter& printer);

    // View controls (FormMainViewControls.cpp).
    void ConnectViewControls();
    void TrackBarOnChange(QSlider* slider);
    bool FormMainOnKeyDown(QKeyEvent* event);
    bool FormMainOnKeyPress(QKeyEvent* event);
    // `target` is the slider the wheel event is for, or null for the window.
    bool FormMainOnMouseWheel(QSlider* target, QWheelEvent* event);
    void ImageOnMouseDown(QMouseEvent* event, QPoint position);
    void ImageOnMouseMove(QMouseEvent* event, QPoint position);
    void ImageOnMouseUp(QMouseEvent* event, QPoint position);
    void SpeedButtonRotateAzimuthOnClick();
    void SpeedButtonShowLineNumbersOnClick();
    void SpeedButtonDrawingCenteredOnClick();
    void SpeedButtonProjectionOnClick();
    void SpeedButtonShowAnaglyphOnClick();
    void SpeedButtonHelpOnClick();
    // Markers of the checks' findings over the drawing (FormMainMarkers.cpp).
    void AddCheckMarkersPart();
    void ShowSliderHint(QSlider* slider, const QString& hint, QPoint offset);
    // Steps the scale keeping the drawing's pixel `anchor` (from the image's
    // middle, y up) in its place.
    void StepScale(bool increase, QPoint anchor);

    // Pointing at the drawing (FormMainPointing.cpp).
    void ConnectPointing();
    void SetPointingCaptions(Language language);
    QString LineHint(QPoint position);
    void PickLine(QPoint position, bool toggle);
    void MeasureAt(QPoint position);
    void SpeedButtonMeasureOnClick();
    void PopupMenuImageHighlightOnClick();
    void ClearMeasurement();
    void CopyMeasurement();
    void ResetPan();
    bool PointingKeyDown(QKeyEvent* event);
    void AddHighlightPart();
    void AddMeasurementPart();
    void Toggle(QToolButton* button, void (FormMain::*handler)());

    ProgramState& program_;
    PrinterSource& printers_;
    NormalPlace* normalPlace_ = nullptr;
    DataFile* dataFile_ = nullptr;
    FormDataTable* dataTable_ = nullptr;
    FormSettings* settings_ = nullptr;
    // The save dialog's file type (1 data file, 2 bitmap, 3 metafile, 4 SVG,
    // 5 PDF) and
    // the name last chosen in it; kept for the whole run.
    int saveDialogType_ = 1;
    QString saveDialogFileName_;
    // The picture file last written or to be written (ExportFileName).
    QString exportFileName_;
    std::unique_ptr<WireFrameDrawing> drawing_;
    int scaleIndex_ = 0;
    int angleLabelHeight_ = 0;
    bool appMinimized_ = false;
    std::uint8_t stateBeforeMinimize_ = 0;
    bool rotating_ = false;
    bool timerStepping_ = false;
    double rotationStep_ = 0.4;
    int lastX_ = 0, lastY_ = 0;
    bool invertDrag_ = false;
    bool dragging_ = false;
    // A press of the left button that may still be a click: no turn yet and
    // the mouse near where it went down.
    bool clickPending_ = false;
    bool clickToggles_ = false;
    QPoint pressPosition_;
    bool panning_ = false;
    QPoint panFrom_;
    DrawingOverlay overlay_;
    OverlayLayer overlayLayer_;
    LineHitTest hitTest_;
    std::optional<MeasuredPoint> measureStart_;
    std::optional<Measurement> measurement_;
    QCursor handFlat_, handGrab_;
    std::unique_ptr<KeyPreview> keyPreview_;
};

}  // namespace quorvane
