#include "UnitAssociateFileExt.h"

#include "AsciiText.h"
#include "DesktopEntry.h"
#include "FileAccess.h"
#include "MimeAppsList.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>

extern char** environ;

namespace quorvane {

namespace {

namespace fs = std::filesystem;

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool AllowedCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

// The first character not allowed, or none. A UTF-8 sequence is taken whole,
// so that the message shows the character and not a broken byte of it.
std::optional<std::string> BadCharacter(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AllowedCharacter(name[i]))
            continue;
        std::size_t end = i + 1;
        if (static_cast<unsigned char>(name[i]) >= 0xC0)
            while (end < name.size() && end < i + 4 &&
                   (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
                ++end;
        return std::string(name.substr(i, end - i));
    }
    return std::nullopt;
}

std::optional<std::string> AbsolutePath(const EnvironmentLookup& environment, const char* variable)
{
    // Relative paths in these variables are invalid and ignored.
    std::optional<std::string> value = environment(variable);
    if (!value || value->empty() || value->front() != '/')
        return std::nullopt;
    return value;
}

bool IsAbsolute(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

// Whether another type claims `pattern` in a globs2 file
// ("weight:type:pattern[:flags]"); none when the file is there but cannot be
// read. Types and patterns are matched without regard to case, as the
// database does.
std::optional<bool> ClaimedByOther(const std::string& globsFile, std::string_view pattern,
                                   std::string_view ownType)
{
    const FileContents globs = ReadWholeFile(globsFile);
    if (globs.error == ENOENT || globs.error == ENOTDIR)
        return false;
    if (globs.error != 0)
        return std::nullopt;
    std::string_view text = globs.bytes;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos)
            continue;
        const std::string_view type = line.substr(first + 1, second - first - 1);
        std::string_view glob = line.substr(second + 1);
        glob = TrimBlanks(glob.substr(0, glob.find(':')));
        if (EqualIgnoringCase(glob, pattern) && !EqualIgnoringCase(type, ownType))
            return true;
    }
    return false;
}

std::vector<std::string_view> NonBlankLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// Whether one of our own files says what it should. Blanks around lines,
// blank lines and case do not count, except in the Exec line: the program's
// path is a file name, and file names differ by case here.
bool SaysTheSame(std::string_view present, std::string_view wanted)
{
    const std::vector<std::string_view> have = NonBlankLines(present);
    const std::vector<std::string_view> want = NonBlankLines(wanted);
    if (have.size() != want.size())
        return false;
    for (std::size_t i = 0; i < have.size(); ++i) {
        const bool exact = want[i].starts_with("Exec=");
        if (exact ? have[i] != want[i] : !EqualIgnoringCase(have[i], want[i]))
            return false;
    }
    return true;
}

enum class Outcome { Unchanged, Written, Failed };

Outcome Write(const std::string& path, const std::string& contents)
{
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    return ReplaceFileContents(path, contents, false) == 0 ? Outcome::Written : Outcome::Failed;
}

// One of our own files, named after our identifier: replaced when it says
// anything else, or cannot be read.
Outcome EnsureOwnFile(const std::string& path, const std::string& contents)
{
    const FileContents present = ReadWholeFile(path);
    if (present.error == 0 && SaysTheSame(present.bytes, contents))
        return Outcome::Unchanged;
    return Write(path, contents);
}

// The user's list, shared with other programs: one that exists but cannot be
// read is not replaced, as what it holds would be lost.
Outcome EnsureDefault(const std::string& path, const std::string& type, const std::string& entry)
{
    const FileContents present = ReadWholeFile(path);
    if (present.error != 0 && present.error != ENOENT)
        return Outcome::Failed;
    const std::optional<std::string> changed = WithDefaultApplication(present.bytes, type, entry);
    return changed ? Write(path, *changed) : Outcome::Unchanged;
}

std::string MimePackage(const std::string& type, const std::string& description,
                        const std::string& pattern)
{
    // The names hold no character that XML would need escaped.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + type + "\">\n"
           "    <comment>" + description + "</comment>\n"
           "    <glob pattern=\"" + pattern + "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

// The value of `key` in the [Desktop Entry] group of a desktop entry; none
// when the group does not have it.
std::optional<std::string_view> EntryValue(std::string_view text, std::string_view key)
{
    bool inGroup = false;
    for (const std::string_view line : NonBlankLines(text)) {
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inGroup && equals != std::string_view::npos && TrimBlanks(line.substr(0, equals)) == key)
            return TrimBlanks(line.substr(equals + 1));
    }
    return std::nullopt;
}

bool ListHolds(std::string_view list, std::string_view item)
{
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        if (TrimBlanks(list.substr(0, end)) == item)
            return true;
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
    }
    return false;
}

// Whether the menus already show an installed entry of this program that
// opens `mimeType`: the entry named after the program file (Quorvane gives
// quorvane.desktop) that the desktop finds first, the user's folder before
// the system's, as a package or `make install` puts it there. Its Exec must
// start with the program: its full path, or its bare name as installed
// entries have it. Hidden or NoDisplay, it shows nothing.
bool InstalledEntryShown(const AssociationPlaces& places, const std::string& programFile,
                         const std::string& mimeType)
{
    const std::string program = fs::path(programFile).filename().string();
    const std::string name = Lower(program) + ".desktop";
    std::vector<std::string> folders = {places.DataHome};
    folders.insert(folders.end(), places.DataDirs.begin(), places.DataDirs.end());
    for (const std::string& folder : folders) {
        const FileContents entry = ReadWholeFile(folder + "/applications/" + name);
        if (entry.error != 0)
            continue;
        for (const char* key : {"Hidden", "NoDisplay"})
            if (EqualIgnoringCase(EntryValue(entry.bytes, key).value_or(""), "true"))
                return false;
        const std::string_view exec = EntryValue(entry.bytes, "Exec").value_or("");
        const std::string_view command = exec.substr(0, exec.find(' '));
        const bool sameProgram = command == programFile || command == program;
        return sameProgram && ListHolds(EntryValue(entry.bytes, "MimeType").value_or(""), mimeType);
    }
    return false;
}

// With an installed entry already in the menus, ours stays out of them, or
// the menus would show the program twice; it remains the type's default
// either way, which hidden entries may be.
std::string DesktopEntry(const std::string& name, const std::string& description,
                         const std::string& type, const std::string& exec, bool installedShown)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + name + "\n"
           "Comment=" + description + "\n"
           "Exec=" + exec + "\n"
           "MimeType=" + type + ";\n"
           "Terminal=false\n" +
           (installedShown ? "NoDisplay=true\n" : "");
}

}  // namespace

AssociationPlaces AssociationPlacesFromEnvironment(const EnvironmentLookup& environment)
{
    const std::optional<std::string> home = AbsolutePath(environment, "HOME");
    AssociationPlaces places;
    if (const auto dataHome = AbsolutePath(environment, "XDG_DATA_HOME"))
        places.DataHome = *dataHome;
    else if (home)
        places.DataHome = *home + "/.local/share";
    if (const auto configHome = AbsolutePath(environment, "XDG_CONFIG_HOME"))
        places.ConfigHome = *configHome;
    else if (home)
        places.ConfigHome = *home + "/.config";

    const std::optional<std::string> dirs = environment("XDG_DATA_DIRS");
    std::string_view list = dirs && !dirs->empty() ? std::string_view(*dirs) : "/usr/local/share:/usr/share";
    while (!list.empty()) {
        const std::size_t end = list.find(':');
        const std::string_view dir = list.substr(0, end);
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
        if (!dir.empty() && dir.front() == '/')
            places.DataDirs.emplace_back(dir);
    }
    return places;
}

void RunInstalledCommand(const std::vector<std::string>& command)
{
    if (command.empty())
        return;
    std::vector<char*> arguments;
    for (const std::string& argument : command)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    // A command that is not installed fails here, and that is all.
    if (posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

std::string AssociationMimeType(const std::string& manufacturerName, const std::string& fileType)
{
    return "application/x-" + Lower(Trimmed(manufacturerName)) + "-" + Lower(Trimmed(fileType));
}

bool AssociateFileExt(const std::string& manufacturerName, const std::string& fileType,
                      const std::string& fileExt, const std::string& title,
                      const std::string& programFile, const AssociationPlaces& places,
                      const ReportMessage& report, const RunCommand& runCommand)
{
    const std::string manufacturer = Trimmed(manufacturerName);
    const std::string type = Trimmed(fileType);
    std::string extension = Trimmed(fileExt);
    extension.erase(0, extension.find_first_not_of('.') == std::string::npos
                           ? extension.size()
                           : extension.find_first_not_of('.'));
    const std::pair<const std::string*, const char*> names[] = {
        {&manufacturer, "ManufacturerName"}, {&type, "FileType"}, {&extension, "FileExt"}};
    for (const auto& [name, parameter] : names) {
        if (const std::optional<std::string> bad = BadCharacter(*name)) {
            if (report)
                report(title, "Internal error in function AssociateFileExt:   \r"
                              "Invalid character '" + *bad + "' in parameter " + parameter + ".");
            return false;
        }
    }
    // "*." would claim every file whose name ends in a dot; a relative place
    // would put the files wherever the program was started.
    const std::optional<std::string> exec = DesktopExecLine(programFile);
    if (extension.empty() || !exec || !IsAbsolute(places.DataHome) || !IsAbsolute(places.ConfigHome))
        return false;

    const std::string identifier = manufacturer + "_" + type + "_file";
    const std::string description = manufacturer + " " + type + " file";
    const std::string mimeType = AssociationMimeType(manufacturer, type);
    const std::string pattern = "*." + extension;
    // Our own package's entry in the user's database does not count as a claim.
    if (!type.empty()) {
        std::vector<std::string> databases = {places.DataHome};
        databases.insert(databases.end(), places.DataDirs.begin(), places.DataDirs.end());
        for (const std::string& dir : databases) {
            const std::optional<bool> claimed = ClaimedByOther(dir + "/mime/globs2", pattern, mimeType);
            if (!claimed || *claimed)
                return false;
        }
    }

    // Each cache is updated right after its file changed: were that left to
    // the end, a later failure would leave the cache behind a file that no
    // later start rewrites. The files are what counts; a cache only speeds up
    // the desktop, and one whose tool is missing or fails is rebuilt by the
    // desktop's next update, so that does not make the result false.
    const std::string mimeFolder = places.DataHome + "/mime";
    Outcome outcome = EnsureOwnFile(mimeFolder + "/packages/" + identifier + ".xml",
                                    MimePackage(mimeType, description, pattern));
    if (outcome == Outcome::Failed)
        return false;
    if (outcome == Outcome::Written && runCommand)
        runCommand({"update-mime-database", mimeFolder});

    // A desktop entry must have a name.
    const std::string name = !type.empty() ? type : !manufacturer.empty() ? manufacturer : identifier;
    const std::string applications = places.DataHome + "/applications";
    outcome = EnsureOwnFile(applications + "/" + identifier + ".desktop",
                            DesktopEntry(name, description, mimeType, *exec,
                                         InstalledEntryShown(places, programFile, mimeType)));
    if (outcome == Outcome::Failed)
        return false;
    if (outcome == Outcome::Written && runCommand)
        runCommand({"update-desktop-database", applications});

    return EnsureDefault(places.ConfigHome + "/mimeapps.list", mimeType, identifier + ".desktop") !=
           Outcome::Failed;
}

}  // namespace quorvane
