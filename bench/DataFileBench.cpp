// Reads and writes a data file of 100,000 lines (six numbers and a
// supplement each) through the line table, as the program does.

#include "BenchModels.h"
#include "DataFile.h"
#include "LineTable.h"
#include "NecDeck.h"
#include "NecDeckWriter.h"
#include "Projection.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

// Extents follow every read, as the main window has them computed.
class ExtentsAfterRead : public DataFileEvents {
public:
    ExtentsAfterRead(ViewParameters& view, const LineTable& table) : view_(view), table_(table) {}
    void SetFileCaptions(const std::string&) override {}
    void ResizeDataTable() override {}
    void ModelChanged() override { ComputeModelExtents(view_, table_); }
    void ShowFileError(const std::string& message) override { throw std::runtime_error(message); }
    SaveAnswer AskSaveChanges(const std::string&, const std::string&) override
    {
        return SaveAnswer::No;
    }

private:
    ViewParameters& view_;
    const LineTable& table_;
};

struct FileScene {
    FileScene()
        : folder(fs::temp_directory_path() / "quorvane-bench"),
          file(table, settings, language, "Quorvane")
    {
        fs::create_directories(folder);
        path = (folder / "large.qrv").string();
        std::ofstream(path, std::ios::binary) << DataFileText(100000);
        settings.SeparatorSet = StandardSeparatorSet();
        file.SetEvents(&events);
    }
    ~FileScene() { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
    LineTable table;
    DataFileSettings settings;
    Language language = Language::English;
    ViewParameters view;
    ExtentsAfterRead events{view, table};
    DataFile file;
};

void ReadDataFileBench(benchmark::State& state)
{
    FileScene scene;
    for (auto _ : state)
        scene.file.ReadDataFile(scene.path);
    if (scene.table.LineCount != 100000)
        state.SkipWithError("the file was not read whole");
}

void WriteDataFileBench(benchmark::State& state)
{
    FileScene scene;
    scene.file.ReadDataFile(scene.path);
    const std::string target = (scene.folder / "written.qrv").string();
    for (auto _ : state)
        scene.file.WriteDataFile(target);
}

// A deck of 100,000 straight wires in free form, as simulators write them.
void ImportNecDeckBench(benchmark::State& state)
{
    std::string deck = "CM 100000 wires\nCE\n";
    for (int i = 1; i <= 100000; ++i) {
        const double x = i * 0.01;
        deck += "GW " + std::to_string(i) + " 11 " + std::to_string(x) + " -0.5 1.25 " +
                std::to_string(x) + " 0.5 1.75 0.001\n";
    }
    deck += "GE 0\nEN\n";
    std::size_t wires = 0;
    for (auto _ : state)
        wires = ImportNecDeck(deck).Wires.size();
    if (wires != 100000)
        state.SkipWithError("the deck was not read whole");
}

// A symbolic deck of 100,000 wires as the deck writer gives one back: an SY
// card before every hundred wires, and every field of every GW card an
// expression of the symbols.
void ImportSymbolicNecDeckBench(benchmark::State& state)
{
    std::string deck = "CM 100000 wires with symbols\nCE\nSY len=0.5, h=1.25, r=1mm\n";
    for (int i = 1; i <= 100000; ++i) {
        if (i % 100 == 1)
            deck += "SY x0=" + std::to_string(i / 100) + ", n=int(len*20)+1\n";
        const std::string x = "x0+" + std::to_string(i % 100) + "*0.01";
        deck += "GW " + std::to_string(i) + " n " + x + " -len/2 h " + x + " len/2 h+len/2 r*sqr(2)\n";
    }
    deck += "GE 0\nEN\n";
    std::size_t wires = 0;
    for (auto _ : state)
        wires = ImportNecDeck(deck).Wires.size();
    if (wires != 100000)
        state.SkipWithError("the deck was not read whole");
}

// The same table written back as a deck, as Save with the deck type does.
void MakeNecDeckBench(benchmark::State& state)
{
    FileScene scene;
    scene.file.ReadDataFile(scene.path);
    int written = 0;
    for (auto _ : state)
        written = MakeNecDeck(scene.table, "large.nec").WrittenLines;
    if (written != scene.table.CompleteLineCount)
        state.SkipWithError("not every line became a card");
}

// A helix of 100,000 chords imported from a deck and written back: nearly
// every coordinate has more digits than its columns hold and is rounded.
void MakeNecDeckRoundedBench(benchmark::State& state)
{
    FileScene scene;
    const std::string deck = (scene.folder / "helix.nec").string();
    std::ofstream(deck, std::ios::binary) << "GH 1 100000 0.05 5000 1 1 1.5 1.5 0.001\nGE 0\nEN\n";
    scene.file.ImportNecFile(deck, (scene.folder / "helix.qrv").string());
    int written = 0;
    for (auto _ : state)
        written = MakeNecDeck(scene.table, "helix.nec").WrittenLines;
    if (written != 100000)
        state.SkipWithError("not every chord became a card");
}

BENCHMARK(ReadDataFileBench)->Name("ReadDataFile/100k lines")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportNecDeckBench)->Name("ImportNecDeck/100k GW cards")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportSymbolicNecDeckBench)
    ->Name("ImportNecDeck/100k GW cards with symbols and expressions")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDataFileBench)->Name("WriteDataFile/100k lines")->Unit(benchmark::kMillisecond);
BENCHMARK(MakeNecDeckBench)->Name("MakeNecDeck/100k lines")->Unit(benchmark::kMillisecond);
BENCHMARK(MakeNecDeckRoundedBench)
    ->Name("MakeNecDeck/100k helix chords, rounded")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
