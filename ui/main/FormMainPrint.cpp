#include "FormMain.h"

#include "PrinterSource.h"
#include "Projection.h"
#include "QtPainterCanvas.h"
#include "QtRasterCanvas.h"
#include "UnitLanguage.h"
#include "UnitPrinter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <new>

namespace quorvane {

namespace {

constexpr double PointsPerInch = 72;

}  // namespace

void FormMain::SpeedButtonPrintOnClick()
{
    if (!program_.PrinterAvailable)
        return;
    program_.Activity = ActivityState::Printing;
    QPrinter& printer = printers_.Printer();
    const std::uint8_t shownOrientation = program_.Main.PrinterOrientation;
    printer.setPageOrientation(shownOrientation == 0 ? QPageLayout::Portrait
                                                     : QPageLayout::Landscape);
    // The anaglyph needs colour; the dialog still lets the user choose.
    if (program_.View.ShowAnaglyph)
        printer.setColorMode(QPrinter::Color);
    // The window's key handler sees no keys meanwhile: they go to the
    // modal dialog, which has the focus.
    const bool confirmed = printers_.RunPrintDialog(this);
    update();
    if (confirmed) {
        printer.setDocName(QFileInfo(QString::fromStdString(program_.Main.QrvFile)).fileName());
        program_.Main.PrinterOrientation =
            printer.pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1;
        PrintPage(printer);
    }
    program_.Page = PageGeometry(printer, program_.Main.PrinterOrientation);
    program_.Activity = ActivityState::Idle;
}

void FormMain::PrintPage(QPrinter& printer)
{
    const std::uint8_t orientation = program_.Main.PrinterOrientation;
    const PrintableArea area = PrintableRect(printer, orientation, program_.Main);
    const int width = area.Rect.Right - area.Rect.Left;
    const int height = area.Rect.Bottom - area.Rect.Top;
    const int centreX = area.Rect.Left + width / 2;
    const int centreY = area.Rect.Top + height / 2;
    ViewParameters& view = program_.View;
    const double printFactor =
        view.PixelsPerMetre > 0 ? area.PrinterPixelsPerMetre / view.PixelsPerMetre : 1.0;
    // The printer font's height in printer pixels, as a font of that many
    // points has it: negative, the cell height without internal leading.
    const int fontHeight = -static_cast<int>(
        std::lround(program_.Main.PrinterFontSize * area.DotsPerInchY / PointsPerInch));
    const std::string& fontName = program_.Main.PrinterFontName;
    const Language language = program_.Main.CurrentLanguage;
    const QString failure =
        Text(MainTexts::PrintFailed, language)
            .arg(printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName());

    if (width <= 0 || height <= 0) {
        QMessageBox::critical(this, QString::fromStdString(program_.ExeBaseName), failure);
        return;
    }
    ProjectLines(view, program_.Table, true, view.DrawFactor * printFactor);
    QString error;
    {
        QPainter painter;
        if (!painter.begin(&printer)) {
            error = failure;
        } else {
            try {
                if (view.ShowAnaglyph) {
                    // Print engines ignore raster operations, and the
                    // anaglyph lives by them: the page is drawn as pixels at
                    // the printer's resolution and goes to the printer
                    // without lossy compression, so the paper shows the
                    // screen's colours.
                    QtRasterCanvas page(width, height);
                    drawing_->DrawToCanvas(page, width, height, printFactor, centreX, centreY,
                                           {0, 0, width, height}, fontHeight, fontName);
                    painter.setRenderHint(QPainter::LosslessImageRendering);
                    painter.drawImage(area.Rect.Left, area.Rect.Top, page.Image());
                } else {
                    QtPainterCanvas page(painter);
                    drawing_->DrawToCanvas(page, width, height, printFactor, centreX, centreY,
                                           {area.Rect.Left, area.Rect.Top, width, height},
                                           fontHeight, fontName);
                }
                QCoreApplication::processEvents();
            } catch (const std::bad_alloc&) {
                error = failure + QLatin1Char('\n') + Text(MainTexts::OutOfMemory, language);
            }
            if (!painter.end() && error.isEmpty())
                error = failure;
        }
    }
    // A later resize or line-number toggle redraws the stored projection,
    // which must be the screen's, not the page's.
    drawing_->RestoreScreenProjection();
    if (!error.isEmpty())
        QMessageBox::critical(this, QString::fromStdString(program_.ExeBaseName), error);
}

}  // namespace quorvane
