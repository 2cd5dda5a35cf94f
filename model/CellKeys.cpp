#include "CellKeys.h"

#include "NumberText.h"

#include <algorithm>

namespace quorvane {

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsNumber(std::string_view text)
{
    double value = 0;
    return ParseNumber(text, value);
}

}  // namespace

bool CoordinateKeyAccepted(char32_t key, std::string_view cellText, bool replaceOnKey,
                           char dataSeparator)
{
    if (key == static_cast<unsigned char>(dataSeparator))
        return false;
    if (replaceOnKey || !IsNumber(Trimmed(cellText)))
        return true;
    const auto lacks = [&](char c) { return cellText.find(c) == std::string_view::npos; };
    switch (key) {
    case '-':
    case '.':
    case 'E':
    case 'e':
        return lacks(static_cast<char>(key));
    case BackspaceKey:
    case '\'':
        return true;
    default:
        return key >= '0' && key <= '9';
    }
}

std::string EditTextOf(std::string_view cellText)
{
    if (!IsNumber(cellText))
        return std::string(cellText);
    return std::string(Trimmed(cellText));
}

}  // namespace quorvane
