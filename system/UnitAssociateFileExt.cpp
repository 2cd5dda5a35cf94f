#include "UnitAssociateFileExt.h"

#include "FileAccess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

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
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool AllowedCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

// The first character not allowed, or none.
std::optional<char> BadCharacter(const std::string& name)
{
    const auto bad = std::find_if_not(name.begin(), name.end(), AllowedCharacter);
    return bad == name.end() ? std::nullopt : std::optional(*bad);
}

std::string AbsoluteOr(const char* variable, const std::string& fallback)
{
    const char* value = std::getenv(variable);
    // Relative paths in these variables are invalid and ignored.
    return value && value[0] == '/' ? std::string(value) : fallback;
}

// Whether another type claims `pattern` in a globs2 file ("weight:type:pattern[:flags]").
bool ClaimedByOther(const std::string& globsFile, const std::string& pattern,
                    const std::string& ownType)
{
    const FileContents globs = ReadWholeFile(globsFile);
    if (globs.error != 0)
        return false;
    std::istringstream lines(globs.bytes);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string type = line.substr(first + 1, second - first - 1);
        std::string glob = line.substr(second + 1);
        glob = glob.substr(0, glob.find(':'));
        if (!glob.empty() && glob.back() == '\r')
            glob.pop_back();
        if (Lower(glob) == Lower(pattern) && type != ownType)
            return true;
    }
    return false;
}

// Writes `contents` unless the file holds them already; false when that fails.
bool WriteIfDifferent(const std::string& path, const std::string& contents, bool& written)
{
    const FileContents present = ReadWholeFile(path);
    if (present.error == 0 && present.bytes == contents)
        return true;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (ReplaceFileContents(path, contents, false) != 0)
        return false;
    written = true;
    return true;
}

std::string MimePackage(const std::string& type, const std::string& description,
                        const std::string& pattern)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + type + "\">\n"
           "    <comment>" + description + "</comment>\n"
           "    <glob pattern=\"" + pattern + "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopEntry(const std::string& name, const std::string& description,
                         const std::string& type, const std::string& programFile)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + name + "\n"
           "Comment=" + description + "\n"
           "Exec=" + DesktopExecLine(programFile) + "\n"
           "MimeType=" + type + ";\n"
           "Terminal=false\n";
}

// mimeapps.list with our type's default set and every other line kept.
std::string WithDefaultApplication(const std::string& list, const std::string& type,
                                   const std::string& entry)
{
    const std::string section = "[Default Applications]";
    const std::string wanted = type + "=" + entry;
    std::istringstream lines(list);
    std::string line, result;
    bool inSection = false, done = false, sectionSeen = false;
    while (std::getline(lines, line)) {
        const std::string bare = !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
        if (!bare.empty() && bare.front() == '[') {
            if (inSection && !done) {
                result += wanted + "\n";
                done = true;
            }
            inSection = bare == section;
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && bare.compare(0, type.size() + 1, type + "=") == 0) {
            if (!done)
                result += wanted + "\n";
            done = true;
            continue;
        }
        result += line + "\n";
    }
    if (list.size() > 0 && list.back() != '\n' && !result.empty())
        result.pop_back();  // the file's last line had no line break
    if (!done) {
        if (!sectionSeen) {
            if (!result.empty() && result.back() != '\n')
                result += '\n';
            result += section + "\n";
        } else if (!result.empty() && result.back() != '\n') {
            result += '\n';
        }
        result += wanted + "\n";
    }
    return result;
}

}  // namespace

AssociationPlaces AssociationPlacesFromEnvironment()
{
    const char* home = std::getenv("HOME");
    const std::string homeDir = home ? home : "";
    AssociationPlaces places;
    places.DataHome = AbsoluteOr("XDG_DATA_HOME", homeDir + "/.local/share");
    places.ConfigHome = AbsoluteOr("XDG_CONFIG_HOME", homeDir + "/.config");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    std::string dir;
    while (std::getline(list, dir, ':'))
        if (!dir.empty() && dir[0] == '/')
            places.DataDirs.push_back(dir);
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
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
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

std::string DesktopExecLine(const std::string& programFile)
{
    // An argument with a reserved character is quoted, and inside the
    // quotes ", `, $ and \ take a backslash; the value is a string, whose
    // own escape doubles every backslash; % stands as %%.
    static const std::string Reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string argument;
    for (char c : programFile) {
        if (c == '%')
            argument += "%%";
        else
            argument += c;
    }
    if (argument.find_first_of(Reserved) != std::string::npos) {
        std::string quoted = "\"";
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        argument = quoted + "\"";
    }
    std::string value;
    for (char c : argument)
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return value + " %f";
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
        if (const std::optional<char> bad = BadCharacter(*name)) {
            if (report)
                report(title, std::string("Internal error in function AssociateFileExt:   \r"
                                          "Invalid character '") +
                                  *bad + "' in parameter " + parameter + ".");
            return false;
        }
    }

    const std::string identifier = manufacturer + "_" + type + "_file";
    const std::string description = manufacturer + " " + type + " file";
    const std::string mimeType = AssociationMimeType(manufacturer, type);
    const std::string pattern = "*." + extension;
    // Our own package's entry in the user's database does not count as a claim.
    if (!type.empty()) {
        for (const std::string& dir : places.DataDirs)
            if (ClaimedByOther(dir + "/mime/globs2", pattern, mimeType))
                return false;
        if (ClaimedByOther(places.DataHome + "/mime/globs2", pattern, mimeType))
            return false;
    }

    bool packageWritten = false, entryWritten = false, listWritten = false;
    const std::string mimeFolder = places.DataHome + "/mime";
    const std::string applications = places.DataHome + "/applications";
    if (!WriteIfDifferent(mimeFolder + "/packages/" + identifier + ".xml",
                          MimePackage(mimeType, description, pattern), packageWritten))
        return false;
    if (!WriteIfDifferent(applications + "/" + identifier + ".desktop",
                          DesktopEntry(type, description, mimeType, programFile), entryWritten))
        return false;
    const std::string listPath = places.ConfigHome + "/mimeapps.list";
    const FileContents list = ReadWholeFile(listPath);
    if (list.error != 0 && list.error != ENOENT)
        return false;
    if (!WriteIfDifferent(listPath,
                          WithDefaultApplication(list.error == 0 ? list.bytes : std::string(),
                                                 mimeType, identifier + ".desktop"),
                          listWritten))
        return false;
    // The files are what counts; the caches only speed up the desktop, so
    // a failing update does not undo the association.
    if (packageWritten && runCommand)
        runCommand({"update-mime-database", mimeFolder});
    if (entryWritten && runCommand)
        runCommand({"update-desktop-database", applications});
    return true;
}

}  // namespace quorvane
