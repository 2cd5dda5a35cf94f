// The geometry checks on 100,000 lines: all of them at once, and the update
// after one edited cell.

#include "BenchModels.h"
#include "GeometryChecker.h"
#include "LineTable.h"

#include <benchmark/benchmark.h>

#include <random>

namespace quorvane::bench {
namespace {

const CheckConditions At100MHz{100.0, false};

void AllChecksWireGrid(benchmark::State& state)
{
    LineTable table;
    FillWireGrid(table);
    std::size_t findings = 0;
    for (auto _ : state)
        findings = CheckGeometry(table, At100MHz).size();
    state.counters["findings"] = double(findings);
}

void AllChecksScattered(benchmark::State& state)
{
    LineTable table;
    FillScattered(table);
    std::size_t findings = 0;
    for (auto _ : state)
        findings = CheckGeometry(table, At100MHz).size();
    state.counters["findings"] = double(findings);
}

// One coordinate typed anew, in turn moving a wire off its node and back,
// and the findings the panel lists afterwards.
template <void Fill(LineTable&)>
void OneCellEdit(benchmark::State& state)
{
    LineTable table;
    Fill(table);
    GeometryChecker checker;
    checker.Load(table, At100MHz);
    checker.Findings();
    std::mt19937 random(3);
    std::uniform_int_distribution<int> rows(1, table.LineCount);
    std::size_t findings = 0;
    for (auto _ : state) {
        const int row = rows(random);
        table.Record(row).X2 += 0.01;
        const int changed[] = {row};
        checker.UpdateRows(table, changed);
        findings = checker.Findings().size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = double(findings);
}

BENCHMARK(AllChecksWireGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(AllChecksScattered)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(OneCellEdit, FillWireGrid)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(OneCellEdit, FillScattered)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
