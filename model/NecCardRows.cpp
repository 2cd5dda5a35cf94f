#include "NecCardRows.h"

#include "LineTable.h"

#include <algorithm>
#include <array>

namespace quorvane {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsRowCardName(std::string_view name)
{
    return IsNecControlCardName(name) || name == "GE" || name == "CM" || name == "CE" ||
           name == "SY";
}

}  // namespace

bool IsNecControlCardName(std::string_view name)
{
    // ZO, the impedance that standing waves are reckoned against, is read
    // by some simulators only, and kept for them.
    static constexpr std::array<std::string_view, 21> names{
        "CP", "EK", "EN", "EX", "FR", "GD", "GN", "KH", "LD", "NE", "NH",
        "NT", "NX", "PL", "PQ", "PT", "RP", "TL", "WG", "XQ", "ZO"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string NecCardName(std::string_view card)
{
    if (card.size() < 2 || !IsLetter(card[0]) || !IsLetter(card[1]) ||
        (card.size() > 2 && IsLetter(card[2])))
        return {};
    return {Upper(card[0]), Upper(card[1])};
}

namespace {

// The trimmed supplement of a row that holds a card, or nothing.
std::optional<std::string_view> CardText(const LineTable& table, int row)
{
    for (int column = 1; column <= 6; ++column)
        if (!table.CellText(column, row).empty())
            return std::nullopt;
    std::string_view text = table.CellText(SupplementColumn, row);
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    // Upper-case names only: a note such as "Ex 3" is no card.
    if (text.size() < 2 || text[0] != Upper(text[0]) || text[1] != Upper(text[1]))
        return std::nullopt;
    const std::string name = NecCardName(text);
    if (name.empty() || !IsRowCardName(name))
        return std::nullopt;
    return text;
}

// Whether a data file's reading has put its separator in every blank.
bool HasSeparatorsForBlanks(std::string_view card)
{
    return card.size() > 2 && card.find(' ') == std::string_view::npos &&
           std::string_view(",;|:/\\").find(card[2]) != std::string_view::npos;
}

bool IsSymbolCard(std::string_view card) { return card.substr(0, 2) == "SY"; }

// An SY card's commas and tabs are no mere separators: they part its
// definitions and a function's arguments. A data file keeps them as these
// escapes, as its reading would turn them into blanks.
constexpr std::string_view CommaEscape = "%2C";
constexpr std::string_view TabEscape = "%09";

void ReplaceAll(std::string& text, std::string_view from, char to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
        text.replace(at, from.size(), 1, to);
}

}  // namespace

std::optional<std::string> NecCardOfRow(const LineTable& table, int row)
{
    const std::optional<std::string_view> text = CardText(table, row);
    if (!text)
        return std::nullopt;
    std::string card(*text);
    if (HasSeparatorsForBlanks(card)) {
        const char separator = card[2];
        std::replace(card.begin(), card.end(), separator, ' ');
    }
    if (IsSymbolCard(card)) {
        ReplaceAll(card, CommaEscape, ',');
        ReplaceAll(card, TabEscape, '\t');
    }
    return card;
}

std::optional<std::string> NecCardRowFileText(const LineTable& table, int row)
{
    const std::optional<std::string_view> text = CardText(table, row);
    if (!text || !IsSymbolCard(*text) || HasSeparatorsForBlanks(*text) ||
        text->find_first_of(",\t") == std::string_view::npos)
        return std::nullopt;
    std::string written;
    for (const char c : table.CellText(SupplementColumn, row)) {
        if (c == ',')
            written += CommaEscape;
        else if (c == '\t')
            written += TabEscape;
        else
            written += c;
    }
    return written;
}

}  // namespace quorvane
