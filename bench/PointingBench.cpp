// Pointing at a drawing of 100,000 random lines on a 1920 x 1080 image:
// the hit test's questions and its building after a drawing, and a redraw
// with 1,000 lines highlighted against the plain redraw, both painted as the
// window paints them.

#include "BenchModels.h"
#include "DrawingOverlay.h"
#include "LineHitTest.h"
#include "OverlayPainter.h"
#include "Projection.h"
#include "QtRasterCanvas.h"
#include "QtTestSurface.h"
#include "WireFrameDrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <random>

namespace quorvane::bench {
namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int Lines = 100000;

struct Scene {
    explicit Scene(bool anaglyph) : view(FrontView(Width, Height)), drawing(table, view, window)
    {
        FillTable(table, RandomSegments(Lines, 20, 200, Width, Height), Width, Height);
        view.ShowAnaglyph = anaglyph;
        drawing.ImageWidth = Width;
        drawing.ImageHeight = Height;
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
        drawing.DrawWireFrame();
        // Every hundredth row: 1,000 lines spread over the whole drawing.
        for (int row = 1; row <= Lines; row += Lines / 1000)
            selected.push_back(row);
        overlay.AddPart(OverlayLevel::Highlight,
                        [this](OverlayLayer& layer, const ScreenPlacement& screen) {
                            AddHighlightedLines(layer, screen, selected, view.HighlightColor,
                                                drawing.Anaglyph().AnaglyphPenMode);
                        });
    }
    // What the window's paint does: the retained image, then the overlay.
    void Paint(const OverlayLayer* layer)
    {
        QPainter painter(&target);
        painter.drawImage(0, 0, layer ? WithOverlayLines(window.image.Image(), *layer, composed)
                                      : window.image.Image());
    }

    LineTable table;
    ViewParameters view;
    testing::QtTestSurface window{Width, Height};
    WireFrameDrawing drawing;
    std::vector<int> selected;
    DrawingOverlay overlay;
    OverlayLayer layer;
    QImage target{Width, Height, QImage::Format_RGB32};
    QImage composed;
};

std::vector<std::pair<double, double>> QueryPoints()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, Width), y(0, Height);
    std::vector<std::pair<double, double>> points(4096);
    for (auto& p : points)
        p = {x(random), y(random)};
    return points;
}

void HitTestBuild(benchmark::State& state, bool anaglyph)
{
    Scene scene(anaglyph);
    LineHitTest hits;
    for (auto _ : state) {
        hits.Build(scene.table, scene.view, Width, Height);
        benchmark::ClobberMemory();
    }
}

void HitTestNearestLine(benchmark::State& state, bool anaglyph)
{
    Scene scene(anaglyph);
    LineHitTest hits;
    hits.Build(scene.table, scene.view, Width, Height);
    const auto points = QueryPoints();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const auto& [x, y] = points[i++ % points.size()];
        found += hits.NearestLine(x, y, 6).has_value() ? 1 : 0;
    }
    state.counters["found"] = double(found) / double(i);
}

void HitTestNearestEnd(benchmark::State& state)
{
    Scene scene(false);
    LineHitTest hits;
    hits.Build(scene.table, scene.view, Width, Height);
    const auto points = QueryPoints();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [x, y] = points[i++ % points.size()];
        benchmark::DoNotOptimize(hits.NearestEnd(x, y, 8));
    }
}

void Redraw(benchmark::State& state, bool anaglyph, bool highlight)
{
    Scene scene(anaglyph);
    for (auto _ : state) {
        scene.drawing.DrawWireFrame();
        if (highlight)
            scene.overlay.Build(scene.layer, ScreenPlacement(scene.table, scene.view, Width, Height));
        scene.Paint(highlight ? &scene.layer : nullptr);
        benchmark::ClobberMemory();
    }
}

class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv)
{
    using namespace quorvane::bench;
    QGuiApplication application(argc, argv);
    benchmark::RegisterBenchmark("HitTest/NearestLine/mono/100k", HitTestNearestLine, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HitTest/NearestLine/anaglyph/100k", HitTestNearestLine, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HitTest/NearestEnd/mono/100k", HitTestNearestEnd)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HitTest/Build/mono/100k", HitTestBuild, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("HitTest/Build/anaglyph/100k", HitTestBuild, true)
        ->Unit(benchmark::kMillisecond);
    for (const bool anaglyph : {false, true}) {
        const std::string kind = anaglyph ? "anaglyph" : "mono";
        benchmark::RegisterBenchmark(("Redraw/" + kind + "/100k/plain").c_str(), Redraw, anaglyph,
                                     false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Redraw/" + kind + "/100k/1000-highlighted").c_str(),
                                     Redraw, anaglyph, true)
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& m = reporter.medians;
    for (const char* kind : {"mono", "anaglyph"}) {
        const auto plain = m.find(std::string("Redraw/") + kind + "/100k/plain");
        const auto highlighted = m.find(std::string("Redraw/") + kind + "/100k/1000-highlighted");
        if (plain != m.end() && highlighted != m.end())
            std::cout << "Redraw " << kind << ": 1,000 highlighted / plain = "
                      << highlighted->second / plain->second << " (at most 1.2)\n";
    }
    benchmark::Shutdown();
}
