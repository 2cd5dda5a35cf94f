#include "SettingsFile.h"

#include "SettingsFileAccess.h"

#include <algorithm>

namespace quorvane {

namespace {

using namespace Section;

constexpr int TabSheetCount = 4;
constexpr std::size_t MaxCustomColorLength = 8;

// The colour picker's custom colours: keys ColorA..ColorP.
std::string CustomColorKey(std::size_t slot)
{
    return std::string("Color") + static_cast<char>('A' + slot);
}

}  // namespace

void ReadDataTableSettings(const std::string& fileName, const DesktopLimits& desktop,
                           DataFileSettings& data, DataTableSettings& table)
{
    const IniFile file = CopyForReading(fileName);
    const DataFileSettings d;
    const DataTableSettings t;
    table.DebugFlag = file.ReadBool(General, "DebugFlag", t.DebugFlag);
    data.CreateBakFiles = file.ReadBool(General, "CreateBakFiles", d.CreateBakFiles);
    table.ShowCellsAsHint = file.ReadBool(General, "ShowCellsAsHint", t.ShowCellsAsHint);
    // A TAB or blank separator stands alone after the equals sign, as it has
    // always been written; trimmed, it would be lost. An empty value keeps
    // the comma, and no other control character separates.
    const std::string separator =
        file.ReadUntrimmedString(General, "DataSeparator", std::string(1, d.DataSeparator));
    const char first = separator.empty() ? d.DataSeparator : separator.front();
    data.DataSeparator =
        static_cast<unsigned char>(first) > ' ' || first == '\t' || first == ' ' ? first
                                                                                 : d.DataSeparator;
    // The table always grows by the same number of rows.
    data.CapacityIncrement = d.CapacityIncrement;
    data.Decimals = std::clamp(file.ReadInteger(General, "Decimals", d.Decimals), 0, 4);

    const long long areaWidth = desktop.WorkAreaWidth, areaHeight = desktop.WorkAreaHeight;
    table.PlaceStored =
        file.KeyExists(FormDataTable, "Left") || file.KeyExists(FormDataTable, "Top");
    table.Left = AtMost(file.ReadInteger(FormDataTable, "Left", t.Left), areaWidth - 32);
    table.Top = AtMost(file.ReadInteger(FormDataTable, "Top", t.Top), areaHeight - 32);
    table.Width = AtMost(file.ReadInteger(FormDataTable, "Width", t.Width), areaWidth);
    table.FormVisible = file.ReadBool(FormDataTable, "FormVisible", t.FormVisible);
    table.ChecksVisible = file.ReadBool(FormDataTable, "ChecksVisible", t.ChecksVisible);
    // At least 4 rows even where the desktop has room for fewer.
    table.VisibleRowsCount =
        std::max(4, AtMost(file.ReadInteger(FormDataTable, "VisibleRowsCount", t.VisibleRowsCount),
                           desktop.MaxVisibleRowsCount));
}

std::string WriteDataTableSettings(const std::string& fileName, bool saveSettings,
                                   const DataFileSettings& data, const DataTableSettings& table)
{
    if (!saveSettings)
        return {};
    return ChangeSettingsFile(fileName, [&](IniFile& file) {
        file.WriteBool(General, "DebugFlag", table.DebugFlag);
        file.WriteBool(General, "CreateBakFiles", data.CreateBakFiles);
        file.WriteBool(General, "ShowCellsAsHint", table.ShowCellsAsHint);
        file.WriteString(General, "DataSeparator", std::string(1, data.DataSeparator));
        file.WriteInteger(General, "CapacityIncrement", data.CapacityIncrement);
        file.WriteInteger(General, "Decimals", data.Decimals);
        file.WriteInteger(FormDataTable, "Left", table.Left);
        file.WriteInteger(FormDataTable, "Top", table.Top);
        file.WriteInteger(FormDataTable, "Width", table.Width);
        file.WriteBool(FormDataTable, "FormVisible", table.FormVisible);
        file.WriteInteger(FormDataTable, "VisibleRowsCount", table.VisibleRowsCount);
        file.WriteBool(FormDataTable, "ChecksVisible", table.ChecksVisible);
    });
}

void ReadSettingsDialogState(const std::string& fileName, const DesktopLimits& desktop,
                             SettingsDialogState& state)
{
    const IniFile file = CopyForReading(fileName);
    for (std::size_t slot = 0; slot < state.CustomColors.size(); ++slot)
        state.CustomColors[slot] = file.ReadString(Colors, CustomColorKey(slot), "");
    state.PlaceStored = file.KeyExists(FormSettings, "Left") || file.KeyExists(FormSettings, "Top");
    state.Left = PlacedWithin(file.ReadInteger(FormSettings, "Left", 0), 0,
                              static_cast<long long>(desktop.WorkAreaWidth) - 32);
    state.Top = PlacedWithin(file.ReadInteger(FormSettings, "Top", 0), 0,
                             static_cast<long long>(desktop.WorkAreaHeight) - 32);
    // The index selects one of the dialog's tab pages.
    const int tab = file.ReadInteger(FormSettings, "ActiveTabSheetIndex", 0);
    state.ActiveTabSheetIndex = tab >= 0 && tab < TabSheetCount ? tab : 0;
}

std::string WriteSettingsDialogState(const std::string& fileName,
                                     const SettingsDialogState& state)
{
    return ChangeSettingsFile(fileName, [&](IniFile& file) {
        for (std::size_t slot = 0; slot < state.CustomColors.size(); ++slot) {
            const std::string_view color = state.CustomColors[slot];
            file.WriteString(Colors, CustomColorKey(slot), color.substr(0, MaxCustomColorLength));
        }
        file.WriteInteger(FormSettings, "Left", state.Left);
        file.WriteInteger(FormSettings, "Top", state.Top);
        file.WriteInteger(FormSettings, "ActiveTabSheetIndex", state.ActiveTabSheetIndex);
    });
}

}  // namespace quorvane
