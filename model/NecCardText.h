#pragma once

#include "NecCardFields.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvane {

// One field of a card to be written: an integer, a real, or a text written
// as it is (an expression of a symbolic deck, which must hold no blank or
// comma, as readers split fields there).
//
// A real's `scale` is the size it is measured against, when that is larger
// than the real itself: the largest coordinate of the wire for each of its
// coordinates. Its digits are counted from the scale's first digit then, so
// that 0.00982 beside 0.1006 needs two digits fewer than on its own: every
// coordinate of the wire is as exact as its largest.
class NecField {
public:
    enum class Kind { Integer, Real, Text };

    static NecField Integer(long long value) { return NecField(Kind::Integer, value, 0, 0, {}); }
    static NecField Real(double value, double scale = 0)
    {
        return NecField(Kind::Real, 0, value, scale, {});
    }
    static NecField Text(std::string_view text) { return NecField(Kind::Text, 0, 0, 0, text); }

    Kind Type() const { return kind_; }
    long long IntegerValue() const { return integer_; }
    double RealValue() const { return real_; }
    double Scale() const { return scale_; }
    std::string_view TextValue() const { return text_; }

private:
    NecField(Kind kind, long long integer, double real, double scale, std::string_view text)
        : kind_(kind), integer_(integer), real_(real), scale_(scale), text_(text) {}

    Kind kind_;
    long long integer_;
    double real_;
    double scale_;
    std::string_view text_;
};

// Every card a simulator is sure to read has 80 columns, and the fewest
// significant digits a real is rounded to when its card is short of room.
inline constexpr std::size_t NecCardWidth = 80;
inline constexpr int NecLeastDigits = 7;

struct NecCardWritten {
    bool Exact = true;  // every real reads back as the very same double
};

// Appends one card and its line end. `name` is the card's two letters;
// `fields` are at most NecFieldCount(layout), in the layout's order.
//
// Each field stands right-aligned in the columns the layout gives it, with
// a blank before it, so that readers by columns and readers of free form
// take the same numbers. A real always has a decimal point ("2.", "1.e-5"):
// readers by columns imply decimals in a number written without one. A real
// is the shortest text that reads back exactly ("0.1", ".1234567" where
// the leading zero does not fit), or when that does not fit, rounded to as
// many significant digits as fit, never fewer than NecLeastDigits (of its
// scale). Where a field cannot stand in its columns even so (a long tag,
// 1.234567e-8), the card is free form, fields one blank apart, and the
// longest reals lose digits one by one until the card fits 80 columns. A
// card that cannot fit so may take up to two digits fewer than the fewest,
// where that makes it fit: a reader that stops at column 80 would lose
// whole fields. Failing that too, it is written longer.
NecCardWritten AppendNecCard(std::string& out, std::string_view name, NecCardLayout layout,
                             std::span<const NecField> fields);

// A card kept as text (a row of the table) laid out as AppendNecCard lays
// it out, with the values it holds: its two-letter name, then numbers only,
// no more than its layout has, integers where the layout has them.
// Program control cards (IsNecControlCardName) take the control layout,
// GE and the other geometry and patch cards the geometry layout. False, with nothing appended, for any other text, which is then
// best written as it is.
bool AppendNecCardText(std::string& out, std::string_view card);

}  // namespace quorvane
