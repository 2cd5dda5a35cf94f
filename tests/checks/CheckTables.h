#pragma once

#include "GeometryChecker.h"
#include "LineTable.h"
#include "ModelFacts.h"
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

// The table of a deck's wires and cards, as an import fills it.
inline void AddDeck(LineTable& table, std::string_view deck)
{
    const NecImport import = ImportNecDeck(deck);
    std::size_t card = 0;
    for (std::size_t wire = 0; wire <= import.Wires.size(); ++wire) {
        for (; card < import.Cards.size() && import.Cards[card].LinesBefore <= wire; ++card)
            AddNote(table, import.Cards[card].Text.c_str());
        if (wire < import.Wires.size()) {
            const NecWire& w = import.Wires[wire];
            AddWire(table, {w.X1, w.Y1, w.Z1, w.X2, w.Y2, w.Z2}, w.Supplement);
        }
    }
}

// The checks with what the model says of its frequency and ground.
inline std::vector<CheckFinding> CheckAsItSays(const LineTable& table)
{
    const ModelFacts facts = ReadModelFacts(table);
    return CheckGeometry(table, CheckConditions{facts.FrequencyMHz, facts.Ground});
}

inline std::vector<CheckFinding> Check(const LineTable& table, std::optional<double> megahertz = {},
                                       bool ground = false)
{
    return CheckGeometry(table, CheckConditions{megahertz, ground});
}

}  // namespace quorvane::testing
