#pragma once

#include "IgnoreCase.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvane {

// The symbols a deck's SY cards define, by name. Names compare without
// regard to case ("Len" and "LEN" are one symbol), as the programs that
// write such decks treat them; a later definition replaces an earlier one.
// Values are finite: the evaluator stores nothing else.
class SymbolTable {
public:
    // The value of a name, or nullptr when the deck has not defined it. The
    // pointer stays valid until the next Define or Clear.
    const double* Find(std::string_view name) const;
    void Define(std::string_view name, double value);
    std::size_t Size() const { return values_.size(); }
    void Clear() { values_.clear(); }

private:
    std::unordered_map<std::string, double, IgnoreCaseHash, IgnoreCaseEqual> values_;
};

}  // namespace quorvane
