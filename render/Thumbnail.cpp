#include "Thumbnail.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <system_error>

namespace quorvane {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The message the clock's end writes, made before the clock runs: the
// signal handler may only write and end.
std::array<char, 256> timeUpMessage{};
std::size_t timeUpLength = 0;

extern "C" void TimeUp(int)
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, timeUpMessage.data(), timeUpLength);
    ::_exit(1);
}

void SetTimer(double seconds)
{
    itimerval timer{};
    const auto whole = static_cast<long>(seconds);
    timer.it_value.tv_sec = whole;
    timer.it_value.tv_usec = static_cast<long>((seconds - double(whole)) * 1e6);
    ::setitimer(ITIMER_REAL, &timer, nullptr);
}

}  // namespace

std::optional<std::string> ThumbnailInputPath(std::string_view argument)
{
    constexpr std::string_view scheme = "file://";
    if (argument.size() < scheme.size() ||
        !std::equal(scheme.begin(), scheme.end(), argument.begin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(b)) == a; }))
        return std::string(argument);
    std::string_view rest = argument.substr(scheme.size());
    if (rest.starts_with("localhost/"))
        rest.remove_prefix(std::string_view("localhost").size());
    // Another host's file is not ours to read.
    if (!rest.starts_with('/'))
        return std::nullopt;
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '?' || rest[i] == '#')
            break;
        if (rest[i] != '%') {
            path += rest[i];
            continue;
        }
        const int high = i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
        const int low = i + 2 < rest.size() ? HexValue(rest[i + 2]) : -1;
        // A '%' without two hex digits, or an escaped NUL, is no file name.
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

std::string ThumbnailInputProblem(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::generic_category().message(errno);
    if (S_ISDIR(status.st_mode))
        return std::generic_category().message(EISDIR);
    if (!S_ISREG(status.st_mode))
        return "not a plain file";
    if (std::uintmax_t(status.st_size) > MaxThumbnailInputBytes)
        return "larger than " + std::to_string(MaxThumbnailInputBytes >> 20) +
               " MB, no thumbnail is drawn of it";
    return {};
}

void ArmTimeLimit(double seconds, std::string_view programName)
{
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, seconds).ptr;
    const std::string message = std::string(programName) + ": gave up after " +
                                std::string(number, end) + " seconds\n";
    timeUpLength = std::min(message.size(), timeUpMessage.size());
    std::memcpy(timeUpMessage.data(), message.data(), timeUpLength);
    struct sigaction action {};
    action.sa_handler = TimeUp;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGALRM, &action, nullptr);
    SetTimer(seconds);
}

void DisarmTimeLimit()
{
    SetTimer(0);
}

}  // namespace quorvane
