#include "MimeAppsList.h"

#include "AsciiText.h"

#include <vector>

namespace quorvane {

namespace {

constexpr std::string_view defaultGroup = "Default Applications";

struct Line {
    std::string_view text;  // without the line feed; a CR before it stays
    bool inDefaultGroup = false;
    bool isOurKey = false;
    bool isGroupHeader = false;
};

std::vector<Line> SplitLines(std::string_view text, std::string_view mimeType)
{
    std::vector<Line> lines;
    bool inDefaultGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        Line line{text.substr(0, end)};
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const std::string_view trimmed = TrimBlanks(line.text);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            line.isGroupHeader = true;
            inDefaultGroup = trimmed.substr(1, trimmed.size() - 2) == defaultGroup;
        } else if (inDefaultGroup && !trimmed.empty() && trimmed.front() != '#') {
            const std::size_t equals = trimmed.find('=');
            line.isOurKey = equals != std::string_view::npos &&
                            TrimBlanks(trimmed.substr(0, equals)) == mimeType;
        }
        line.inDefaultGroup = inDefaultGroup;
        lines.push_back(line);
    }
    return lines;
}

bool NamesDefault(std::string_view line, std::string_view desktopId)
{
    std::string_view value = line.substr(line.find('=') + 1);
    value = value.substr(0, value.find(';'));
    return TrimBlanks(value) == desktopId;
}

bool EndsWithCarriageReturn(std::string_view line)
{
    return !line.empty() && line.back() == '\r';
}

}  // namespace

std::optional<std::string> WithDefaultApplication(std::string_view text, std::string_view mimeType,
                                                  std::string_view desktopId)
{
    const std::vector<Line> lines = SplitLines(text, mimeType);
    bool anyKey = false, allOurs = true;
    for (const Line& line : lines) {
        if (line.isOurKey) {
            anyKey = true;
            allOurs = allOurs && NamesDefault(line.text, desktopId);
        }
    }
    if (anyKey && allOurs)
        return std::nullopt;

    const std::string ourLine = std::string(mimeType) + "=" + std::string(desktopId);

    // Where the key goes when it is missing: after the last line of the first
    // default group that is not blank, so that the group's trailing blank
    // lines keep separating it from the next one.
    std::size_t insertAfter = lines.size();
    if (!anyKey) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].inDefaultGroup)
                continue;
            if (lines[i].isGroupHeader && insertAfter != lines.size())
                break;
            if (lines[i].isGroupHeader || !TrimBlanks(lines[i].text).empty())
                insertAfter = i;
        }
    }

    std::string result;
    result.reserve(text.size() + ourLine.size() + 32);
    bool written = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const bool last = i + 1 == lines.size();
        const bool hasLineFeed = !last || text.back() == '\n';
        if (line.isOurKey) {
            if (written)
                continue;  // a later duplicate would only confuse readers
            result += ourLine;
            if (EndsWithCarriageReturn(line.text))
                result += '\r';
            written = true;
        } else {
            result += line.text;
        }
        if (hasLineFeed || i == insertAfter)
            result += '\n';
        if (i == insertAfter) {
            result += ourLine;
            result += EndsWithCarriageReturn(line.text) ? "\r\n" : "\n";
            written = true;
        }
    }
    if (!written) {
        if (!result.empty() && result.back() != '\n')
            result += '\n';
        result += "[" + std::string(defaultGroup) + "]\n" + ourLine + "\n";
    }
    return result;
}

}  // namespace quorvane
