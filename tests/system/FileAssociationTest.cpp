#include "TempFolder.h"
#include "UnitAssociateFileExt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

// The association against a desktop of the test's own.
class FileAssociation : public ::testing::Test {
protected:
    FileAssociation()
    {
        places.DataHome = folder.Path("data");
        places.ConfigHome = folder.Path("config");
        places.DataDirs = {folder.Path("system")};
    }
    bool Associate(const std::string& manufacturer = "Tallomar",
                   const std::string& type = "Quorvane", const std::string& extension = "qrv",
                   const std::string& program = "/opt/quorvane/Quorvane")
    {
        return AssociateFileExt(
            manufacturer, type, extension, "Quorvane", program, places,
            [this](const std::string& title, const std::string& message) {
                messages.push_back(title + "|" + message);
            },
            [this](const std::vector<std::string>& command) { commands.push_back(command[0]); });
    }
    std::string Package() { return folder.Read("data/mime/packages/Tallomar_Quorvane_file.xml"); }
    std::string Entry() { return folder.Read("data/applications/Tallomar_Quorvane_file.desktop"); }
    std::string List() { return folder.Read("config/mimeapps.list"); }
    bool NothingWritten() { return !fs::exists(folder.Path("data")) && !fs::exists(folder.Path("config")); }

    TempFolder folder;
    AssociationPlaces places;
    std::vector<std::string> messages;
    std::vector<std::string> commands;
};

TEST_F(FileAssociation, TheFirstStartWritesTypeEntryAndDefaultTheSecondNothing)
{
    EXPECT_TRUE(Associate());
    EXPECT_NE(Package().find("<mime-type type=\"application/x-tallomar-quorvane\">"), std::string::npos);
    EXPECT_NE(Package().find("<comment>Tallomar Quorvane file</comment>"), std::string::npos);
    EXPECT_NE(Package().find("<glob pattern=\"*.qrv\"/>"), std::string::npos);
    EXPECT_NE(Entry().find("\nExec=/opt/quorvane/Quorvane %f\n"), std::string::npos);
    EXPECT_NE(Entry().find("\nMimeType=application/x-tallomar-quorvane;\n"), std::string::npos);
    EXPECT_EQ(Entry().find("NoDisplay"), std::string::npos);
    EXPECT_EQ(List(), "[Default Applications]\napplication/x-tallomar-quorvane=Tallomar_Quorvane_file.desktop\n");
    EXPECT_EQ(commands, (std::vector<std::string>{"update-mime-database", "update-desktop-database"}));

    const auto written = fs::last_write_time(folder.Path("config/mimeapps.list"));
    commands.clear();
    // Leading dots and blanks name the same extension.
    EXPECT_TRUE(Associate(" Tallomar ", "Quorvane", "..qrv"));
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(fs::last_write_time(folder.Path("config/mimeapps.list")), written);

    // Moved, the program rewrites its entry only.
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/home/me/Quorvane"));
    EXPECT_EQ(commands, (std::vector<std::string>{"update-desktop-database"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileAssociation, ABadCharacterIsReportedAndNothingIsWritten)
{
    EXPECT_FALSE(Associate("Tallomar", "Quor vane"));
    EXPECT_FALSE(Associate("Tall-omar"));
    EXPECT_FALSE(Associate("Tallomar", "Quorvane", "q*v"));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character ' ' in parameter FileType.");
    EXPECT_EQ(messages[1], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character '-' in parameter ManufacturerName.");
    EXPECT_EQ(messages[2], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character '*' in parameter FileExt.");
    EXPECT_TRUE(NothingWritten());
    EXPECT_TRUE(commands.empty());
}

TEST_F(FileAssociation, AnExtensionAnotherTypeClaimsIsLeftAlone)
{
    folder.Write("system/mime/globs2", "# comment\n50:text/x-other:*.QRV\n");
    EXPECT_FALSE(Associate());
    EXPECT_TRUE(NothingWritten());
    // Our own type's claim, as the database lists it after the first start, is no obstacle.
    folder.Write("system/mime/globs2", "50:application/x-tallomar-quorvane:*.qrv\n");
    EXPECT_TRUE(Associate());
}

TEST_F(FileAssociation, TheUsersMimeappsListKeepsEverythingElse)
{
    const std::string before = "[Added Associations]\ntext/plain=editor.desktop;\n\n"
                               "[Default Applications]\ntext/html=browser.desktop\n"
                               "application/x-tallomar-quorvane=old.desktop\n"
                               "image/png=viewer.desktop";
    folder.Write("config/mimeapps.list", before);
    EXPECT_TRUE(Associate());
    EXPECT_EQ(List(), "[Added Associations]\ntext/plain=editor.desktop;\n\n"
                      "[Default Applications]\ntext/html=browser.desktop\n"
                      "application/x-tallomar-quorvane=Tallomar_Quorvane_file.desktop\n"
                      "image/png=viewer.desktop");

    folder.Write("config/mimeapps.list", "[Added Associations]\nx/y=z.desktop\n");
    EXPECT_TRUE(Associate());
    EXPECT_EQ(List(), "[Added Associations]\nx/y=z.desktop\n[Default Applications]\n"
                      "application/x-tallomar-quorvane=Tallomar_Quorvane_file.desktop\n");
}

// The Exec value read back as the desktop-entry rules say: the string
// escapes first, then the quoting.
std::string ParsedExecProgram(const std::string& exec)
{
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i)
        unescaped += exec[i] == '\\' && i + 1 < exec.size() ? exec[++i] : exec[i];
    std::string program;
    if (unescaped.front() != '"') {
        program = unescaped.substr(0, unescaped.find(' '));
    } else {
        for (std::size_t i = 1; i < unescaped.size() && unescaped[i] != '"'; ++i)
            program += unescaped[i] == '\\' ? unescaped[++i] : unescaped[i];
    }
    std::string result;
    for (std::size_t i = 0; i < program.size(); ++i) {
        result += program[i];
        if (program[i] == '%' && i + 1 < program.size() && program[i + 1] == '%')
            ++i;
    }
    return result;
}

TEST(DesktopExecLine, AProgramPathWithReservedCharactersIsQuotedAndComesBack)
{
    EXPECT_EQ(DesktopExecLine("/usr/bin/Quorvane"), "/usr/bin/Quorvane %f");
    for (const std::string path : {"/home/a b/Quorvane", "/opt/\"q\"/$x/back\\slash/`c`/Quorvane",
                                   "/tmp/100%/Quorvane"}) {
        const std::string exec = DesktopExecLine(path);
        EXPECT_EQ(exec.substr(exec.size() - 3), " %f") << exec;
        EXPECT_EQ(ParsedExecProgram(exec), path) << exec;
    }
    EXPECT_EQ(DesktopExecLine("/a b\\c"), "\"/a b\\\\\\\\c\" %f");
}

TEST_F(FileAssociation, TheDesktopsOwnQueryFindsOurEntry)
{
    if (std::system("command -v xdg-mime > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdg-mime is not installed";
    ASSERT_TRUE(AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane", "/opt/q/Quorvane",
                                 places, nullptr));
    const std::string command = "XDG_DATA_HOME='" + places.DataHome + "' XDG_CONFIG_HOME='" +
                                places.ConfigHome + "' XDG_DATA_DIRS='" + places.DataDirs[0] +
                                "' XDG_CURRENT_DESKTOP= DE=generic xdg-mime query default "
                                "application/x-tallomar-quorvane 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    char answer[256] = {};
    const std::size_t read = std::fread(answer, 1, sizeof answer - 1, pipe.get());
    EXPECT_EQ(std::string(answer, read), "Tallomar_Quorvane_file.desktop\n");
}

}  // namespace
}  // namespace quorvane::testing
