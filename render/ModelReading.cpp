#include "ModelReading.h"

#include "DataFile.h"
#include "ModelFileTypes.h"
#include "ProgramState.h"
#include "Projection.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorvane {

namespace {

// Keeps the reader's error and answers nothing: there is no one to ask.
class ReadEvents : public DataFileEvents {
public:
    void SetFileCaptions(const std::string&) override {}
    void ResizeDataTable() override {}
    void ModelChanged() override {}
    void ShowFileError(const std::string& message) override { Error = message; }
    SaveAnswer AskSaveChanges(const std::string&, const std::string&) override
    {
        return SaveAnswer::Cancel;
    }

    std::string Error;
};

// The reader's message is the system's text and a line with the file.
std::string FirstLine(const std::string& message)
{
    return message.substr(0, message.find('\n'));
}

// Why the file cannot be read, in the words of the system; empty when it
// can. The readers take a missing file for an empty one, as the main
// program starts without its last file; here it is a mistake.
std::string OpeningProblem(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return std::generic_category().message(errno);
    struct stat status {};
    const int error = ::fstat(file, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    ::close(file);
    return error != 0 ? std::generic_category().message(error) : std::string();
}

}  // namespace

ModelRead ReadModel(const std::string& path, DataFile& dataFile, ProgramState& program)
{
    ModelRead read;
    read.Error = OpeningProblem(path);
    if (!read.Error.empty())
        return read;
    ReadEvents events;
    dataFile.SetEvents(&events);
    read.Warnings = ImportWarnings(ReadModelFile(dataFile, path, path));
    dataFile.SetEvents(nullptr);
    if (!events.Error.empty()) {
        read.Error = FirstLine(events.Error);
        read.Warnings.clear();
        return read;
    }
    if (program.Table.CompleteLineCount == 0) {
        read.Error = "no complete line to draw";
        return read;
    }
    ComputeModelExtents(program.View, program.Table);
    return read;
}

}  // namespace quorvane
