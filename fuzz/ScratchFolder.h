#pragma once

#include <string>
#include <string_view>

namespace quorvane::fuzzing {

// A folder of the process's own in memory-backed storage (/dev/shm where it
// exists) for the files that the readers and writers under test take by
// name; it is removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(std::string_view name) const;
    // Replaces the file with `bytes`; aborts when that fails, as every
    // later check would then test the wrong file.
    void Write(std::string_view name, std::string_view bytes) const;
    // The whole file; aborts when it cannot be read.
    std::string Read(std::string_view name) const;

private:
    std::string root_;
};

}  // namespace quorvane::fuzzing
