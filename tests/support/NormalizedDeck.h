#pragma once

#include "NecCardFields.h"

#include <charconv>
#include <string>
#include <string_view>

namespace quorvane::testing {

// A deck with each card's fields one blank apart and each number as its
// shortest text ("0." is "0"), so that tests name cards as a reader takes
// them, whatever columns the writer chose. SY and comment cards stay as
// they are.
inline std::string NormalizedDeck(std::string_view deck)
{
    std::string out;
    while (!deck.empty()) {
        const std::size_t end = std::min(deck.find('\n'), deck.size());
        const std::string_view line = deck.substr(0, end);
        deck.remove_prefix(std::min(end + 1, deck.size()));
        const std::string_view name = line.substr(0, 2);
        if (name == "SY" || name == "CM" || name == "CE") {
            out.append(line);
            out += '\n';
            continue;
        }
        std::size_t at = 0;
        bool first = true;
        while (at < line.size()) {
            at = line.find_first_not_of(' ', at);
            if (at == std::string_view::npos)
                break;
            const std::size_t stop = std::min(line.find(' ', at), line.size());
            const std::string_view field = line.substr(at, stop - at);
            if (!first)
                out += ' ';
            first = false;
            if (const auto value = ReadNecNumber(field)) {
                char buffer[32];
                out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, *value + 0.0).ptr);
            } else {
                out.append(field);
            }
            at = stop;
        }
        out += '\n';
    }
    return out;
}

}  // namespace quorvane::testing
