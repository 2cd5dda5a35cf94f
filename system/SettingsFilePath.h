#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// The value of an environment variable, or none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// The settings file of a program: <config>/<manufacturer>/<base>/<base>.ini,
// where <config> is $XDG_CONFIG_HOME (when it holds more than blanks) or else
// $HOME/.config, and <base> is the program file's name without folder and
// extension. The folders are created as needed. When no folder can be found
// or created, the file beside the program: the program file's name with its
// extension replaced by ".ini" (the legacy place).
//
// With `copyLegacyFile`, a file in the legacy place is copied to the new place
// when none is there yet; an existing file is never overwritten, and a failed
// copy goes unnoticed (the program then starts from the defaults).
std::string SettingsFilePath(const std::string& manufacturer, const std::string& programFile,
                             bool copyLegacyFile,
                             const EnvironmentLookup& environment = ProcessEnvironment);

// The same file for a program that only reads it, found without creating a
// folder or copying anything: the file in the configuration folder when it
// exists, else the legacy file when that exists (which SettingsFilePath
// would copy there), else the configuration folder's name.
std::string SettingsFileToRead(const std::string& manufacturer, const std::string& programFile,
                               const EnvironmentLookup& environment = ProcessEnvironment);

}  // namespace quorvane
