#pragma once

namespace quorvane {

class ConsoleMessages;
class RenderSession;
struct RenderOptions;

// Exit statuses of the program.
inline constexpr int AllDrawn = 0;
inline constexpr int SomeFailed = 1;
inline constexpr int BadCommandLine = 2;

// One picture per model file. A file that cannot be read or drawn is
// named with the reason, and the others are still drawn.
int RenderPictures(RenderSession& session, const RenderOptions& options,
                   ConsoleMessages& messages);

// One booklet of the models that could be read and drawn; it is written
// when it has a page.
int RenderBooklet(RenderSession& session, const RenderOptions& options,
                  ConsoleMessages& messages);

}  // namespace quorvane
