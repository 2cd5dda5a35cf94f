#pragma once

#include "Canvas.h"
#include "Language.h"
#include "ProgramState.h"

#include <QDialog>
#include <QPoint>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quorvane {

class ColorSample;
class FormDataTable;
class FormMain;
class PrinterSource;

// The modal settings dialog. It is created once at start-up, after the two
// other windows, loads the program's settings into its controls each time it
// opens and stores them back, after checking them, on Apply or OK.
class FormSettings : public QDialog {
public:
    FormSettings(ProgramState& program, PrinterSource& printers, FormMain& main,
                 FormDataTable& dataTable);
    // Writes the dialog's own state: position, tab and custom colours.
    ~FormSettings() override;

    // Shows the dialog; true when it ended with OK and its values were
    // stored without a failed check.
    bool EditSettings();
    bool ApplySettingsDialog();
    void SetSettingsCaptions(Language language);

    // The preview turns with the model while the printer page is shown.
    bool PrinterPageShown() const;
    void DrawPagePreview();

    enum { TabGeneral, TabColors, TabScales, TabPrinter };

    QTabWidget* PageControlSettings;
    QPushButton* ButtonCancel;
    QPushButton* ButtonApply;
    QPushButton* ButtonOk;
    // General.
    QLabel* LabelLanguage;
    QComboBox* ComboBoxLanguage;
    QLabel* LabelDataSeparatorChar;
    QComboBox* ComboBoxDataSeparatorChar;
    QLabel* LabelScreenFontName;
    QComboBox* ComboBoxScreenFontName;
    QLabel* LabelScreenWidth;
    QSpinBox* SpinEditScreenWidth;
    QLabel* LabelViewerDistance;
    QSpinBox* SpinEditViewerDistance;
    QLabel* LabelClipboardBugFixScalingFactor;
    QSpinBox* SpinEditClipboardBugFixScalingFactor;
    QLabel* LabelAzimuthAngularVelocity;
    QSpinBox* SpinEditAzimuthAngularVelocity;
    QLabel* LabelRotateAzimuthTimeInterval;
    QSpinBox* SpinEditRotateAzimuthTimeInterval;
    QCheckBox* CheckBoxAutoReadQrvFile;
    QCheckBox* CheckBoxSaveSettings;
    // Colors.
    QGroupBox* GroupBoxColorsMono;
    QGroupBox* GroupBoxColorsStereo;
    std::array<QLabel*, 7> ColorLabels{};
    ColorSample* ShapeBackgroundColor;
    ColorSample* ShapeLineColor;
    ColorSample* ShapeTextColor;
    ColorSample* ShapeAnaglyphBackgroundColor;
    ColorSample* ShapeAnaglyphColorLeft;
    ColorSample* ShapeAnaglyphColorRight;
    ColorSample* ShapeHighlightColor;
    QGroupBox* GroupBoxColorsChecks;
    QLabel* LabelWarningColor;
    ColorSample* ShapeWarningColor;
    // Scales.
    QPlainTextEdit* MemoScales;
    QLabel* LabelScales;
    QPushButton* ButtonRestoreDefaultScales;
    // Printer.
    QWidget* TabSheetPrinter;
    QGroupBox* RadioGroupPageOrientation;
    std::array<QRadioButton*, 2> PageOrientationItems{};
    QGroupBox* GroupBoxPageMargins;
    QSpinBox* SpinEditMarginTop;
    QSpinBox* SpinEditMarginLeft;
    QSpinBox* SpinEditMarginRight;
    QSpinBox* SpinEditMarginBottom;
    QLabel* LabelMarginTop;
    QLabel* LabelMarginLeft;
    QLabel* LabelMarginRight;
    QLabel* LabelMarginBottom;
    QPushButton* ButtonPrinterConfiguration;
    QLabel* LabelPrinterFontName;
    QComboBox* ComboBoxPrinterFontName;
    QLabel* LabelPrinterFontSize;
    QComboBox* ComboBoxPrinterFontSize;
    std::array<QLabel*, 2> PreviewImages{};  // ImagePreviewPortrait, ImagePreviewLandscape

    // The separator the user typed in this run ('?' for none).
    char CustomSeparator = '?';

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Every way the dialog ends (buttons, Escape, the close box) passes here.
    void done(int result) override;

private:
    // Creation (FormSettings.cpp).
    QWidget* CreateGeneralTab();
    QWidget* CreateColorsTab();
    QWidget* CreateScalesTab();
    QWidget* CreatePrinterTab();  // FormSettingsPrinter.cpp
    QSpinBox* MakeNumberField(QWidget* parent, int minimum, int maximum);
    static QStringList SortedFontFamilies();
    void ShapeColorOnMouseUp(ColorSample& sample);
    void ButtonOkOnClick(QPushButton* sender);
    void LoadCustomColors();
    void StoreCustomColors();
    // Loading and applying (FormSettingsApply.cpp).
    void LoadControls();
    // The separator the controls name, or none after its message.
    struct Separator {
        char Value;
        bool Typed;  // not one of the list's items
    };
    std::optional<Separator> ChosenSeparator();
    void StoreSeparator(const Separator& separator);
    // Printer page (FormSettingsPrinter.cpp).
    void LoadPrinterTab();
    bool ApplyPrinterTab();
    void RadioGroupPageOrientationOnClick();
    void SpinEditMarginOnChange(QSpinBox* field);
    void ButtonPrinterConfigurationOnClick();
    void UpdatePagePreview();
    void DrawPagePreview(int width, int height, Canvas& canvas);
    void ShowMargins();
    void ShowError(const LanguageText& text, Language language);
    // Brings the dialog's frame to where the user left it.
    void PlaceOnScreen();

    ProgramState& program_;
    PrinterSource& printers_;
    FormMain& main_;
    FormDataTable& dataTable_;
    SettingsDialogState state_;
    // The frame's top-left corner where the dialog shows next, and whether
    // its frame has been measured on the screen in this run.
    QPoint framePlace_;
    bool frameKnown_ = false;
    bool dialogLoading_ = false;
    int settingsDialogResult_ = 2;  // 1 OK, 2 Cancel
    std::uint8_t dialogOrientation_ = 1;
    // The margins as edited, by orientation.
    std::array<int, 2> dialogMarginLeft_{}, dialogMarginRight_{}, dialogMarginTop_{},
        dialogMarginBottom_{};
};

}  // namespace quorvane
