#include "SettingsNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvane {

bool ParseSettingInteger(std::string_view text, int& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    // An unsigned conversion takes no sign of its own, so "+-1" and "0x-1" fail.
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
    if (error != std::errc{} || stop != end)
        return false;
    const std::uint64_t limit = negative
                                    ? std::uint64_t{1} + std::numeric_limits<int>::max()
                                    : std::uint64_t{std::numeric_limits<int>::max()};
    if (magnitude > limit)
        return false;
    const auto signedValue = static_cast<std::int64_t>(magnitude);
    value = static_cast<int>(negative ? -signedValue : signedValue);
    return true;
}

std::string FloatSettingText(double value, char decimalSeparator)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == '.')
            c = decimalSeparator;
    return text;
}

bool ParseFloatSetting(std::string_view text, const NumberFormat& numbers, double& value)
{
    const char separator = numbers.DecimalSeparator;
    std::string number(text);
    if (const auto at = number.find(numbers.AlternateDecimalSeparator); at != std::string::npos)
        number[at] = separator;
    if (separator != '.') {
        // Under a foreign separator a point is no part of a number.
        if (number.find('.') != std::string::npos)
            return false;
        if (const auto at = number.find(separator); at != std::string::npos)
            number[at] = '.';
    }
    std::string_view digits(number);
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-')
        digits.remove_prefix(1);
    double parsed = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] =
        std::from_chars(digits.data(), end, parsed, std::chars_format::general);
    if (error != std::errc{} || stop != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

}  // namespace quorvane
