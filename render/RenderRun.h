#pragma once

namespace quorvane {

class CheckReport;
class ConsoleMessages;
class RenderSession;
class RenderSessions;
struct RenderOptions;

// Exit statuses of the program.
inline constexpr int AllDrawn = 0;
inline constexpr int SomeFailed = 1;
inline constexpr int BadCommandLine = 2;
inline constexpr int ErrorsFound = 3;  // every file read, and --check found an error

// One picture per model file, drawn by as many workers as there are
// sessions. A file that cannot be read or drawn is named with the reason,
// and the others are still drawn. The pictures and the messages are the
// same, and in the same order, whatever the number of workers.
// With a report, each model's findings go to it in the files' order.
int RenderPictures(RenderSessions& sessions, const RenderOptions& options,
                   ConsoleMessages& messages, CheckReport* report);

// One booklet of the models that could be read and drawn, in the order of
// the files; it is written when it has a page. The workers read the models,
// the pages are drawn one after another.
int RenderBooklet(RenderSessions& sessions, const RenderOptions& options,
                  ConsoleMessages& messages, CheckReport* report);

// Only the checks of each model, in the files' order.
int CheckModels(RenderSessions& sessions, const RenderOptions& options,
                ConsoleMessages& messages, CheckReport& report);

// The thumbnail of options.Files[0] written to options.Files[1] as PNG, or
// nothing at all.
int RenderThumbnail(RenderSession& session, const RenderOptions& options,
                    ConsoleMessages& messages);

}  // namespace quorvane
