#pragma once

#include "LineTable.h"
#include "NumberText.h"
#include "Projection.h"

#include <array>

namespace quorvane::testing {

// Appends a complete line to the table as the editor would leave it:
// record, cell texts, midpoint and counts.
inline void AddLine(LineTable& table, std::array<double, 6> coordinates)
{
    const int row = table.LineCount + 1;
    if (row > table.Capacity())
        table.GrowCapacity(10);
    LineRecord& r = table.Record(row);
    for (int c = 1; c <= 6; ++c) {
        r.Coordinate(c) = coordinates[c - 1];
        table.SetCellText(c, row, FixedText(coordinates[c - 1], 2));
    }
    r.Complete = true;
    table.ComputeMidpoint(row);
    table.LineHighWater = std::max(table.LineHighWater, row);
    table.Recount();
}

// An incomplete row: only a supplement.
inline void AddNote(LineTable& table, const char* text)
{
    const int row = table.LineCount + 1;
    if (row > table.Capacity())
        table.GrowCapacity(10);
    table.SetCellText(7, row, text);
    table.LineHighWater = std::max(table.LineHighWater, row);
    table.Recount();
}

// Parallel projection from the front (azimuth 0, elevation 0), not centred,
// at one pixel per model metre: a point (x, y, z) lands at (x, z) from the
// drawing's origin, and y is depth.
inline ViewParameters FrontViewAtOnePixelPerMetre()
{
    ViewParameters view;
    view.VanishingPointProjection = false;
    view.DrawingCentered = false;
    view.ScreenWidth = 1;
    view.VirtualScreenWidth = 1000;
    view.VirtualScreenHeight = 700;
    view.ScaleDenominator = 1000;
    view.InvScale = 0.001;
    SetUpViewAngles(view, 0, 0);
    UpdateDrawFactor(view);
    return view;
}

}  // namespace quorvane::testing
