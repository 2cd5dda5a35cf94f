#include "FormSettings.h"

#include "ColorSample.h"
#include "CustomColors.h"
#include "FormDataTable.h"
#include "FormMain.h"
#include "NumberField.h"
#include "SettingsFile.h"
#include "SettingsTexts.h"
#include "UnitLanguage.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <vector>

namespace quorvane {

namespace {

using namespace SettingsTexts;

QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

Color ToColor(const QColor& color)
{
    return Color(color.red()) | Color(color.green()) << 8 | Color(color.blue()) << 16;
}

// The colour Qt's picker gives a custom slot that was never set.
const QColor UnsetCustomColor = Qt::white;

// The captions' carriage returns break lines as on the user's screen.
QString Shown(const LanguageText& text, Language language)
{
    return Text(text, language).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

QStringList FormSettings::SortedFontFamilies()
{
    // A family that several foundries make is listed once, without the
    // foundry ("C059 [urw]" is C059): the drawing asks for families.
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const qsizetype foundry = family.indexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(QLatin1Char(']')))
            family.truncate(foundry);
        families.append(family);
    }
    families.removeDuplicates();
    families.sort(Qt::CaseInsensitive);
    return families;
}

FormSettings::FormSettings(ProgramState& program, PrinterSource& printers, FormMain& main,
                           FormDataTable& dataTable)
    // Only the close box: a dialog of fixed size has nothing to minimise
    // or maximise.
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      program_(program), printers_(printers), main_(main), dataTable_(dataTable)
{
    dialogLoading_ = true;
    setModal(true);
    program_.DataFileValues.SeparatorSet = StandardSeparatorSet();

    PageControlSettings = new QTabWidget(this);
    PageControlSettings->addTab(CreateGeneralTab(), QString());
    PageControlSettings->addTab(CreateColorsTab(), QString());
    PageControlSettings->addTab(CreateScalesTab(), QString());
    PageControlSettings->addTab(CreatePrinterTab(), QString());
    ButtonCancel = new QPushButton(this);
    ButtonApply = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonOk->setDefault(true);
    for (QPushButton* button : {ButtonCancel, ButtonApply})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonApply);
    buttons->addWidget(ButtonOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControlSettings);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border

    connect(ButtonCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(ButtonApply, &QPushButton::clicked, this, [this] { ButtonOkOnClick(ButtonApply); });
    connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkOnClick(ButtonOk); });
    connect(PageControlSettings, &QTabWidget::currentChanged, this, [this](int index) {
        state_.ActiveTabSheetIndex = index;
        if (index == TabPrinter && !dialogLoading_)
            UpdatePagePreview();
    });

    for (const LanguageEntry& entry : LanguageTable)
        ComboBoxLanguage->addItem(QIcon(LanguageBanner(entry.Value)),
                                  QString::fromUtf8(entry.DisplayName));
    ComboBoxLanguage->setCurrentIndex(0);
    connect(ComboBoxLanguage, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetSettingsCaptions(static_cast<Language>(index + 1)); });
    SetSettingsCaptions(program_.Main.CurrentLanguage);
    ComboBoxScreenFontName->addItems(SortedFontFamilies());

    ReadSettingsDialogState(program_.IniFileName, program_.Desktop, state_);
    framePlace_ = QPoint(std::clamp(state_.Left, 0, std::max(0, program_.Desktop.WorkAreaWidth - 32)),
                         std::clamp(state_.Top, 0, std::max(0, program_.Desktop.WorkAreaHeight - 32)));
    LoadCustomColors();
    if (!program_.PrinterAvailable && state_.ActiveTabSheetIndex == TabPrinter)
        state_.ActiveTabSheetIndex = TabGeneral;
    PageControlSettings->setTabVisible(TabPrinter, program_.PrinterAvailable);
    PageControlSettings->setCurrentIndex(state_.ActiveTabSheetIndex);
    dialogLoading_ = false;
}

FormSettings::~FormSettings()
{
    StoreCustomColors();
    // Never shown: where it would have opened, centred over the main window.
    if (!state_.PlaceStored) {
        const QPoint centred = main_.frameGeometry().center() -
                               QPoint(sizeHint().width() / 2, sizeHint().height() / 2);
        framePlace_ = QPoint(std::max(0, centred.x()), std::max(0, centred.y()));
    }
    state_.Left = framePlace_.x();
    state_.Top = framePlace_.y();
    WriteSettingsDialogState(program_.IniFileName, state_);
}

QSpinBox* FormSettings::MakeNumberField(QWidget* parent, int minimum, int maximum)
{
    auto* field = new NumberField(parent, minimum, maximum);
    field->installEventFilter(this);
    return field;
}

QWidget* FormSettings::CreateGeneralTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto row = [&](QLabel*& label, QWidget* field) {
        label = new QLabel(page);
        label->setBuddy(field);
        field->setMinimumWidth(140);
        form->addRow(label, field);
    };
    ComboBoxLanguage = new QComboBox(page);
    ComboBoxLanguage->setIconSize(QSize(16, 16));
    row(LabelLanguage, ComboBoxLanguage);
    ComboBoxDataSeparatorChar = new QComboBox(page);
    ComboBoxDataSeparatorChar->setEditable(true);
    ComboBoxDataSeparatorChar->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < 4; ++i)
        ComboBoxDataSeparatorChar->addItem(QString());
    row(LabelDataSeparatorChar, ComboBoxDataSeparatorChar);
    ComboBoxScreenFontName = new QComboBox(page);
    ComboBoxScreenFontName->setEditable(true);
    ComboBoxScreenFontName->setInsertPolicy(QComboBox::NoInsert);
    row(LabelScreenFontName, ComboBoxScreenFontName);
    SpinEditScreenWidth = MakeNumberField(page, 50, 1000);
    row(LabelScreenWidth, SpinEditScreenWidth);
    SpinEditViewerDistance = MakeNumberField(page, 20, 200);
    row(LabelViewerDistance, SpinEditViewerDistance);
    SpinEditClipboardBugFixScalingFactor = MakeNumberField(page, 50, 150);
    row(LabelClipboardBugFixScalingFactor, SpinEditClipboardBugFixScalingFactor);
    SpinEditAzimuthAngularVelocity = MakeNumberField(page, 1, 360);
    row(LabelAzimuthAngularVelocity, SpinEditAzimuthAngularVelocity);
    SpinEditRotateAzimuthTimeInterval = MakeNumberField(page, 20, 1000);
    row(LabelRotateAzimuthTimeInterval, SpinEditRotateAzimuthTimeInterval);
    CheckBoxAutoReadQrvFile = new QCheckBox(page);
    CheckBoxSaveSettings = new QCheckBox(page);
    for (QCheckBox* box : {CheckBoxAutoReadQrvFile, CheckBoxSaveSettings}) {
        // The text stands left of the box.
        box->setLayoutDirection(Qt::RightToLeft);
        form->addRow(box);
    }
    setTabOrder(ComboBoxLanguage, ComboBoxDataSeparatorChar);
    setTabOrder(ComboBoxDataSeparatorChar, ComboBoxScreenFontName);
    setTabOrder(ComboBoxScreenFontName, SpinEditScreenWidth);
    setTabOrder(SpinEditScreenWidth, SpinEditViewerDistance);
    setTabOrder(SpinEditViewerDistance, SpinEditAzimuthAngularVelocity);
    setTabOrder(SpinEditAzimuthAngularVelocity, SpinEditRotateAzimuthTimeInterval);
    setTabOrder(SpinEditRotateAzimuthTimeInterval, CheckBoxAutoReadQrvFile);
    setTabOrder(CheckBoxAutoReadQrvFile, CheckBoxSaveSettings);
    setTabOrder(CheckBoxSaveSettings, SpinEditClipboardBugFixScalingFactor);
    return page;
}

QWidget* FormSettings::CreateColorsTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    std::array<ColorSample*, 7> samples{};
    // Rows of each group, as indices of the samples: the highlight, drawn
    // on the single view only, closes the first group.
    const std::array<std::vector<int>, 2> groups{std::vector<int>{0, 1, 2, 6},
                                                 std::vector<int>{3, 4, 5}};
    for (int group = 0; group < 2; ++group) {
        auto* box = new QGroupBox(page);
        (group == 0 ? GroupBoxColorsMono : GroupBoxColorsStereo) = box;
        // The samples stand in a column right beside their labels.
        auto* grid = new QGridLayout(box);
        grid->setColumnStretch(2, 1);
        grid->setHorizontalSpacing(12);
        for (int row = 0; row < static_cast<int>(groups[group].size()); ++row) {
            const int i = groups[group][row];
            ColorLabels[i] = new QLabel(box);
            samples[i] = new ColorSample(box);
            samples[i]->Clicked = [this](ColorSample& sample) { ShapeColorOnMouseUp(sample); };
            grid->addWidget(ColorLabels[i], row, 0);
            grid->addWidget(samples[i], row, 1);
        }
        layout->addWidget(box);
    }
    GroupBoxColorsChecks = new QGroupBox(page);
    auto* checks = new QGridLayout(GroupBoxColorsChecks);
    checks->setColumnStretch(2, 1);
    checks->setHorizontalSpacing(12);
    LabelWarningColor = new QLabel(GroupBoxColorsChecks);
    ShapeWarningColor = new ColorSample(GroupBoxColorsChecks);
    ShapeWarningColor->Clicked = [this](ColorSample& sample) { ShapeColorOnMouseUp(sample); };
    checks->addWidget(LabelWarningColor, 0, 0);
    checks->addWidget(ShapeWarningColor, 0, 1);
    layout->addWidget(GroupBoxColorsChecks);
    layout->addStretch();
    ShapeBackgroundColor = samples[0];
    ShapeLineColor = samples[1];
    ShapeTextColor = samples[2];
    ShapeAnaglyphBackgroundColor = samples[3];
    ShapeAnaglyphColorLeft = samples[4];
    ShapeAnaglyphColorRight = samples[5];
    ShapeHighlightColor = samples[6];
    return page;
}

QWidget* FormSettings::CreateScalesTab()
{
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    MemoScales = new QPlainTextEdit(page);
    MemoScales->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoScales->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoScales->installEventFilter(this);
    LabelScales = new QLabel(page);
    LabelScales->setWordWrap(true);
    LabelScales->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ButtonRestoreDefaultScales = new QPushButton(page);
    ButtonRestoreDefaultScales->setAutoDefault(false);
    connect(ButtonRestoreDefaultScales, &QPushButton::clicked, this, [this] {
        static constexpr const char* Defaults =
            "1\n2\n3\n5\n7\n10\n17\n20\n33\n50\n67\n100\n167\n200\n333\n500\n667\n1000\n1667\n"
            "2000\n3333\n5000\n6667\n10000\n16667\n20000\n33333\n50000\n66667\n100000\n200000\n"
            "500000\n1000000\n2000000\n5000000\n10000000\n20000000\n50000000\n100000000";
        MemoScales->setPlainText(QString::fromLatin1(Defaults));
    });
    layout->addWidget(MemoScales, 0, 0, 2, 1);
    layout->addWidget(LabelScales, 0, 1);
    layout->addWidget(ButtonRestoreDefaultScales, 1, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

void FormSettings::SetSettingsCaptions(Language language)
{
    if (language != Language::English && language != Language::German)
        return;
    const int separator = ComboBoxDataSeparatorChar->currentIndex();
    const QString typed = ComboBoxDataSeparatorChar->currentText();
    setWindowTitle(QStringLiteral(" ") + QString::fromStdString(program_.ExeBaseName) +
                   Text(Caption, language));
    PageControlSettings->setTabText(TabGeneral, Text(General, language));
    PageControlSettings->setTabText(TabColors, Text(Colors, language));
    PageControlSettings->setTabText(TabScales, Text(Scales, language));
    PageControlSettings->setTabText(TabPrinter, Text(Printer, language));
    LabelLanguage->setText(Text(LanguageLabel, language));
    LabelDataSeparatorChar->setText(Text(DataSeparatorChar, language));
    LabelScreenFontName->setText(Text(ScreenFontName, language));
    LabelScreenWidth->setText(Text(ScreenWidth, language));
    LabelViewerDistance->setText(Text(ViewerDistance, language));
    LabelClipboardBugFixScalingFactor->setText(Text(ClipboardFactor, language));
    LabelAzimuthAngularVelocity->setText(Text(AngularVelocity, language));
    LabelRotateAzimuthTimeInterval->setText(Text(TimeInterval, language));
    CheckBoxAutoReadQrvFile->setText(Text(AutoReadQrvFile, language));
    CheckBoxSaveSettings->setText(Text(SaveSettings, language));
    CheckBoxSaveSettings->setToolTip(Text(SaveSettingsHint, language));
    ComboBoxLanguage->setToolTip(Text(LanguageHint, language));
    ComboBoxDataSeparatorChar->setToolTip(Text(SeparatorHint, language));
    for (int i = 0; i < 4; ++i)
        ComboBoxDataSeparatorChar->setItemText(i, Text(SeparatorItems[i], language));
    GroupBoxColorsMono->setTitle(Text(ColorsMono, language));
    GroupBoxColorsStereo->setTitle(Text(ColorsStereo, language));
    const LanguageText* colorTexts[7] = {&BackgroundColor,         &LineColor,
                                         &TextColor,               &AnaglyphBackgroundColor,
                                         &AnaglyphColorLeft,       &AnaglyphColorRight,
                                         &HighlightColor};
    for (int i = 0; i < 7; ++i)
        ColorLabels[i]->setText(Text(*colorTexts[i], language));
    GroupBoxColorsChecks->setTitle(Text(ColorsChecks, language));
    LabelWarningColor->setText(Text(WarningColor, language));
    // Both groups' samples stand in one column.
    int widestColorLabel = 0;
    std::vector<QLabel*> colorLabels(ColorLabels.begin(), ColorLabels.end());
    colorLabels.push_back(LabelWarningColor);
    for (QLabel* label : colorLabels) {
        label->setMinimumWidth(0);
        widestColorLabel = std::max(widestColorLabel, label->sizeHint().width());
    }
    for (QLabel* label : colorLabels)
        label->setMinimumWidth(widestColorLabel);
    ButtonRestoreDefaultScales->setText(Text(RestoreDefaultScales, language));
    LabelScales->setText(Shown(ScalesExplanation, language));
    ButtonCancel->setText(Text(Cancel, language));
    ButtonApply->setText(Text(Apply, language));
    ButtonOk->setText(Text(Ok, language));
    RadioGroupPageOrientation->setTitle(Text(PageOrientation, language));
    PageOrientationItems[0]->setText(Text(Portrait, language));
    PageOrientationItems[1]->setText(Text(Landscape, language));
    LabelPrinterFontName->setText(Text(PrinterFontName, language));
    LabelPrinterFontSize->setText(Text(PrinterFontSize, language));
    GroupBoxPageMargins->setTitle(Text(SettingsTexts::PageMargins, language));
    LabelMarginLeft->setText(Text(MarginLeft, language));
    LabelMarginRight->setText(Text(MarginRight, language));
    LabelMarginTop->setText(Text(MarginTop, language));
    LabelMarginBottom->setText(Text(MarginBottom, language));
    ButtonPrinterConfiguration->setText(Text(PrinterConfiguration, language));
    // Help follows the language chosen here, also when the dialog is then
    // cancelled.
    program_.HelpFile =
        HelpFileName(QString::fromStdString(program_.ResourcePath), language).toStdString();
    // The item selected before stays selected; a typed separator stays typed.
    ComboBoxDataSeparatorChar->setCurrentIndex(separator);
    if (separator < 0)
        ComboBoxDataSeparatorChar->setEditText(typed);
}

bool FormSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == MemoScales) {
        // Digits, Backspace and Enter; every other character is refused.
        const QString text = key->text();
        const bool allowed = text.isEmpty() || key->key() == Qt::Key_Delete ||
                             (text.size() == 1 && text[0].isDigit() && text[0].unicode() < 128) ||
                             key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return ||
                             key->key() == Qt::Key_Enter;
        if (!allowed) {
            QApplication::beep();
            return true;
        }
        return false;
    }
    if (qobject_cast<QSpinBox*>(watched)) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ButtonOk->click();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            ButtonCancel->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormSettings::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (PageControlSettings->currentIndex() == TabPrinter)
        UpdatePagePreview();
    ButtonOk->setFocus();
    settingsDialogResult_ = 2;
}

void FormSettings::PlaceOnScreen()
{
    // The settings keep the frame's corner. A window that has not been on
    // the screen yet has no known frame, and where its place would be taken
    // for the frame's or the inside's differs by platform: it is placed by
    // its inside, as far from the corner as the frame this dialog had, or
    // else the main window's, puts it.
    if (!state_.PlaceStored)
        return;  // the first time centred over the main window
    const auto insideOffset = [](const QWidget& window) {
        return window.geometry().topLeft() - window.frameGeometry().topLeft();
    };
    const QPoint offset = frameKnown_ ? insideOffset(*this) : insideOffset(main_);
    setGeometry(QRect(framePlace_ + offset, size()));
}

void FormSettings::done(int result)
{
    // Where the user left it, frame included: taken once the frame is
    // known, or where windows have none.
    const bool framed = frameGeometry() != geometry();
    if (isVisible() && (framed || main_.frameGeometry() == main_.geometry())) {
        framePlace_ = frameGeometry().topLeft();
        frameKnown_ = framed;
        state_.PlaceStored = true;
    }
    QDialog::done(result);
}

void FormSettings::closeEvent(QCloseEvent* event)
{
    ButtonCancel->setFocus();
    QDialog::closeEvent(event);
}

void FormSettings::ShapeColorOnMouseUp(ColorSample& sample)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(sample.Value()), this);
    if (chosen.isValid())
        sample.SetValue(ToColor(chosen));
    ButtonOk->setFocus();
}

void FormSettings::LoadCustomColors()
{
    for (int slot = 0; slot < QColorDialog::customCount(); ++slot) {
        const std::optional<Color> color = CustomColorOf(state_.CustomColors[std::size_t(slot)]);
        QColorDialog::setCustomColor(slot, color ? ToQColor(*color) : UnsetCustomColor);
    }
}

void FormSettings::StoreCustomColors()
{
    for (int slot = 0; slot < QColorDialog::customCount(); ++slot) {
        std::string& text = state_.CustomColors[std::size_t(slot)];
        const QColor color = QColorDialog::customColor(slot);
        // A slot the picker still shows as never set keeps its text.
        if (!CustomColorOf(text) && color == UnsetCustomColor)
            continue;
        text = CustomColorText(ToColor(color));
    }
}

void FormSettings::ButtonOkOnClick(QPushButton* sender)
{
    if (sender == ButtonApply) {
        const bool ok = ApplySettingsDialog();
        main_.ApplyRotationSettings();
        main_.Drawing().DrawWireFrame();
        if (ok)
            settingsDialogResult_ = 1;
        return;
    }
    settingsDialogResult_ = 1;
    accept();
}

void FormSettings::ShowError(const LanguageText& text, Language language)
{
    QMessageBox::critical(this, windowTitle(), Text(text, language));
}

}  // namespace quorvane
