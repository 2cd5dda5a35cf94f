#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace quorvane {

// Where a card's numbers stand when a deck keeps fixed columns: geometry
// cards have two integers (columns 3-5 and 6-10) and seven reals of ten
// columns each from column 11; program control cards have four integers
// (3-5, 6-10, 11-15, 16-20) and six reals from column 21.
enum class NecCardLayout { Geometry, Control };

inline constexpr int NecMaxFields = 10;

int NecFieldCount(NecCardLayout layout);
// The column (from 0) where a field starts; the field after the last starts
// at column 80.
std::size_t NecFieldStart(NecCardLayout layout, int field);
int NecIntegerCount(NecCardLayout layout);

// The fields of one card, as texts. A blank field of a card read by its
// columns is empty and means zero.
struct NecCardFields {
    std::array<std::string_view, NecMaxFields> Texts{};
    int Given = 0;  // every field of the layout when read by columns
    bool ByColumns = false;
    bool EmptyBetweenCommas = false;  // "1,,2": simulators refuse it
};

enum class NecSplitProblem {
    None,
    Unreadable,  // a field is no number, or there are too many
    Ambiguous,   // laid out in columns with a blank field, yet not in its columns
};

// One number: optional sign, digits with optional point, optional exponent
// (E or D, as older decks write it). Infinite or NaN values are refused: no
// coordinate can be either.
std::optional<double> ReadNecNumber(std::string_view text);

// The line without its line end and the white space after its last field.
std::string_view WithoutTrailingBlanks(std::string_view line);

bool IsNecBlank(char c);

// Splits a card after its two-letter name. `line` starts with the name in
// column 1, or with blanks when the card is indented, and ends with its
// last field (see WithoutTrailingBlanks). A card is read by its columns when
// it is not indented, holds no comma or tab, fits 80 columns and every field
// is one thing that `isField` accepts, standing alone in its columns (two
// may touch only where the second starts with a sign, as columns filled to
// the edge do). Otherwise fields are split at runs of blanks and commas
// outside parentheses, so that a function's arguments stay one field.
// A card that reads in neither way is unreadable. One that reads only as
// free form, although a whole column field of it is blank and it gives
// fewer than `usedFields` fields, was meant for columns and is ambiguous:
// its fields would shift, so it is not guessed.
std::optional<NecCardFields> SplitNecCard(std::string_view line, NecCardLayout layout,
                                          int usedFields,
                                          const std::function<bool(std::string_view)>& isField,
                                          NecSplitProblem& problem);

}  // namespace quorvane
