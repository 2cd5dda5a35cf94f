#pragma once

#include "DataFile.h"
#include "LineTable.h"
#include "PageLayout.h"
#include "SettingsValues.h"
#include "ViewParameters.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// What the program is doing; handlers that must not run during start-up or
// a long operation look at it.
enum class ActivityState : std::uint8_t {
    Idle = 0,
    Creating = 1,
    Closing = 2,
    Printing = 3,
    Opening = 4,
    Saving = 5,
    Copying = 7,
};

// The single program-wide objects and values, alive from start to end. The
// windows work on them by reference; none keeps a copy.
struct ProgramState {
    LineTable Table;
    ViewParameters View;
    DataFileSettings DataFileValues;
    MainSettings Main;
    DataTableSettings DataTableValues;
    DesktopLimits Desktop;
    NumberFormat Numbers;
    Language DefaultLanguage = Language::English;

    ActivityState Activity = ActivityState::Creating;
    std::string ProgramFile;  // full name of the running program file
    std::vector<std::string> Arguments;
    std::string ExePath;      // folder of the program file, with a trailing separator
    std::string ExeBaseName;  // program file name without folder and extension
    // The folder of the help pages and the sample models, with a trailing
    // separator: beside the program in the build folder, the share folder
    // of an installed one.
    std::string ResourcePath;
    std::string IniFileName;
    std::string SampleFile;
    // The help file of the language last applied by a window's captions,
    // or chosen in the settings dialog.
    std::string HelpFile;
    bool RememberQrvFile = true;
    bool PrinterAvailable = false;
    // The sheet in the printer's current orientation, from the last page
    // geometry (PageWidthMM, PageHeightMM, PageWidthPx, PageHeightPx).
    PageSize Page;
};

}  // namespace quorvane
