#pragma once

#include "PrinterSource.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace quorvane::bench {

// A PDF printer at 600 dpi whose dialogs are always confirmed.
class PdfPrinter : public PrinterSource {
public:
    explicit PdfPrinter(const QString& file)
    {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file);
        printer_.setResolution(600);
    }
    bool Available() override { return true; }
    QPrinter& Printer() override { return printer_; }
    bool RunPrintDialog(QWidget*) override { return true; }
    bool RunPrinterSetup(QWidget*, Language) override { return true; }
    // Print, pressed at once.
    bool RunPrintPreview(QPrintPreviewDialog& preview) override
    {
        emit preview.paintRequested(&printer_);
        return true;
    }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace quorvane::bench
