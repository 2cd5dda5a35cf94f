#include "Nec2c.h"

#include "NecCardRows.h"

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

namespace quorvane::testing {

namespace {

// The rows of the table headed "SEGMENTATION DATA": the segment's number,
// centre, length, two angles, radius, three connections and tag.
std::vector<Nec2cSegment> SegmentsOf(const std::string& output)
{
    std::vector<Nec2cSegment> segments;
    std::size_t at = output.find("SEGMENTATION DATA");
    if (at == std::string::npos)
        return segments;
    at = output.find("No:", output.find("No:", at) + 3);  // the second header line
    std::istringstream lines(output.substr(output.find('\n', at) + 1));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        Nec2cSegment segment;
        int number = 0, before = 0, self = 0, after = 0;
        double alpha = 0, beta = 0;
        if (!(fields >> number >> segment.Centre[0] >> segment.Centre[1] >> segment.Centre[2] >>
              segment.Length >> alpha >> beta >> segment.Radius >> before >> self >> after >>
              segment.Tag))
            break;
        segments.push_back(segment);
    }
    return segments;
}

std::string Tail(const std::string& text, std::size_t length)
{
    return text.size() <= length ? text : text.substr(text.size() - length);
}

}  // namespace

bool Nec2cInstalled()
{
    return std::system("command -v nec2c > /dev/null 2>&1") == 0;
}

Nec2cRun RunNec2c(const TempFolder& folder, const std::string& deck, int seconds)
{
    Nec2cRun run;
    folder.Write("deck.nec", deck);
    const std::string command = "timeout " + std::to_string(seconds) + " nec2c -i '" +
                                folder.Path("deck.nec") + "' -o '" + folder.Path("deck.out") +
                                "' > '" + folder.Path("deck.log") + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = folder.Exists("deck.out") ? folder.Read("deck.out") : std::string();
    run.Messages = folder.Read("deck.log") + Tail(output, 600);
    if (!WIFEXITED(status)) {
        run.Verdict = Nec2cVerdict::Refused;
    } else {
        switch (WEXITSTATUS(status)) {
        case 0:
            run.Verdict = Nec2cVerdict::Solved;
            break;
        case 124:
            run.Verdict = Nec2cVerdict::Stuck;
            break;
        case 127:
            run.Verdict = Nec2cVerdict::Missing;
            break;
        default:
            run.Verdict = Nec2cVerdict::Refused;
            break;
        }
    }
    run.Segments = SegmentsOf(output);
    std::filesystem::remove(folder.Path("deck.out"));
    return run;
}

std::string GeometryOfDeck(std::string_view deck, std::string_view transform)
{
    std::string geometry;
    while (!deck.empty()) {
        const std::size_t end = deck.find('\n');
        const std::string_view line = deck.substr(0, end);
        deck.remove_prefix(end == std::string_view::npos ? deck.size() : end + 1);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && NecCardName(line.substr(first)) == "GE")
            break;
        geometry += line;
        geometry += '\n';
    }
    return geometry + std::string(transform) + "GE 0\nEN\n";
}

}  // namespace quorvane::testing
