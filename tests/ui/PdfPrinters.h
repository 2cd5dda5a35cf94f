#pragma once

#include "PrinterSource.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <optional>

namespace quorvane::testing {

// A PDF printer in place of the desktop's, with unprintable strips of
// `stripMillimetres` on every side, and a print dialog that answers as the
// test says.
class PdfPrinters : public PrinterSource {
public:
    PdfPrinters(const QString& outputFile, int resolution = 600, double stripMillimetres = 4.2,
                bool available = true)
        : available_(available)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        printer.setResolution(resolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(
            QMarginsF(stripMillimetres, stripMillimetres, stripMillimetres, stripMillimetres),
            QPageLayout::Millimeter);
    }

    bool Available() override { return available_; }
    QPrinter& Printer() override { return printer; }
    bool RunPrintDialog(QWidget*) override
    {
        ++dialogs;
        orientationShown = printer.pageLayout().orientation();
        if (orientationChosen)
            printer.setPageOrientation(*orientationChosen);
        return confirm;
    }
    bool RunPrinterSetup(QWidget*) override
    {
        ++setups;
        if (orientationChosen)
            printer.setPageOrientation(*orientationChosen);
        return confirm;
    }

    QPrinter printer{QPrinter::HighResolution};
    bool confirm = true;
    std::optional<QPageLayout::Orientation> orientationChosen;
    std::optional<QPageLayout::Orientation> orientationShown;
    int dialogs = 0;
    int setups = 0;

private:
    bool available_;
};

}  // namespace quorvane::testing
