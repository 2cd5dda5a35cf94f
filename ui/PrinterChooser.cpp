#include "PrinterChooser.h"

#include "UnitLanguage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace quorvane {

namespace {

constexpr LanguageText Title{"Printer configuration", "Drucker-Einstellungen"};
constexpr LanguageText PrinterLabel{"Printer", "Drucker"};
constexpr LanguageText PaperLabel{"Paper size", "Papierformat"};
constexpr LanguageText OrientationTitle{"Orientation", "Ausrichtung"};
constexpr LanguageText PortraitText{"Portrait", "Hochformat"};
constexpr LanguageText LandscapeText{"Landscape", "Querformat"};
constexpr LanguageText NoPrinter{"No printer is installed", "Kein Drucker eingerichtet"};
constexpr LanguageText NoPrinterDetails{
    "The page set-up applies to the preview and to PDF files.",
    "Das Papierformat gilt für die Vorschau und für PDF-Dateien."};
constexpr LanguageText DefaultPrinter{" (default)", " (Standard)"};
constexpr LanguageText LocationText{"Location: ", "Standort: "};
constexpr LanguageText OkText{"OK", "OK"};
constexpr LanguageText CancelText{"Cancel", "Abbrechen"};

// Paper for a printer that does not name its own, and without printers.
QList<QPageSize> CommonPageSizes()
{
    QList<QPageSize> sizes;
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal, QPageSize::Executive})
        sizes.append(QPageSize(id));
    return sizes;
}

QString Millimetres(double value, const QLocale& locale)
{
    const double tenths = std::round(value * 10) / 10;
    return locale.toString(tenths, 'f', tenths == std::round(tenths) ? 0 : 1);
}

QString PaperText(const QPageSize& size, Language language)
{
    const QLocale locale(language == Language::German ? QLocale::German : QLocale::English);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return QStringLiteral("%1  (%2 × %3 mm)")
        .arg(size.name(), Millimetres(mm.width(), locale), Millimetres(mm.height(), locale));
}

}  // namespace

QList<PrinterChoice> InstalledPrinters()
{
    QList<PrinterChoice> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        PrinterChoice choice;
        choice.Name = info.printerName();
        choice.Description = info.description();
        choice.Location = info.location();
        choice.IsDefault = info.isDefault();
        choice.PageSizes = info.supportedPageSizes();
        choice.DefaultPageSize = info.defaultPageSize();
        printers.append(choice);
    }
    return printers;
}

PrinterChooser::PrinterChooser(QList<PrinterChoice> printers, const QString& currentPrinter,
                               const QPageSize& currentPageSize,
                               QPageLayout::Orientation orientation, Language language,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      printers_(std::move(printers)), language_(language)
{
    setWindowTitle(Text(Title, language));
    ComboBoxPrinter = new QComboBox(this);
    LabelPrinterDetails = new QLabel(this);
    LabelPrinterDetails->setWordWrap(true);
    ComboBoxPaperSize = new QComboBox(this);
    ComboBoxPaperSize->setMinimumContentsLength(24);
    auto* orientations = new QGroupBox(Text(OrientationTitle, language), this);
    RadioButtonPortrait = new QRadioButton(Text(PortraitText, language), orientations);
    RadioButtonLandscape = new QRadioButton(Text(LandscapeText, language), orientations);
    auto* orientationRow = new QHBoxLayout(orientations);
    orientationRow->addWidget(RadioButtonPortrait);
    orientationRow->addWidget(RadioButtonLandscape);
    orientationRow->addStretch();
    (orientation == QPageLayout::Portrait ? RadioButtonPortrait : RadioButtonLandscape)
        ->setChecked(true);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(Text(OkText, language));
    Buttons->button(QDialogButtonBox::Cancel)->setText(Text(CancelText, language));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(Text(PrinterLabel, language), ComboBoxPrinter);
    form->addRow(QString(), LabelPrinterDetails);
    form->addRow(Text(PaperLabel, language), ComboBoxPaperSize);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientations);
    layout->addWidget(Buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    int current = -1;
    for (int i = 0; i < printers_.size(); ++i) {
        const PrinterChoice& printer = printers_[i];
        QString text = printer.Description.isEmpty() ? printer.Name : printer.Description;
        if (printer.IsDefault)
            text += Text(DefaultPrinter, language);
        ComboBoxPrinter->addItem(text);
        if (printer.Name == currentPrinter || (current < 0 && printer.IsDefault))
            current = i;
    }
    if (printers_.isEmpty()) {
        ComboBoxPrinter->addItem(Text(NoPrinter, language));
        ComboBoxPrinter->setEnabled(false);
    }
    // The paper in use stays chosen where the printer takes it.
    ComboBoxPaperSize->addItem(QString(), QVariant::fromValue(currentPageSize));
    ShowPrinter(printers_.isEmpty() ? -1 : std::max(0, current));
    connect(ComboBoxPrinter, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowPrinter(index); });
}

void PrinterChooser::ShowPrinter(int index)
{
    const QPageSize kept = ChosenPageSize();
    const PrinterChoice* printer =
        index >= 0 && index < printers_.size() ? &printers_[index] : nullptr;
    if (printer) {
        const QSignalBlocker quiet(ComboBoxPrinter);
        ComboBoxPrinter->setCurrentIndex(index);
        LabelPrinterDetails->setText(
            printer->Location.isEmpty()
                ? printer->Name
                : printer->Name + QStringLiteral("\n") + Text(LocationText, language_) +
                      printer->Location);
    } else {
        LabelPrinterDetails->setText(Text(NoPrinterDetails, language_));
    }
    const QList<QPageSize> sizes =
        printer && !printer->PageSizes.isEmpty() ? printer->PageSizes : CommonPageSizes();
    ComboBoxPaperSize->clear();
    int chosen = -1, fallback = -1;
    for (int i = 0; i < sizes.size(); ++i) {
        ComboBoxPaperSize->addItem(PaperText(sizes[i], language_), QVariant::fromValue(sizes[i]));
        if (chosen < 0 && kept.isValid() && sizes[i].isEquivalentTo(kept))
            chosen = i;
        if (fallback < 0 && printer && printer->DefaultPageSize.isValid() &&
            sizes[i].isEquivalentTo(printer->DefaultPageSize))
            fallback = i;
        if (fallback < 0 && sizes[i].id() == QPageSize::A4)
            fallback = i;
    }
    ComboBoxPaperSize->setCurrentIndex(chosen >= 0 ? chosen : std::max(0, fallback));
}

QString PrinterChooser::ChosenPrinter() const
{
    const int index = ComboBoxPrinter->currentIndex();
    return index >= 0 && index < printers_.size() ? printers_[index].Name : QString();
}

QPageSize PrinterChooser::ChosenPageSize() const
{
    return ComboBoxPaperSize->currentData().value<QPageSize>();
}

QPageLayout::Orientation PrinterChooser::ChosenOrientation() const
{
    return RadioButtonPortrait->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape;
}

void PrinterChooser::ApplyTo(QPrinter& printer) const
{
    const QString name = ChosenPrinter();
    if (!name.isEmpty() && name != printer.printerName())
        printer.setPrinterName(name);
    if (ChosenPageSize().isValid())
        printer.setPageSize(ChosenPageSize());
    printer.setPageOrientation(ChosenOrientation());
}

}  // namespace quorvane
