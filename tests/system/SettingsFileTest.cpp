#include "IniFile.h"
#include "SettingsFile.h"
#include "TempFolder.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void ReadAll()
    {
        ReadMainSettings(file, numbers, desktop, Language::German, "sample.qrv", view, main);
        ReadDataTableSettings(file, desktop, data, table);
        ReadSettingsDialogState(file, desktop, dialog);
    }
    void ReadAll(const std::string& text)
    {
        folder.Write("Quorvane.ini", text);
        ReadAll();
    }
    void WriteAll(bool rememberQrvFile = true)
    {
        EXPECT_EQ(WriteMainSettings(file, numbers, view, 45, -10, main, rememberQrvFile), "");
        EXPECT_EQ(WriteDataTableSettings(file, main.SaveSettings, data, table), "");
        EXPECT_EQ(WriteSettingsDialogState(file, dialog), "");
    }
    IniFile Written() const { return IniFile::Parse(folder.Read("Quorvane.ini")); }

    TempFolder folder;
    std::string file = folder.Path("Quorvane.ini");
    NumberFormat numbers{'.', ','};
    DesktopLimits desktop{1920, 1080, 50};
    ViewParameters view;
    MainSettings main;
    DataFileSettings data;
    DataTableSettings table;
    SettingsDialogState dialog;
};

TEST_F(SettingsFileTest, AFreshStartGivesTheDefaultsWhateverTheValuesHeldBefore)
{
    view.Elevation = 3, view.LineColor = 1, view.ScaleDenominator = 7;
    main.ScaleList = {5, 5, 6}, main.MarginTop[1] = 1, main.SaveSettings = false;
    data.Decimals = 4, table.VisibleRowsCount = 30, dialog.CustomColors[3] = "FF";
    ReadAll();
    EXPECT_EQ(view.Azimuth, 30);
    EXPECT_EQ(view.Elevation, 30);
    EXPECT_EQ(view.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(view.LineColor, 128u);
    EXPECT_EQ(view.ScaleDenominator, 100);
    EXPECT_EQ(main.ScaleList, (std::vector<int>{100, 100}));
    EXPECT_EQ(main.PrinterOrientation, 1);
    EXPECT_EQ(main.MarginTop[1], 20);
    EXPECT_TRUE(main.SaveSettings);
    EXPECT_EQ(main.CurrentLanguage, Language::German);
    EXPECT_EQ(main.QrvFile, "sample.qrv");
    EXPECT_EQ(data.Decimals, 2);
    EXPECT_EQ(table.VisibleRowsCount, 11);
    EXPECT_EQ(dialog.CustomColors[3], "");
}

TEST_F(SettingsFileTest, HoldsValuesToTheirLimitsAndTheDesktop)
{
    ReadAll("[General]\nScreenWidth=0,3\nDecimals=9\nCapacityIncrement=50\nDataSeparator=;x\n"
            "Language=257\n"
            "[FormMain]\nLeft=0x20\nTop=-50000\nWidth=5000\nHeight=99999999999\nWindowState=258\n"
            "[FormDataTable]\nLeft=5000\nVisibleRowsCount=1\n"
            "[FormSettings]\nLeft=-5\nTop=5000\n");
    EXPECT_DOUBLE_EQ(view.ScreenWidth, 0.3);
    EXPECT_EQ(data.Decimals, 4);
    EXPECT_EQ(data.CapacityIncrement, 10);
    EXPECT_EQ(data.DataSeparator, ';');
    EXPECT_EQ(main.CurrentLanguage, Language::English);
    EXPECT_EQ(main.Left, 32);
    EXPECT_EQ(main.Top, -50000);
    EXPECT_EQ(main.Width, 1920);
    EXPECT_EQ(main.Height, 600);
    EXPECT_EQ(main.WindowState, 2);
    EXPECT_EQ(table.Left, 1888);
    EXPECT_EQ(table.VisibleRowsCount, 4);
    EXPECT_EQ(dialog.Left, 0);
    EXPECT_EQ(dialog.Top, 1048);

    numbers = {',', '.'};
    ReadAll("[General]\nScreenWidth=0.3\nDecimals=-1\nDataSeparator=\x01\n"
            "[FormDataTable]\nVisibleRowsCount=99\n");
    EXPECT_DOUBLE_EQ(view.ScreenWidth, 0.3);
    EXPECT_EQ(data.Decimals, 0);
    EXPECT_EQ(data.DataSeparator, ',');  // no control character separates
    EXPECT_EQ(table.VisibleRowsCount, 50);
}

TEST_F(SettingsFileTest, ReplacesValuesThatWouldDivideByZeroIndexAstrayOrRunAway)
{
    ReadAll("[General]\nScreenWidth=0\nViewerScreenDistance=-1\nClipboardBugfixScalingFactor=0\n"
            "RotateAzimuthTimeInterval=0\nAzimuthAngularVelocity=0\nLanguage=3\n"
            "[Scales]\nScale=0\nScale1=-5\nScale2=250\n"
            "[FormMain]\nWindowState=7\n[Printer]\nOrientation=2\n"
            "[FormSettings]\nActiveTabSheetIndex=9\n");
    EXPECT_EQ(view.ScreenWidth, 0.3);
    EXPECT_EQ(view.ViewerScreenDistance, 0.7);
    EXPECT_EQ(main.ClipboardBugfixScalingFactor, 1.0);
    EXPECT_EQ(main.RotateAzimuthTimeInterval, 20);
    EXPECT_EQ(main.AzimuthAngularVelocity, 1);
    EXPECT_EQ(main.CurrentLanguage, Language::German);
    // Below every scale: the list's smallest takes its place when the
    // scale is fitted into the list.
    EXPECT_EQ(view.ScaleDenominator, 1);
    EXPECT_EQ(main.ScaleList, (std::vector<int>{100, 100, 250}));
    EXPECT_EQ(main.WindowState, 0);
    EXPECT_EQ(main.PrinterOrientation, 1);
    EXPECT_EQ(dialog.ActiveTabSheetIndex, 0);

    ReadAll("[General]\nRotateAzimuthTimeInterval=100000\nAzimuthAngularVelocity=1e6\n");
    EXPECT_EQ(main.RotateAzimuthTimeInterval, 1000);
    EXPECT_EQ(main.AzimuthAngularVelocity, 360);
}

TEST_F(SettingsFileTest, AColourKeepsOnlyItsTwentyFourBits)
{
    ReadAll("[Colors]\nBackgroundColor=-1\nLineColor=16777216\nTextColor=0x7F123456\n"
            "AnaglyphBackgroundColor=-2147483648\nAnaglyphColorLeft=0xFF\n"
            "AnaglyphColorRight=16777215\n");
    EXPECT_EQ(view.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(view.LineColor, 0u);
    EXPECT_EQ(view.TextColor, 0x123456u);
    EXPECT_EQ(view.AnaglyphBackgroundColor, 0u);
    EXPECT_EQ(view.AnaglyphColorLeft, 0xFFu);
    EXPECT_EQ(view.AnaglyphColorRight, 0xFFFFFFu);
}

TEST_F(SettingsFileTest, TheScaleListEndsAtAGapAndWritingRemovesTheKeysAfterIt)
{
    ReadAll("[Scales]\nScale=20\nScale1=10\nScale2=20\nScale4=40\nScale101=7\n");
    EXPECT_EQ(main.ScaleList, (std::vector<int>{10, 10, 20}));
    WriteAll();
    const IniFile written = Written();
    EXPECT_EQ(written.ReadInteger("Scales", "Scale2", 0), 20);
    EXPECT_FALSE(written.KeyExists("Scales", "Scale3"));
    EXPECT_FALSE(written.KeyExists("Scales", "Scale4"));
    EXPECT_TRUE(written.KeyExists("Scales", "Scale101"));
}

TEST_F(SettingsFileTest, ANewFileHasTheSectionsAndKeysInWritingOrder)
{
    WriteAll();
    const std::string text = folder.Read("Quorvane.ini");
    std::string outline;  // section names and the first letters of their keys
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = text.find("\r\n", begin);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(begin, end - begin);
        outline += line.empty() ? "|" : line[0] == '[' ? line : line.substr(0, 2);
        begin = end + 2;
    }
    EXPECT_EQ(outline,
              "[General]SaScScViCaClAzRoAzElShShDrVaShShAuQrLaDeCrShDaCaDe|"
              "[Colors]BaLiTeAnAnAnHiWaCoCoCoCoCoCoCoCoCoCoCoCoCoCoCoCo|"
              "[Scales]ScSc|[FormMain]WiLeToWiHe|[Printer]OrFoFoMaMaMaMaMaMaMaMa|"
              "[FormDataTable]LeToWiFoViCh|[FormSettings]LeToAc|");
    EXPECT_NE(text.find("\r\nAzimuth=45\r\nElevation=-10\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMarginTop0=20\r\nMarginBottom0=15\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WhatIsWrittenReadsBackUnderTheUsersSeparator)
{
    numbers = {',', '.'};
    ReadAll("; a comment\n[General]\nMyKey=kept\nQrvFile=old.qrv\n\n[Mine]\nX=1\n");
    view.ScreenWidth = 0.345, view.LineColor = 0x123456, view.ShowAnaglyph = true;
    main.ScaleList = {50, 50, 250, 1000}, main.AzimuthAngularVelocity = 12.5;
    main.CurrentLanguage = Language::English, main.QrvFile = "new.qrv", main.MarginLeft[0] = 9;
    data.DataSeparator = ';', table.FormVisible = true;
    view.WarningColor = 0x00FF00, view.ShowCheckMarkers = false, table.ChecksVisible = true;
    dialog.CustomColors[15] = "FFFFFFFF1";
    WriteAll(false);
    const std::string text = folder.Read("Quorvane.ini");
    EXPECT_NE(text.find("ScreenWidth=0,345\r\n"), std::string::npos);
    EXPECT_EQ(text.find("comment"), std::string::npos);
    EXPECT_NE(text.find("[General]\r\nMyKey=kept\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Mine]\r\nX=1\r\n"), std::string::npos);

    view = {}, main = {}, data = {}, table = {}, dialog = {};
    ReadAll();
    EXPECT_EQ(view.ScreenWidth, 0.345);
    EXPECT_EQ(view.LineColor, 0x123456u);
    EXPECT_TRUE(view.ShowAnaglyph);
    EXPECT_EQ(view.Elevation, -10);
    EXPECT_EQ(main.ScaleList, (std::vector<int>{50, 50, 250, 1000}));
    EXPECT_EQ(main.AzimuthAngularVelocity, 12.5);
    EXPECT_EQ(main.CurrentLanguage, Language::English);
    EXPECT_EQ(main.QrvFile, "old.qrv");  // not remembered
    EXPECT_EQ(main.MarginLeft[0], 9);
    EXPECT_EQ(data.DataSeparator, ';');
    EXPECT_TRUE(table.FormVisible);
    EXPECT_EQ(view.WarningColor, 0x00FF00u);
    EXPECT_FALSE(view.ShowCheckMarkers);
    EXPECT_TRUE(table.ChecksVisible);
    EXPECT_EQ(dialog.CustomColors[15], "FFFFFFFF");
}

TEST_F(SettingsFileTest, ATabOrBlankSeparatorSurvivesEveryWriterAndAFreshRead)
{
    for (const char separator : {'\t', ' ', ';'}) {
        data.DataSeparator = separator;
        WriteAll();  // the dialog's state is written last, over the others'
        data = {};
        ReadAll();
        EXPECT_EQ(data.DataSeparator, separator) << int(separator);
    }
    // Earlier versions wrote the character itself after the equals sign;
    // an empty value has always meant the comma.
    for (const char* separator : {"\t", " ", "\t "}) {
        ReadAll(std::string("[General]\r\nDataSeparator=") + separator + "\r\n");
        EXPECT_EQ(data.DataSeparator, separator[0]) << int(separator[0]);
    }
    ReadAll("[General]\r\nDataSeparator=\r\n");
    EXPECT_EQ(data.DataSeparator, ',');
}

TEST_F(SettingsFileTest, WithSaveSettingsOffOnlyThatKeyAndTheDialogsStateChange)
{
    const std::string before = "[General]\r\nSaveSettings=1\r\nAzimuth=5\r\nDecimals=1\r\n\r\n"
                               "[FormMain]\r\nLeft=3\r\n\r\n";
    ReadAll(before);
    main.SaveSettings = false;
    main.Left = 400, data.Decimals = 4, dialog.CustomColors[0] = "00FF00";
    WriteAll();
    const std::string after = folder.Read("Quorvane.ini");
    EXPECT_EQ(after, "[General]\r\nSaveSettings=0\r\nAzimuth=5\r\nDecimals=1\r\n\r\n"
                     "[FormMain]\r\nLeft=3\r\n\r\n"
                     "[Colors]\r\nColorA=00FF00\r\nColorB=\r\nColorC=\r\nColorD=\r\nColorE=\r\n"
                     "ColorF=\r\nColorG=\r\nColorH=\r\nColorI=\r\nColorJ=\r\nColorK=\r\n"
                     "ColorL=\r\nColorM=\r\nColorN=\r\nColorO=\r\nColorP=\r\n\r\n"
                     "[FormSettings]\r\nLeft=0\r\nTop=0\r\nActiveTabSheetIndex=0\r\n\r\n");
}

TEST_F(SettingsFileTest, BadFilesGiveDefaultsForWhatCannotBeUsed)
{
    ReadAll("[General]\nAzimuth=1\n[Scales]\nScale1=5\n[GENERAL]\nAzimuth=2\nElevation=3\n");
    EXPECT_EQ(view.Azimuth, 1);
    EXPECT_EQ(view.Elevation, 3);

    std::string scales = "[Scales]\n";
    for (int i = 1; i <= 10001; ++i)
        scales += "Scale" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    ReadAll(scales);
    ASSERT_EQ(main.ScaleList.size(), 10001u);
    EXPECT_EQ(main.ScaleList.back(), 10000);
    WriteAll();
    EXPECT_EQ(Written().ReadInteger("Scales", "Scale10001", 0), 10001);

    fs::remove(file);
    fs::create_directory(file);
    ReadAll();
    EXPECT_EQ(view.Azimuth, 30);
    EXPECT_EQ(WriteSettingsDialogState(file, dialog), "Dateizugriff verweigert\n" + file);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedAndKeepsTheOldFile)
{
    const std::string before = "[General]\r\nAzimuth=5\r\n\r\n";
    folder.Write("Quorvane.ini", before);
    fs::permissions(folder.Root(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    const bool refused = RunWithoutFileRights([&] {
        return WriteMainSettings(file, numbers, view, 0, 0, main, true) ==
                   "Dateizugriff verweigert\n" + file &&
               folder.Read("Quorvane.ini") == before;
    });
    EXPECT_TRUE(refused);

    // A file that cannot be read is not replaced by one without its keys.
    fs::permissions(folder.Root(), fs::perms::all);
    fs::permissions(file, fs::perms::owner_write | fs::perms::others_write);
    const bool kept = RunWithoutFileRights([&] {
        return WriteSettingsDialogState(file, dialog) == "Dateizugriff verweigert\n" + file;
    });
    EXPECT_TRUE(kept);
    fs::permissions(file, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(folder.Read("Quorvane.ini"), before);
}

}  // namespace
}  // namespace quorvane::testing
