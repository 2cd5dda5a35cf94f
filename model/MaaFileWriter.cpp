#include "MaaFileWriter.h"

#include "LineTable.h"
#include "MaaFile.h"
#include "ModelFacts.h"
#include "NecCardRows.h"
#include "NecDeckWriter.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace quorvane {

namespace {

constexpr double DefaultFrequency = 14;
constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view FieldSeparator = ",\t";
constexpr long long AutomaticSegments = -1;

// MMANA writes every real number with a decimal point: "0.0", "21.1".
void AppendReal(std::string& out, double value)
{
    char buffer[32];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    out += text;
    if (text.find_first_of(".e") == std::string_view::npos)
        out += ".0";
}

void AppendInteger(std::string& out, long long value)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

bool IsWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+';
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsWordCharacter(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && IsWordCharacter(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

template <typename Number>
bool ReadWhole(std::string_view word, Number& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

struct WrittenWire {
    int Row = 0;
    double Radius = NecDefaultRadius;
    long long Segments = AutomaticSegments;
};

// The radius and segments of a line: those of its wire data, MMANA's own
// where the remark "MMANA R -0.001 S -1" keeps them.
WrittenWire WireOfRow(const LineTable& table, int row, std::optional<long long>& tag)
{
    WrittenWire wire;
    wire.Row = row;
    const std::optional<NecWireKeys> keys = ReadNecSupplement(table.CellText(SupplementColumn, row));
    if (!keys)
        return wire;
    tag = keys->Tag;
    wire.Radius = keys->Radius;
    wire.Segments = keys->Segments;
    const std::vector<std::string_view> remark = Words(keys->Remark);
    if (remark.empty() || remark[0] != "MMANA")
        return wire;
    for (std::size_t i = 1; i + 1 < remark.size(); i += 2) {
        double radius = 0;
        long long segments = 0;
        if (remark[i] == "R" && ReadWhole(remark[i + 1], radius) && std::isfinite(radius))
            wire.Radius = radius;
        else if (remark[i] == "S" && ReadWhole(remark[i + 1], segments) &&
                 std::llabs(segments) <= NecLargestInteger)
            wire.Segments = segments;
        else
            break;
    }
    return wire;
}

// A free text on one line of its own: a line end in it would break the
// file's lines, and a Ctrl+Z would end the file for old readers.
void AppendText(std::string& out, std::string_view text)
{
    for (char c : text)
        out += c == '\r' || c == '\n' || c == '\x1A' ? ' ' : c;
}

// A line that starts as a header would start a section when read: a comma
// before it keeps it a line of fields.
void AppendHeaderGuard(std::string& out, std::string_view firstField)
{
    if (!firstField.empty() &&
        std::string_view("*$#").find(firstField.front()) != std::string_view::npos)
        out += ',';
}

void AppendFields(std::string& out, std::string_view text)
{
    AppendHeaderGuard(out, text);
    bool first = true;
    for (const std::string& field : MaaFields(text)) {
        if (!first)
            out += FieldSeparator;
        out += field;
        first = false;
    }
}

// "w3c" names the wire of tag 3; it is written with the wire's place now.
void AppendSourceOrLoad(std::string& out, std::string_view text,
                        const std::unordered_map<long long, long long>& placeOfTag)
{
    std::vector<std::string> fields = MaaFields(text);
    if (!fields.empty()) {
        std::string& wire = fields[0];
        std::size_t digits = 1;
        while (digits < wire.size() && std::isdigit(static_cast<unsigned char>(wire[digits])))
            ++digits;
        long long tag = 0;
        const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(wire[0])));
        if ((kind == 'w' || kind == 'v') && digits > 1 &&
            ReadWhole(std::string_view(wire).substr(1, digits - 1), tag)) {
            if (const auto place = placeOfTag.find(tag); place != placeOfTag.end()) {
                std::string renamed(1, wire[0]);
                AppendInteger(renamed, place->second);
                wire = renamed + wire.substr(digits);
            }
        }
    }
    if (!fields.empty())
        AppendHeaderGuard(out, fields[0]);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += FieldSeparator;
        out += fields[i];
    }
}

struct Section {
    std::string_view Header;
    std::vector<std::string> Lines;
    std::string CountRest;  // what the count line has after the count
};

void AppendCounted(std::string& out, const Section& section, std::string_view defaultRest,
                   const std::unordered_map<long long, long long>* placeOfTag)
{
    out += section.Header;
    out += LineEnd;
    AppendInteger(out, static_cast<long long>(section.Lines.size()));
    const std::string_view rest = section.CountRest.empty() ? defaultRest : section.CountRest;
    if (!rest.empty()) {
        out += FieldSeparator;
        AppendFields(out, rest);
    }
    out += LineEnd;
    for (const std::string& line : section.Lines) {
        if (placeOfTag)
            AppendSourceOrLoad(out, line, *placeOfTag);
        else
            AppendFields(out, line);
        out += LineEnd;
    }
}

}  // namespace

MaaFileText MakeMaaFile(const LineTable& table, std::string_view fileName)
{
    MaaFileText file;
    const int lastRow = std::max(table.LineCount, table.LastNonEmptyRow());

    std::optional<std::string> title;
    std::string wiresRest;
    Section sources{"***Source***", {}, {}};
    Section loads{"***Load***", {}, {}};
    Section combined{"$$$Combined wires$$$", {}, {}};
    std::vector<std::string> segmentation, ground, kept, comment;
    std::vector<WrittenWire> wires;
    std::unordered_map<long long, long long> placeOfTag;
    MaaRow row;
    bool fromMmana = false;
    for (int r = 1; r <= lastRow; ++r) {
        if (table.Record(r).Complete) {
            std::optional<long long> tag;
            wires.push_back(WireOfRow(table, r, tag));
            if (tag)
                placeOfTag.try_emplace(*tag, static_cast<long long>(wires.size()));
            continue;
        }
        if (table.IsRowEmpty(r))
            continue;
        const bool coordinateless = [&] {
            for (int column = 1; column <= 6; ++column)
                if (!table.CellText(column, r).empty())
                    return false;
            return true;
        }();
        if (coordinateless && ReadMaaRow(table.CellText(SupplementColumn, r), row)) {
            fromMmana = true;
            switch (row.Kind) {
            case MaaRowKind::Name:
                if (!title)
                    title = row.Text;
                break;
            case MaaRowKind::Wires:
                wiresRest = row.Text;
                break;
            case MaaRowKind::Sources:
                sources.CountRest = row.Text;
                break;
            case MaaRowKind::Source:
                sources.Lines.push_back(row.Text);
                break;
            case MaaRowKind::Loads:
                loads.CountRest = row.Text;
                break;
            case MaaRowKind::Load:
                loads.Lines.push_back(row.Text);
                break;
            case MaaRowKind::Segmentation:
                segmentation.push_back(row.Text);
                break;
            case MaaRowKind::Ground:
                ground.push_back(row.Text);
                break;
            case MaaRowKind::Combined:
                combined.CountRest = row.Text;
                break;
            case MaaRowKind::CombinedWire:
                combined.Lines.push_back(row.Text);
                break;
            case MaaRowKind::Comment:
                comment.push_back(row.Text);
                break;
            case MaaRowKind::Line:
                kept.push_back(row.Text);
                break;
            }
            continue;
        }
        const std::optional<std::string> card = NecCardOfRow(table, r);
        if (!card || NecCardName(*card) != "FR")
            ++file.LeftOutRows;
    }

    std::string& out = file.Text;
    out.reserve(static_cast<std::size_t>(wires.size()) * 96 + 512);
    // A model from an MMANA file without a title keeps it empty.
    if (title)
        AppendText(out, *title);
    else if (!fromMmana)
        AppendText(out, fileName.substr(0, fileName.rfind('.')));
    out += LineEnd;
    out += '*';
    out += LineEnd;
    AppendReal(out, ReadModelFacts(table).FrequencyMHz.value_or(DefaultFrequency));
    out += LineEnd;
    out += "***Wires***";
    out += LineEnd;
    AppendInteger(out, static_cast<long long>(wires.size()));
    if (!wiresRest.empty()) {
        out += FieldSeparator;
        AppendFields(out, wiresRest);
    }
    out += LineEnd;
    for (const WrittenWire& wire : wires) {
        const LineRecord& record = table.Record(wire.Row);
        for (int column = 1; column <= 6; ++column) {
            AppendReal(out, record.Coordinate(column));
            out += FieldSeparator;
        }
        AppendReal(out, wire.Radius);
        out += FieldSeparator;
        AppendInteger(out, wire.Segments);
        out += LineEnd;
    }
    file.WrittenLines = static_cast<int>(wires.size());

    AppendCounted(out, sources, "1", &placeOfTag);
    AppendCounted(out, loads, "1", &placeOfTag);
    const auto appendLines = [&out](std::string_view header, const std::vector<std::string>& lines,
                                    std::string_view fallback) {
        out += header;
        out += LineEnd;
        if (lines.empty()) {
            AppendFields(out, fallback);
            out += LineEnd;
        }
        for (const std::string& line : lines) {
            AppendFields(out, line);
            out += LineEnd;
        }
    };
    appendLines("***Segmentation***", segmentation, MaaDefaultSegmentation);
    appendLines("***G/H/M/R/AzEl/X***", ground, "0 0.0 0 50.0 120 60 0.0");
    for (const std::string& line : kept) {
        AppendText(out, line);
        out += LineEnd;
    }
    if (!combined.Lines.empty())
        AppendCounted(out, combined, {}, nullptr);
    if (!comment.empty()) {
        out += "###Comment###";
        out += LineEnd;
        for (const std::string& line : comment) {
            AppendText(out, line);
            out += LineEnd;
        }
    }
    return file;
}

}  // namespace quorvane
