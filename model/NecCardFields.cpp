#include "NecCardFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

constexpr std::size_t CardColumns = 80;

// Column starts (0-based) of each field and the end of the last.
constexpr std::array<std::size_t, 10> GeometryStarts{2, 5, 10, 20, 30, 40, 50, 60, 70, 80};
constexpr std::array<std::size_t, 11> ControlStarts{2, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80};

std::size_t FieldStart(NecCardLayout layout, int field)
{
    return layout == NecCardLayout::Geometry ? GeometryStarts[static_cast<std::size_t>(field)]
                                             : ControlStarts[static_cast<std::size_t>(field)];
}

bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<NecCardFields> ByColumns(std::string_view line, NecCardLayout layout,
                                       const std::function<bool(std::string_view)>& isField)
{
    NecCardFields fields;
    fields.ByColumns = true;
    fields.Given = NecFieldCount(layout);
    for (int f = 0; f < fields.Given; ++f) {
        const std::size_t begin = std::min(FieldStart(layout, f), line.size());
        const std::size_t end = std::min(FieldStart(layout, f + 1), line.size());
        if (f > 0 && begin > 0 && begin < line.size() && line[begin - 1] != ' ' &&
            line[begin] != ' ') {
            const bool signStarts = line[begin] == '-' || line[begin] == '+';
            if (!signStarts || IsExponentLetter(line[begin - 1]))
                return std::nullopt;
        }
        const std::string_view text = Trimmed(line.substr(begin, end - begin));
        if (text.empty())
            continue;
        if (text.find(' ') != std::string_view::npos || !isField(text))
            return std::nullopt;
        fields.Texts[static_cast<std::size_t>(f)] = text;
    }
    return fields;
}

bool IsSeparator(char c) { return IsNecBlank(c) || c == ','; }

// Runs of commas and blanks separate fields, so "1,,2" is two fields. Within
// parentheses they separate nothing: "mod(a, b)" is one field, the arguments
// of a function.
std::optional<NecCardFields> FreeForm(std::string_view rest, NecCardLayout layout,
                                      const std::function<bool(std::string_view)>& isField)
{
    NecCardFields fields;
    const int most = NecFieldCount(layout);
    std::size_t i = 0;
    while (i < rest.size()) {
        int commas = 0;
        while (i < rest.size() && IsSeparator(rest[i]))
            commas += rest[i++] == ',' ? 1 : 0;
        const std::size_t begin = i;
        // Most fields hold no parenthesis: their end is found without
        // counting depth.
        while (i < rest.size() && rest[i] != '(' && !IsSeparator(rest[i]))
            ++i;
        int depth = 0;
        while (i < rest.size() && (depth > 0 || !IsSeparator(rest[i]))) {
            depth += rest[i] == '(' ? 1 : rest[i] == ')' && depth > 0 ? -1 : 0;
            ++i;
        }
        if (begin == i)
            break;
        if (commas > 1 && fields.Given > 0)
            fields.EmptyBetweenCommas = true;
        if (fields.Given == most)
            return std::nullopt;
        const std::string_view text = rest.substr(begin, i - begin);
        if (!isField(text))
            return std::nullopt;
        fields.Texts[static_cast<std::size_t>(fields.Given++)] = text;
    }
    return fields;
}

// Whether some field's columns, up to the last character of the card, are
// all blank: a card laid out in columns with a field left empty.
bool HasBlankColumnField(std::string_view line, NecCardLayout layout)
{
    for (int f = 0; f < NecFieldCount(layout); ++f) {
        const std::size_t begin = FieldStart(layout, f);
        const std::size_t end = FieldStart(layout, f + 1);
        if (end > line.size())
            return false;
        if (line.substr(begin, end - begin).find_first_not_of(' ') == std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace

std::size_t NecFieldStart(NecCardLayout layout, int field) { return FieldStart(layout, field); }

int NecFieldCount(NecCardLayout layout) { return layout == NecCardLayout::Geometry ? 9 : 10; }

int NecIntegerCount(NecCardLayout layout) { return layout == NecCardLayout::Geometry ? 2 : 4; }

bool IsNecBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::optional<double> ReadNecNumber(std::string_view text)
{
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    std::array<char, 64> buffer{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+' && i == 0)
            continue;  // from_chars takes no plus sign
        if (c == 'D' || c == 'd')
            c = 'E';
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E' || c == 'e'))
            return std::nullopt;  // also keeps out "inf" and "nan"
        buffer[n++] = c;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + n, value);
    if (ec != std::errc() || end != buffer.data() + n || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string_view WithoutTrailingBlanks(std::string_view line)
{
    while (!line.empty() && (IsNecBlank(line.back()) || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

std::optional<NecCardFields> SplitNecCard(std::string_view line, NecCardLayout layout,
                                          int usedFields,
                                          const std::function<bool(std::string_view)>& isField,
                                          NecSplitProblem& problem)
{
    problem = NecSplitProblem::None;
    // One pass over the characters: find_first_of would search its set
    // once for every character of the card.
    const auto freeFormOnly = [](char c) { return c == ',' || (c != ' ' && IsNecBlank(c)); };
    const bool mayBeColumns = !line.empty() && line.front() != ' ' && line.size() <= CardColumns &&
                              std::none_of(line.begin(), line.end(), freeFormOnly);
    if (mayBeColumns)
        if (std::optional<NecCardFields> fields = ByColumns(line, layout, isField))
            return fields;
    const std::size_t first = line.find_first_not_of(" \t\r\f\v");
    const std::string_view rest =
        first == std::string_view::npos ? std::string_view() : line.substr(std::min(first + 2, line.size()));
    std::optional<NecCardFields> fields = FreeForm(rest, layout, isField);
    if (!fields) {
        problem = NecSplitProblem::Unreadable;
        return std::nullopt;
    }
    if (mayBeColumns && fields->Given < usedFields && HasBlankColumnField(line, layout)) {
        problem = NecSplitProblem::Ambiguous;
        return std::nullopt;
    }
    return fields;
}

}  // namespace quorvane
