#pragma once

#include <cstdint>

namespace quorvane {

// Marks a coordinate that is empty, missing or not a number. Every test for
// "defined" compares for equality with it, so a coordinate that really is
// 1.7e308 counts as undefined too.
inline constexpr double Undefined = 1.7e308;

// Largest signed 32-bit value: the end points of a record not yet projected.
inline constexpr std::int32_t NotProjected = 2147483647;

// The numeric form of one table row: the segment's end points, its midpoint
// and the pixel positions the projection stores for the drawing. A default
// constructed record is the empty record of a new or cleared row.
struct LineRecord {
    double X1 = Undefined, Y1 = Undefined, Z1 = Undefined;
    double X2 = Undefined, Y2 = Undefined, Z2 = Undefined;
    double XM = 0, YM = 0, ZM = 0;

    // Single view.
    std::int32_t PXM = 0, PYM = 0;
    std::int32_t PX1 = NotProjected, PY1 = NotProjected;
    std::int32_t PX2 = NotProjected, PY2 = NotProjected;
    // Left eye of the anaglyph.
    std::int32_t LXM = 0, LYM = 0, LX1 = 0, LY1 = 0, LX2 = 0, LY2 = 0;
    // Right eye of the anaglyph.
    std::int32_t RXM = 0, RYM = 0, RX1 = 0, RY1 = 0, RX2 = 0, RY2 = 0;

    bool Complete = false;

    double& Coordinate(int column);  // column 1..6: X1, Y1, Z1, X2, Y2, Z2
    double Coordinate(int column) const;
    bool AllCoordinatesDefined() const;

    friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

inline constexpr LineRecord EmptyLineRecord{};

inline double& LineRecord::Coordinate(int column)
{
    double* const coordinates[] = {&X1, &Y1, &Z1, &X2, &Y2, &Z2};
    return *coordinates[column - 1];
}

inline double LineRecord::Coordinate(int column) const
{
    return const_cast<LineRecord&>(*this).Coordinate(column);
}

inline bool LineRecord::AllCoordinatesDefined() const
{
    return X1 != Undefined && Y1 != Undefined && Z1 != Undefined && X2 != Undefined &&
           Y2 != Undefined && Z2 != Undefined;
}

}  // namespace quorvane
