#pragma once

#include "Vec3.h"

#include <optional>

namespace quorvane {

class LineTable;

// What a line's supplement says of the wire it stands for.
struct WireData {
    int Segments = 1;
    double Radius = 0;
};

// One row as the checks see it: a complete line, or nothing.
struct CheckLine {
    bool Present = false;
    Vec3 A, B;
    double Length = 0;
    std::optional<WireData> Wire;

    int Segments() const { return Wire ? Wire->Segments : 1; }
    double SegmentLength() const { return Length / Segments(); }
    double Radius() const { return Wire ? Wire->Radius : 0; }
    // The k-th segment end from A, 0 to Segments().
    Vec3 Node(int k) const;
    // How near p is taken to be to this line's own points.
    double Tolerance() const;
};

CheckLine ReadCheckLine(const LineTable& table, int row);

// Two points closer than this are one point.
double CoincidenceTolerance(Vec3 a, Vec3 b);

}  // namespace quorvane
