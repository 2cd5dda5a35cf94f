#pragma once

#include <string>

namespace quorvane {

struct ProgramState;

// The settings file the pictures take their look from: `chosen` when given,
// else the user's own, found without creating or copying anything.
// `mainProgramFile` is where the main program lies, whose name and folder
// name its settings file.
std::string SettingsFileOf(const std::string& chosen, const std::string& mainProgramFile);

// Takes from the settings file how pictures look: colours, screen and
// printer fonts, scale list (led by 1 : 1, as in the main program), screen
// width, viewer distance, margin factor, metafile factor, the printer's
// orientation and margins, and the data separator. What is looked at (the
// angles, projection, anaglyph, line numbers, scale) keeps its defaults.
// The file is only read. Returns empty text, or the system's words for why
// the file cannot be read; a missing file, or none named, gives the defaults
// unless it is `required`.
std::string TakeSettings(const std::string& settingsFile, bool required, ProgramState& program);

}  // namespace quorvane
