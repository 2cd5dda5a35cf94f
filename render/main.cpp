#include "CheckReport.h"
#include "ConsoleMessages.h"
#include "ProgramState.h"
#include "RenderOptions.h"
#include "RenderRun.h"
#include "RenderSession.h"
#include "RenderSettings.h"
#include "Thumbnail.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* ProgramName = "quorvane-render";

// Standard error carries the program's own lines; the toolkit's notes for
// developers (a missing runtime folder, say) would only bury them.
void KeepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", ProgramName, qPrintable(message));
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace quorvane;
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.Do) {
    case CommandLine::Action::Help:
        std::fputs(UsageText(ProgramName).c_str(), stdout);
        return AllDrawn;
    case CommandLine::Action::Version:
        std::printf("%s %s\n", ProgramName, QUORVANE_VERSION);
        return AllDrawn;
    case CommandLine::Action::Fail:
        std::fprintf(stderr, "%s: %s\n\n%s", ProgramName, line.Problem.c_str(),
                     UsageText(ProgramName).c_str());
        return BadCommandLine;
    case CommandLine::Action::Render:
        break;
    }
    const RenderOptions& options = line.Options;
    // The clock runs from the start, the toolkit's included.
    if (options.Thumbnail)
        ArmTimeLimit(options.TimeLimitSeconds, ProgramName);

    // Fonts need a platform; the one without a display serves unless the
    // user chose another. Qt sees none of the command line, which is ours.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepSeriousMessages);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    ProgramState program;
    const std::string mainProgram =
        (QCoreApplication::applicationDirPath() + QStringLiteral("/Quorvane")).toStdString();
    // Thumbnails look the same for every user unless settings are chosen;
    // file managers keep them long after the settings change.
    const std::string settingsFile = options.Thumbnail && options.SettingsFile.empty()
                                         ? std::string()
                                         : SettingsFileOf(options.SettingsFile, mainProgram);
    if (const std::string problem =
            TakeSettings(settingsFile, !options.SettingsFile.empty(), program);
        !problem.empty()) {
        std::fprintf(stderr, "%s: %s: the settings cannot be read: %s\n", ProgramName,
                     settingsFile.c_str(), problem.c_str());
        return BadCommandLine;
    }

    ConsoleMessages messages(stderr, isatty(STDERR_FILENO) != 0, ProgramName);
    if (options.Thumbnail) {
        RenderSession session(program, options);
        return RenderThumbnail(session, options, messages);
    }
    RenderSessions sessions(program, options, WorkerCount(options));
    std::optional<CheckReport> report;
    if (options.Check)
        report.emplace(stdout, *options.Check);
    CheckReport* const checks = report ? &*report : nullptr;
    const int status = !options.Pictures          ? CheckModels(sessions, options, messages, *report)
                       : options.Booklet.empty() ? RenderPictures(sessions, options, messages, checks)
                                                 : RenderBooklet(sessions, options, messages, checks);
    if (!report)
        return status;
    report->Finish();
    return status == AllDrawn && report->FoundError() ? ErrorsFound : status;
}
