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

struct Character {
    char32_t Code;
    std::size_t End;  // the byte after it
};

// The character of a UTF-8 text at `at`; a byte that starts no complete
// sequence stands for itself.
Character CharacterAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 && lead < 0xF8   ? 4
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xC0 && lead < 0xE0 ? 2
                                                             : 1;
    if (length == 1 || at + length > text.size())
        return {lead, at + 1};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {lead, at + 1};
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    return {code, at + length};
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

bool CoordinateInsertAccepted(std::string_view cellText, std::size_t from, std::size_t to,
                              std::string_view inserted, bool replaceOnKey, char dataSeparator)
{
    from = std::min(from, cellText.size());
    to = std::clamp(to, from, cellText.size());
    std::string text(cellText);
    std::size_t done = 0;  // bytes of `inserted` in place
    for (std::size_t at = 0; at < inserted.size();) {
        const Character character = CharacterAt(inserted, at);
        if (!CoordinateKeyAccepted(character.Code, text, replaceOnKey && at == 0, dataSeparator))
            return false;
        at = character.End;
        text.replace(from, done == 0 ? to - from : done, inserted.substr(0, at));
        done = at;
    }
    return true;
}

std::string EditTextOf(std::string_view cellText)
{
    if (!IsNumber(cellText))
        return std::string(cellText);
    return std::string(Trimmed(cellText));
}

}  // namespace quorvane
