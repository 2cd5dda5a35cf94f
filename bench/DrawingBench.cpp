// Draws 100,000 random segments on a 1920 x 1080 image through the engine
// (projection and our rasteriser) and, for comparison, with QPainter and
// with Cairo, then prints our median time as a ratio to theirs.

#include "BenchModels.h"
#include "Projection.h"
#include "QtRasterCanvas.h"
#include "QtTestSurface.h"
#include "WireFrameDrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QLine>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <iostream>
#include <map>

namespace quorvane::bench {
namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

struct EngineScene {
    EngineScene(int count, double minLength, double maxLength, bool anaglyph, bool labels)
        : view(FrontView(Width, Height)), drawing(table, view, window)
    {
        FillTable(table, RandomSegments(count, minLength, maxLength, Width, Height), Width, Height);
        view.ShowAnaglyph = anaglyph;
        view.ShowLineNumbers = labels;
        drawing.ImageWidth = Width;
        drawing.ImageHeight = Height;
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
    }
    LineTable table;
    ViewParameters view;
    testing::QtTestSurface window{Width, Height};
    WireFrameDrawing drawing;
};

void DrawWireFrameBench(benchmark::State& state, int count, double minLength, double maxLength,
                        bool anaglyph, bool labels)
{
    EngineScene scene(count, minLength, maxLength, anaglyph, labels);
    for (auto _ : state) {
        scene.drawing.DrawWireFrame();
        benchmark::ClobberMemory();
    }
}

void QPainterBench(benchmark::State& state)
{
    const auto segments = RandomSegments(100000, 20, 200, Width, Height);
    QVector<QLine> lines;
    for (const PixelSegment& s : segments)
        lines.push_back(QLine(s.x1, s.y1, s.x2, s.y2));
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(128, 0, 0), 1));
        painter.drawLines(lines);
    }
}

void CairoBench(benchmark::State& state)
{
    const auto segments = RandomSegments(100000, 20, 200, Width, Height);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, 0.5, 0, 0);
        for (const PixelSegment& s : segments) {
            cairo_move_to(cr, s.x1 + 0.5, s.y1 + 0.5);
            cairo_line_to(cr, s.x2 + 0.5, s.y2 + 0.5);
        }
        cairo_stroke(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
    }
    cairo_surface_destroy(surface);
}

// Keeps the median of every benchmark so that the ratios can be printed.
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
    benchmark::RegisterBenchmark("DrawWireFrame/mono/100k/20-200px", DrawWireFrameBench, 100000,
                                 20.0, 200.0, false, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawWireFrame/anaglyph/100k/20-200px", DrawWireFrameBench,
                                 100000, 20.0, 200.0, true, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawWireFrame/mono/100k/2-20px", DrawWireFrameBench, 100000,
                                 2.0, 20.0, false, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawWireFrame/mono/10k/20-200px/labels", DrawWireFrameBench,
                                 10000, 20.0, 200.0, false, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawWireFrame/anaglyph/10k/20-200px/labels", DrawWireFrameBench,
                                 10000, 20.0, 200.0, true, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QPainter::drawLines/100k/20-200px", QPainterBench)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Cairo/100k/20-200px", CairoBench)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& m = reporter.medians;
    const auto ours = m.find("DrawWireFrame/mono/100k/20-200px");
    if (ours != m.end()) {
        for (const char* other : {"QPainter::drawLines/100k/20-200px", "Cairo/100k/20-200px"}) {
            const auto theirs = m.find(other);
            if (theirs != m.end())
                std::cout << "DrawWireFrame mono (project + draw) / " << other << " = "
                          << ours->second / theirs->second << "\n";
        }
    }
    benchmark::Shutdown();
}
