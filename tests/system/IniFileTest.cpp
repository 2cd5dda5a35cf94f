#include "IniFile.h"
#include "SettingsNumbers.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvane::testing {
namespace {

const NumberFormat Point{'.', ','};
const NumberFormat Comma{',', '.'};

TEST(IniFile, ReadsSectionsAndKeysAndWritesThemBackInTheirOrder)
{
    const IniFile file = IniFile::Parse("before=dropped\n"
                                        "; comment\n"
                                        "[ General ]\r\n"
                                        "  ScreenWidth  =  0.3 = x  \r\n"
                                        "\r\n"
                                        "  a line without equals  \r"
                                        "Azimuth=10\n"
                                        "azimuth=20\n"
                                        "[Colors]\n"
                                        "LineColor=128\n"
                                        "[general]\n"
                                        "Elevation=-5\n"
                                        "AZIMUTH=30\n");
    EXPECT_EQ(file.ReadString("GENERAL", "screenwidth", "?"), "0.3 = x");
    EXPECT_EQ(file.ReadInteger("General", "Azimuth", 0), 10);
    EXPECT_EQ(file.ReadInteger("General", "Elevation", 0), -5);
    EXPECT_FALSE(file.KeyExists("General", "a line without equals"));
    EXPECT_FALSE(file.KeyExists("General", "before"));
    EXPECT_EQ(file.Text(), "[General]\r\n"
                           "ScreenWidth=0.3 = x\r\n"
                           "  a line without equals  \r\n"
                           "Azimuth=10\r\n"
                           "azimuth=20\r\n"
                           "Elevation=-5\r\n"
                           "AZIMUTH=30\r\n"
                           "\r\n"
                           "[Colors]\r\n"
                           "LineColor=128\r\n"
                           "\r\n");
}

TEST(IniFile, AValueOfBlanksAloneIsKeptForWhoAsksForIt)
{
    IniFile file = IniFile::Parse("[S]\r\nTab=\t\r\nBlank= \r\nNone=\r\nText= a \r\n");
    EXPECT_EQ(file.ReadString("S", "Tab", "?"), "");
    EXPECT_EQ(file.ReadUntrimmedString("S", "Tab", "?"), "\t");
    EXPECT_EQ(file.ReadUntrimmedString("S", "Blank", "?"), " ");
    EXPECT_EQ(file.ReadUntrimmedString("S", "None", "?"), "");
    EXPECT_EQ(file.ReadUntrimmedString("S", "Text", "?"), "a");
    EXPECT_EQ(file.ReadUntrimmedString("S", "Missing", "?"), "?");
    // Read and written back by a writer that never asked for them.
    file.WriteInteger("S", "Other", 1);
    EXPECT_EQ(file.Text(), "[S]\r\nTab=\t\r\nBlank= \r\nNone=\r\nText=a\r\nOther=1\r\n\r\n");
}

TEST(IniFile, UpdatesTheFirstOfRepeatedKeysAndDeletesThemAll)
{
    IniFile file = IniFile::Parse("[S]\nA=1\nB=2\na=3\n");
    file.WriteInteger("s", "A", 9);
    file.WriteBool("S", "New", true);
    file.WriteString("T", "K", "v");
    EXPECT_EQ(file.Text(), "[S]\r\nA=9\r\nB=2\r\na=3\r\nNew=1\r\n\r\n[T]\r\nK=v\r\n\r\n");

    // A deleted key must not come back with the value of a repeated line.
    file.DeleteKey("S", "a");
    EXPECT_FALSE(file.KeyExists("S", "A"));
    file.WriteInteger("S", "A", 4);
    file.DeleteKey("S", "Missing");
    file.DeleteKey("Missing", "A");
    EXPECT_EQ(file.Text(), "[S]\r\nB=2\r\nNew=1\r\nA=4\r\n\r\n[T]\r\nK=v\r\n\r\n");
}

TEST(IniFile, AValueWithALineBreakCannotAddLinesToTheFile)
{
    IniFile file;
    file.WriteString("General", "QrvFile", "/home/a.qrv\r\n[Printer]\nOrientation=7");
    const IniFile reread = IniFile::Parse(file.Text());
    EXPECT_EQ(reread.ReadString("General", "QrvFile", ""), "/home/a.qrv");
    EXPECT_FALSE(reread.KeyExists("Printer", "Orientation"));
}

TEST(IniFile, ReadsIntegersInDecimalAndHexadecimalOnlyWhenWholeAndInRange)
{
    const std::pair<const char*, int> cases[] = {
        {"0x20", 32},      {"-0x10", -16},      {"+5", 5},  {"-2147483648", -2147483647 - 1},
        {"2147483648", 7}, {"0xFFFFFFFF", 7},   {"0x", 7},  {"12abc", 7},
        {"1.0", 7},        {"0x-1", 7},         {"+-1", 7}, {"", 7}};
    for (const auto& [text, expected] : cases) {
        const IniFile file = IniFile::Parse(std::string("[S]\nK=") + text + "\n");
        EXPECT_EQ(file.ReadInteger("S", "K", 7), expected) << text;
    }
    const IniFile file = IniFile::Parse("[S]\nTwo=2\nWord=yes\n");
    EXPECT_TRUE(file.ReadBool("S", "Two", false));
    EXPECT_FALSE(file.ReadBool("S", "Word", false));
}

TEST(IniFile, ReadsFloatsWithEitherSeparatorAndKeepsTheDefaultForOtherTexts)
{
    auto read = [](const char* text, const NumberFormat& numbers) {
        return IniFile::Parse(std::string("[S]\nK=") + text + "\n")
            .ReadFloatSetting("S", "K", -1, numbers);
    };
    for (const NumberFormat& numbers : {Point, Comma}) {
        EXPECT_DOUBLE_EQ(read("0,3", numbers), 0.3);
        EXPECT_DOUBLE_EQ(read("0.3", numbers), 0.3);
        EXPECT_DOUBLE_EQ(read("+2.5e1", numbers), 25);
        for (const char* bad : {"1.000,5", "1,5,2", "nan", "-inf", "1e999", ""})
            EXPECT_DOUBLE_EQ(read(bad, numbers), -1) << bad;
    }
    EXPECT_EQ(FloatSettingText(0.3, ','), "0,3");
    EXPECT_EQ(FloatSettingText(10, '.'), "10");
    EXPECT_EQ(FloatSettingText(1.0 / 3, '.'), "0.333333333333333");
}

TEST(IniFile, GarbageGivesAStableCopyAndNoCrash)
{
    std::mt19937 random(11);
    const char pieces[] = {'[', ']', '=', ';', '\r', '\n', ' ', '\0', 'a', 'B', '\xe4', '\t'};
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        for (int i = 0; i < 300; ++i)
            bytes += round % 2 == 0 ? static_cast<char>(random())
                                    : pieces[random() % sizeof pieces];
        const std::string text = IniFile::Parse(bytes).Text();
        ASSERT_EQ(IniFile::Parse(text).Text(), text);
    }
}

}  // namespace
}  // namespace quorvane::testing
