#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The largest model file a thumbnail is drawn of; the table holds no more
// than 100,000 lines, which take a few megabytes.
inline constexpr std::uintmax_t MaxThumbnailInputBytes = 32u << 20;

// The file a thumbnail is asked for: a path, or a local file:// URI with its
// escapes, as file managers may give it; none for any other URI.
std::optional<std::string> ThumbnailInputPath(std::string_view argument);

// Why no thumbnail is drawn of the file, in the system's words where it has
// them: anything but a plain file (a pipe or a device would never end) or a
// file larger than MaxThumbnailInputBytes; empty when it is drawn.
std::string ThumbnailInputProblem(const std::string& path);

// Ends the process with status 1, saying so on standard error, once it has
// run `seconds`: a file manager waiting for a thumbnail must not wait for a
// file that reads slowly or a model that takes for ever.
void ArmTimeLimit(double seconds, std::string_view programName);
// Stops the clock before the thumbnail is written, so that an end in the
// middle of writing cannot leave a part of it behind.
void DisarmTimeLimit();

}  // namespace quorvane
