#pragma once

#include "LineTable.h"

#include <optional>
#include <vector>

namespace quorvane {

struct Point3 {
    double X = 0, Y = 0, Z = 0;
    friend bool operator==(const Point3&, const Point3&) = default;
};

enum class TransformKind { Move, Rotate, Scale, Mirror };
enum class Axis { X, Y, Z };
enum class MirrorPlane { XY, YZ, ZX };

// A move, rotation, scaling or mirroring of lines.
struct Transform {
    TransformKind Kind = TransformKind::Move;
    Point3 Offset;  // Move, in metres
    Axis RotationAxis = Axis::Z;
    // Rotate: counter-clockwise as seen from the axis's positive end, so
    // that 90 degrees about z take the x axis to the y axis.
    double AngleDegrees = 0;
    double Factor = 1;  // Scale
    MirrorPlane Plane = MirrorPlane::XY;
    // Rotate, Scale and Mirror: about the selection's centre (the middle of
    // the box round its end points) rather than the origin.
    bool AboutCentre = false;
    // The rows stay as they are; transformed copies are appended.
    bool Duplicate = false;
};

// One point transformed, `centre` being the selection's centre.
Point3 TransformPoint(const Transform& transform, const Point3& centre, const Point3& point);

// The middle of the box round the end points of `rows`; nothing when none
// of them has an end point with all three coordinates.
std::optional<Point3> SelectionCentre(const LineTable& table, const std::vector<int>& rows);

struct TransformedRows {
    // The rows that have an end point, in the order asked, and their
    // transformed contents; rows without coordinates (cards, free texts)
    // are left out.
    std::vector<int> Rows;
    std::vector<RowContent> Contents;
    // The first row a coordinate of which would leave the range of numbers
    // a coordinate holds; 0 when every one stays within it.
    int OverflowRow = 0;
};

// The contents `rows` take under `transform`: every end point whose three
// coordinates are defined is mapped, its cells show the new numbers with
// `decimals` digits; other cells and the supplement stay as they are.
TransformedRows TransformRows(const LineTable& table, const std::vector<int>& rows,
                              const Transform& transform, int decimals);

}  // namespace quorvane
