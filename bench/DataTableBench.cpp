// The data table with 100,000 lines: opening the file until the grid shows
// it, and one committed cell edit until the main window shows the drawing.

#include "DataTableScene.h"
#include "DataTableGrid.h"
#include "ImageView.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace quorvane::bench {
namespace {

void OpenLargeFile(benchmark::State& state)
{
    DataTableScene scene;
    for (auto _ : state) {
        scene.Table().ReadFile(scene.largeFile);
        scene.Table().StringGrid->viewport()->repaint();
        scene.Main().Image->repaint();
    }
    if (scene.program.Table.LineCount != 100000)
        state.SkipWithError("the file was not read");
}

void CommittedCellEdit(benchmark::State& state, DataTableScene::Model model)
{
    DataTableScene scene(11, model);
    scene.Table().ReadFile(scene.largeFile);
    DataTableGrid& grid = *scene.Table().StringGrid;
    scene.Table().activateWindow();
    grid.setFocus();
    const int row = 50000;
    int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetCurrentCell(1, row);
        QTest::keyClick(&grid, static_cast<char>('1' + value++ % 9));
        state.ResumeTiming();
        // Leaving the cell commits the text: parse, recount, extents, drawing.
        grid.SetCurrentCell(2, row);
        scene.Main().Image->repaint();
    }
    if (scene.program.Table.Record(row).X1 == Undefined)
        state.SkipWithError("the edit was not committed");
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    benchmark::RegisterBenchmark("DataTable/open 100k-line file until shown",
                                 quorvane::bench::OpenLargeFile)
        ->Unit(benchmark::kMillisecond);
    using Model = quorvane::bench::DataTableScene::Model;
    benchmark::RegisterBenchmark("DataTable/committed cell edit in 100k lines/20-200px",
                                 quorvane::bench::CommittedCellEdit, Model::ScreenSized)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DataTable/committed cell edit in 100k lines/wide random",
                                 quorvane::bench::CommittedCellEdit, Model::WideRandom)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
