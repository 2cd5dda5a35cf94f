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

std::optional<std::string> NecCardOfRow(const LineTable& table, int row)
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
    std::string card(text);
    const bool separatorsForBlanks = card.size() > 2 && card.find(' ') == std::string::npos &&
                                     std::string_view(",;|:/\\").find(card[2]) != std::string_view::npos;
    if (separatorsForBlanks) {
        const char separator = card[2];
        std::replace(card.begin(), card.end(), separator, ' ');
    }
    return card;
}

}  // namespace quorvane
