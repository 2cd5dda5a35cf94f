#include "FormSettings.h"

#include "FormMain.h"
#include "PixelRaster.h"
#include "PrinterSource.h"
#include "Projection.h"
#include "QtRasterCanvas.h"
#include "SettingsTexts.h"
#include "UnitPrinter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>


namespace quorvane {

namespace {

using namespace SettingsTexts;

constexpr Color White = 0xFFFFFF;
constexpr Color Silver = 0xC0C0C0;
// Large enough to fill the page's right column under the fonts.
const QSize PortraitPreview(150, 212);
const QSize LandscapePreview(212, 150);

}  // namespace

QWidget* FormSettings::CreatePrinterTab()
{
    TabSheetPrinter = new QWidget;
    auto* layout = new QGridLayout(TabSheetPrinter);

    RadioGroupPageOrientation = new QGroupBox(TabSheetPrinter);
    auto* orientations = new QVBoxLayout(RadioGroupPageOrientation);
    for (int i = 0; i < 2; ++i) {
        PageOrientationItems[i] = new QRadioButton(RadioGroupPageOrientation);
        orientations->addWidget(PageOrientationItems[i]);
        connect(PageOrientationItems[i], &QRadioButton::clicked, this,
                [this] { RadioGroupPageOrientationOnClick(); });
    }

    // The four margins stand in a cross, each with its label.
    GroupBoxPageMargins = new QGroupBox(TabSheetPrinter);
    auto* cross = new QGridLayout(GroupBoxPageMargins);
    auto margin = [&](QSpinBox*& field, QLabel*& label, int row, int column, bool labelAbove) {
        field = MakeNumberField(GroupBoxPageMargins, 5, 100);
        label = new QLabel(GroupBoxPageMargins);
        label->setAlignment(Qt::AlignCenter);
        cross->addWidget(label, labelAbove ? row : row + 1, column, Qt::AlignCenter);
        cross->addWidget(field, labelAbove ? row + 1 : row, column, Qt::AlignCenter);
        connect(field, &QSpinBox::valueChanged, this, [this, f = field] { SpinEditMarginOnChange(f); });
    };
    margin(SpinEditMarginTop, LabelMarginTop, 0, 1, true);
    margin(SpinEditMarginLeft, LabelMarginLeft, 2, 0, false);
    margin(SpinEditMarginRight, LabelMarginRight, 2, 2, false);
    margin(SpinEditMarginBottom, LabelMarginBottom, 4, 1, false);

    ButtonPrinterConfiguration = new QPushButton(TabSheetPrinter);
    ButtonPrinterConfiguration->setAutoDefault(false);
    connect(ButtonPrinterConfiguration, &QPushButton::clicked, this,
            [this] { ButtonPrinterConfigurationOnClick(); });
    LabelPrinterFontName = new QLabel(TabSheetPrinter);
    ComboBoxPrinterFontName = new QComboBox(TabSheetPrinter);
    ComboBoxPrinterFontName->setEditable(true);
    ComboBoxPrinterFontName->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxPrinterFontName->setMinimumWidth(120);
    LabelPrinterFontSize = new QLabel(TabSheetPrinter);
    LabelPrinterFontSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ComboBoxPrinterFontSize = new QComboBox(TabSheetPrinter);
    ComboBoxPrinterFontSize->setEditable(true);
    ComboBoxPrinterFontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : {4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 28, 32, 36, 40, 44, 48})
        ComboBoxPrinterFontSize->addItem(QString::number(size));
    ComboBoxPrinterFontSize->setMaxVisibleItems(ComboBoxPrinterFontSize->count());

    auto* previews = new QWidget(TabSheetPrinter);
    auto* previewLayout = new QVBoxLayout(previews);
    for (int i = 0; i < 2; ++i) {
        PreviewImages[i] = new QLabel(previews);
        PreviewImages[i]->setFixedSize(i == 0 ? PortraitPreview : LandscapePreview);
        previewLayout->addWidget(PreviewImages[i], 0, Qt::AlignCenter);
    }
    previews->setFixedSize(LandscapePreview.width() + 20, PortraitPreview.height() + 20);

    // Left the page's layout, right the printer, its font and the preview
    // below them.
    ComboBoxPrinterFontSize->setMaximumWidth(
        ComboBoxPrinterFontSize->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 48);
    auto* fonts = new QGridLayout;
    fonts->setColumnStretch(0, 1);
    fonts->addWidget(LabelPrinterFontName, 0, 0);
    fonts->addWidget(LabelPrinterFontSize, 0, 1);
    fonts->addWidget(ComboBoxPrinterFontName, 1, 0);
    fonts->addWidget(ComboBoxPrinterFontSize, 1, 1);
    auto* page = new QVBoxLayout;
    page->addWidget(RadioGroupPageOrientation);
    page->addWidget(GroupBoxPageMargins, 1);
    auto* printer = new QVBoxLayout;
    printer->addWidget(ButtonPrinterConfiguration);
    printer->addLayout(fonts);
    printer->addWidget(previews, 1, Qt::AlignCenter);
    layout->addLayout(page, 0, 0);
    layout->addLayout(printer, 0, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return TabSheetPrinter;
}

void FormSettings::LoadPrinterTab()
{
    PageControlSettings->setTabVisible(TabPrinter, program_.PrinterAvailable);
    if (!program_.PrinterAvailable)
        return;
    const MainSettings& m = program_.Main;
    const int o = m.PrinterOrientation == 0 ? 0 : 1;
    PageOrientationItems[o]->setChecked(true);
    ComboBoxPrinterFontName->clear();
    ComboBoxPrinterFontName->addItems(SortedFontFamilies());
    ComboBoxPrinterFontName->setEditText(QString::fromStdString(m.PrinterFontName));
    ComboBoxPrinterFontSize->setEditText(QString::number(m.PrinterFontSize));
    dialogOrientation_ = static_cast<std::uint8_t>(o);
    dialogMarginLeft_ = m.MarginLeft;
    dialogMarginRight_ = m.MarginRight;
    dialogMarginTop_ = m.MarginTop;
    dialogMarginBottom_ = m.MarginBottom;
    ShowMargins();
}

void FormSettings::ShowMargins()
{
    const bool loading = dialogLoading_;
    dialogLoading_ = true;  // the fields' change handlers leave the copies alone
    const int o = dialogOrientation_;
    SpinEditMarginLeft->setValue(dialogMarginLeft_[o]);
    SpinEditMarginRight->setValue(dialogMarginRight_[o]);
    SpinEditMarginTop->setValue(dialogMarginTop_[o]);
    SpinEditMarginBottom->setValue(dialogMarginBottom_[o]);
    dialogLoading_ = loading;
}

bool FormSettings::ApplyPrinterTab()
{
    MainSettings& m = program_.Main;
    bool ok = true;
    m.PrinterOrientation = dialogOrientation_;
    m.PrinterFontName = ComboBoxPrinterFontName->currentText().toStdString();
    if (ComboBoxPrinterFontName->currentText().trimmed().isEmpty()) {
        m.PrinterFontName = "Arial";
        ComboBoxPrinterFontName->setEditText(QStringLiteral("Arial"));
        ShowError(BadPrinterFont, m.CurrentLanguage);
        ok = false;
    }
    bool isNumber = false;
    const int size = ComboBoxPrinterFontSize->currentText().trimmed().toInt(&isNumber);
    m.PrinterFontSize = isNumber ? size : 10;
    if (!isNumber) {
        ComboBoxPrinterFontSize->setEditText(QStringLiteral("10"));
        ShowError(BadPrinterFontSize, m.CurrentLanguage);
        ok = false;
    }
    m.MarginLeft = dialogMarginLeft_;
    m.MarginRight = dialogMarginRight_;
    m.MarginTop = dialogMarginTop_;
    m.MarginBottom = dialogMarginBottom_;
    return ok;
}

void FormSettings::RadioGroupPageOrientationOnClick()
{
    dialogOrientation_ = PageOrientationItems[0]->isChecked() ? 0 : 1;
    ShowMargins();
    UpdatePagePreview();
}

void FormSettings::SpinEditMarginOnChange(QSpinBox* field)
{
    if (dialogLoading_)
        return;
    const int o = dialogOrientation_;
    const int value = field->value();
    if (field == SpinEditMarginLeft)
        dialogMarginLeft_[o] = value;
    else if (field == SpinEditMarginRight)
        dialogMarginRight_[o] = value;
    else if (field == SpinEditMarginTop)
        dialogMarginTop_[o] = value;
    else
        dialogMarginBottom_[o] = value;
    DrawPagePreview();
}

void FormSettings::ButtonPrinterConfigurationOnClick()
{
    QPrinter& printer = printers_.Printer();
    printer.setPageOrientation(dialogOrientation_ == 0 ? QPageLayout::Portrait
                                                       : QPageLayout::Landscape);
    // In the language the dialog speaks, chosen there or not.
    const auto language = static_cast<Language>(ComboBoxLanguage->currentIndex() + 1);
    if (!printers_.RunPrinterSetup(this, language))
        return;
    dialogOrientation_ = printer.pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1;
    PageOrientationItems[dialogOrientation_]->setChecked(true);
    RadioGroupPageOrientationOnClick();
    // The printer now chosen may lack the font: then its first one is taken.
    const QString kept = ComboBoxPrinterFontName->currentText().trimmed();
    ComboBoxPrinterFontName->clear();
    ComboBoxPrinterFontName->addItems(SortedFontFamilies());
    const int found = ComboBoxPrinterFontName->findText(kept, Qt::MatchFixedString);
    ComboBoxPrinterFontName->setCurrentIndex(found >= 0 ? found : (ComboBoxPrinterFontName->count() > 0 ? 0 : -1));
    UpdatePagePreview();
}

bool FormSettings::PrinterPageShown() const
{
    return program_.PrinterAvailable && isVisible() &&
           PageControlSettings->currentIndex() == TabPrinter;
}

void FormSettings::UpdatePagePreview()
{
    PreviewImages[0]->setVisible(dialogOrientation_ == 0);
    PreviewImages[1]->setVisible(dialogOrientation_ == 1);
    if (program_.PrinterAvailable)
        program_.Page = PageGeometry(printers_.Printer(), dialogOrientation_);
    DrawPagePreview();
}

void FormSettings::DrawPagePreview()
{
    QLabel* picture = PreviewImages[dialogOrientation_ == 0 ? 0 : 1];
    QtRasterCanvas canvas(picture->width(), picture->height());
    DrawPagePreview(picture->width(), picture->height(), canvas);
    picture->setPixmap(QPixmap::fromImage(canvas.Image()));
}

void FormSettings::DrawPagePreview(int width, int height, Canvas& canvas)
{
    ViewParameters& view = program_.View;
    const PageSize& page = program_.Page;
    const int o = dialogOrientation_;
    UpdateDrawFactor(view);
    if (page.WidthMillimetres <= 0 || page.HeightMillimetres <= 0 || view.PixelsPerMetre <= 0)
        return;
    // The page's long side fills the picture's long side.
    const double previewFactor =
        o == 0 ? height / (page.HeightMillimetres * view.PixelsPerMetre * 0.001)
               : width / (page.WidthMillimetres * view.PixelsPerMetre * 0.001);
    const int ml = RoundToPixel(double(dialogMarginLeft_[o]) / page.WidthMillimetres * width);
    const int mr = RoundToPixel(double(dialogMarginRight_[o]) / page.WidthMillimetres * width);
    const int mt = RoundToPixel(double(dialogMarginTop_[o]) / page.HeightMillimetres * height);
    const int mb = RoundToPixel(double(dialogMarginBottom_[o]) / page.HeightMillimetres * height);
    const int areaWidth = width - (ml + mr);
    const int areaHeight = height - (mt + mb);

    WireFrameDrawing& drawing = main_.Drawing();
    ProjectLines(view, program_.Table, true, view.DrawFactor * previewFactor);
    const DrawingBounds bounds = drawing.ComputeDrawingBounds();
    canvas.SetBrushColor(White);
    canvas.FillRect({0, 0, width + 1, mt + 1});
    canvas.FillRect({0, mt, ml + 1, height - mb + 1});
    canvas.FillRect({width - mr, mt, width + 1, height - mb + 1});
    canvas.FillRect({0, height - mb, width + 1, height + 1});
    drawing.DrawToCanvas(canvas, bounds.Width, bounds.Height, previewFactor, bounds.CentreX,
                         bounds.CentreY, {ml, mt, areaWidth, areaHeight}, 0, view.ScreenFontName);
    canvas.SetPenMode(PenMode::Copy);
    canvas.SetPenWidth(1);
    canvas.SetPenColor(Silver);
    const auto frame = RectangleOutline({ml, mt, ml + areaWidth, mt + areaHeight});
    canvas.DrawLines(frame);
    // A resize or a line-number toggle redraws the stored projection, which
    // must be the screen's.
    drawing.RestoreScreenProjection();
}

}  // namespace quorvane
