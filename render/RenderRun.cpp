#include "RenderRun.h"

#include "Booklet.h"
#include "CheckReport.h"
#include "ConsoleMessages.h"
#include "FileAccess.h"
#include "OrderedBatch.h"
#include "PictureNames.h"
#include "RenderSession.h"
#include "Thumbnail.h"

#include <cerrno>
#include <filesystem>
#include <map>
#include <new>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace quorvane {

namespace {

namespace fs = std::filesystem;

// What the checks found in one model, or why it could not be read.
struct ModelChecks {
    std::string Unread;
    CheckConditions Conditions;
    std::vector<CheckFinding> Findings;

    void ReportTo(CheckReport& report, const std::string& file) const
    {
        if (Unread.empty())
            report.Add(file, Conditions, Findings);
        else
            report.AddUnread(file, Unread);
    }
};

// Reads the model and tells its warnings; false, with the error told, when
// it cannot be drawn. With `checks`, the model is checked too.
bool ReadAndTell(RenderSession& session, const std::string& file, FileMessages& messages,
                 ModelChecks* checks = nullptr)
{
    const ModelRead read = session.Read(file);
    for (const std::string& warning : read.Warnings)
        messages.Warning(file, warning);
    if (!read.Error.empty()) {
        messages.Error(file, read.Error);
        if (checks)
            checks->Unread = read.Error;
        return false;
    }
    if (checks) {
        checks->Conditions = session.Conditions();
        checks->Findings = session.Check();
    }
    return true;
}

// Runs one step of drawing; false, with the reason told, when it throws.
template <typename Step>
bool Attempt(const std::string& file, FileMessages& messages, Step step)
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
bool WriteFile(const std::string& path, const QByteArray& bytes, FileMessages& messages)
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

// One model of a batch of pictures.
struct PictureItem {
    std::string Picture;
    ModelChecks Checks;
    int SamePictureBefore = -1;  // the last earlier model with the same picture
    HeldMessages Messages;
    bool Drawn = false;
    bool PictureWritten = false;  // by this model or an earlier one
};

}  // namespace

int RenderPictures(RenderSessions& sessions, const RenderOptions& options,
                   ConsoleMessages& messages, CheckReport* report)
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
    std::vector<PictureItem> items(options.Files.size());
    std::map<std::string, int> lastOfPicture;
    for (int i = 0; i < total; ++i) {
        PictureItem& item = items[std::size_t(i)];
        item.Picture = PictureNameFor(options.Files[std::size_t(i)], options);
        auto [place, first] = lastOfPicture.try_emplace(Identity(item.Picture), i);
        if (!first)
            item.SamePictureBefore = std::exchange(place->second, i);
    }

    OrderedBatch batch(total, sessions.Count(), false);
    const auto prepare = [&](int i, int worker) {
        const std::string& file = options.Files[std::size_t(i)];
        PictureItem& item = items[std::size_t(i)];
        RenderSession& session = sessions[worker];
        bool drawn = ReadAndTell(session, file, item.Messages,
                                 report || options.Mark ? &item.Checks : nullptr);
        // A picture is written once: a second model of the run that would
        // replace it fails, as long as the first one wrote it.
        if (drawn && item.SamePictureBefore >= 0) {
            batch.AwaitPrepared(item.SamePictureBefore);
            if (items[std::size_t(item.SamePictureBefore)].PictureWritten) {
                item.Messages.Error(file, item.Picture + " is the picture of another file of this run");
                drawn = false;
            }
        }
        if (drawn) {
            if (const std::string problem = session.ChooseScale(); !problem.empty()) {
                item.Messages.Error(file, problem);
                drawn = false;
            }
        }
        QByteArray bytes;
        drawn = drawn && Attempt(file, item.Messages, [&] {
                    bytes = session.Picture(options.Format,
                                            options.Mark ? &item.Checks.Findings : nullptr);
                });
        drawn = drawn && WriteFile(item.Picture, bytes, item.Messages);
        item.Drawn = drawn;
        item.PictureWritten =
            drawn || (item.SamePictureBefore >= 0 &&
                      items[std::size_t(item.SamePictureBefore)].PictureWritten);
    };
    int failed = 0;
    const auto finish = [&](int i, int) {
        const PictureItem& item = items[std::size_t(i)];
        messages.Progress(i + 1, total, options.Files[std::size_t(i)]);
        item.Messages.TellTo(messages);
        if (report) {
            messages.Finish();
            item.Checks.ReportTo(*report, options.Files[std::size_t(i)]);
        }
        if (!item.Drawn)
            ++failed;
    };
    batch.Run(prepare, finish);
    messages.Finish();
    return failed == 0 ? AllDrawn : SomeFailed;
}

int RenderBooklet(RenderSessions& sessions, const RenderOptions& options,
                  ConsoleMessages& messages, CheckReport* report)
{
    Booklet booklet(sessions[0].Program().Main, fs::path(options.Booklet).filename().string());
    const int total = static_cast<int>(options.Files.size());
    std::vector<HeldMessages> readMessages(options.Files.size());
    std::vector<char> read(options.Files.size(), 0);
    std::vector<ModelChecks> checks(options.Files.size());
    // The workers read; each page is drawn from its worker's session before
    // that worker reads its next model.
    OrderedBatch batch(total, sessions.Count(), true);
    const auto prepare = [&](int i, int worker) {
        read[std::size_t(i)] =
            ReadAndTell(sessions[worker], options.Files[std::size_t(i)], readMessages[std::size_t(i)],
                        report || options.Mark ? &checks[std::size_t(i)] : nullptr);
    };
    int failed = 0;
    const auto finish = [&](int i, int worker) {
        const std::string& file = options.Files[std::size_t(i)];
        messages.Progress(i + 1, total, file);
        readMessages[std::size_t(i)].TellTo(messages);
        if (report) {
            messages.Finish();
            checks[std::size_t(i)].ReportTo(*report, file);
        }
        const bool drawn = read[std::size_t(i)] && Attempt(file, messages, [&] {
            booklet.AddPage(sessions[worker], fs::path(file).filename().string(), options.Scale,
                            options.Mark ? &checks[std::size_t(i)].Findings : nullptr);
        });
        if (!drawn)
            ++failed;
    };
    batch.Run(prepare, finish);
    messages.Finish();
    if (booklet.PageCount() == 0) {
        messages.Error(options.Booklet, "no model could be drawn; nothing written");
        return SomeFailed;
    }
    if (!WriteFile(options.Booklet, booklet.Finish(), messages))
        return SomeFailed;
    return failed == 0 ? AllDrawn : SomeFailed;
}

int RenderThumbnail(RenderSession& session, const RenderOptions& options,
                    ConsoleMessages& messages)
{
    const std::string& argument = options.Files[0];
    const std::optional<std::string> file = ThumbnailInputPath(argument);
    if (!file) {
        messages.Error(argument, "only files of this computer are drawn");
        return SomeFailed;
    }
    if (const std::string problem = ThumbnailInputProblem(*file); !problem.empty()) {
        messages.Error(*file, problem);
        return SomeFailed;
    }
    if (!ReadAndTell(session, *file, messages))
        return SomeFailed;
    if (const std::string problem = session.ChooseScale(); !problem.empty()) {
        messages.Error(*file, problem);
        return SomeFailed;
    }
    QByteArray bytes;
    if (!Attempt(*file, messages, [&] { bytes = session.Picture(PictureFormat::Png); }))
        return SomeFailed;
    DisarmTimeLimit();
    return WriteFile(options.Files[1], bytes, messages) ? AllDrawn : SomeFailed;
}

int CheckModels(RenderSessions& sessions, const RenderOptions& options,
                ConsoleMessages& messages, CheckReport& report)
{
    const int total = static_cast<int>(options.Files.size());
    std::vector<HeldMessages> readMessages(options.Files.size());
    std::vector<ModelChecks> checks(options.Files.size());
    int failed = 0;
    OrderedBatch batch(total, sessions.Count(), false);
    batch.Run(
        [&](int i, int worker) {
            ReadAndTell(sessions[worker], options.Files[std::size_t(i)],
                        readMessages[std::size_t(i)], &checks[std::size_t(i)]);
        },
        [&](int i, int) {
            const std::string& file = options.Files[std::size_t(i)];
            messages.Progress(i + 1, total, file);
            readMessages[std::size_t(i)].TellTo(messages);
            messages.Finish();
            checks[std::size_t(i)].ReportTo(report, file);
            if (!checks[std::size_t(i)].Unread.empty())
                ++failed;
        });
    return failed == 0 ? AllDrawn : SomeFailed;
}

}  // namespace quorvane
