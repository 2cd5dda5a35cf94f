#include "MaaMessages.h"

#include <algorithm>
#include <iterator>

namespace quorvane {

namespace {

constexpr std::size_t ListedLines = 10;

constexpr LanguageText LeftOutIntro{"Some lines of %1 could not be read and were left out:",
                                    "Einige Zeilen von %1 konnten nicht gelesen werden und "
                                    "wurden übergangen:"};
constexpr LanguageText LinePrefix{"line ", "Zeile "};
constexpr LanguageText MoreLines{"and %d more.", "und %d weitere."};
constexpr LanguageText ReadOutro{"Everything else was read.", "Alles andere wurde gelesen."};

std::string Replaced(std::string_view text, std::string_view mark, std::string_view by)
{
    std::string result(text);
    if (const auto at = result.find(mark); at != std::string::npos)
        result.replace(at, mark.size(), by);
    return result;
}

}  // namespace

std::string MaaProblemText(MaaProblem problem, Language language)
{
    static constexpr LanguageText texts[] = {
        {"the frequency must be one positive number",
         "die Frequenz muss eine positive Zahl sein"},
        {"the line must begin with the number of lines that follow",
         "die Zeile muss mit der Zahl der folgenden Zeilen beginnen"},
        {"this number of lines does not follow", "so viele Zeilen folgen nicht"},
        {"a wire must be eight numbers, the last an integer",
         "ein Draht muss aus acht Zahlen bestehen, die letzte ganz"},
        {"the table holds 100000 rows; the file from here on is left out",
         "die Tabelle fasst 100000 Zeilen; die Datei ab hier wird übergangen"},
    };
    static_assert(std::size(texts) == static_cast<std::size_t>(MaaProblem::TooManyWires) + 1);
    return std::string(texts[static_cast<std::size_t>(problem)](language));
}

std::string MaaLinesLeftOutMessage(const std::vector<MaaLineError>& errors,
                                   std::string_view fileName, Language language)
{
    std::vector<const MaaLineError*> lines;
    for (const MaaLineError& error : errors)
        if (error.Problem != MaaProblem::TooManyWires)
            lines.push_back(&error);
    if (lines.empty())
        return {};
    std::string message = Replaced(LeftOutIntro(language), "%1", fileName);
    message += '\n';
    for (std::size_t i = 0; i < lines.size() && i < ListedLines; ++i) {
        message += '\n';
        message += LinePrefix(language);
        message += std::to_string(lines[i]->LineNumber);
        message += ": ";
        message += lines[i]->Line;
        message += " \xE2\x80\x93 ";
        message += MaaProblemText(lines[i]->Problem, language);
    }
    if (lines.size() > ListedLines) {
        message += '\n';
        message += Replaced(MoreLines(language), "%d", std::to_string(lines.size() - ListedLines));
    }
    message += "\n\n";
    message += ReadOutro(language);
    return message;
}

bool MaaFileOverflowed(const std::vector<MaaLineError>& errors)
{
    return std::any_of(errors.begin(), errors.end(), [](const MaaLineError& error) {
        return error.Problem == MaaProblem::TooManyWires;
    });
}

}  // namespace quorvane
