#pragma once

#include <cstdio>
#include <string>

namespace quorvane {

// What the program tells on standard error: one line per problem, named
// after the file it concerns, and on a terminal a progress line that the
// next message or the end replaces.
class ConsoleMessages {
public:
    ConsoleMessages(std::FILE* stream, bool terminal, std::string programName);

    void Progress(int done, int total, const std::string& file);
    void Error(const std::string& file, const std::string& text);
    void Warning(const std::string& file, const std::string& text);
    // Clears the progress line.
    void Finish();

private:
    void Line(const std::string& text);

    std::FILE* stream_;
    bool terminal_;
    std::string programName_;
    bool progressShown_ = false;
};

}  // namespace quorvane
