// The data table with 100,000 lines: opening the file until the grid shows
// it, one committed cell edit until the main window shows the drawing, and
// undo and redo of a paste of 10,000 rows through the window's change path
// until the drawing shows them.

#include "DataTableScene.h"
#include "DataTableGrid.h"
#include "FormDataTable.h"
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

// 10,000 rows taken out of the 100,000-line file and put back in one step,
// as a paste of them would: the table is full again.
void PasteScene(DataTableScene& scene)
{
    scene.Table().ReadFile(scene.largeFile);
    LineTable& table = scene.program.Table;
    RowRange reached;
    std::vector<RowContent> pasted = table.TakeRows(1, 10000, reached);
    table.Recount();
    scene.Table().Changes().Restart(true);
    scene.Table().Changes().Insert(40001, std::move(pasted));
}

void UndoPaste(benchmark::State& state, bool redo)
{
    DataTableScene scene(11, DataTableScene::Model::ScreenSized);
    PasteScene(scene);
    FormDataTable& window = scene.Table();
    const std::size_t afterPaste = window.Changes().History().MemoryBytes();
    // The other half of each round is not timed.
    const auto timed = [&] {
        if (redo)
            window.SpeedButtonRedoOnClick();
        else
            window.SpeedButtonUndoOnClick();
        scene.Main().Image->repaint();
    };
    const auto untimed = [&] {
        if (redo)
            window.SpeedButtonUndoOnClick();
        else
            window.SpeedButtonRedoOnClick();
    };
    for (auto _ : state) {
        state.PauseTiming();
        if (redo)
            untimed();
        state.ResumeTiming();
        timed();
        state.PauseTiming();
        if (!redo)
            untimed();
        state.ResumeTiming();
    }
    if (scene.program.Table.LineCount != 100000)
        state.SkipWithError("the table lost rows");
    window.SpeedButtonUndoOnClick();
    state.counters["history_after_paste_bytes"] = double(afterPaste);
    state.counters["history_after_undo_MB"] = window.Changes().History().MemoryBytes() / 1e6;
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
    benchmark::RegisterBenchmark("DataTable/undo paste of 10k rows in 100k lines",
                                 quorvane::bench::UndoPaste, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DataTable/redo paste of 10k rows in 100k lines",
                                 quorvane::bench::UndoPaste, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
