#pragma once

namespace quorvane {

class ConsoleMessages;
class RenderSession;
class RenderSessions;
struct RenderOptions;

// Exit statuses of the program.
inline constexpr int AllDrawn = 0;
inline constexpr int SomeFailed = 1;
inline constexpr int BadCommandLine = 2;

// One picture per model file, drawn by as many workers as there are
// sessions. A file that cannot be read or drawn is named with the reason,
// and the others are still drawn. The pictures and the messages are the
// same, and in the same order, whatever the number of workers.
int RenderPictures(RenderSessions& sessions, const RenderOptions& options,
                   ConsoleMessages& messages);

// One booklet of the models that could be read and drawn, in the order of
// the files; it is written when it has a page. The workers read the models,
// the pages are drawn one after another.
int RenderBooklet(RenderSessions& sessions, const RenderOptions& options,
                  ConsoleMessages& messages);

// The thumbnail of options.Files[0] written to options.Files[1] as PNG, or
// nothing at all.
int RenderThumbnail(RenderSession& session, const RenderOptions& options,
                    ConsoleMessages& messages);

}  // namespace quorvane
