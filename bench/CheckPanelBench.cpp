// The geometry checks in the program: the check panel brought up to date
// after one cell edit of a 100,000-line table (the checks' refresh and the
// list's model), and the main window's drawing with the markers of 1,000
// findings beside the plain drawing, each shown as the window shows it;
// the run prints their ratio.

#include "BenchModels.h"
#include "CheckListModel.h"
#include "CheckMarkers.h"
#include "DrawingOverlay.h"
#include "LiveChecks.h"
#include "OverlayPainter.h"
#include "Projection.h"
#include "QtTestSurface.h"
#include "WireFrameDrawing.h"

#include <QApplication>
#include <QPainter>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <random>

namespace quorvane::bench {
namespace {

// One coordinate typed anew, as the grid reports it, and the panel's list
// once the checks have followed.
template <void Fill(LineTable&)>
void PanelAfterOneCellEdit(benchmark::State& state)
{
    LineTable table;
    Fill(table);
    LiveChecks checks(table);
    CheckListModel list;
    QTableView view;
    view.setModel(&list);
    view.resize(460, 400);
    checks.TableReplaced();
    checks.SetUserFrequency(100.0);
    checks.RefreshNow();
    list.SetFindings(checks.Findings());
    std::mt19937 random(3);
    std::uniform_int_distribution<int> rows(1, table.LineCount);
    for (auto _ : state) {
        const int row = rows(random);
        table.Record(row).X2 += 0.01;
        checks.RowsChanged(row, row);
        checks.RefreshNow();
        list.SetFindings(checks.Findings());
    }
    state.counters["findings"] = double(list.rowCount());
}

constexpr int Width = 1920;
constexpr int Height = 1080;

// The main window's drawing of `lines` random lines, with 1,000 findings at
// their ends.
struct MarkedScene {
    explicit MarkedScene(int lines)
        : view(FrontView(Width, Height)), drawing(table, view, window)
    {
        FillTable(table, RandomSegments(lines, 20, 200, Width, Height), Width, Height);
        drawing.ImageWidth = Width;
        drawing.ImageHeight = Height;
        ComputeModelExtents(view, table);
        std::mt19937 random(5);
        std::uniform_int_distribution<int> rows(1, table.LineCount);
        for (int i = 0; i < 1000; ++i) {
            const LineRecord& r = table.Record(rows(random));
            CheckFinding finding;
            finding.Severity = i % 3 ? CheckSeverity::Warning : CheckSeverity::Error;
            finding.Place = {r.X1, r.Y1, r.Z1};
            findings.push_back(finding);
        }
    }
    // The drawing's image shown in the window, and the markers over it as
    // the window's overlay paints them.
    void Show(bool markers)
    {
        QPainter painter(&shown);
        if (!markers) {
            painter.drawImage(0, 0, window.image.Image());
            return;
        }
        OverlayLayer layer;
        AddCheckMarkers(layer, ScreenPlacement(table, view, Width, Height), findings,
                        view.WarningColor);
        painter.drawImage(0, 0, WithOverlayLines(window.image.Image(), layer, composed));
        PaintOverlayMarks(painter, layer);
    }
    LineTable table;
    ViewParameters view;
    testing::QtTestSurface window{Width, Height};
    WireFrameDrawing drawing;
    std::vector<CheckFinding> findings;
    QImage shown{Width, Height, QImage::Format_RGB32};
    QImage composed;
};

void Drawing(benchmark::State& state)
{
    MarkedScene scene(int(state.range(0)));
    for (auto _ : state) {
        scene.drawing.DrawWireFrame();
        scene.Show(false);
        benchmark::ClobberMemory();
    }
}

void DrawingWithMarkers(benchmark::State& state)
{
    MarkedScene scene(int(state.range(0)));
    for (auto _ : state) {
        scene.drawing.DrawWireFrame();
        scene.Show(true);
        benchmark::ClobberMemory();
    }
}

BENCHMARK_TEMPLATE(PanelAfterOneCellEdit, FillWireGrid)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(PanelAfterOneCellEdit, FillScattered)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Drawing)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(DrawingWithMarkers)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Keeps the medians so that the ratio of the two drawings can be printed.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    quorvane::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* lines : {"10000", "100000"}) {
        const auto plain = reporter.medians.find(std::string("Drawing/") + lines);
        const auto marked = reporter.medians.find(std::string("DrawingWithMarkers/") + lines);
        if (plain != reporter.medians.end() && marked != reporter.medians.end())
            std::cout << "drawing with 1,000 markers / plain drawing, " << lines
                      << " lines: " << marked->second / plain->second << " (at most 1.2)\n";
    }
    benchmark::Shutdown();
    return 0;
}
