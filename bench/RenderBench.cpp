// quorvane-render as scripts run it: a thousand small models (50 lines
// each) to PNG pictures in one run, by one worker and by two, and a booklet
// of a hundred of them; and as file managers run it, the thumbnails of the
// sample and of a model of 100,000 lines. Each run is one process, start-up
// included.

#include "BenchModels.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr int ModelCount = 1000;
constexpr int BookletModels = 100;
constexpr int LinesPerModel = 50;

// Models of 50 random lines within 4 x 3 m, each file different.
class ModelFolder {
public:
    ModelFolder()
    {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("quorvane-render-bench-" + std::to_string(random()));
        fs::create_directories(root_ / "models");
        for (int i = 0; i < ModelCount; ++i) {
            const std::string name = (root_ / "models" / ("model" + std::to_string(i) + ".qrv")).string();
            std::ofstream(name, std::ios::binary)
                << SegmentFileText(RandomSegments(LinesPerModel, 20, 200, 400, 300, unsigned(i + 1)),
                                   0.01, 400, 300);
            files_.push_back(name);
        }
    }
    ~ModelFolder()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    std::vector<std::string> Files(int count) const
    {
        return {files_.begin(), files_.begin() + count};
    }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }

private:
    fs::path root_;
    std::vector<std::string> files_;
};

const ModelFolder& Models()
{
    static const ModelFolder folder;
    return folder;
}

// Runs the program without a display; its exit status.
int RunRender(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), QUORVANE_BUILD_DIR "/quorvane-render");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        const std::string text = *variable;
        if (!text.starts_with("DISPLAY=") && !text.starts_with("WAYLAND_DISPLAY="))
            variables.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void ThousandModelsToPng(benchmark::State& state)
{
    std::vector<std::string> arguments = {"--output-dir", Models().Path("pictures"), "--jobs",
                                          std::to_string(state.range(0))};
    for (const std::string& file : Models().Files(ModelCount))
        arguments.push_back(file);
    for (auto _ : state)
        if (RunRender(arguments) != 0)
            state.SkipWithError("quorvane-render failed");
    state.counters["pictures/s"] =
        benchmark::Counter(double(ModelCount) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BookletOfHundredModels(benchmark::State& state)
{
    std::vector<std::string> arguments = {"--booklet", Models().Path("booklet.pdf")};
    if (state.range(0) != 0)
        arguments.push_back("--anaglyph");
    for (const std::string& file : Models().Files(BookletModels))
        arguments.push_back(file);
    for (auto _ : state)
        if (RunRender(arguments) != 0)
            state.SkipWithError("quorvane-render failed");
    std::error_code ec;
    state.counters["MB"] = double(fs::file_size(Models().Path("booklet.pdf"), ec)) / 1e6;
}

// The processor time the finished child processes took, in seconds.
double ChildrenProcessorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The thumbnailer entry's command, as a file manager runs it. Beside the
// time from start to end, the processor time of the program: on a machine
// busy with other work the first grows, the second hardly.
void Thumbnail(benchmark::State& state, const std::string& model)
{
    const std::vector<std::string> arguments = {"--thumbnail", "-s", "256", model,
                                                Models().Path("thumbnail.png")};
    const double before = ChildrenProcessorSeconds();
    for (auto _ : state)
        if (RunRender(arguments) != 0)
            state.SkipWithError("quorvane-render failed");
    state.counters["cpu_ms"] = benchmark::Counter(
        (ChildrenProcessorSeconds() - before) * 1000 / double(state.iterations()));
}

void ThumbnailOfTheSample(benchmark::State& state)
{
    Thumbnail(state, QUORVANE_SAMPLES_DIR "/Yagi antenna.qrv");
}

void ThumbnailOfHundredThousandLines(benchmark::State& state)
{
    static const std::string model = [] {
        const std::string name = Models().Path("large.qrv");
        std::ofstream(name, std::ios::binary)
            << SegmentFileText(RandomSegments(100000, 20, 200, 400, 300, 7), 0.01, 400, 300);
        return name;
    }();
    Thumbnail(state, model);
}

BENCHMARK(ThumbnailOfTheSample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ThumbnailOfHundredThousandLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ThousandModelsToPng)->ArgName("jobs")->Arg(1)->Arg(2)
    ->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BookletOfHundredModels)->ArgName("anaglyph")->Arg(0)->Arg(1)
    ->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
