#pragma once

#include "GeometryChecker.h"
#include "LineTable.h"
#include "ModelBuilder.h"
#include "NecDeck.h"

#include <string>
#include <string_view>

namespace quorvane::testing {

// A complete line with the supplement an import would give it ("GW 1 NS 3
// R 0.001"), or none.
inline void AddWire(LineTable& table, std::array<double, 6> coordinates,
                    std::string_view supplement = {})
{
    AddLine(table, coordinates);
    table.SetCellText(7, table.LineCount, supplement);
}

inline std::string Wire(int segments, double radius)
{
    return NecSupplement(1, segments, radius);
}

// The table of a deck's wires, as an import fills it.
inline void AddDeck(LineTable& table, std::string_view deck)
{
    for (const NecWire& w : ImportNecDeck(deck).Wires)
        AddWire(table, {w.X1, w.Y1, w.Z1, w.X2, w.Y2, w.Z2}, w.Supplement);
}

inline std::vector<CheckFinding> Check(const LineTable& table, std::optional<double> megahertz = {},
                                       bool ground = false)
{
    return CheckGeometry(table, CheckConditions{megahertz, ground});
}

}  // namespace quorvane::testing
