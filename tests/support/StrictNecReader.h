#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testing {

// A reader of NEC-2 input decks kept apart from the program's own importer,
// and stricter than a simulator: it reads free-form cards only and warns
// about everything a simulator might reject or read differently, a card
// beyond column 80 included.
struct StrictNecWire {
    long long Tag = 0;
    long long Segments = 0;
    double Ends[6] = {};
    double Radius = 0;
};

struct StrictNecDeck {
    std::vector<std::string> Comments;  // the text of each CM card
    std::vector<StrictNecWire> Wires;
    std::vector<std::string> Warnings;  // "line N: why"
};

StrictNecDeck ReadNecDeckStrictly(std::string_view text);

}  // namespace quorvane::testing
