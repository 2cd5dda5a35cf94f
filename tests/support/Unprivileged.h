#pragma once

#include <functional>

namespace quorvane::testing {

// Runs `check` in a child process without the superuser's right to ignore
// file permissions (when the tests run as root, as on a fresh CI machine), so
// that permission failures happen as they do for a user. Returns what the
// check returned.
bool RunWithoutFileRights(const std::function<bool()>& check);

// Runs `check` in a child process, so that limits it sets on itself (memory,
// file sizes) end with it. Returns what the check returned.
bool RunInChildProcess(const std::function<bool()>& check);

}  // namespace quorvane::testing
