#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// The file a chain of links ends at (the link's own path when it is none).
fs::path FollowLinks(fs::path path)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Opens a new file beside `target` under a name no other file has.
int CreateSibling(const fs::path& target, fs::path& sibling)
{
    std::random_device random;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (;;) {
        char tag[24];
        std::snprintf(tag, sizeof tag, ".%08x%08x.tmp", random(), random());
        std::string name = ".";
        name += target.filename().string();
        name += tag;
        sibling = folder / name;
        const int fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view bytes)
{
    const fs::path target = FollowLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(old.st_mode))
        return EINVAL;
    // The rename would succeed in a writable folder, but a read-only file is
    // the user's way of saying it must not change.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return errno;

    fs::path temporary;
    const int fd = CreateSibling(target, temporary);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, bytes);
    if (error == 0 && exists && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    // Without this the rename could reach the disk before the contents, and
    // a power cut would leave an empty file in place of the old one.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    // Makes the new name itself durable; the contents are safe either way.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return 0;
}

}  // namespace quorvane
