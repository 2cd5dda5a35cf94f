#pragma once

#include "DataFile.h"
#include "Language.h"
#include "SettingsValues.h"
#include "ViewParameters.h"

#include <string>

namespace quorvane {

// The three windows' shares of the settings file. Each call reads the whole
// file into a copy of its own, works on it, and writers then replace the file
// as a whole, so that the other shares and keys unknown here survive.
//
// Readers give every value its default (the initial value of its struct
// member) when the file, the section or the key is missing or holds nothing
// usable, and also when the file cannot be read. Values that would divide by
// zero, index past a table or let the program run away take their defaults or
// the nearest sound value.
//
// Writers return empty text when the file was written, otherwise the
// runtime's text for the error followed by a line with the file name; the
// file then stays as it was. A file that exists but cannot be read is not
// written either, as its other keys would be lost.

// Section General (the main window's keys), the six colours of Colors, and
// the sections Scales, FormMain and Printer. `sampleFile` is the default of
// QrvFile.
void ReadMainSettings(const std::string& fileName, const NumberFormat& numbers,
                      const DesktopLimits& desktop, Language defaultLanguage,
                      const std::string& sampleFile, ViewParameters& view, MainSettings& settings);

// Writes SaveSettings and, only when it is on, the rest of the main window's
// share. `azimuth` and `elevation` are the whole degrees the window shows;
// the caller brings the window state and normal bounds in `settings` up to
// date first. QrvFile is written only when `rememberQrvFile`.
std::string WriteMainSettings(const std::string& fileName, const NumberFormat& numbers,
                              const ViewParameters& view, int azimuth, int elevation,
                              const MainSettings& settings, bool rememberQrvFile);

// The data table's keys of General and section FormDataTable.
void ReadDataTableSettings(const std::string& fileName, const DesktopLimits& desktop,
                           DataFileSettings& data, DataTableSettings& table);

// Leaves the file alone unless `saveSettings`.
std::string WriteDataTableSettings(const std::string& fileName, bool saveSettings,
                                   const DataFileSettings& data, const DataTableSettings& table);

// The colour picker's custom colours (ColorA..ColorP of Colors) and section
// FormSettings.
void ReadSettingsDialogState(const std::string& fileName, const DesktopLimits& desktop,
                             SettingsDialogState& state);

// Written at every end of the program, whatever SaveSettings says.
std::string WriteSettingsDialogState(const std::string& fileName,
                                     const SettingsDialogState& state);

}  // namespace quorvane
