#pragma once

#include <string>
#include <string_view>

namespace quorvane {

class CharWidths;

// Reads a coordinate field. The whole field must be: leading blanks, an
// optional sign, then at least one character of digits, an optional '.' with
// digits, and an optional exponent (E or e, optional sign, digits). The point
// is '.' whatever the locale. "." and "E5" read as 0. A value beyond the range
// of a double is not a number; one too small for it reads as 0.
bool ParseNumber(std::string_view field, double& value);

// The value in fixed-point notation with `decimals` fractional digits, '.' as
// point, '-' before negative values and no blanks. A value that rounds to zero
// is written without a sign. From 1e15 on, where fixed decimals say nothing,
// the shortest text that reads back exactly is used (for example "1e+300").
std::string FixedText(double value, int decimals);
void AppendFixedText(std::string& text, double value, int decimals);

// FixedText with blanks in front, so that the number stands about two blanks
// from the right edge of a column `width` pixels wide in the measured font.
std::string FormatNumber(int width, int decimals, double value, const CharWidths& widths);
// The same into an existing string, which keeps its memory for the next number.
void FormatNumberInto(std::string& text, int width, int decimals, double value,
                      const CharWidths& widths);

}  // namespace quorvane
