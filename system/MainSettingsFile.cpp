#include "SettingsFile.h"

#include "SettingsFileAccess.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

namespace {

using namespace Section;

// Keys Scale1, Scale2, ... counted beyond this are not read: a list this long
// already serves no one, and a longer one would only cost memory and time.
constexpr std::size_t MaxScaleCount = 10000;
// Keys above the list are removed up to this one.
constexpr std::size_t HighestDeletedScaleKey = 100;

std::string ScaleKey(std::size_t i)
{
    return "Scale" + std::to_string(i);
}

std::string MarginKey(const char* name, int orientation)
{
    return name + std::to_string(orientation);
}

// A value that scales or divides the drawing must be above zero.
double Positive(double value, double defaultValue)
{
    return value > 0 ? value : defaultValue;
}

int Positive(int value, int defaultValue)
{
    return value > 0 ? value : defaultValue;
}

// The lowest 8 bits, as the program keeps these values in one byte.
std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// Every text exists in two languages; any other number selects none.
Language LanguageOf(std::uint8_t value, Language defaultLanguage)
{
    if (value == static_cast<std::uint8_t>(Language::English))
        return Language::English;
    if (value == static_cast<std::uint8_t>(Language::German))
        return Language::German;
    return defaultLanguage;
}

void ReadGeneral(const IniFile& file, const NumberFormat& numbers, Language defaultLanguage,
                 const std::string& sampleFile, ViewParameters& view, MainSettings& settings)
{
    const ViewParameters v;
    const MainSettings m;
    view.ScreenFontName = file.ReadString(General, "ScreenFontName", v.ScreenFontName);
    view.ScreenWidth = Positive(
        file.ReadFloatSetting(General, "ScreenWidth", v.ScreenWidth, numbers), v.ScreenWidth);
    view.Azimuth = file.ReadInteger(General, "Azimuth", static_cast<int>(v.Azimuth));
    view.Elevation = file.ReadInteger(General, "Elevation", v.Elevation);
    view.ViewerScreenDistance = Positive(
        file.ReadFloatSetting(General, "ViewerScreenDistance", v.ViewerScreenDistance, numbers),
        v.ViewerScreenDistance);
    view.CanvasMarginFactor =
        file.ReadFloatSetting(General, "CanvasMarginFactor", v.CanvasMarginFactor, numbers);
    settings.ClipboardBugfixScalingFactor =
        Positive(file.ReadFloatSetting(General, "ClipboardBugfixScalingFactor",
                                       m.ClipboardBugfixScalingFactor, numbers),
                 m.ClipboardBugfixScalingFactor);
    // The settings dialog offers the same ranges; outside them the rotation
    // would stand still, run backwards or flood the program with timer ticks.
    settings.AzimuthAngularVelocity = std::clamp(
        file.ReadFloatSetting(General, "AzimuthAngularVelocity", m.AzimuthAngularVelocity, numbers),
        1.0, 360.0);
    settings.RotateAzimuthTimeInterval = PlacedWithin(
        file.ReadInteger(General, "RotateAzimuthTimeInterval", m.RotateAzimuthTimeInterval), 20,
        1000);
    view.ShowLineNumbers = file.ReadBool(General, "ShowLineNumbers", v.ShowLineNumbers);
    view.ShowCheckMarkers = file.ReadBool(General, "ShowCheckMarkers", v.ShowCheckMarkers);
    view.DrawingCentered = file.ReadBool(General, "DrawingCentered", v.DrawingCentered);
    view.VanishingPointProjection =
        file.ReadBool(General, "VanishingPointProjection", v.VanishingPointProjection);
    view.ShowAnaglyph = file.ReadBool(General, "ShowAnaglyph", v.ShowAnaglyph);
    view.ShowHighlight = file.ReadBool(General, "ShowHighlight", v.ShowHighlight);
    settings.AutoReadQrvFile = file.ReadBool(General, "AutoReadQrvFile", m.AutoReadQrvFile);
    settings.SaveSettings = file.ReadBool(General, "SaveSettings", m.SaveSettings);
    settings.CurrentLanguage = LanguageOf(
        LowByte(file.ReadInteger(General, "Language", static_cast<int>(defaultLanguage))),
        defaultLanguage);
    settings.QrvFile = file.ReadString(General, "QrvFile", sampleFile);
}

void ReadColors(const IniFile& file, ViewParameters& view)
{
    const ViewParameters v;
    // A colour is its lowest 24 bits, which is all that is ever drawn; bits
    // above them, from a negative or too large number, are not kept.
    auto color = [&](const char* key, Color defaultValue) {
        const int value = file.ReadInteger(Colors, key, static_cast<int>(defaultValue));
        return static_cast<Color>(value) & 0xFFFFFFu;
    };
    view.BackgroundColor = color("BackgroundColor", v.BackgroundColor);
    view.LineColor = color("LineColor", v.LineColor);
    view.TextColor = color("TextColor", v.TextColor);
    view.AnaglyphBackgroundColor = color("AnaglyphBackgroundColor", v.AnaglyphBackgroundColor);
    view.AnaglyphColorLeft = color("AnaglyphColorLeft", v.AnaglyphColorLeft);
    view.AnaglyphColorRight = color("AnaglyphColorRight", v.AnaglyphColorRight);
    view.HighlightColor = color("HighlightColor", v.HighlightColor);
    view.WarningColor = color("WarningColor", v.WarningColor);
}

// Entries 1..n come from the consecutive keys Scale1..Scalen (a gap ends the
// list); entry 0 repeats entry 1. The list holds at least one scale.
void ReadScales(const IniFile& file, ViewParameters& view, MainSettings& settings)
{
    const int defaultScale = ViewParameters().ScaleDenominator;
    // Raised to the least denominator there is; fitting it into the list
    // then takes the list's smallest.
    view.ScaleDenominator = std::max(1, file.ReadInteger(Scales, "Scale", defaultScale));
    std::size_t count = 0;
    while (count < MaxScaleCount && file.KeyExists(Scales, ScaleKey(count + 1)))
        ++count;
    if (count == 0)
        count = 1;
    settings.ScaleList.assign(count + 1, defaultScale);
    for (std::size_t i = 1; i <= count; ++i)
        settings.ScaleList[i] =
            Positive(file.ReadInteger(Scales, ScaleKey(i), defaultScale), defaultScale);
    settings.ScaleList[0] = settings.ScaleList[1];
}

void ReadFormMain(const IniFile& file, const DesktopLimits& desktop, MainSettings& settings)
{
    const MainSettings m;
    const long long areaWidth = desktop.WorkAreaWidth, areaHeight = desktop.WorkAreaHeight;
    settings.Width = AtMost(file.ReadInteger(FormMain, "Width", m.Width), areaWidth);
    settings.Height = AtMost(file.ReadInteger(FormMain, "Height", m.Height), areaHeight);
    // Only the normal, minimised and maximised states exist.
    const std::uint8_t state = LowByte(file.ReadInteger(FormMain, "WindowState", m.WindowState));
    settings.WindowState = state <= 2 ? state : m.WindowState;
    settings.Left = AtMost(file.ReadInteger(FormMain, "Left", m.Left), areaWidth - 32);
    settings.Top = AtMost(file.ReadInteger(FormMain, "Top", m.Top), areaHeight - 32);
    settings.UpDownScaleTabStop =
        file.ReadBool(FormMain, "UpDownScaleTabStop", m.UpDownScaleTabStop);
}

void ReadPrinter(const IniFile& file, MainSettings& settings)
{
    const MainSettings m;
    // The orientation indexes the two-entry margin tables.
    const std::uint8_t orientation =
        LowByte(file.ReadInteger(Printer, "Orientation", m.PrinterOrientation));
    settings.PrinterOrientation = orientation <= 1 ? orientation : m.PrinterOrientation;
    settings.PrinterFontName = file.ReadString(Printer, "FontName", m.PrinterFontName);
    settings.PrinterFontSize = file.ReadInteger(Printer, "FontSize", m.PrinterFontSize);
    for (int i = 0; i < 2; ++i) {
        settings.MarginTop[i] =
            file.ReadInteger(Printer, MarginKey("MarginTop", i), m.MarginTop[i]);
        settings.MarginBottom[i] =
            file.ReadInteger(Printer, MarginKey("MarginBottom", i), m.MarginBottom[i]);
        settings.MarginLeft[i] =
            file.ReadInteger(Printer, MarginKey("MarginLeft", i), m.MarginLeft[i]);
        settings.MarginRight[i] =
            file.ReadInteger(Printer, MarginKey("MarginRight", i), m.MarginRight[i]);
    }
}

void WriteGeneral(IniFile& file, const NumberFormat& numbers, const ViewParameters& view,
                  int azimuth, int elevation, const MainSettings& settings, bool rememberQrvFile)
{
    file.WriteString(General, "ScreenFontName", view.ScreenFontName);
    file.WriteFloat(General, "ScreenWidth", view.ScreenWidth, numbers);
    file.WriteFloat(General, "ViewerScreenDistance", view.ViewerScreenDistance, numbers);
    file.WriteFloat(General, "CanvasMarginFactor", view.CanvasMarginFactor, numbers);
    file.WriteFloat(General, "ClipboardBugfixScalingFactor", settings.ClipboardBugfixScalingFactor,
                    numbers);
    file.WriteFloat(General, "AzimuthAngularVelocity", settings.AzimuthAngularVelocity, numbers);
    file.WriteInteger(General, "RotateAzimuthTimeInterval", settings.RotateAzimuthTimeInterval);
    file.WriteInteger(General, "Azimuth", azimuth);
    file.WriteInteger(General, "Elevation", elevation);
    file.WriteBool(General, "ShowLineNumbers", view.ShowLineNumbers);
    file.WriteBool(General, "ShowCheckMarkers", view.ShowCheckMarkers);
    file.WriteBool(General, "DrawingCentered", view.DrawingCentered);
    file.WriteBool(General, "VanishingPointProjection", view.VanishingPointProjection);
    file.WriteBool(General, "ShowAnaglyph", view.ShowAnaglyph);
    file.WriteBool(General, "ShowHighlight", view.ShowHighlight);
    file.WriteBool(General, "AutoReadQrvFile", settings.AutoReadQrvFile);
    if (rememberQrvFile)
        file.WriteString(General, "QrvFile", settings.QrvFile);
    file.WriteInteger(General, "Language", static_cast<int>(settings.CurrentLanguage));
}

void WriteColors(IniFile& file, const ViewParameters& view)
{
    auto color = [&](const char* key, Color value) {
        file.WriteInteger(Colors, key, static_cast<int>(value));
    };
    color("BackgroundColor", view.BackgroundColor);
    color("LineColor", view.LineColor);
    color("TextColor", view.TextColor);
    color("AnaglyphBackgroundColor", view.AnaglyphBackgroundColor);
    color("AnaglyphColorLeft", view.AnaglyphColorLeft);
    color("AnaglyphColorRight", view.AnaglyphColorRight);
    color("HighlightColor", view.HighlightColor);
    color("WarningColor", view.WarningColor);
}

void WriteScales(IniFile& file, const ViewParameters& view, const MainSettings& settings)
{
    file.WriteInteger(Scales, "Scale", view.ScaleDenominator);
    const std::size_t count = settings.ScaleList.empty() ? 0 : settings.ScaleList.size() - 1;
    for (std::size_t i = 1; i <= count; ++i)
        file.WriteInteger(Scales, ScaleKey(i), settings.ScaleList[i]);
    for (std::size_t i = count + 1; i <= HighestDeletedScaleKey; ++i)
        file.DeleteKey(Scales, ScaleKey(i));
}

void WriteFormMain(IniFile& file, const MainSettings& settings)
{
    file.WriteInteger(FormMain, "WindowState", settings.WindowState);
    file.WriteInteger(FormMain, "Left", settings.Left);
    file.WriteInteger(FormMain, "Top", settings.Top);
    file.WriteInteger(FormMain, "Width", settings.Width);
    file.WriteInteger(FormMain, "Height", settings.Height);
}

void WritePrinter(IniFile& file, const MainSettings& settings)
{
    file.WriteInteger(Printer, "Orientation", settings.PrinterOrientation);
    file.WriteString(Printer, "FontName", settings.PrinterFontName);
    file.WriteInteger(Printer, "FontSize", settings.PrinterFontSize);
    for (int i = 0; i < 2; ++i) {
        file.WriteInteger(Printer, MarginKey("MarginTop", i), settings.MarginTop[i]);
        file.WriteInteger(Printer, MarginKey("MarginBottom", i), settings.MarginBottom[i]);
        file.WriteInteger(Printer, MarginKey("MarginLeft", i), settings.MarginLeft[i]);
        file.WriteInteger(Printer, MarginKey("MarginRight", i), settings.MarginRight[i]);
    }
}

}  // namespace

void ReadMainSettings(const std::string& fileName, const NumberFormat& numbers,
                      const DesktopLimits& desktop, Language defaultLanguage,
                      const std::string& sampleFile, ViewParameters& view, MainSettings& settings)
{
    const IniFile file = CopyForReading(fileName);
    ReadGeneral(file, numbers, defaultLanguage, sampleFile, view, settings);
    ReadColors(file, view);
    ReadScales(file, view, settings);
    ReadFormMain(file, desktop, settings);
    ReadPrinter(file, settings);
}

std::string WriteMainSettings(const std::string& fileName, const NumberFormat& numbers,
                              const ViewParameters& view, int azimuth, int elevation,
                              const MainSettings& settings, bool rememberQrvFile)
{
    return ChangeSettingsFile(fileName, [&](IniFile& file) {
        file.WriteBool(General, "SaveSettings", settings.SaveSettings);
        // Switched off, the values of earlier runs stay as they are.
        if (!settings.SaveSettings)
            return;
        WriteGeneral(file, numbers, view, azimuth, elevation, settings, rememberQrvFile);
        WriteColors(file, view);
        WriteScales(file, view, settings);
        WriteFormMain(file, settings);
        WritePrinter(file, settings);
    });
}

}  // namespace quorvane
