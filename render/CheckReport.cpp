#include "CheckReport.h"

#include "CellTextEncoding.h"
#include "CheckMessages.h"

#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

// The shortest text that reads back to the same double; null for what JSON
// has no number for.
std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value).ptr);
}

std::string Point(Vec3 p)
{
    std::string text = "(";
    text += CheckNumber(p.X);
    text += ", ";
    text += CheckNumber(p.Y);
    text += ", ";
    text += CheckNumber(p.Z);
    return text += ")";
}

std::string Plural(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string JsonFinding(const CheckFinding& f)
{
    std::string rows;
    for (int row : f.Rows) {
        if (!rows.empty())
            rows += ',';
        rows += std::to_string(row);
    }
    std::string json = "{\"rule\":";
    json += JsonString(RuleId(f.Rule));
    return json +
           ",\"severity\":" + JsonString(SeverityId(f.Severity)) + ",\"rows\":[" + rows +
           "],\"at\":[" + JsonNumber(f.Place.X) + "," + JsonNumber(f.Place.Y) + "," +
           JsonNumber(f.Place.Z) + "],\"value\":" + JsonNumber(f.Value) +
           ",\"limit\":" + JsonNumber(f.Limit) +
           ",\"title\":" + JsonString(RuleTitle(f.Rule, Language::English)) +
           ",\"numbers\":" + JsonString(FindingNumbers(f, Language::English)) + "}";
}

}  // namespace

std::string JsonString(std::string_view text)
{
    const std::string utf8 = DisplayTextOf(text);
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string FindingLine(const std::string& file, const CheckFinding& f)
{
    std::string line = file + ": " + (f.Rows.size() == 1 ? "row " : "rows ") + RowList(f.Rows) +
                       ": " + std::string(SeverityId(f.Severity)) + ": " +
                       std::string(RuleTitle(f.Rule, Language::English));
    if (const std::string numbers = FindingNumbers(f, Language::English); !numbers.empty())
        line += ": " + numbers + ",";
    return line + " at " + Point(f.Place) + " [" + std::string(RuleId(f.Rule)) + "]";
}

std::string CountLine(const std::string& file, const CheckConditions& conditions,
                      const std::vector<CheckFinding>& findings)
{
    const CheckCounts counts = CountFindings(findings);
    const std::string frequency = conditions.FrequencyMHz
                                      ? CheckNumber(*conditions.FrequencyMHz) + " MHz"
                                      : "no frequency";
    return file + ": " + Plural(counts.Errors, "error", "errors") + ", " +
           Plural(counts.Warnings, "warning", "warnings") + " (" + frequency + ", " +
           (conditions.Ground ? "over ground" : "free space") + ")";
}

CheckReport::CheckReport(std::FILE* stream, CheckFormat format) : stream_(stream), format_(format)
{
}

void CheckReport::Add(const std::string& file, const CheckConditions& conditions,
                      const std::vector<CheckFinding>& findings)
{
    foundError_ = foundError_ || CountFindings(findings).Errors > 0;
    if (format_ == CheckFormat::Text) {
        for (const CheckFinding& finding : findings)
            std::fprintf(stream_, "%s\n", FindingLine(file, finding).c_str());
        std::fprintf(stream_, "%s\n", CountLine(file, conditions, findings).c_str());
        std::fflush(stream_);
        return;
    }
    const CheckCounts counts = CountFindings(findings);
    std::string json = "{\"file\":" + JsonString(file) + ",\"frequency_mhz\":" +
                       (conditions.FrequencyMHz ? JsonNumber(*conditions.FrequencyMHz) : "null") +
                       ",\"ground\":" + (conditions.Ground ? "true" : "false") +
                       ",\"errors\":" + std::to_string(counts.Errors) +
                       ",\"warnings\":" + std::to_string(counts.Warnings) + ",\"findings\":[";
    for (std::size_t i = 0; i < findings.size(); ++i)
        json += (i ? ",\n    " : "\n    ") + JsonFinding(findings[i]);
    jsonFiles_.push_back(json + (findings.empty() ? "]}" : "\n  ]}"));
}

void CheckReport::AddUnread(const std::string& file, const std::string& reason)
{
    if (format_ == CheckFormat::Json)
        jsonFiles_.push_back("{\"file\":" + JsonString(file) + ",\"unread\":" + JsonString(reason) +
                             "}");
}

void CheckReport::Finish()
{
    if (format_ != CheckFormat::Json)
        return;
    std::string json = "{\"files\":[";
    for (std::size_t i = 0; i < jsonFiles_.size(); ++i)
        json += (i ? ",\n  " : "\n  ") + jsonFiles_[i];
    json += jsonFiles_.empty() ? "]}\n" : "\n]}\n";
    std::fputs(json.c_str(), stream_);
    std::fflush(stream_);
}

}  // namespace quorvane
