// One tick of the rotation timer with a model of 100,000 lines, 20 to 200
// pixels long on the screen, in a main window of 1920 x 1080: azimuth step,
// matrices, projection, drawing, and the image put on the screen.

#include "BenchModels.h"
#include "ImageView.h"
#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>

namespace quorvane::bench {
namespace {

void RotationTick(benchmark::State& state)
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    const QString model = folder.filePath(QStringLiteral("large.qrv"));
    // At 1 : 1000 on a screen 0.3 m wide, one pixel is this many model metres.
    ProgramState screen;
    ReadScreenMetrics(screen);
    const double metresPerPixel = 0.3 * 1000 / screen.View.VirtualScreenWidth;
    std::ofstream(model.toStdString(), std::ios::binary)
        << SegmentFileText(RandomSegments(100000, 20, 200, 1800, 1000), metresPerPixel, 1800, 1000);
    QDir().mkpath(folder.filePath(QStringLiteral("config/Tallomar/Quorvane")));
    std::ofstream(folder.filePath(QStringLiteral("config/Tallomar/Quorvane/Quorvane.ini")).toStdString())
        << "[General]\r\nShowLineNumbers=0\r\n[FormMain]\r\nLeft=0\r\nTop=0\r\nWidth=1920\r\n"
           "Height=1080\r\n[Scales]\r\nScale=1000\r\nScale1=1000\r\n";

    ProgramState program;
    ReadScreenMetrics(program);
    ProgramWindows windows(program, folder.filePath(QStringLiteral("Quorvane")), {model});
    FormMain& window = windows.Main();
    // The window as large as a full-HD screen, whatever screen the bench runs on.
    window.setGeometry(0, 0, 1920, 1080);
    QApplication::processEvents();
    if (program.Table.LineCount != 100000)
        state.SkipWithError("the model was not read");
    for (auto _ : state) {
        window.TimerRotateAzimuthOnTimer();
        window.Image->repaint();
    }
    state.counters["image_width"] = window.Image->DeviceWidth();
    state.counters["image_height"] = window.Image->DeviceHeight();
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    benchmark::RegisterBenchmark("RotationTick/100k lines/1920x1080", quorvane::bench::RotationTick)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
