#include "SettingsFilePath.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

class SettingsFilePathTest : public ::testing::Test {
protected:
    EnvironmentLookup Environment()
    {
        return [this](const std::string& name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            if (found == environment.end())
                return std::nullopt;
            return found->second;
        };
    }
    std::string Path(bool copyLegacyFile = true)
    {
        return SettingsFilePath("Tallomar", program, copyLegacyFile, Environment());
    }
    std::string PathToRead() { return SettingsFileToRead("Tallomar", program, Environment()); }

    TempFolder folder;
    std::string program = folder.Path("bin/Quorvane");
    std::map<std::string, std::string> environment;
};

TEST_F(SettingsFilePathTest, LiesInTheConfigurationFolderWhichIsCreated)
{
    environment["XDG_CONFIG_HOME"] = folder.Path("config");
    environment["HOME"] = folder.Path("home");
    EXPECT_EQ(Path(), folder.Path("config/Tallomar/Quorvane/Quorvane.ini"));
    EXPECT_TRUE(fs::is_directory(folder.Path("config/Tallomar/Quorvane")));

    environment["XDG_CONFIG_HOME"] = " \t";
    program = folder.Path("bin/Quorvane.bin");
    EXPECT_EQ(Path(), folder.Path("home/.config/Tallomar/Quorvane/Quorvane.ini"));
}

TEST_F(SettingsFilePathTest, FallsBackToTheFileBesideTheProgram)
{
    EXPECT_EQ(Path(), folder.Path("bin/Quorvane.ini"));
    environment["HOME"] = "";
    EXPECT_EQ(Path(), folder.Path("bin/Quorvane.ini"));

    // A file where a folder would have to be made.
    folder.Write("config", "not a folder");
    environment["XDG_CONFIG_HOME"] = folder.Path("config");
    program = folder.Path("bin/Quorvane.bin");
    EXPECT_EQ(Path(), folder.Path("bin/Quorvane.ini"));
}

TEST_F(SettingsFilePathTest, CopiesTheLegacyFileOnlyWhenTheNewOneIsMissing)
{
    fs::create_directories(folder.Path("bin"));
    folder.Write("bin/Quorvane.ini", "[General]\r\nAzimuth=5\r\n");
    environment["HOME"] = folder.Path("home");
    const std::string newFile = "home/.config/Tallomar/Quorvane/Quorvane.ini";

    Path(false);
    EXPECT_FALSE(folder.Exists(newFile));
    EXPECT_EQ(Path(), folder.Path(newFile));
    EXPECT_EQ(folder.Read(newFile), "[General]\r\nAzimuth=5\r\n");

    folder.Write("bin/Quorvane.ini", "[General]\r\nAzimuth=6\r\n");
    folder.Write(newFile, "[General]\r\nAzimuth=7\r\n");
    Path();
    EXPECT_EQ(folder.Read(newFile), "[General]\r\nAzimuth=7\r\n");
}

TEST_F(SettingsFilePathTest, AReaderFindsTheSameContentsWithoutCreatingOrCopying)
{
    const std::string newFile = "home/.config/Tallomar/Quorvane/Quorvane.ini";
    EXPECT_EQ(PathToRead(), folder.Path("bin/Quorvane.ini"));

    environment["HOME"] = folder.Path("home");
    EXPECT_EQ(PathToRead(), folder.Path(newFile));
    EXPECT_FALSE(fs::exists(folder.Path("home")));

    // The legacy file is read where it lies, not copied.
    fs::create_directories(folder.Path("bin"));
    folder.Write("bin/Quorvane.ini", "[General]\r\nAzimuth=5\r\n");
    EXPECT_EQ(PathToRead(), folder.Path("bin/Quorvane.ini"));
    EXPECT_FALSE(fs::exists(folder.Path("home")));

    // Once the program has copied it, the copy is the file.
    EXPECT_EQ(Path(), folder.Path(newFile));
    EXPECT_EQ(PathToRead(), folder.Path(newFile));
}

}  // namespace
}  // namespace quorvane::testing
