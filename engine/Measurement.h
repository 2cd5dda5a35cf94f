#pragma once

#include "ViewParameters.h"

namespace quorvane {

class LineTable;

// A point of the model taken from a drawn line: one of its ends, or a point
// between them.
struct MeasuredPoint {
    Vector3 Point{};
    int Row = 0;
    int End = 0;  // 1 or 2 for a line end, 0 for a point inside the line
};

// The distance between two points in the model, in metres, and, when both
// are ends of two different lines, the angle between those lines, each taken
// from its measured end towards its other end.
struct Measurement {
    MeasuredPoint From, To;
    double Distance = 0;
    bool HasAngle = false;
    double AngleDegrees = 0;
};

Measurement Measure(const LineTable& table, const MeasuredPoint& from, const MeasuredPoint& to);

// The line end as a measured point.
MeasuredPoint LineEndPoint(const LineTable& table, int row, int end);

}  // namespace quorvane
