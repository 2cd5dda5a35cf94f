#include "SettingsFilePath.h"

#include "AsciiText.h"

#include <cstdlib>
#include <filesystem>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> ConfigFolder(const EnvironmentLookup& environment)
{
    const std::optional<std::string> xdg = environment("XDG_CONFIG_HOME");
    if (xdg && !TrimBlanks(*xdg).empty())
        return fs::path(*xdg);
    const std::optional<std::string> home = environment("HOME");
    if (home && !home->empty())
        return fs::path(*home) / ".config";
    return std::nullopt;
}

// The program's own folder under the configuration folder, created when
// missing; none when it cannot be found or made.
std::optional<fs::path> ProgramFolder(const EnvironmentLookup& environment,
                                      const std::string& manufacturer, const fs::path& baseName)
{
    const std::optional<fs::path> config = ConfigFolder(environment);
    if (!config)
        return std::nullopt;
    const fs::path folder = *config / manufacturer / baseName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        return std::nullopt;
    return folder;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::string SettingsFilePath(const std::string& manufacturer, const std::string& programFile,
                             bool copyLegacyFile, const EnvironmentLookup& environment)
{
    const fs::path program(programFile);
    const fs::path baseName = program.stem();
    const std::string legacyFile = fs::path(program).replace_extension(".ini").string();

    const std::optional<fs::path> folder = ProgramFolder(environment, manufacturer, baseName);
    if (!folder)
        return legacyFile;
    const std::string result = (*folder / baseName).string() + ".ini";

    if (copyLegacyFile && !EqualIgnoringCase(result, legacyFile)) {
        std::error_code ec;
        // A dangling link counts as a file: the copy must not go through it.
        if (!fs::exists(fs::symlink_status(result, ec)) && fs::is_regular_file(legacyFile, ec))
            fs::copy_file(legacyFile, result, fs::copy_options::none, ec);
    }
    return result;
}

std::string SettingsFileToRead(const std::string& manufacturer, const std::string& programFile,
                               const EnvironmentLookup& environment)
{
    const fs::path program(programFile);
    const fs::path baseName = program.stem();
    const std::string legacyFile = fs::path(program).replace_extension(".ini").string();
    const std::optional<fs::path> config = ConfigFolder(environment);
    if (!config)
        return legacyFile;
    const std::string file = (*config / manufacturer / baseName / baseName).string() + ".ini";
    std::error_code ec;
    // A dangling link counts as the file, as for SettingsFilePath.
    if (!fs::exists(fs::symlink_status(file, ec)) && fs::is_regular_file(legacyFile, ec))
        return legacyFile;
    return file;
}

}  // namespace quorvane
