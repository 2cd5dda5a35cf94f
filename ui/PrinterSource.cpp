#include "PrinterSource.h"

#include <QPageSetupDialog>
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

    bool RunPrinterSetup(QWidget* parent) override
    {
        QPageSetupDialog dialog(&Printer(), parent);
        return dialog.exec() == QDialog::Accepted;
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
