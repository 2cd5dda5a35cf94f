// Undo and redo of a paste of 10,000 rows into a table that it fills to
// 100,000 lines, the most the table holds, and the memory the history keeps
// for it beside the rows' own size.

#include "BenchModels.h"
#include "DataFile.h"
#include "EditHistory.h"
#include "LineTable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr int PastedRows = 10000;
constexpr int PasteAt = 40001;

struct PasteScene {
    PasteScene() : file(table, settings, language, "Quorvane")
    {
        const fs::path path = fs::temp_directory_path() / "quorvane-history-bench.qrv";
        std::ofstream(path, std::ios::binary) << DataFileText(MaxCapacity);
        settings.SeparatorSet = StandardSeparatorSet();
        file.ReadDataFile(path.string());
        fs::remove(path);
        // The rows to paste come out of the file's own, so that they are as
        // large as read rows are.
        RowRange reached;
        pasted = table.TakeRows(1, PastedRows, reached);
        for (const RowContent& row : pasted)
            pastedBytes += row.MemoryBytes();
        std::vector<RowContent> rows = pasted;
        table.PutRows(PasteAt, std::move(rows), reached);
        EditStep step;
        step.Inserted(PasteAt, PastedRows);
        history.Record(std::move(step));
        table.Recount();
    }

    LineTable table;
    DataFileSettings settings;
    Language language = Language::English;
    DataFile file;
    EditHistory history;
    std::vector<RowContent> pasted;
    std::size_t pastedBytes = 0;
};

void ReportMemory(benchmark::State& state, PasteScene& scene)
{
    state.counters["history_after_paste_bytes"] = double(scene.history.MemoryBytes());
    scene.history.Undo(scene.table);
    state.counters["history_after_undo_MB"] = scene.history.MemoryBytes() / 1e6;
    state.counters["pasted_rows_MB"] = scene.pastedBytes / 1e6;
    state.counters["history_per_pasted_size"] =
        double(scene.history.MemoryBytes()) / double(scene.pastedBytes);
    scene.history.Redo(scene.table);
}

void UndoPasteBench(benchmark::State& state)
{
    PasteScene scene;
    for (auto _ : state) {
        scene.history.Undo(scene.table);
        scene.table.Recount();
        state.PauseTiming();
        scene.history.Redo(scene.table);
        scene.table.Recount();
        state.ResumeTiming();
    }
    if (scene.table.LineCount != MaxCapacity)
        state.SkipWithError("the table lost rows");
    ReportMemory(state, scene);
}

void RedoPasteBench(benchmark::State& state)
{
    PasteScene scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene.history.Undo(scene.table);
        scene.table.Recount();
        state.ResumeTiming();
        scene.history.Redo(scene.table);
        scene.table.Recount();
    }
    if (scene.table.LineCount != MaxCapacity)
        state.SkipWithError("the table lost rows");
    ReportMemory(state, scene);
}

BENCHMARK(UndoPasteBench)->Unit(benchmark::kMillisecond);
BENCHMARK(RedoPasteBench)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
