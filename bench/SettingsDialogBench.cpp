// The settings dialog opened on its printer page with a 100,000-line model:
// every list filled and the page preview drawn, until the dialog is shown.

#include "DataTableScene.h"
#include "FormSettings.h"
#include "PdfPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace quorvane::bench {
namespace {

void OpenSettingsDialog(benchmark::State& state)
{
    QTemporaryDir output;
    DataTableScene scene(11, DataTableScene::Model::ScreenSized,
                         std::make_unique<PdfPrinter>(output.filePath(QStringLiteral("p.pdf"))));
    scene.Table().ReadFile(scene.largeFile);
    FormSettings& dialog = scene.windows->Settings();
    dialog.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 shown = 0;
        // Measured from the click until the dialog stands on the screen,
        // then closed without counting the close.
        QTimer::singleShot(0, [&] {
            shown = clock.nsecsElapsed();
            dialog.ButtonCancel->click();
        });
        clock.start();
        scene.Main().SpeedButtonSettings->click();
        state.SetIterationTime(double(shown) * 1e-9);
    }
    if (dialog.PreviewImages[1]->pixmap().isNull())
        state.SkipWithError("no preview was drawn");
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    benchmark::RegisterBenchmark("Settings/open the dialog on its printer page, 100k lines",
                                 quorvane::bench::OpenSettingsDialog)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
