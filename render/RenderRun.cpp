#include "RenderRun.h"

#include "Booklet.h"
#include "ConsoleMessages.h"
#include "FileAccess.h"
#include "PictureNames.h"
#include "RenderSession.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <set>
#include <system_error>

namespace quorvane {

namespace {

namespace fs = std::filesystem;

// Reads the model and tells its warnings; false, with the error told, when
// it cannot be drawn.
bool ReadAndTell(RenderSession& session, const std::string& file, ConsoleMessages& messages)
{
    const ModelRead read = session.Read(file);
    for (const std::string& warning : read.Warnings)
        messages.Warning(file, warning);
    if (!read.Error.empty()) {
        messages.Error(file, read.Error);
        return false;
    }
    return true;
}

// Runs one step of drawing; false, with the reason told, when it throws.
template <typename Step>
bool Attempt(const std::string& file, ConsoleMessages& messages, Step step)
{
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
        messages.Error(file, "not enough memory to draw it");
    } catch (const std::exception& error) {
        messages.Error(file, error.what());
    }
    return false;
}

// Replaces the file as a whole, so that a failure leaves the old one.
bool WriteFile(const std::string& path, const QByteArray& bytes, ConsoleMessages& messages)
{
    const int error = ReplaceFileContents(
        path, std::string_view(bytes.constData(), std::size_t(bytes.size())), false);
    if (error != 0)
        messages.Error(path, std::generic_category().message(error));
    return error == 0;
}

// The same file however it is named, so that two models do not write one
// picture.
std::string Identity(const std::string& path)
{
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : full.string();
}

}  // namespace

int RenderPictures(RenderSession& session, const RenderOptions& options,
                   ConsoleMessages& messages)
{
    if (!options.OutputFolder.empty()) {
        std::error_code ec;
        fs::create_directories(options.OutputFolder, ec);
        if (!fs::is_directory(options.OutputFolder)) {
            messages.Error(options.OutputFolder,
                           std::generic_category().message(ec ? ec.value() : ENOTDIR));
            return SomeFailed;
        }
    }
    const int total = static_cast<int>(options.Files.size());
    int failed = 0;
    std::set<std::string> written;
    for (int i = 0; i < total; ++i) {
        const std::string& file = options.Files[std::size_t(i)];
        messages.Progress(i + 1, total, file);
        const std::string picture = PictureNameFor(file, options);
        bool drawn = ReadAndTell(session, file, messages);
        if (drawn && written.contains(Identity(picture))) {
            messages.Error(file, picture + " is the picture of another file of this run");
            drawn = false;
        }
        if (drawn) {
            if (const std::string problem = session.ChooseScale(); !problem.empty()) {
                messages.Error(file, problem);
                drawn = false;
            }
        }
        QByteArray bytes;
        drawn = drawn && Attempt(file, messages, [&] { bytes = session.Picture(options.Format); });
        drawn = drawn && WriteFile(picture, bytes, messages);
        if (drawn)
            written.insert(Identity(picture));
        else
            ++failed;
    }
    messages.Finish();
    return failed == 0 ? AllDrawn : SomeFailed;
}

int RenderBooklet(RenderSession& session, const RenderOptions& options,
                  ConsoleMessages& messages)
{
    Booklet booklet(session.Program().Main, fs::path(options.Booklet).filename().string());
    const int total = static_cast<int>(options.Files.size());
    int failed = 0;
    for (int i = 0; i < total; ++i) {
        const std::string& file = options.Files[std::size_t(i)];
        messages.Progress(i + 1, total, file);
        const bool drawn =
            ReadAndTell(session, file, messages) && Attempt(file, messages, [&] {
                booklet.AddPage(session, fs::path(file).filename().string(), options.Scale);
            });
        if (!drawn)
            ++failed;
    }
    messages.Finish();
    if (booklet.PageCount() == 0) {
        messages.Error(options.Booklet, "no model could be drawn; nothing written");
        return SomeFailed;
    }
    if (!WriteFile(options.Booklet, booklet.Finish(), messages))
        return SomeFailed;
    return failed == 0 ? AllDrawn : SomeFailed;
}

}  // namespace quorvane
