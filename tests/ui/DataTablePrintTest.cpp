#include "DataTableFixture.h"
#include "PdfPrinters.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QProcess>

#include <cstdio>

namespace quorvane::testing {
namespace {

// `rows` lines, row i from (i, 0, 0) to (i, 1, 0) with the supplement
// "w" and i in three digits, so that no row's text contains another's.
std::string NumberedLines(int rows)
{
    std::string model;
    for (int i = 1; i <= rows; ++i) {
        char supplement[8];
        std::snprintf(supplement, sizeof supplement, "w%03d", i);
        model += std::to_string(i) + ",0,0," + std::to_string(i) + ",1,0," + supplement + "\r\n";
    }
    return model;
}

class DataTablePrinting : public DataTableFixture {
protected:
    void StartPrintingOn(const std::string& model, const std::string& general = {},
                         bool printerAvailable = true)
    {
        auto pdf = std::make_unique<PdfPrinters>(QString::fromStdString(PdfPath()), 600, 4.2,
                                                 printerAvailable);
        pdfPrinter = pdf.get();
        printers = std::move(pdf);
        StartOn(model, general);
    }
    std::string PdfPath() const { return folder.Path("table.pdf"); }

    // The pages as a PDF reader reads their text, in their layout.
    QStringList PrintedPages(const std::string& path)
    {
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"),
                     {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
        if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext failed: " << reader.readAllStandardError().toStdString();
            return {};
        }
        QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    static QString LineWith(const QString& page, const QString& text)
    {
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (line.contains(text))
                return line.simplified();
        return {};
    }

    PdfPrinters* pdfPrinter = nullptr;
};

TEST_F(DataTablePrinting, TwoPagesRepeatTitleAndHeadersAndCarryEveryRowOnce)
{
    StartPrintingOn(NumberedLines(60));
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pdfPrinter->previews, 1);
    EXPECT_TRUE(dismissed.isEmpty()) << dismissed.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(pdfPrinter->orientationShown, QPageLayout::Landscape);

    const QStringList pages = PrintedPages(PdfPath());
    ASSERT_EQ(pages.size(), 2);
    for (int page = 1; page <= 2; ++page) {
        const QString& text = pages[page - 1];
        const QString title = LineWith(text, QStringLiteral("model.qrv"));
        EXPECT_TRUE(title.endsWith(QStringLiteral("Page %1 of 2").arg(page))) << title.toStdString();
        EXPECT_EQ(LineWith(text, QStringLiteral("x1")),
                  QStringLiteral("x1 y1 z1 x2 y2 z2 Supplement"));
    }
    // Every row exactly once, in order, with its row number and the numbers
    // as the table shows them.
    const QString all = pages.join(QString());
    int last = -1;
    for (int row = 1; row <= 60; ++row) {
        const QString supplement = QStringLiteral("w%1").arg(row, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(all.count(supplement), 1) << row;
        const int at = all.indexOf(supplement);
        EXPECT_GT(at, last) << row;
        last = at;
    }
    EXPECT_EQ(LineWith(pages[0], QStringLiteral("w001")),
              QStringLiteral("1 1.00 0.00 0.00 1.00 1.00 0.00 w001"));
    EXPECT_EQ(LineWith(pages[1], QStringLiteral("w060")),
              QStringLiteral("60 60.00 0.00 0.00 60.00 1.00 0.00 w060"));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("w040")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("w050")));
}

TEST_F(DataTablePrinting, TheOrientationsPageSetUpAppliesAndIsKeptWhenPrinted)
{
    // In portrait the longer sheet holds all 60 rows.
    StartPrintingOn(NumberedLines(60));
    pdfPrinter->orientationChosen = QPageLayout::Portrait;
    Table().SpeedButtonPrint->click();
    const QStringList pages = PrintedPages(PdfPath());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(LineWith(pages[0], QStringLiteral("model.qrv")).endsWith(QStringLiteral("Page 1 of 1")));
    EXPECT_EQ(program.Main.PrinterOrientation, 0);

    // A preview left without printing keeps the orientation there was.
    pdfPrinter->orientationChosen = QPageLayout::Landscape;
    pdfPrinter->confirm = false;
    Table().SpeedButtonPrint->click();
    EXPECT_EQ(program.Main.PrinterOrientation, 0);
}

TEST_F(DataTablePrinting, GermanPagesCutTextsThatDoNotFitAndLeaveEmptyCellsEmpty)
{
    const std::string longText(400, 'L');
    // Characters beyond Latin-1 print, also one the printer font lacks (the
    // diameter sign comes from another font).
    StartPrintingOn("1,2,3,4,5,6," + longText + "END\r\n,,,,,,\r\nabc,,,,,,only text\r\n"
                    "7,8,9,10,11,12,Maß α≤5 → ⌀2mm\r\n",
                    "Language=2\r\n");
    Press(Qt::Key_P, Qt::ControlModifier);
    const QStringList pages = PrintedPages(PdfPath());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(LineWith(pages[0], QStringLiteral("model.qrv")).endsWith(QStringLiteral("Seite 1 von 1")));
    EXPECT_EQ(LineWith(pages[0], QStringLiteral("x1")),
              QStringLiteral("x1 y1 z1 x2 y2 z2 Zusatz-Info"));
    const QString first = LineWith(pages[0], QStringLiteral("LLLL"));
    EXPECT_TRUE(first.startsWith(QStringLiteral("1 1.00 2.00 3.00 4.00 5.00 6.00 LLL"))) << first.toStdString();
    EXPECT_TRUE(first.endsWith(QString(QChar(0x2026)))) << first.toStdString();
    EXPECT_FALSE(pages[0].contains(QStringLiteral("END")));
    EXPECT_EQ(LineWith(pages[0], QStringLiteral("only text")), QStringLiteral("3 abc only text"));
    EXPECT_TRUE(LineWith(pages[0], QStringLiteral("Maß")).endsWith(QStringLiteral("Maß α≤5 → ⌀2mm")))
        << LineWith(pages[0], QStringLiteral("Maß")).toStdString();
}

TEST_F(DataTablePrinting, WithoutAPrinterThePreviewSavesAPdf)
{
    StartPrintingOn(NumberedLines(3), {}, false);
    EXPECT_FALSE(program.PrinterAvailable);
    EXPECT_TRUE(Table().SpeedButtonPrint->isEnabled());
    const std::string saved = folder.Path("kept table");
    pdfPrinter->inPreview = [&](QPrintPreviewDialog& preview) {
        QAction* save = preview.findChild<QAction*>(QStringLiteral("SaveAsPdf"));
        if (!save) {
            ADD_FAILURE() << "no Save as PDF in the preview";
            return false;
        }
        EXPECT_EQ(save->text(), QStringLiteral("Save as PDF"));
        fileChoices.push_back(QString::fromStdString(saved));
        save->trigger();
        return preview.result() == QDialog::Accepted;
    };
    Press(Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].title, QStringLiteral("Save data table as PDF"));
    EXPECT_TRUE(fileDialogs[0].proposed.endsWith(QStringLiteral("model.pdf")));
    // The extension the name lacked is added.
    const QStringList pages = PrintedPages(saved + ".pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(LineWith(pages[0], QStringLiteral("w003")),
              QStringLiteral("3 3.00 0.00 0.00 3.00 1.00 0.00 w003"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PdfPath())));  // the printer printed nothing
}

}  // namespace
}  // namespace quorvane::testing
