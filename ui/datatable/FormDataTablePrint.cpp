#include "FormDataTable.h"

#include "DataTableTexts.h"
#include "FileDialogs.h"
#include "PrinterSource.h"
#include "SvgPictures.h"
#include "TablePrinter.h"
#include "UnitLanguage.h"
#include "UnitPrinter.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

namespace quorvane {

namespace {

std::uint8_t OrientationOf(const QPrinter& printer)
{
    return printer.pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1;
}

}  // namespace

void FormDataTable::SpeedButtonPrintOnClick()
{
    editing_->FinishEdit();
    program_.Activity = ActivityState::Printing;
    const Language language = program_.Main.CurrentLanguage;
    QPrinter& printer = printers_.Printer();
    printer.setPageOrientation(program_.Main.PrinterOrientation == 0 ? QPageLayout::Portrait
                                                                     : QPageLayout::Landscape);
    printer.setDocName(QFileInfo(QString::fromStdString(program_.Main.QrvFile)).fileName());
    {
        QPrintPreviewDialog preview(&printer, this);
        preview.setWindowTitle(Text(DataTableTexts::PrintPreviewTitle, language));
        if (const QScreen* screen = this->screen())
            preview.resize(screen->availableGeometry().size() * 3 / 4);
        // The preview asks again whenever the user turns the page in it.
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* target) { PrintTable(*target); });
        AddSavePdfAction(preview);
        // The orientation printed with is the one to keep.
        if (printers_.RunPrintPreview(preview))
            program_.Main.PrinterOrientation = OrientationOf(printer);
    }
    if (program_.PrinterAvailable)
        program_.Page = PageGeometry(printer, program_.Main.PrinterOrientation);
    program_.Activity = ActivityState::Idle;
}

bool FormDataTable::PrintTable(QPrinter& printer)
{
    const Language language = program_.Main.CurrentLanguage;
    // The page set-up of the printer page: the margins of the orientation
    // in use and the printer font.
    const PrintableArea area = PrintableRect(printer, OrientationOf(printer), program_.Main);
    QFont font(QString::fromStdString(program_.Main.PrinterFontName));
    font.setPointSize(std::max(1, program_.Main.PrinterFontSize));

    TablePrintTexts texts;
    texts.Title = printer.docName();
    texts.PageNumbers = Text(DataTableTexts::PageNumbers, language);
    static constexpr const char* Coordinates[] = {"x1", "y1", "z1", "x2", "y2", "z2"};
    for (int column = 0; column < 6; ++column)
        texts.Headers[column] = QString::fromLatin1(Coordinates[column]);
    texts.Headers[6] = Text(DataTableTexts::SupplementHeader, language);

    if (TablePrinter(program_.Table, texts).Print(printer, area.Rect, font) > 0)
        return true;
    const QString target =
        printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
    QMessageBox::critical(MessageParent(this), QString::fromStdString(program_.ExeBaseName),
                          Text(DataTableTexts::PrintTableFailed, language).arg(target));
    return false;
}

void FormDataTable::AddSavePdfAction(QPrintPreviewDialog& preview)
{
    // Also without a printer, what the preview shows can be kept as a file.
    auto* toolbar = preview.findChild<QToolBar*>();
    if (!toolbar)
        return;
    toolbar->addSeparator();
    QAction* save = toolbar->addAction(
        SvgIcon(QStringLiteral(":/icons/SavePdf.svg"), toolbar->iconSize()),
        Text(DataTableTexts::SavePdfAction, program_.Main.CurrentLanguage));
    save->setObjectName(QStringLiteral("SaveAsPdf"));
    connect(save, &QAction::triggered, &preview, [this, &preview] { SaveTableAsPdf(preview); });
}

void FormDataTable::SaveTableAsPdf(QPrintPreviewDialog& preview)
{
    const Language language = program_.Main.CurrentLanguage;
    SaveDialogRequest request;
    request.Title = Text(DataTableTexts::SavePdfTitle, language);
    request.TypeList = Text(DataTableTexts::PdfFilter, language);
    request.DefaultSuffix = QStringLiteral("pdf");
    request.ProposedPath =
        WithExtension(QString::fromStdString(program_.Main.QrvFile), QStringLiteral(".pdf"));
    const std::optional<SaveDialogChoice> choice = RunSaveDialog(&preview, request);
    if (!choice)
        return;
    const QPrinter& shown = *preview.printer();
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(WithExtension(choice->Path, QStringLiteral(".pdf")));
    pdf.setPageLayout(shown.pageLayout());
    pdf.setDocName(shown.docName());
    if (PrintTable(pdf))
        preview.accept();
}

}  // namespace quorvane
