#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The text that --help (or -h) and --version ask for, when one of the
// arguments (without the program's name) is one of them; none otherwise.
// It is answered before the toolkit starts: without a display, and without
// touching the settings.
std::optional<std::string> CommandLineInfo(const std::vector<std::string_view>& arguments,
                                           std::string_view version);

}  // namespace quorvane
