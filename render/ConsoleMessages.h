#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {

// Where the problems with a file are told.
class FileMessages {
public:
    virtual ~FileMessages() = default;
    virtual void Error(const std::string& file, const std::string& text) = 0;
    virtual void Warning(const std::string& file, const std::string& text) = 0;
};

// What the program tells on standard error: one line per problem, named
// after the file it concerns, and on a terminal a progress line that the
// next message or the end replaces.
class ConsoleMessages : public FileMessages {
public:
    ConsoleMessages(std::FILE* stream, bool terminal, std::string programName);

    void Progress(int done, int total, const std::string& file);
    void Error(const std::string& file, const std::string& text) override;
    void Warning(const std::string& file, const std::string& text) override;
    // Clears the progress line.
    void Finish();

private:
    void Line(const std::string& text);

    std::FILE* stream_;
    bool terminal_;
    std::string programName_;
    bool progressShown_ = false;
};

// The messages of one model, kept while it is drawn beside others, to be
// told in the order of the models.
class HeldMessages : public FileMessages {
public:
    void Error(const std::string& file, const std::string& text) override;
    void Warning(const std::string& file, const std::string& text) override;
    void TellTo(FileMessages& messages) const;

private:
    struct Message {
        bool IsError;
        std::string File, Text;
    };
    std::vector<Message> messages_;
};

}  // namespace quorvane
