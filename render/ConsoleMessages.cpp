#include "ConsoleMessages.h"

namespace quorvane {

namespace {

// Back to the line's start, and the line cleared.
constexpr const char* ClearLine = "\r\x1b[K";

}  // namespace

ConsoleMessages::ConsoleMessages(std::FILE* stream, bool terminal, std::string programName)
    : stream_(stream), terminal_(terminal), programName_(std::move(programName))
{
}

void ConsoleMessages::Progress(int done, int total, const std::string& file)
{
    if (!terminal_)
        return;
    std::fprintf(stream_, "%s[%d/%d] %s", ClearLine, done, total, file.c_str());
    std::fflush(stream_);
    progressShown_ = true;
}

void ConsoleMessages::Error(const std::string& file, const std::string& text)
{
    Line(file + ": " + text);
}

void ConsoleMessages::Warning(const std::string& file, const std::string& text)
{
    Line(file + ": warning: " + text);
}

void ConsoleMessages::Finish()
{
    if (progressShown_) {
        std::fputs(ClearLine, stream_);
        std::fflush(stream_);
        progressShown_ = false;
    }
}

void ConsoleMessages::Line(const std::string& text)
{
    Finish();
    std::fprintf(stream_, "%s: %s\n", programName_.c_str(), text.c_str());
    std::fflush(stream_);
}

}  // namespace quorvane

namespace quorvane {

void HeldMessages::Error(const std::string& file, const std::string& text)
{
    messages_.push_back({true, file, text});
}

void HeldMessages::Warning(const std::string& file, const std::string& text)
{
    messages_.push_back({false, file, text});
}

void HeldMessages::TellTo(FileMessages& messages) const
{
    for (const Message& message : messages_) {
        if (message.IsError)
            messages.Error(message.File, message.Text);
        else
            messages.Warning(message.File, message.Text);
    }
}

}  // namespace quorvane
