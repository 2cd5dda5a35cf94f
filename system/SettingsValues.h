#pragma once

#include "Language.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// The program-wide settings values that are neither view parameters
// (ViewParameters) nor read by the data file (DataFileSettings), named after
// their settings keys. Initial values are the defaults of the settings file.

// Main window's keys beside those in ViewParameters.
struct MainSettings {
    // Section General.
    double ClipboardBugfixScalingFactor = 1.0;
    double AzimuthAngularVelocity = 10.0;  // degrees per second
    int RotateAzimuthTimeInterval = 40;    // milliseconds
    bool AutoReadQrvFile = true;
    bool SaveSettings = true;
    Language CurrentLanguage = Language::English;  // key Language
    std::string QrvFile;                           // default: the sample file
    // Section Scales: entries 1..n are the denominators, entry 0 repeats entry 1.
    std::vector<int> ScaleList{100, 100};
    // Section FormMain.
    int Left = 24, Top = 24, Width = 800, Height = 600;
    std::uint8_t WindowState = 0;  // 0 normal, 1 minimised, 2 maximised
    bool UpDownScaleTabStop = false;
    // Section Printer; margins in millimetres, indexed by orientation.
    std::uint8_t PrinterOrientation = 1;  // 0 portrait, 1 landscape
    std::string PrinterFontName = "Arial";
    int PrinterFontSize = 10;  // points
    std::array<int, 2> MarginTop{20, 20};
    std::array<int, 2> MarginBottom{15, 15};
    std::array<int, 2> MarginLeft{15, 15};
    std::array<int, 2> MarginRight{15, 15};
};

// Data table window's keys beside those in DataFileSettings.
struct DataTableSettings {
    bool DebugFlag = false;
    bool ShowCellsAsHint = true;
    // Section FormDataTable.
    int Left = 24, Top = 24, Width = 800;
    // Whether the settings file held Left or Top; without them the window
    // finds a place beside the main window.
    bool PlaceStored = false;
    bool FormVisible = false;
    int VisibleRowsCount = 11;
    // The list of the geometry checks beside the grid; Width is without it.
    bool ChecksVisible = false;
};

// The settings dialog's own state.
struct SettingsDialogState {
    // Custom colour slots of the colour picker (keys ColorA..ColorP), as
    // upper-case hexadecimal text, or empty when never set.
    std::array<std::string, 16> CustomColors;
    int Left = 0, Top = 0;
    // Whether the settings file held Left or Top; without them the dialog
    // opens centred over the main window.
    bool PlaceStored = false;
    int ActiveTabSheetIndex = 0;
};

// Sizes the readers need to hold window bounds on the desktop.
struct DesktopLimits {
    int WorkAreaWidth = 1920;
    int WorkAreaHeight = 1080;
    // Height of the whole virtual desktop in window pixels.
    int VirtualDesktopHeight = 1080;
    // Rows of the data table that fit the desktop; the data table window
    // measures it before its settings are read.
    int MaxVisibleRowsCount = 50;
};

// The user's number conventions, which the settings file's floats follow.
struct NumberFormat {
    char DecimalSeparator = '.';
    // The separator of the other convention, replaced when reading.
    char AlternateDecimalSeparator = ',';
};

}  // namespace quorvane
