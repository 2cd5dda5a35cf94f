#include "NumberText.h"

#include "CharWidths.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvane {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal order of magnitude of a mantissa and exponent whose value from_chars
// could not represent: above 0 it overflowed, otherwise it underflowed.
long long DecimalMagnitude(std::string_view integerDigits, std::string_view fractionDigits,
                           std::string_view exponentDigits, bool negativeExponent)
{
    long long exponent = 0;
    for (char c : exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1'000'000'000)
            break;
    }
    if (negativeExponent)
        exponent = -exponent;
    const auto firstSignificant = integerDigits.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos)
        return exponent + static_cast<long long>(integerDigits.size() - firstSignificant);
    const auto leadingZeros = fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(leadingZeros);
}

}  // namespace

bool ParseNumber(std::string_view field, double& value)
{
    const std::size_t n = field.size();
    std::size_t i = 0;
    while (i < n && field[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    const std::size_t mantissaBegin = i;
    if (i == n)
        return false;

    const std::size_t integerBegin = i;
    while (i < n && IsDigit(field[i]))
        ++i;
    const std::string_view integerDigits = field.substr(integerBegin, i - integerBegin);
    std::string_view fractionDigits;
    if (i < n && field[i] == '.') {
        const std::size_t fractionBegin = ++i;
        while (i < n && IsDigit(field[i]))
            ++i;
        fractionDigits = field.substr(fractionBegin, i - fractionBegin);
    }
    std::string_view exponentDigits;
    bool negativeExponent = false;
    if (i < n && (field[i] == 'E' || field[i] == 'e')) {
        ++i;
        if (i < n && (field[i] == '+' || field[i] == '-')) {
            negativeExponent = field[i] == '-';
            ++i;
        }
        const std::size_t exponentBegin = i;
        while (i < n && IsDigit(field[i]))
            ++i;
        if (i == exponentBegin)
            return false;
        exponentDigits = field.substr(exponentBegin, i - exponentBegin);
    }
    if (i != n)
        return false;

    const bool allZero = integerDigits.find_first_not_of('0') == std::string_view::npos &&
                         fractionDigits.find_first_not_of('0') == std::string_view::npos;
    if (allZero) {
        value = 0.0;
        return true;
    }

    double magnitude = 0;
    const char* const begin = field.data() + mantissaBegin;
    const char* const end = field.data() + n;
    const auto [stop, error] = std::from_chars(begin, end, magnitude);
    if (error == std::errc::result_out_of_range) {
        if (DecimalMagnitude(integerDigits, fractionDigits, exponentDigits, negativeExponent) > 0)
            return false;
        magnitude = 0.0;
    } else if (error != std::errc() || stop != end) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

namespace {

// Room for any double in fixed notation up to 1e15 with four decimals, and
// for the shortest form of any larger one.
constexpr std::size_t FixedTextRoom = 64;

std::string_view WriteFixed(double value, int decimals, char (&buffer)[FixedTextRoom])
{
    decimals = std::clamp(decimals, 0, 20);
    std::to_chars_result result;
    if (std::fabs(value) < 1e15)
        result = std::to_chars(buffer, buffer + FixedTextRoom, value, std::chars_format::fixed,
                               decimals);
    else
        result = std::to_chars(buffer, buffer + FixedTextRoom, value);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos)
        text.remove_prefix(1);
    return text;
}

}  // namespace

std::string FixedText(double value, int decimals)
{
    char buffer[FixedTextRoom];
    return std::string(WriteFixed(value, decimals, buffer));
}

void AppendFixedText(std::string& text, double value, int decimals)
{
    char buffer[FixedTextRoom];
    text += WriteFixed(value, decimals, buffer);
}

void FormatNumberInto(std::string& text, int width, int decimals, double value,
                      const CharWidths& widths)
{
    char buffer[FixedTextRoom];
    const std::string_view digits = WriteFixed(value, decimals, buffer);
    const int blankWidth = std::max(1, widths.Width(' '));
    const double blanks =
        std::nearbyint(static_cast<double>(width - widths.TextWidth(digits)) / blankWidth) - 2;
    text.assign(blanks > 0 ? static_cast<std::size_t>(blanks) : 0, ' ');
    text += digits;
}

std::string FormatNumber(int width, int decimals, double value, const CharWidths& widths)
{
    std::string text;
    FormatNumberInto(text, width, decimals, value, widths);
    return text;
}

}  // namespace quorvane
