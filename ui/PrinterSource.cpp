#include "PrinterSource.h"

#include "PrinterChooser.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace quorvane {

namespace {

class DesktopPrinters : public PrinterSource {
public:
    bool Available() override
    {
        return !QPrinterInfo::availablePrinterNames().isEmpty();
    }

    QPrinter& Printer() override
    {
        if (!printer_) {
            QPrinterInfo info = QPrinterInfo::defaultPrinter();
            if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
                info = QPrinterInfo::availablePrinters().constFirst();
            printer_ = info.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                     : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
        return *printer_;
    }

    bool RunPrintDialog(QWidget* parent) override
    {
        QPrintDialog dialog(&Printer(), parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool RunPrinterSetup(QWidget* parent, Language language) override
    {
        QPrinter& printer = Printer();
        const QPageLayout page = printer.pageLayout();
        PrinterChooser chooser(InstalledPrinters(), printer.printerName(), page.pageSize(),
                               page.orientation(), language, parent);
        if (chooser.exec() != QDialog::Accepted)
            return false;
        chooser.ApplyTo(printer);
        return true;
    }

    bool RunPrintPreview(QPrintPreviewDialog& preview) override
    {
        return preview.exec() == QDialog::Accepted;
    }

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace

std::unique_ptr<PrinterSource> SystemPrinters()
{
    return std::make_unique<DesktopPrinters>();
}

}  // namespace quorvane
