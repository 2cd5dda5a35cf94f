// The file association at a start when it is in place already: a few small
// file comparisons, nothing written and no program run.

#include "UnitAssociateFileExt.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace quorvane::bench {
namespace {

void AssociationInPlace(benchmark::State& state)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "quorvane-association-bench";
    AssociationPlaces places;
    places.DataHome = (root / "data").string();
    places.ConfigHome = (root / "config").string();
    places.DataDirs = AssociationPlacesFromEnvironment().DataDirs;
    int commands = 0;
    const RunCommand count = [&](const std::vector<std::string>&) { ++commands; };
    AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane", "/opt/quorvane/Quorvane", places,
                     nullptr, count);
    commands = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane",
                                                  "/opt/quorvane/Quorvane", places, nullptr, count));
    if (commands != 0)
        state.SkipWithError("a start in place ran the cache updates");
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace quorvane::bench

BENCHMARK(quorvane::bench::AssociationInPlace)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
