// The geometry checks on 100,000 lines: all of them at once, and the update
// after one edited cell.

#include "GeometryChecker.h"
#include "LineTable.h"
#include "NecDeck.h"

#include <benchmark/benchmark.h>

#include <random>

namespace quorvane::bench {
namespace {

void AddTableLine(LineTable& table, int row, std::array<double, 6> c, const std::string& supplement)
{
    if (row > table.Capacity())
        table.SetCapacity(row);
    LineRecord& r = table.Record(row);
    for (int column = 1; column <= 6; ++column)
        r.Coordinate(column) = c[column - 1];
    r.Complete = true;
    table.SetCellText(1, row, "x");
    table.SetCellText(7, row, supplement);
}

// A wire grid of 224 x 224 meshes of 0.25 m, 99,904 wires of one segment,
// as large conducting surfaces are modelled: sound at 100 MHz, with four
// wires meeting at every inner node.
void FillWireGrid(LineTable& table)
{
    constexpr int nodes = 224;
    constexpr double mesh = 0.25;
    table.SetCapacity(2 * nodes * (nodes - 1));
    int row = 0;
    for (int i = 0; i < nodes; ++i)
        for (int j = 0; j + 1 < nodes; ++j) {
            ++row;
            AddTableLine(table, row, {i * mesh, j * mesh, 5, i * mesh, (j + 1) * mesh, 5},
                         NecSupplement(row, 1, 0.001));
            ++row;
            AddTableLine(table, row, {j * mesh, i * mesh, 5, (j + 1) * mesh, i * mesh, 5},
                         NecSupplement(row, 1, 0.001));
        }
    table.Recount();
}

// 100,000 lines of 0.1 to 1 m scattered through a 60 m cube, half with wire
// data: a model with every kind of finding now and then.
void FillScattered(LineTable& table)
{
    constexpr int lines = 100000;
    table.SetCapacity(lines);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(0, 60), step(-0.6, 0.6);
    for (int row = 1; row <= lines; ++row) {
        const double x = place(random), y = place(random), z = place(random);
        AddTableLine(table, row, {x, y, z, x + step(random), y + step(random), z + step(random)},
                     row % 2 ? NecSupplement(row, 3, 0.002) : std::string());
    }
    table.Recount();
}

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
