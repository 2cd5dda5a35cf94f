// Any bytes read as the settings file by all three readers: every value that
// comes out lies in the range its key documents, however the file looks and
// whatever the value held before. Each range is written out here on its own
// rather than taken from the readers' code, so that a reader that forgets a
// bound or bounds the wrong value is caught.

#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "SettingsFile.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::fuzzing {
namespace {

const ScratchFolder& Folder()
{
    static const ScratchFolder folder;
    return folder;
}

// The first bytes describe the desktop and the user's number conventions.
struct Surroundings {
    NumberFormat Numbers;
    DesktopLimits Desktop;
    Language DefaultLanguage = Language::English;
};

Surroundings SurroundingsFrom(FuzzInput& input)
{
    Surroundings s;
    const std::uint8_t choice = input.TakeByte();
    if (choice & 1)
        s.Numbers = NumberFormat{',', '.'};
    s.DefaultLanguage = choice & 2 ? Language::German : Language::English;
    s.Desktop.WorkAreaWidth = input.TakeTwoBytes();
    s.Desktop.WorkAreaHeight = input.TakeTwoBytes();
    s.Desktop.VirtualDesktopHeight = s.Desktop.WorkAreaHeight;
    s.Desktop.MaxVisibleRowsCount = input.TakeSignedByte();
    return s;
}

// Values no reader may leave behind: each is outside its key's range.
void FillWithStrayValues(ViewParameters& view, MainSettings& main, DataFileSettings& data,
                         DataTableSettings& table, SettingsDialogState& dialog)
{
    view.ScreenWidth = -1, view.ViewerScreenDistance = 0, view.CanvasMarginFactor = NAN;
    view.ScaleDenominator = 0;
    view.BackgroundColor = view.LineColor = view.TextColor = 0xFF000000u;
    view.AnaglyphBackgroundColor = view.AnaglyphColorLeft = view.AnaglyphColorRight = 0x01000000u;
    view.ScreenFontName = main.QrvFile = main.PrinterFontName = " \r\n";
    main.ClipboardBugfixScalingFactor = 0, main.AzimuthAngularVelocity = 0;
    main.RotateAzimuthTimeInterval = 0;
    main.CurrentLanguage = static_cast<Language>(0);
    main.ScaleList.clear();
    main.Left = main.Top = main.Width = main.Height = INT_MAX;
    main.WindowState = 9, main.PrinterOrientation = 9;
    data.DataSeparator = '\n', data.CapacityIncrement = 0, data.Decimals = -1;
    table.Left = table.Top = table.Width = INT_MAX;
    table.VisibleRowsCount = 0;
    dialog.CustomColors.fill("\r\n");
    dialog.Left = dialog.Top = -1;
    dialog.ActiveTabSheetIndex = -1;
}

bool IsTrimmedText(const std::string& text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    return text.empty() || (!isBlank(text.front()) && !isBlank(text.back()));
}

// A text value is one trimmed line: the file has no way to hold more.
void RequireText(const std::string& text, const char* key)
{
    if (text.find_first_of("\r\n") != std::string::npos || !IsTrimmedText(text))
        Fail(std::string(key) + " is one line without blanks at its ends", text);
}

void RequireColor(Color color, const char* key)
{
    if (color > 0xFFFFFFu)
        Fail(std::string(key) + " is a 24-bit colour", std::to_string(color));
}

bool IsPositive(double value)
{
    return std::isfinite(value) && value > 0;
}

void CheckMainSettings(const Surroundings& s, const ViewParameters& view, const MainSettings& m)
{
    const long long width = s.Desktop.WorkAreaWidth, height = s.Desktop.WorkAreaHeight;
    RequireText(view.ScreenFontName, "ScreenFontName");
    Require(IsPositive(view.ScreenWidth), "ScreenWidth is a number above 0");
    Require(IsPositive(view.ViewerScreenDistance), "ViewerScreenDistance is a number above 0");
    Require(std::isfinite(view.CanvasMarginFactor), "CanvasMarginFactor is a number");
    Require(IsPositive(m.ClipboardBugfixScalingFactor),
            "ClipboardBugfixScalingFactor is a number above 0");
    Require(view.Azimuth == std::trunc(view.Azimuth), "Azimuth is whole degrees");
    Require(m.AzimuthAngularVelocity >= 1 && m.AzimuthAngularVelocity <= 360,
            "AzimuthAngularVelocity lies in 1..360");
    Require(m.RotateAzimuthTimeInterval >= 20 && m.RotateAzimuthTimeInterval <= 1000,
            "RotateAzimuthTimeInterval lies in 20..1000");
    Require(m.CurrentLanguage == Language::English || m.CurrentLanguage == Language::German,
            "Language is English or German");
    RequireText(m.QrvFile, "QrvFile");

    RequireColor(view.BackgroundColor, "BackgroundColor");
    RequireColor(view.LineColor, "LineColor");
    RequireColor(view.TextColor, "TextColor");
    RequireColor(view.AnaglyphBackgroundColor, "AnaglyphBackgroundColor");
    RequireColor(view.AnaglyphColorLeft, "AnaglyphColorLeft");
    RequireColor(view.AnaglyphColorRight, "AnaglyphColorRight");

    Require(view.ScaleDenominator > 0, "Scale is above 0");
    Require(m.ScaleList.size() >= 2 && m.ScaleList.size() <= 10001,
            "the scale list holds 1 to 10000 scales after its entry 0");
    for (int scale : m.ScaleList)
        Require(scale > 0, "every scale of the list is above 0");
    Require(m.ScaleList[0] == m.ScaleList[1], "entry 0 of the scale list repeats entry 1");

    Require(m.Width <= width, "FormMain Width is at most the work area's width");
    Require(m.Height <= height, "FormMain Height is at most the work area's height");
    Require(m.Left <= width - 32, "FormMain Left is at most the work area's width - 32");
    Require(m.Top <= height - 32, "FormMain Top is at most the work area's height - 32");
    Require(m.WindowState <= 2, "WindowState is normal, minimised or maximised");

    Require(m.PrinterOrientation <= 1, "Orientation is portrait or landscape");
    RequireText(m.PrinterFontName, "Printer FontName");
}

void CheckDataTableSettings(const Surroundings& s, const DataFileSettings& data,
                            const DataTableSettings& t)
{
    const long long width = s.Desktop.WorkAreaWidth, height = s.Desktop.WorkAreaHeight;
    // A line break or another control character would break the data
    // files written with it; Ctrl+Z would even end them.
    Require(static_cast<unsigned char>(data.DataSeparator) > ' ' || data.DataSeparator == '\t' ||
                data.DataSeparator == ' ',
            "DataSeparator is a TAB, a blank or a character above the blank");
    Require(data.CapacityIncrement == 10, "CapacityIncrement is 10");
    Require(data.Decimals >= 0 && data.Decimals <= 4, "Decimals lies in 0..4");
    Require(t.Left <= width - 32, "FormDataTable Left is at most the work area's width - 32");
    Require(t.Top <= height - 32, "FormDataTable Top is at most the work area's height - 32");
    Require(t.Width <= width, "FormDataTable Width is at most the work area's width");
    const int mostRows = s.Desktop.MaxVisibleRowsCount > 4 ? s.Desktop.MaxVisibleRowsCount : 4;
    Require(t.VisibleRowsCount >= 4 && t.VisibleRowsCount <= mostRows,
            "VisibleRowsCount lies in 4..MaxVisibleRowsCount");
}

void CheckDialogState(const Surroundings& s, const SettingsDialogState& d)
{
    for (const std::string& color : d.CustomColors)
        RequireText(color, "ColorA..ColorP");
    const long long highestLeft = s.Desktop.WorkAreaWidth - 32LL;
    const long long highestTop = s.Desktop.WorkAreaHeight - 32LL;
    Require(d.Left >= 0 && (d.Left <= highestLeft || d.Left == 0),
            "FormSettings Left lies in 0..work area's width - 32");
    Require(d.Top >= 0 && (d.Top <= highestTop || d.Top == 0),
            "FormSettings Top lies in 0..work area's height - 32");
    Require(d.ActiveTabSheetIndex >= 0 && d.ActiveTabSheetIndex <= 3,
            "ActiveTabSheetIndex selects one of the four pages");
}

}  // namespace
}  // namespace quorvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvane;
    using namespace quorvane::fuzzing;
    FuzzInput input(data, size);
    const Surroundings s = SurroundingsFrom(input);
    Folder().Write("settings.ini", input.Rest());
    const std::string file = Folder().Path("settings.ini");

    ViewParameters view;
    MainSettings main;
    DataFileSettings dataFile;
    DataTableSettings table;
    SettingsDialogState dialog;
    FillWithStrayValues(view, main, dataFile, table, dialog);
    ReadMainSettings(file, s.Numbers, s.Desktop, s.DefaultLanguage, "sample.qrv", view, main);
    ReadDataTableSettings(file, s.Desktop, dataFile, table);
    ReadSettingsDialogState(file, s.Desktop, dialog);

    CheckMainSettings(s, view, main);
    CheckDataTableSettings(s, dataFile, table);
    CheckDialogState(s, dialog);
    return 0;
}
