#pragma once

#include "TempFolder.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testing {

// Debian's nec2c as the reader of decks: whether it takes a deck, and the
// segments it makes of it.
enum class Nec2cVerdict { Solved, Refused, Stuck, Missing };

struct Nec2cSegment {
    double Centre[3] = {};
    double Length = 0;
    double Radius = 0;
    long long Tag = 0;
};

struct Nec2cRun {
    Nec2cVerdict Verdict = Nec2cVerdict::Missing;
    std::vector<Nec2cSegment> Segments;  // as listed in the output
    std::string Messages;                // what it printed, and the end of its output
};

bool Nec2cInstalled();

Nec2cRun RunNec2c(const TempFolder& folder, const std::string& deck, int seconds = 3);

// The deck's geometry cards up to its GE card; then, when `transform` is
// not empty, those cards (GM, GS); then "GE 0" and EN. nec2c lists the
// segments of such a deck without solving anything.
std::string GeometryOfDeck(std::string_view deck, std::string_view transform = {});

}  // namespace quorvane::testing
