#include "NecDeckWriter.h"

#include "LineTable.h"
#include "NecCardRows.h"
#include "NecDeck.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

// A data file read with the settings' set of separators has its blanks
// turned into the data separator, the supplement's included; the keys are
// still known then, whatever stands between them.
bool IsWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+';
}

void SkipSeparators(std::string_view& text)
{
    while (!text.empty() && !IsWordCharacter(text.front()))
        text.remove_prefix(1);
}

// The next word of `text`, which loses it and the separators before it.
std::string_view TakeWord(std::string_view& text)
{
    SkipSeparators(text);
    std::size_t end = 0;
    while (end < text.size() && IsWordCharacter(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <typename Number>
bool ReadWhole(std::string_view word, Number& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// Without blanks and control characters at either end.
std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void AppendNumber(std::string& out, double value)
{
    char buffer[32];
    // "-0" says nothing a simulator needs.
    const double written = value == 0 ? 0.0 : value;
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, written).ptr);
}

void AppendInteger(std::string& out, long long value)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Comment cards are read as 80-column cards; a longer text continues on the
// next card rather than being cut by the simulator. Control characters
// would end or break the card and become blanks.
constexpr std::size_t CommentWidth = 77;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void AppendComment(std::string& out, std::string_view text)
{
    do {
        std::size_t length = std::min(text.size(), CommentWidth);
        // A UTF-8 character stays whole on one card.
        while (length < text.size() && length > 1 && IsContinuationByte(text[length]))
            --length;
        out += "CM ";
        for (char c : text.substr(0, length))
            out += static_cast<unsigned char>(c) < 0x20 || c == '\x7F' ? ' ' : c;
        out += '\n';
        text.remove_prefix(length);
    } while (!text.empty());
}

struct Wire {
    long long Tag;
    int Segments;
    double Radius;
    std::string_view Remark;  // the supplement's free text
};

// Lengths beyond the double range become infinite, which still means the
// most segments a card can give.
double LengthOf(const LineRecord& r)
{
    const double dx = r.X2 - r.X1, dy = r.Y2 - r.Y1, dz = r.Z2 - r.Z1;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Wire WireOf(const LineTable& table, int row)
{
    const std::string_view supplement = table.CellText(SupplementColumn, row);
    if (const std::optional<NecWireKeys> keys = ReadNecSupplement(supplement))
        return {keys->Tag, keys->Segments, keys->Radius, keys->Remark};
    return {row, NecSegmentsForLength(LengthOf(table.Record(row))), NecDefaultRadius,
            Trimmed(supplement)};
}

}  // namespace

std::optional<NecWireKeys> ReadNecSupplement(std::string_view supplement)
{
    std::string_view rest = supplement;
    NecWireKeys keys;
    if (TakeWord(rest) != "GW" || !ReadWhole(TakeWord(rest), keys.Tag) ||
        TakeWord(rest) != "NS" || !ReadWhole(TakeWord(rest), keys.Segments) ||
        TakeWord(rest) != "R" || !ReadWhole(TakeWord(rest), keys.Radius))
        return std::nullopt;
    if (keys.Segments < 1 || keys.Segments > NecLargestInteger ||
        keys.Tag < -NecLargestInteger || keys.Tag > NecLargestInteger ||
        !std::isfinite(keys.Radius) || keys.Radius < 0)
        return std::nullopt;
    if (!rest.empty() && IsWordCharacter(rest.front()))
        return std::nullopt;  // the radius runs on into other text
    keys.Remark = Trimmed(rest);
    // The separator that a data file's reading put in place of the blank.
    constexpr std::string_view TypedSeparators = ",;|:/\\";
    if (!keys.Remark.empty() && TypedSeparators.find(keys.Remark.front()) != std::string_view::npos)
        keys.Remark = Trimmed(keys.Remark.substr(1));
    return keys;
}

int NecSegmentsForLength(double metres)
{
    // Lengths come from differences of coordinates, so 1.1 m may be
    // 1.1000000000000001 m; that is eleven started tenths, not twelve.
    const double tenths = metres * 10;
    const double started = std::ceil(tenths - 1e-9 * std::max(1.0, tenths));
    if (!(started >= 1))
        return 1;
    constexpr double most = static_cast<double>(NecLargestInteger);
    return started >= most ? static_cast<int>(most) : static_cast<int>(started);
}

NecDeckText MakeNecDeck(const LineTable& table, std::string_view deckName)
{
    NecDeckText deck;
    // A row typed below the counted ones is not counted until the next
    // recount, and still belongs in the deck.
    const int lastRow = std::max(table.LineCount, table.LastNonEmptyRow());
    const auto complete = [&table](int row) { return table.Record(row).Complete; };

    // Cards kept as rows: comments go first, GE's ground flag into GE, the
    // program control cards after it; EN always ends the deck.
    std::vector<std::string> comments, controls;
    std::string geometryEnd = "GE 0";
    for (int row = 1; row <= lastRow; ++row) {
        if (complete(row))
            continue;
        std::optional<std::string> card = NecCardOfRow(table, row);
        if (!card) {
            deck.LeftOutRows += table.IsRowEmpty(row) ? 0 : 1;
            continue;
        }
        const std::string name = NecCardName(*card);
        if (name == "CM" || name == "CE")
            comments.push_back(std::move(*card));
        else if (name == "GE")
            geometryEnd = std::move(*card);
        else if (name != "EN")
            controls.push_back(std::move(*card));
    }

    // The comments come first but are known only row by row: one pass for
    // them, one for the cards, into one string made large enough once.
    std::string& text = deck.Text;
    AppendComment(text, deckName);
    std::string comment;
    for (int row = 1; row <= lastRow; ++row) {
        if (!complete(row))
            continue;
        const Wire wire = WireOf(table, row);
        if (wire.Remark.empty())
            continue;
        comment = "GW ";
        AppendInteger(comment, wire.Tag);
        comment += ": ";
        comment += wire.Remark;
        AppendComment(text, comment);
    }
    for (const std::string& card : comments)
        if (NecCardName(card) == "CM")
            AppendComment(text, std::string_view(card).substr(std::min<std::size_t>(3, card.size())));
    text += "CE\n";

    text.reserve(text.size() + static_cast<std::size_t>(lastRow) * 96 + 16);
    for (int row = 1; row <= lastRow; ++row) {
        if (!complete(row))
            continue;
        const Wire wire = WireOf(table, row);
        text += "GW ";
        AppendInteger(text, wire.Tag);
        text += ' ';
        AppendInteger(text, wire.Segments);
        for (int column = 1; column <= 6; ++column) {
            text += ' ';
            AppendNumber(text, table.Record(row).Coordinate(column));
        }
        text += ' ';
        AppendNumber(text, wire.Radius);
        text += '\n';
        ++deck.WrittenLines;
    }
    text += geometryEnd;
    text += '\n';
    for (const std::string& card : controls) {
        text += card;
        text += '\n';
    }
    text += "EN\n";
    return deck;
}

}  // namespace quorvane
