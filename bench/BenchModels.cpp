#include "BenchModels.h"

#include <fstream>

#include "NecDeck.h"
#include "NumberText.h"
#include "Projection.h"

#include <cmath>
#include <random>

namespace quorvane::bench {

std::vector<PixelSegment> RandomSegments(int count, double minLength, double maxLength, int width,
                                         int height, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(0, width), y(0, height);
    std::uniform_real_distribution<double> angle(0, 2 * M_PI), length(minLength, maxLength);
    std::vector<PixelSegment> segments(static_cast<std::size_t>(count));
    for (PixelSegment& s : segments) {
        const double a = angle(random), l = length(random);
        s.x1 = int(x(random));
        s.y1 = int(y(random));
        s.x2 = int(std::lround(s.x1 + l * std::cos(a)));
        s.y2 = int(std::lround(s.y1 + l * std::sin(a)));
    }
    return segments;
}

ViewParameters FrontView(int virtualScreenWidth, int virtualScreenHeight)
{
    ViewParameters view;
    view.VirtualScreenWidth = virtualScreenWidth;
    view.VirtualScreenHeight = virtualScreenHeight;
    view.ScreenWidth = 0.5;
    view.ScaleDenominator = 2 * virtualScreenWidth;
    view.InvScale = 1.0 / view.ScaleDenominator;
    view.DrawingCentered = false;
    view.VanishingPointProjection = true;
    SetUpViewAngles(view, 0, 0);
    UpdateDrawFactor(view);
    return view;
}

void FillTable(LineTable& table, const std::vector<PixelSegment>& segments, int width, int height)
{
    table.ClearTable();
    table.SetCapacity(static_cast<int>(segments.size()) + 1);
    int row = 0;
    for (const PixelSegment& s : segments) {
        ++row;
        LineRecord& r = table.Record(row);
        r.X1 = s.x1 - width / 2;
        r.Z1 = height / 2 - s.y1;
        r.X2 = s.x2 - width / 2;
        r.Z2 = height / 2 - s.y2;
        r.Y1 = r.Y2 = 0;
        r.Complete = true;
        for (int c = 1; c <= 6; ++c)
            table.SetCellText(c, row, FixedText(r.Coordinate(c), 2));
    }
    table.LineHighWater = row;
    table.Recount();
    table.ComputeAllMidpoints();
}

std::string DataFileText(int lines)
{
    std::mt19937 random(42);
    std::uniform_real_distribution<double> coordinate(-250, 250);
    const char* const parts[] = {"boom", "reflector", "driven element", "director", "mast"};
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 80);
    for (int i = 0; i < lines; ++i) {
        for (int c = 0; c < 6; ++c) {
            text += FixedText(coordinate(random), 4);
            text += ',';
        }
        text += parts[i % 5];
        text += ' ';
        text += std::to_string(i + 1);
        text += "\r\n";
    }
    return text;
}

std::string SegmentFileText(const std::vector<PixelSegment>& segments, double metresPerPixel,
                            int width, int height)
{
    std::string text;
    text.reserve(segments.size() * 64);
    auto put = [&](double value) {
        text += FixedText(value, 4);
        text += ',';
    };
    int row = 0;
    for (const PixelSegment& s : segments) {
        put((s.x1 - width / 2) * metresPerPixel);
        put(0);
        put((height / 2 - s.y1) * metresPerPixel);
        put((s.x2 - width / 2) * metresPerPixel);
        put(0);
        put((height / 2 - s.y2) * metresPerPixel);
        text += "segment-" + std::to_string(++row) + "\r\n";
    }
    return text;
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

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

}  // namespace

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

}  // namespace quorvane::bench
