// Imports an MMANA file that fills the line table's 100,000 rows into it and
// writes the table back as an MMANA file, as the program opens and saves
// one: 99,993 wires beside the seven rows of its title, frequency, source,
// load, segmentation and ground.

#include "DataFile.h"
#include "FileAccess.h"
#include "LineTable.h"
#include "MaaFile.h"
#include "MaaFileWriter.h"
#include "Projection.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr int Wires = 99993;

// Extents follow every import, as the main window has them computed.
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

// Wires as MMANA writes them, most left to its own segmentation.
std::string MaaText()
{
    std::string text = "A full table\r\n*\r\n14.2\r\n***Wires***\r\n" +
                       std::to_string(Wires) + "\r\n";
    for (int i = 1; i <= Wires; ++i) {
        const std::string x = std::to_string(i * 0.01);
        text += x + ",\t-2.65,\t10.0,\t" + x + ",\t2.65,\t10.5,\t8.000e-04,\t" +
                (i % 10 == 0 ? "21" : "-1") + "\r\n";
    }
    text += "***Source***\r\n1,\t1\r\nw1c,\t0.0,\t1.0\r\n***Load***\r\n0,\t1\r\n"
            "***Segmentation***\r\n800,\t80,\t2.0,\t2\r\n"
            "***G/H/M/R/AzEl/X***\r\n0,\t0.0,\t0,\t50.0,\t120,\t60,\t0.0\r\n";
    return text;
}

struct MaaScene {
    MaaScene() : folder(fs::temp_directory_path() / "quorvane-maa-bench")
    {
        fs::create_directories(folder);
        path = (folder / "large.maa").string();
        std::ofstream(path, std::ios::binary) << MaaText();
        file.SetEvents(&events);
    }
    ~MaaScene() { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
    LineTable table;
    DataFileSettings settings;
    Language language = Language::English;
    ViewParameters view;
    ExtentsAfterRead events{view, table};
    DataFile file{table, settings, language, "Quorvane"};
};

void ImportMaaFileBench(benchmark::State& state)
{
    MaaScene scene;
    for (auto _ : state)
        scene.file.ImportMaaFile(scene.path, (scene.folder / "large.qrv").string());
    if (scene.table.CompleteLineCount != Wires)
        state.SkipWithError("the file was not read whole");
}

void WriteMaaFileBench(benchmark::State& state)
{
    MaaScene scene;
    scene.file.ImportMaaFile(scene.path, (scene.folder / "large.qrv").string());
    const std::string target = (scene.folder / "written.maa").string();
    int written = 0;
    for (auto _ : state) {
        const MaaFileText text = MakeMaaFile(scene.table, "written.maa");
        written = text.WrittenLines;
        if (ReplaceFileContents(target, text.Text, false) != 0)
            state.SkipWithError("the file could not be written");
    }
    if (written != Wires)
        state.SkipWithError("not every line became a wire");
}

BENCHMARK(ImportMaaFileBench)->Name("ImportMaaFile/100k rows")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteMaaFileBench)->Name("WriteMaaFile/100k rows")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
