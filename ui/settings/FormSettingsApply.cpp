#include "FormSettings.h"

#include "ColorSample.h"
#include "FormDataTable.h"
#include "FormMain.h"
#include "Projection.h"
#include "ScaleList.h"
#include "SettingsTexts.h"
#include "UnitLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <optional>

namespace quorvane {

namespace {

using namespace SettingsTexts;

constexpr char SeparatorTable[4] = {',', ';', '\t', ' '};

// A field's number as typed: text that is no number counts as the lower
// limit, and a number beyond the limits, taken by Enter before the field
// corrected it, is brought within them, so that no value outside them (a
// screen width of 0) reaches the program.
int FieldValue(const QSpinBox* field)
{
    bool isNumber = false;
    const int typed = field->cleanText().trimmed().toInt(&isNumber);
    return isNumber ? std::clamp(typed, field->minimum(), field->maximum()) : field->minimum();
}

}  // namespace

bool FormSettings::EditSettings()
{
    main_.SpeedButtonSettings->setChecked(true);
    dialogLoading_ = true;
    LoadControls();
    SetSettingsCaptions(program_.Main.CurrentLanguage);
    dialogLoading_ = false;
    PlaceOnScreen();
    exec();
    const bool result = settingsDialogResult_ == 1 && ApplySettingsDialog();
    main_.SpeedButtonSettings->setChecked(false);
    return result;
}

void FormSettings::LoadControls()
{
    const MainSettings& m = program_.Main;
    const ViewParameters& v = program_.View;
    ComboBoxLanguage->setCurrentIndex(static_cast<int>(m.CurrentLanguage) - 1);
    const char separator = program_.DataFileValues.DataSeparator;
    const auto* known = std::find(std::begin(SeparatorTable), std::end(SeparatorTable), separator);
    if (known != std::end(SeparatorTable)) {
        ComboBoxDataSeparatorChar->setCurrentIndex(static_cast<int>(known - SeparatorTable));
    } else {
        ComboBoxDataSeparatorChar->setCurrentIndex(-1);
        ComboBoxDataSeparatorChar->setEditText(QString(QLatin1Char(separator)));
    }
    ComboBoxScreenFontName->setEditText(QString::fromStdString(v.ScreenFontName));
    SpinEditScreenWidth->setValue(RoundToPixel(v.ScreenWidth * 1000));
    SpinEditViewerDistance->setValue(RoundToPixel(v.ViewerScreenDistance * 100));
    SpinEditClipboardBugFixScalingFactor->setValue(RoundToPixel(m.ClipboardBugfixScalingFactor * 100));
    SpinEditAzimuthAngularVelocity->setValue(RoundToPixel(m.AzimuthAngularVelocity));
    SpinEditRotateAzimuthTimeInterval->setValue(m.RotateAzimuthTimeInterval);
    CheckBoxAutoReadQrvFile->setChecked(m.AutoReadQrvFile);
    CheckBoxSaveSettings->setChecked(m.SaveSettings);
    ShapeBackgroundColor->SetValue(v.BackgroundColor);
    ShapeLineColor->SetValue(v.LineColor);
    ShapeTextColor->SetValue(v.TextColor);
    ShapeAnaglyphBackgroundColor->SetValue(v.AnaglyphBackgroundColor);
    ShapeAnaglyphColorLeft->SetValue(v.AnaglyphColorLeft);
    ShapeAnaglyphColorRight->SetValue(v.AnaglyphColorRight);
    ShapeHighlightColor->SetValue(v.HighlightColor);
    ShapeWarningColor->SetValue(v.WarningColor);
    QStringList scales;
    for (std::size_t i = 1; i < m.ScaleList.size(); ++i)
        scales << QString::number(m.ScaleList[i]);
    MemoScales->setPlainText(scales.join(QLatin1Char('\n')));
    LoadPrinterTab();
}

std::optional<FormSettings::Separator> FormSettings::ChosenSeparator()
{
    const int index = ComboBoxDataSeparatorChar->currentIndex();
    const QString text = ComboBoxDataSeparatorChar->currentText();
    if (index >= 0 && text == ComboBoxDataSeparatorChar->itemText(index))
        return Separator{SeparatorTable[index], false};
    const QString typed = text.trimmed();
    // The separator must stand as one byte in data and settings files.
    if (typed.size() == 1 && typed[0].unicode() <= 0xFF)
        return Separator{static_cast<char>(typed[0].unicode()), true};
    ShowError(BadSeparator, program_.Main.CurrentLanguage);
    if (isVisible()) {
        ComboBoxDataSeparatorChar->setFocus();
        ComboBoxDataSeparatorChar->lineEdit()->selectAll();
    }
    return std::nullopt;
}

void FormSettings::StoreSeparator(const Separator& separator)
{
    program_.DataFileValues.DataSeparator = separator.Value;
    if (!separator.Typed)
        return;
    CustomSeparator = separator.Value;
    program_.DataFileValues.SeparatorSet = StandardSeparatorSet();
    if (CustomSeparator != '?')
        program_.DataFileValues.SeparatorSet.set(static_cast<unsigned char>(CustomSeparator));
}

bool FormSettings::ApplySettingsDialog()
{
    MainSettings& m = program_.Main;
    ViewParameters& v = program_.View;
    bool ok = true;
    const std::optional<Separator> separator = ChosenSeparator();
    if (!separator)
        return false;
    // A scale that does not fit is refused before anything is stored.
    const ScaleLines scales =
        CleanScaleLines([this] {
            std::vector<std::string> lines;
            for (const QString& line : MemoScales->toPlainText().split(QLatin1Char('\n')))
                lines.push_back(line.toStdString());
            return lines;
        }());
    if (scales.TooLargeLine >= 0) {
        QMessageBox::critical(this, windowTitle(),
                              Text(ScaleTooLarge, m.CurrentLanguage)
                                  .arg(QString::fromStdString(scales.Lines[scales.TooLargeLine])));
        if (isVisible()) {
            PageControlSettings->setCurrentIndex(TabScales);
            MemoScales->setFocus();
        }
        return false;
    }
    StoreSeparator(*separator);

    v.ScreenFontName = ComboBoxScreenFontName->currentText().toStdString();
    if (ComboBoxScreenFontName->currentText().trimmed().isEmpty()) {
        v.ScreenFontName = "Arial";
        ComboBoxScreenFontName->setEditText(QStringLiteral("Arial"));
        ShowError(BadScreenFont, m.CurrentLanguage);
        ok = false;
    }
    v.ScreenWidth = FieldValue(SpinEditScreenWidth) * 0.001;
    v.ViewerScreenDistance = FieldValue(SpinEditViewerDistance) * 0.01;
    m.ClipboardBugfixScalingFactor = FieldValue(SpinEditClipboardBugFixScalingFactor) * 0.01;
    m.AzimuthAngularVelocity = FieldValue(SpinEditAzimuthAngularVelocity);
    m.RotateAzimuthTimeInterval = FieldValue(SpinEditRotateAzimuthTimeInterval);
    m.AutoReadQrvFile = CheckBoxAutoReadQrvFile->isChecked();
    m.SaveSettings = CheckBoxSaveSettings->isChecked();

    v.BackgroundColor = ShapeBackgroundColor->Value();
    v.LineColor = ShapeLineColor->Value();
    v.TextColor = ShapeTextColor->Value();
    v.AnaglyphBackgroundColor = ShapeAnaglyphBackgroundColor->Value();
    v.AnaglyphColorLeft = ShapeAnaglyphColorLeft->Value();
    v.AnaglyphColorRight = ShapeAnaglyphColorRight->Value();
    v.HighlightColor = ShapeHighlightColor->Value();
    v.WarningColor = ShapeWarningColor->Value();
    main_.Drawing().SetupAnaglyphColors();

    m.CurrentLanguage = static_cast<Language>(std::clamp(ComboBoxLanguage->currentIndex(), 0, 1) + 1);
    main_.SetMainCaptions(m.CurrentLanguage);
    dataTable_.SetDataTableCaptions(m.CurrentLanguage);

    QStringList cleaned;
    for (const std::string& line : scales.Lines)
        cleaned << QString::fromStdString(line);
    MemoScales->setPlainText(cleaned.join(QLatin1Char('\n')));
    m.ScaleList = scales.Scales;
    main_.SnapScaleToList();

    if (program_.PrinterAvailable && !ApplyPrinterTab())
        ok = false;
    return ok;
}

}  // namespace quorvane
