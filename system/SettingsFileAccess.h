#pragma once

#include "IniFile.h"

#include <functional>
#include <string>

namespace quorvane {

// What the readers and writers of the settings file share.

// The file's sections.
namespace Section {
inline constexpr const char* General = "General";
inline constexpr const char* Colors = "Colors";
inline constexpr const char* Scales = "Scales";
inline constexpr const char* FormMain = "FormMain";
inline constexpr const char* Printer = "Printer";
inline constexpr const char* FormDataTable = "FormDataTable";
inline constexpr const char* FormSettings = "FormSettings";
}  // namespace Section

// The file's copy for a reader; empty when the file cannot be read.
IniFile CopyForReading(const std::string& fileName);

// Reads the file, lets `change` work on the copy and replaces the file with
// it. Returns empty text, or the runtime's text for the error and a line with
// the file name; a file that cannot be read is left alone.
std::string ChangeSettingsFile(const std::string& fileName,
                               const std::function<void(IniFile&)>& change);

// Window bounds held to the desktop; the arithmetic is wide enough for any
// limits the desktop reports.
int AtMost(int value, long long limit);
int PlacedWithin(int value, long long low, long long high);

}  // namespace quorvane
