// Pictures and pages of a 100,000-line drawing: the copy to the clipboard
// with all its formats, the metafile written to a file, and an anaglyph
// page printed at 600 dpi into a PDF; and the data table of 100,000 rows
// printed as paged rows into a PDF.

#include "DataTableScene.h"
#include "DrawingPictures.h"
#include "FileAccess.h"
#include "LiveChecks.h"
#include "PdfPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace quorvane::bench {
namespace {

using Model = DataTableScene::Model;

void LoadModel(DataTableScene& scene, bool lineNumbers)
{
    scene.Table().ReadFile(scene.largeFile);
    if (lineNumbers)
        scene.Main().SpeedButtonShowLineNumbers->click();
}

void CopyToClipboard(benchmark::State& state, bool lineNumbers)
{
    DataTableScene scene(11, Model::ScreenSized);
    LoadModel(scene, lineNumbers);
    for (auto _ : state)
        scene.Main().SpeedButtonCopy->click();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    if (!clipboard || !clipboard->hasImage() || !clipboard->hasFormat(QStringLiteral("image/emf")))
        state.SkipWithError("nothing on the clipboard");
    else {
        state.counters["EMF MB"] = clipboard->data(QStringLiteral("image/emf")).size() / 1e6;
        state.counters["SVG MB"] = clipboard->data(QStringLiteral("image/svg+xml")).size() / 1e6;
    }
}

void WriteMetafile(benchmark::State& state, bool lineNumbers)
{
    DataTableScene scene(11, Model::ScreenSized);
    LoadModel(scene, lineNumbers);
    const std::string path = scene.folder.filePath(QStringLiteral("drawing.emf")).toStdString();
    PictureScreen screen;
    PictureKinds kinds;
    kinds.Bitmap = false;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const DrawingPictures pictures =
            MakeDrawingPictures(scene.Main().Drawing(), scene.program, screen, kinds);
        if (ReplaceFileContents(path, {pictures.Metafile.constData(),
                                       std::size_t(pictures.Metafile.size())}, false) != 0)
            state.SkipWithError("the metafile was not written");
        bytes = std::filesystem::file_size(path);
    }
    state.counters["MB"] = bytes / 1e6;
}

void PrintAnaglyphPage(benchmark::State& state)
{
    QTemporaryDir output;
    const QString pdf = output.filePath(QStringLiteral("page.pdf"));
    DataTableScene scene(11, Model::ScreenSized, std::make_unique<PdfPrinter>(pdf));
    LoadModel(scene, false);
    // The print's progress lets events through; the geometry checks of the
    // model just read would run inside the timing and be counted as printing.
    scene.Table().Checks().RefreshNow();
    scene.Main().SpeedButtonShowAnaglyph->click();
    for (auto _ : state)
        scene.Main().SpeedButtonPrint->click();
    if (!std::filesystem::exists(pdf.toStdString()))
        state.SkipWithError("nothing was printed");
    else
        state.counters["PDF MB"] = std::filesystem::file_size(pdf.toStdString()) / 1e6;
}

// The page count as a PDF reader sees it.
int PdfPages(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000) || info.exitCode() != 0)
        return 0;
    const QRegularExpression pagesLine(QStringLiteral("Pages:\\s+(\\d+)"));
    const QRegularExpressionMatch pages =
        pagesLine.match(QString::fromUtf8(info.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

// With the printer page's defaults: A4 in landscape, 10 point Arial.
void PrintDataTable(benchmark::State& state)
{
    QTemporaryDir output;
    const QString pdf = output.filePath(QStringLiteral("table.pdf"));
    DataTableScene scene(11, Model::ScreenSized, std::make_unique<PdfPrinter>(pdf));
    LoadModel(scene, false);
    // The print's progress lets events through; the geometry checks of the
    // model just read would run inside the timing and be counted as printing.
    scene.Table().Checks().RefreshNow();
    for (auto _ : state)
        scene.Table().SpeedButtonPrintOnClick();
    state.counters["pages"] = PdfPages(pdf);
    if (!std::filesystem::exists(pdf.toStdString()))
        state.SkipWithError("nothing was printed");
    else
        state.counters["PDF MB"] = std::filesystem::file_size(pdf.toStdString()) / 1e6;
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    using namespace quorvane::bench;
    benchmark::RegisterBenchmark("Export/copy 100k lines to the clipboard", CopyToClipboard, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Export/copy 100k lines to the clipboard/line numbers",
                                 CopyToClipboard, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Export/metafile file of 100k lines", WriteMetafile, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Export/metafile file of 100k lines/line numbers", WriteMetafile,
                                 true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Print/anaglyph page of 100k lines at 600 dpi to PDF",
                                 PrintAnaglyphPage)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Print/data table of 100k rows to PDF", PrintDataTable)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
