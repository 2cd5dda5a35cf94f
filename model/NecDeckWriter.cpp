#include "NecDeckWriter.h"

#include "DeckExpression.h"
#include "LineTable.h"
#include "NecCardRows.h"
#include "NecCardText.h"
#include "NecKeptCards.h"
#include "SymbolTable.h"

#include <algorithm>
#include <array>
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
    std::optional<NecTaper> Taper;
    NecLineExtras Extras;  // its Remark: the supplement's free text
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
        return {keys->Tag, keys->Segments, keys->Radius, keys->Taper, ReadNecLineExtras(keys->Remark)};
    NecLineExtras extras;
    extras.Remark = Trimmed(supplement);
    return {row, NecSegmentsForLength(LengthOf(table.Record(row))), NecDefaultRadius, std::nullopt,
            extras};
}

bool IsZeroLength(const LineRecord& r)
{
    return r.X1 == r.X2 && r.Y1 == r.Y2 && r.Z1 == r.Z2;
}

// Whether the ends of a GW card just written, its numbers rounded to fit,
// have become one point.
bool WrittenAsPoint(std::string_view card)
{
    std::array<double, 6> ends{};
    std::size_t at = 2;
    for (int field = 0; field < 8; ++field) {
        at = card.find_first_not_of(' ', at);
        const std::size_t end = std::min(card.find_first_of(" \n", at), card.size());
        if (field >= 2)
            ends[static_cast<std::size_t>(field - 2)] = ReadNecNumber(card.substr(at, end - at)).value_or(0);
        at = end;
    }
    return ends[0] == ends[3] && ends[1] == ends[4] && ends[2] == ends[5];
}

// The GW card of a line, and the GC card of its taper; false when the line
// is left out for having no length. A field the import kept as an
// expression is written as it was while it still gives the line's number.
bool AppendWire(std::string& text, const LineRecord& r, const Wire& wire, const SymbolTable& symbols)
{
    if (IsZeroLength(r))
        return false;
    const double radius = wire.Taper ? 0.0 : wire.Radius > 0 ? wire.Radius : NecDefaultRadius;
    double scale = 0;
    for (double c : {r.X1, r.Y1, r.Z1, r.X2, r.Y2, r.Z2})
        scale = std::max(scale, std::abs(c));
    std::array<NecField, 9> fields{
        NecField::Integer(wire.Tag),   NecField::Integer(wire.Segments),
        NecField::Real(r.X1, scale),   NecField::Real(r.Y1, scale),
        NecField::Real(r.Z1, scale),   NecField::Real(r.X2, scale),
        NecField::Real(r.Y2, scale),   NecField::Real(r.Z2, scale),
        NecField::Real(radius)};
    const double values[9] = {static_cast<double>(wire.Tag), static_cast<double>(wire.Segments),
                              r.X1, r.Y1, r.Z1, r.X2, r.Y2, r.Z2, radius};
    for (int f = 0; f < 9; ++f)
        if (const auto kept = KeptExpression(wire.Extras, f, values[f], symbols))
            fields[static_cast<std::size_t>(f)] = NecField::Text(*kept);
    const std::size_t start = text.size();
    if (!AppendNecCard(text, "GW", NecCardLayout::Geometry, fields).Exact &&
        WrittenAsPoint(std::string_view(text).substr(start))) {
        text.resize(start);
        return false;
    }
    if (wire.Taper) {
        const std::array<NecField, 5> taper{
            NecField::Integer(0), NecField::Integer(0), NecField::Real(wire.Taper->Ratio),
            NecField::Real(wire.Taper->FirstRadius), NecField::Real(wire.Taper->LastRadius)};
        AppendNecCard(text, "GC", NecCardLayout::Geometry, taper);
    }
    return true;
}

// A card kept as a row, in columns when it holds numbers only, else as
// the user wrote it.
void AppendCardRow(std::string& text, std::string_view card)
{
    if (!AppendNecCardText(text, card)) {
        text += card;
        text += '\n';
    }
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
    std::string_view afterTaper = rest;
    NecTaper taper;
    if (TakeWord(afterTaper) == "GC" && ReadWhole(TakeWord(afterTaper), taper.Ratio) &&
        ReadWhole(TakeWord(afterTaper), taper.FirstRadius) &&
        ReadWhole(TakeWord(afterTaper), taper.LastRadius) &&
        (afterTaper.empty() || !IsWordCharacter(afterTaper.front()))) {
        const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
        if (positive(taper.Ratio) && positive(taper.FirstRadius) && positive(taper.LastRadius)) {
            keys.Taper = taper;
            rest = afterTaper;
        }
    }
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
        if (name == "SY")
            continue;  // among the wires, where the symbols are used
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
        if (!complete(row) || IsZeroLength(table.Record(row)) ||
            ReadNecPatchSupplement(table.CellText(SupplementColumn, row)))
            continue;
        const Wire wire = WireOf(table, row);
        if (wire.Extras.Remark.empty())
            continue;
        comment = "GW ";
        AppendInteger(comment, wire.Tag);
        comment += ": ";
        comment += wire.Extras.Remark;
        AppendComment(text, comment);
    }
    for (const std::string& card : comments)
        if (NecCardName(card) == "CM")
            AppendComment(text, std::string_view(card).substr(std::min<std::size_t>(3, card.size())));
    text += "CE\n";

    text.reserve(text.size() + static_cast<std::size_t>(lastRow) * (NecCardWidth + 1) + 16);
    // SY cards stand among the wires where the table has them, so that each
    // card's expressions see the symbols defined before it.
    SymbolTable symbols;
    for (int row = 1; row <= lastRow; ++row) {
        if (!complete(row)) {
            const std::optional<std::string> card = NecCardOfRow(table, row);
            if (card && NecCardName(*card) == "SY") {
                AssignSymbols(std::string_view(*card).substr(2), symbols);
                text += *card;
                text += '\n';
            }
            continue;
        }
        if (const int patchRows = AppendNecPatchCards(text, table, row, lastRow)) {
            deck.WrittenLines += patchRows;
            row += patchRows - 1;
            continue;
        }
        if (AppendWire(text, table.Record(row), WireOf(table, row), symbols))
            ++deck.WrittenLines;
        else
            ++deck.ZeroLengthLines;
    }
    AppendCardRow(text, geometryEnd);
    for (const std::string& card : controls)
        AppendCardRow(text, card);
    text += "EN\n";
    return deck;
}

}  // namespace quorvane
