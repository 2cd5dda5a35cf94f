#pragma once

#include <optional>

namespace quorvane {

class LineTable;

// What a model says about itself beyond its lines, read from the card rows
// an import or the user left in the table.
struct ModelFacts {
    std::optional<double> FrequencyMHz;  // of the first FR card that gives a positive one
    bool Ground = false;                 // over a ground rather than in free space
};

// The frequency comes from an FR card row (its first real field is the
// frequency in MHz). The ground is that of the last GN card row (type -1
// is free space); without one, a GE card row with a non-zero flag means a
// ground. Fields may be expressions of the symbols that SY card rows before
// them define, as in symbolic decks.
ModelFacts ReadModelFacts(const LineTable& table);

}  // namespace quorvane
