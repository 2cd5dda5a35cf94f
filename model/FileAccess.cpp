#include "FileAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// The error number a failed stream operation left, or `fallback` when the
// library set none.
int LastErrorOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

// A hidden name beside `file` that no other file has: a dot, the file's name,
// a random tag and `ending`.
fs::path SiblingName(const fs::path& folder, const fs::path& file, const char* ending)
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::error_code ec;
    for (;;) {
        char tag[17];
        std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(generator()));
        std::string name = ".";
        name += file.filename().string();
        name += '.';
        name += tag;
        name += ending;
        fs::path candidate = folder / name;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

int WriteNewFile(const fs::path& file, std::string_view bytes)
{
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return LastErrorOr(EACCES);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        return LastErrorOr(EIO);
    out.close();
    if (out.fail())
        return LastErrorOr(EIO);
    // On the disk before it takes the old file's place, so that a power
    // cut leaves the old contents or the new, never an empty file.
    const int descriptor = ::open(file.c_str(), O_WRONLY);
    if (descriptor < 0)
        return LastErrorOr(EIO);
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced ? 0 : LastErrorOr(EIO);
}

// A second name for the file's present contents, to become the backup once
// the new contents are in place. Empty when it could not be made.
fs::path KeepOldContents(const fs::path& folder, const fs::path& target)
{
    std::error_code ec;
    fs::path pending = SiblingName(folder, target, ".bak");
    fs::create_hard_link(target, pending, ec);
    if (!ec)
        return pending;
    // Some file systems have no hard links: copy instead.
    fs::copy_file(target, pending, ec);
    if (!ec)
        return pending;
    fs::remove(pending, ec);
    return {};
}

}  // namespace

FileContents ReadWholeFile(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return {{}, EISDIR};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {{}, LastErrorOr(ENOENT)};
    FileContents contents;
    const auto expectedSize = fs::file_size(path, ec);
    if (!ec)
        contents.bytes.reserve(expectedSize);
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        contents.bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return {{}, LastErrorOr(EIO)};
    return contents;
}

std::string BackupFileName(const std::string& path)
{
    const auto folderEnd = path.rfind('/');
    const auto nameBegin = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    const auto point = path.rfind('.');
    if (point == std::string::npos || point < nameBegin)
        return path + ".bak";
    return path.substr(0, point) + ".bak";
}

int ReplaceFileContents(const std::string& path, std::string_view bytes, bool keepBackup)
{
    std::error_code ec;
    if (path.empty())
        return ENOENT;
    fs::path target(path);
    // Through a link, the file it points to gets the new contents and the link stays.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return EISDIR;
    const bool exists = fs::exists(status);
    if (exists) {
        // A file the user may not write to is not replaced behind their back.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            return LastErrorOr(EACCES);
    }
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    const fs::path temporary = SiblingName(folder, target, ".tmp");
    if (const int error = WriteNewFile(temporary, bytes)) {
        fs::remove(temporary, ec);
        return error;
    }
    if (exists)
        fs::permissions(temporary, status.permissions(), ec);

    const fs::path backup = BackupFileName(target.string());
    fs::path pendingBackup;
    if (keepBackup && exists && backup != target)
        pendingBackup = KeepOldContents(folder, target);

    fs::rename(temporary, target, ec);
    if (ec) {
        const int error = ec.value();
        fs::remove(temporary, ec);
        if (!pendingBackup.empty())
            fs::remove(pendingBackup, ec);
        return error;
    }
    if (!pendingBackup.empty()) {
        fs::rename(pendingBackup, backup, ec);
        if (ec)
            fs::remove(pendingBackup, ec);
    }
    return 0;
}

}  // namespace quorvane
