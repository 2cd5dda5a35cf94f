#include "CustomColors.h"

#include <charconv>
#include <cstdint>

namespace quorvane {

std::optional<Color> CustomColorOf(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > 0xFFFFFF)
        return std::nullopt;
    return value;
}

std::string CustomColorText(Color color)
{
    char digits[8];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, color & 0xFFFFFF, 16);
    std::string text(digits, end);
    for (char& c : text)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return std::string(text.size() < 6 ? 6 - text.size() : 0, '0') + text;
}

}  // namespace quorvane
