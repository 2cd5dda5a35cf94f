#pragma once

#include "Language.h"

#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPrinter;
class QRadioButton;

namespace quorvane {

// One printer as the printer set-up offers it.
struct PrinterChoice {
    QString Name;  // as the printing system knows it
    QString Description;
    QString Location;
    bool IsDefault = false;
    QList<QPageSize> PageSizes;  // the paper it takes; empty when it does not say
    QPageSize DefaultPageSize;
};

// The printers the desktop's printing system offers; none without one.
QList<PrinterChoice> InstalledPrinters();

// The printer set-up: which printer prints, on which paper, in which
// orientation. Without any printer the paper and the orientation can still
// be chosen, for the page that the preview shows.
class PrinterChooser : public QDialog {
public:
    PrinterChooser(QList<PrinterChoice> printers, const QString& currentPrinter,
                   const QPageSize& currentPageSize, QPageLayout::Orientation orientation,
                   Language language, QWidget* parent);

    QString ChosenPrinter() const;
    QPageSize ChosenPageSize() const;
    QPageLayout::Orientation ChosenOrientation() const;
    // Sets the printer to what was chosen; its page geometry follows.
    void ApplyTo(QPrinter& printer) const;

    QComboBox* ComboBoxPrinter;
    QLabel* LabelPrinterDetails;
    QComboBox* ComboBoxPaperSize;
    QRadioButton* RadioButtonPortrait;
    QRadioButton* RadioButtonLandscape;
    QDialogButtonBox* Buttons;

private:
    void ShowPrinter(int index);

    QList<PrinterChoice> printers_;
    Language language_;
};

}  // namespace quorvane
