#pragma once

#include "Language.h"

#include <memory>

class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace quorvane {

// Where printing gets its printer and its print dialog: the desktop's
// printers, or for tests a PDF printer on a machine without any.
class PrinterSource {
public:
    virtual ~PrinterSource() = default;
    // A printer is installed; asked once at start-up.
    virtual bool Available() = 0;
    // The current printer, the same object for the whole run.
    virtual QPrinter& Printer() = 0;
    // Lets the user choose printer, pages and orientation; true when
    // printing is to go ahead. The dialog offers no printing to a file.
    virtual bool RunPrintDialog(QWidget* parent) = 0;
    // Lets the user choose the printer, its paper and the orientation, with
    // texts in `language`; true when confirmed.
    virtual bool RunPrinterSetup(QWidget* parent, Language language) = 0;
    // Shows a print preview made for Printer(); true when the user printed
    // from it (or saved what it shows).
    virtual bool RunPrintPreview(QPrintPreviewDialog& preview) = 0;
};

// The desktop's default printer and Qt's print dialog.
std::unique_ptr<PrinterSource> SystemPrinters();

}  // namespace quorvane
