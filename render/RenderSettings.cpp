#include "RenderSettings.h"

#include "FileAccess.h"
#include "ProgramState.h"
#include "SettingsFile.h"
#include "SettingsFilePath.h"

#include <QLocale>

#include <cerrno>
#include <system_error>

namespace quorvane {

std::string SettingsFileOf(const std::string& chosen, const std::string& mainProgramFile)
{
    return chosen.empty() ? SettingsFileToRead("Tallomar", mainProgramFile) : chosen;
}

std::string TakeSettings(const std::string& settingsFile, bool required, ProgramState& program)
{
    const int error = settingsFile.empty() ? ENOENT : ReadWholeFile(settingsFile).error;
    if (error != 0 && (required || error != ENOENT))
        return std::generic_category().message(error);

    // The settings file's decimals follow the user's conventions, as in the
    // main program.
    const QString decimalPoint = QLocale::system().decimalPoint();
    const char separator = decimalPoint.size() == 1 ? decimalPoint[0].toLatin1() : '\0';
    program.Numbers.DecimalSeparator = separator != '\0' ? separator : '.';
    program.Numbers.AlternateDecimalSeparator = program.Numbers.DecimalSeparator == '.' ? ',' : '.';

    ViewParameters view;
    MainSettings main;
    ReadMainSettings(settingsFile, program.Numbers, program.Desktop, program.DefaultLanguage, {},
                     view, main);
    ViewParameters& v = program.View;
    v.ScreenFontName = view.ScreenFontName;
    v.ScreenWidth = view.ScreenWidth;
    v.ViewerScreenDistance = view.ViewerScreenDistance;
    v.CanvasMarginFactor = view.CanvasMarginFactor;
    v.BackgroundColor = view.BackgroundColor;
    v.LineColor = view.LineColor;
    v.TextColor = view.TextColor;
    v.AnaglyphBackgroundColor = view.AnaglyphBackgroundColor;
    v.AnaglyphColorLeft = view.AnaglyphColorLeft;
    v.AnaglyphColorRight = view.AnaglyphColorRight;

    MainSettings& m = program.Main;
    m.ClipboardBugfixScalingFactor = main.ClipboardBugfixScalingFactor;
    m.ScaleList = main.ScaleList;
    if (!m.ScaleList.empty())
        m.ScaleList[0] = 1;
    m.PrinterOrientation = main.PrinterOrientation;
    m.PrinterFontName = main.PrinterFontName;
    m.PrinterFontSize = main.PrinterFontSize;
    m.MarginTop = main.MarginTop;
    m.MarginBottom = main.MarginBottom;
    m.MarginLeft = main.MarginLeft;
    m.MarginRight = main.MarginRight;

    DataTableSettings table;
    ReadDataTableSettings(settingsFile, program.Desktop, program.DataFileValues, table);
    return {};
}

}  // namespace quorvane
