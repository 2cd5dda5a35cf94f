#pragma once

#include "PrinterSource.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

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
    bool RunPrinterSetup(QWidget*, Language) override
    {
        ++setups;
        if (pageSizeChosen)
            printer.setPageSize(*pageSizeChosen);
        if (orientationChosen)
            printer.setPageOrientation(*orientationChosen);
        return confirm;
    }

    // The user's doing in the preview: by default Print, which paints the
    // pages into this printer.
    bool RunPrintPreview(QPrintPreviewDialog& preview) override
    {
        ++previews;
        orientationShown = printer.pageLayout().orientation();
        if (inPreview)
            return inPreview(preview);
        if (orientationChosen)
            printer.setPageOrientation(*orientationChosen);
        if (confirm)
            emit preview.paintRequested(&printer);
        return confirm;
    }

    QPrinter printer{QPrinter::HighResolution};
    std::function<bool(QPrintPreviewDialog&)> inPreview;
    int previews = 0;
    bool confirm = true;
    std::optional<QPageLayout::Orientation> orientationChosen;
    std::optional<QPageSize> pageSizeChosen;
    std::optional<QPageLayout::Orientation> orientationShown;
    int dialogs = 0;
    int setups = 0;

private:
    bool available_;
};

}  // namespace quorvane::testing
