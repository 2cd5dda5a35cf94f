#include "NecKeptCards.h"

#include "DeckExpression.h"
#include "LineTable.h"
#include "NecCardFields.h"
#include "NecCardText.h"
#include "SymbolTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorvane {

namespace {

// A data file's four decimals round a coordinate by at most this much.
constexpr double DataFileRounding = 0.5e-4;

// The separators a data file's reading may have put in place of blanks.
bool IsTypedSeparator(char c) { return std::string_view(" ,;|:\\\t").find(c) != std::string_view::npos; }

// The words of a supplement, split at blanks or the separator that took
// their place, but not within parentheses: "mod(a,b)" stays one.
std::vector<std::string_view> Words(std::string_view text, std::size_t most)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size() && words.size() < most) {
        while (i < text.size() && IsTypedSeparator(text[i]))
            ++i;
        const std::size_t begin = i;
        int depth = 0;
        while (i < text.size() && (depth > 0 || !IsTypedSeparator(text[i]))) {
            depth += text[i] == '(' ? 1 : text[i] == ')' && depth > 0 ? -1 : 0;
            ++i;
        }
        if (begin < i)
            words.push_back(text.substr(begin, i - begin));
    }
    return words;
}

std::optional<double> Evaluated(std::string_view text, const SymbolTable& symbols)
{
    const ExpressionResult result = EvaluateExpression(text, symbols);
    return result.Ok() ? std::optional<double>(result.Value) : std::nullopt;
}

struct Point {
    double X, Y, Z;
};

Point Start(const LineRecord& r) { return {r.X1, r.Y1, r.Z1}; }

void AddPoint(std::vector<NecField>& fields, Point p, double scale)
{
    fields.push_back(NecField::Real(p.X, scale));
    fields.push_back(NecField::Real(p.Y, scale));
    fields.push_back(NecField::Real(p.Z, scale));
}

double ScaleOf(const LineTable& table, int row, int lines)
{
    double scale = 0;
    for (int k = 0; k < lines; ++k)
        for (int column = 1; column <= 6; ++column)
            scale = std::max(scale, std::fabs(table.Record(row + k).Coordinate(column)));
    return scale;
}

// Elevation and azimuth in degrees of a normal, and the patch's area, of a
// square outline drawn for a patch of any shape.
void AddAnyShape(std::vector<NecField>& fields, const LineTable& table, int row, double scale)
{
    Point corner[4];
    for (int k = 0; k < 4; ++k)
        corner[k] = Start(table.Record(row + k));
    const Point centre{(corner[0].X + corner[1].X + corner[2].X + corner[3].X) / 4,
                       (corner[0].Y + corner[1].Y + corner[2].Y + corner[3].Y) / 4,
                       (corner[0].Z + corner[1].Z + corner[2].Z + corner[3].Z) / 4};
    const Point a{corner[1].X - corner[0].X, corner[1].Y - corner[0].Y, corner[1].Z - corner[0].Z};
    const Point b{corner[2].X - corner[1].X, corner[2].Y - corner[1].Y, corner[2].Z - corner[1].Z};
    const Point n{a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
    const double area = std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z);
    const double level = std::hypot(n.X, n.Y);
    AddPoint(fields, centre, scale);
    fields.push_back(NecField::Real(std::atan2(n.Z, level) * 180 / std::numbers::pi));
    // A vertical normal has no azimuth of its own.
    fields.push_back(NecField::Real(level > 1e-12 * area ? std::atan2(n.Y, n.X) * 180 / std::numbers::pi : 0.0));
    fields.push_back(NecField::Real(area));
}

bool SamePatch(const NecPatchLine& a, const NecPatchLine& b)
{
    return a.Kind == b.Kind && a.Shape == b.Shape && a.Nx == b.Nx && a.Ny == b.Ny && a.Lines == b.Lines;
}

}  // namespace

NecLineExtras ReadNecLineExtras(std::string_view remark)
{
    NecLineExtras extras;
    extras.Remark = remark;
    const std::vector<std::string_view> words = Words(remark, 11);
    if (words.size() < 11 || words[0] != "=" || words[1] != "GW")
        return extras;
    for (std::size_t f = 0; f < 9; ++f)
        extras.Fields[f] = std::string(words[2 + f]);
    extras.HasFields = true;
    const std::string_view last = words.back();
    std::size_t end = static_cast<std::size_t>(last.data() + last.size() - remark.data());
    while (end < remark.size() && IsTypedSeparator(remark[end]))
        ++end;
    extras.Remark = remark.substr(end);
    return extras;
}

std::optional<std::string_view> KeptExpression(const NecLineExtras& extras, int field, double value,
                                               const SymbolTable& symbols)
{
    if (!extras.HasFields)
        return std::nullopt;
    const std::string& text = extras.Fields[static_cast<std::size_t>(field)];
    const std::optional<double> kept = Evaluated(text, symbols);
    const double allowed = field >= 2 && field < 8 ? DataFileRounding : 0.0;
    if (!kept || !(std::fabs(*kept - value) <= allowed))
        return std::nullopt;
    return std::string_view(text);
}

std::optional<NecPatchLine> ReadNecPatchSupplement(std::string_view supplement)
{
    // "2/4" is two words here: the slash separates them.
    std::vector<std::string_view> words;
    for (std::string_view word : Words(supplement, 6)) {
        const std::size_t slash = word.find('/');
        words.push_back(word.substr(0, slash));
        if (slash != std::string_view::npos)
            words.push_back(word.substr(slash + 1));
    }
    NecPatchLine patch;
    std::vector<long long> numbers;
    for (std::size_t i = 1; i < words.size(); ++i) {
        long long value = 0;
        const auto [end, ec] = std::from_chars(words[i].data(), words[i].data() + words[i].size(), value);
        if (ec != std::errc() || end != words[i].data() + words[i].size())
            break;
        numbers.push_back(value);
    }
    if (words.size() >= 4 && words[0] == "SP" && numbers.size() >= 3) {
        patch.Kind = NecPatchKind::Single;
        patch.Shape = static_cast<int>(numbers[0]);
        patch.Side = numbers[1];
        patch.Lines = numbers[2];
        if (numbers[0] < 0 || numbers[0] > 3 || patch.Lines != (patch.Shape == 2 ? 3 : 4))
            return std::nullopt;
    } else if (words.size() >= 5 && words[0] == "SM" && numbers.size() >= 4) {
        patch.Kind = NecPatchKind::Multiple;
        patch.Nx = numbers[0];
        patch.Ny = numbers[1];
        patch.Side = numbers[2];
        patch.Lines = numbers[3];
        if (patch.Nx < 1 || patch.Ny < 1 || patch.Nx > NecLargestInteger || patch.Ny > NecLargestInteger ||
            patch.Lines != patch.Nx + patch.Ny + 2)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (patch.Side < 1 || patch.Side > patch.Lines)
        return std::nullopt;
    return patch;
}

int AppendNecPatchCards(std::string& out, const LineTable& table, int row, int lastRow)
{
    const std::optional<NecPatchLine> first = ReadNecPatchSupplement(table.CellText(SupplementColumn, row));
    if (!first || first->Side != 1 || first->Lines > lastRow - row + 1)
        return 0;
    const int lines = static_cast<int>(first->Lines);
    for (int k = 0; k < lines; ++k) {
        if (!table.Record(row + k).Complete)
            return 0;
        const std::optional<NecPatchLine> side = ReadNecPatchSupplement(table.CellText(SupplementColumn, row + k));
        if (!side || !SamePatch(*side, *first) || side->Side != k + 1)
            return 0;
    }
    const double scale = ScaleOf(table, row, lines);
    std::vector<NecField> fields;
    if (first->Kind == NecPatchKind::Single) {
        fields.push_back(NecField::Integer(0));
        fields.push_back(NecField::Integer(first->Shape));
    } else {
        fields.push_back(NecField::Integer(first->Nx));
        fields.push_back(NecField::Integer(first->Ny));
    }
    const std::string_view name = first->Kind == NecPatchKind::Single ? "SP" : "SM";
    if (first->Kind == NecPatchKind::Single && first->Shape == 0) {
        AddAnyShape(fields, table, row, scale);
        AppendNecCard(out, name, NecCardLayout::Geometry, fields);
        return lines;
    }
    AddPoint(fields, Start(table.Record(row)), scale);
    AddPoint(fields, Start(table.Record(row + 1)), scale);
    AppendNecCard(out, name, NecCardLayout::Geometry, fields);
    fields = {NecField::Integer(0), NecField::Integer(0)};
    AddPoint(fields, Start(table.Record(row + 2)), scale);
    if (first->Kind == NecPatchKind::Single && first->Shape == 3)
        AddPoint(fields, Start(table.Record(row + 3)), scale);
    AppendNecCard(out, "SC", NecCardLayout::Geometry, fields);
    return lines;
}

}  // namespace quorvane
