#include "DesktopEntry.h"
#include "FileAccess.h"
#include "MimeAppsList.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "UnitAssociateFileExt.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

const std::string ourKey = "application/x-tallomar-quorvane=Tallomar_Quorvane_file.desktop";

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

    // Every file under the folder with its inode and change time: a file
    // replaced or touched shows in either.
    std::map<std::string, std::pair<ino_t, long long>> Stamps()
    {
        std::map<std::string, std::pair<ino_t, long long>> stamps;
        for (const auto& file : fs::recursive_directory_iterator(folder.Root())) {
            struct stat status {};
            lstat(file.path().c_str(), &status);
            stamps[file.path().string()] = {status.st_ino, status.st_mtim.tv_sec * 1000000000LL +
                                                               status.st_mtim.tv_nsec};
        }
        return stamps;
    }

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
    EXPECT_NE(Entry().find("\nName=Quorvane\n"), std::string::npos);
    EXPECT_NE(Entry().find("\nExec=/opt/quorvane/Quorvane %f\n"), std::string::npos);
    EXPECT_NE(Entry().find("\nMimeType=application/x-tallomar-quorvane;\n"), std::string::npos);
    EXPECT_EQ(Entry().find("NoDisplay"), std::string::npos);
    EXPECT_EQ(List(), "[Default Applications]\n" + ourKey + "\n");
    EXPECT_EQ(commands, (std::vector<std::string>{"update-mime-database", "update-desktop-database"}));

    const auto before = Stamps();
    commands.clear();
    // Leading dots and blanks name the same extension; case in the values
    // does not count.
    EXPECT_TRUE(Associate(" Tallomar ", "Quorvane", "..qrv"));
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", ".QRV"));
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(Stamps(), before);
    // Proof that nothing is even tried: with no right to write, all is well.
    for (const auto& [path, stamp] : before)
        if (fs::is_directory(path))
            fs::permissions(path, fs::perms::owner_write | fs::perms::group_write |
                                      fs::perms::others_write, fs::perm_options::remove);
    EXPECT_TRUE(RunWithoutFileRights([this] { return Associate(); }));

    // Moved, the program rewrites its entry only; the path's case counts.
    for (const auto& [path, stamp] : before)
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/opt/quorvane/quorvane"));
    EXPECT_EQ(commands, (std::vector<std::string>{"update-desktop-database"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileAssociation, ABadCharacterIsReportedAndNothingIsWritten)
{
    EXPECT_FALSE(Associate("Tallomar", "Quor vane"));
    EXPECT_FALSE(Associate("Tall-omar"));
    EXPECT_FALSE(Associate("Tallomar", "Quorvane", "q*v"));
    EXPECT_FALSE(Associate("Tallomar", "Quorv\xC3\xA4ne"));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character ' ' in parameter FileType.");
    EXPECT_EQ(messages[1], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character '-' in parameter ManufacturerName.");
    EXPECT_EQ(messages[2], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character '*' in parameter FileExt.");
    EXPECT_EQ(messages[3], "Quorvane|Internal error in function AssociateFileExt:   \r"
                           "Invalid character '\xC3\xA4' in parameter FileType.");

    // Nor is anything written for what the desktop could not use, unasked.
    EXPECT_FALSE(Associate("Tallomar", "Quorvane", " .. "));
    EXPECT_FALSE(Associate("Tallomar", "Quorvane", "qrv", "bin/Quorvane"));
    EXPECT_FALSE(Associate("Tallomar", "Quorvane", "qrv", "/opt/a\x01" "b/Quorvane"));
    places.ConfigHome = "config";
    EXPECT_FALSE(Associate());
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_TRUE(NothingWritten());
    EXPECT_TRUE(commands.empty());
}

TEST_F(FileAssociation, AnExtensionAnotherTypeClaimsIsLeftAlone)
{
    folder.Write("system/mime/globs2", "# comment\n50:text/x-other:*.QRV\n");
    EXPECT_FALSE(Associate());
    EXPECT_TRUE(NothingWritten());
    // Without a file type the extension is taken over, and the entry still
    // has a name.
    EXPECT_TRUE(Associate("Tallomar", ""));
    EXPECT_NE(folder.Read("data/applications/Tallomar__file.desktop").find("\nName=Tallomar\n"),
              std::string::npos);
    // Our own type's claim, as the database lists it after the first start, is no obstacle.
    folder.Write("system/mime/globs2", "50:Application/X-Tallomar-Quorvane:*.qrv:cs\n");
    EXPECT_TRUE(Associate());
}

TEST_F(FileAssociation, AFailureLeavesNoCacheBehindAFileWritten)
{
    fs::create_directories(folder.Path("config/mimeapps.list"));  // unreadable as a list
    EXPECT_FALSE(Associate());
    EXPECT_EQ(commands, (std::vector<std::string>{"update-mime-database", "update-desktop-database"}));
    fs::remove(folder.Path("config/mimeapps.list"));
    commands.clear();
    EXPECT_TRUE(Associate());
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(List(), "[Default Applications]\n" + ourKey + "\n");
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
                      "[Default Applications]\ntext/html=browser.desktop\n" +
                          ourKey + "\nimage/png=viewer.desktop");

    // Through a link the file it names is changed, with its permissions.
    folder.Write("dotfiles/mimeapps.list", "[Added Associations]\nx/y=z.desktop\n");
    fs::permissions(folder.Path("dotfiles/mimeapps.list"), fs::perms(0640));
    fs::remove(folder.Path("config/mimeapps.list"));
    fs::create_symlink("../dotfiles/mimeapps.list", folder.Path("config/mimeapps.list"));
    EXPECT_TRUE(Associate());
    EXPECT_TRUE(fs::is_symlink(folder.Path("config/mimeapps.list")));
    EXPECT_EQ(fs::status(folder.Path("dotfiles/mimeapps.list")).permissions(), fs::perms(0640));
    EXPECT_EQ(List(), "[Added Associations]\nx/y=z.desktop\n[Default Applications]\n" + ourKey + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("dotfiles")), {}), 1);  // no leftovers

    // A list the user made read-only is left as it is, though its folder
    // would let it be replaced.
    folder.Write("dotfiles/mimeapps.list", "[Default Applications]\n");
    fs::permissions(folder.Path("dotfiles/mimeapps.list"), fs::perms(0444));
    fs::permissions(folder.Path("dotfiles"), fs::perms(0777));
    EXPECT_TRUE(RunWithoutFileRights([this] { return !Associate(); }));
    EXPECT_EQ(List(), "[Default Applications]\n");
}

// A package or `make install` puts the program's own entry in the menus; the
// association's entry beside it must not make a second one.
TEST_F(FileAssociation, BesideAnInstalledEntryOfTheProgramOursStaysOutOfTheMenus)
{
    const std::string installed = ReadWholeFile(QUORVANE_SOURCE_DIR "/desktop/quorvane.desktop").bytes;
    ASSERT_NE(installed.find("\nExec=Quorvane %f\n"), std::string::npos);
    const auto hidden = [this] { return Entry().find("\nNoDisplay=true\n") != std::string::npos; };

    folder.Write("system/applications/quorvane.desktop", installed);
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/usr/bin/Quorvane"));
    EXPECT_TRUE(hidden());
    // Hidden from the menus, it still opens the files.
    EXPECT_EQ(List(), "[Default Applications]\n" + ourKey + "\n");
    const auto before = Stamps();
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/usr/bin/Quorvane"));
    EXPECT_EQ(Stamps(), before);

    // Entries that do not show this program for our type leave ours in the menus.
    const std::vector<std::pair<std::string, std::string>> others = {
        {"system/applications/quorvane.desktop", "Exec=/opt/other/Quorvane %f"},
        {"system/applications/quorvane.desktop", "MimeType=application/x-nec2;"},
        {"system/applications/quorvane.desktop", "NoDisplay=true"},
        // The user's copy hides the system's, as the desktop reads them.
        {"data/applications/quorvane.desktop", "Hidden=true"},
        {"system/applications/quorvane.desktop", "Exec=Quorvane-old %f"}};
    for (const auto& [path, line] : others) {
        const std::string key = line.substr(0, line.find('=') + 1);
        std::string entry = installed;
        const std::size_t at = entry.find("\n" + key);
        entry = at == std::string::npos ? entry + line + "\n"
                                        : entry.replace(at + 1, entry.find('\n', at + 1) - at - 1, line);
        folder.Write(path, entry);
        EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/usr/bin/Quorvane"));
        EXPECT_FALSE(hidden()) << line;
        fs::remove(folder.Path(path));
        folder.Write("system/applications/quorvane.desktop", installed);
        EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/usr/bin/Quorvane"));
        EXPECT_TRUE(hidden()) << line;
    }
    // The package removed, the next start puts ours back in the menus.
    fs::remove(folder.Path("system/applications/quorvane.desktop"));
    EXPECT_TRUE(Associate("Tallomar", "Quorvane", "qrv", "/usr/bin/Quorvane"));
    EXPECT_FALSE(hidden());
}

TEST(MimeAppsList, OnlyOurKeyChanges)
{
    const auto set = [](std::string_view text) {
        return WithDefaultApplication(text, "application/x-tallomar-quorvane",
                                      "Tallomar_Quorvane_file.desktop");
    };
    // Set already, blanks and a list after it included: nothing to write.
    EXPECT_FALSE(set("[Default Applications]\r\n"
                     " application/x-tallomar-quorvane = Tallomar_Quorvane_file.desktop \r\n"));
    EXPECT_FALSE(set("[Default Applications]\n" + ourKey + ";other.desktop;\n"));
    // The name of a file: its case counts.
    EXPECT_TRUE(set("[Default Applications]\napplication/x-tallomar-quorvane=tallomar_quorvane_file.desktop\n"));

    // Added at the end of the group, before the blank line that parts it
    // from the next; the file's line ends are kept.
    EXPECT_EQ(set("[Default Applications]\r\na/b=c.desktop\r\n\r\n[Added Associations]\r\n"),
              "[Default Applications]\r\na/b=c.desktop\r\n" + ourKey + "\r\n\r\n[Added Associations]\r\n");
    // Rewritten in place; a duplicate, here in a second group, goes.
    EXPECT_EQ(set("# mine\n[Default Applications]\napplication/x-tallomar-quorvane = old.desktop\n"
                  "[Other]\napplication/x-tallomar-quorvane=keep.desktop\n"
                  "[Default Applications]\napplication/x-tallomar-quorvane=old.desktop\n"),
              "# mine\n[Default Applications]\n" + ourKey +
                  "\n[Other]\napplication/x-tallomar-quorvane=keep.desktop\n[Default Applications]\n");
    EXPECT_EQ(set(""), "[Default Applications]\n" + ourKey + "\n");
}

// The Exec value read back as the desktop-entry rules say: the string
// escapes first, then the quoting, then the field codes.
std::vector<std::string> ParsedExec(const std::string& exec)
{
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '\\' || i + 1 == exec.size()) {
            unescaped += exec[i];
            continue;
        }
        const char escaped = exec[++i];
        unescaped += escaped == 's' ? ' ' : escaped == 'n' ? '\n' : escaped == 't' ? '\t'
                   : escaped == 'r' ? '\r' : escaped;
    }
    std::vector<std::string> words;
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        std::string word;
        if (unescaped[i] == '"') {
            for (++i; i < unescaped.size() && unescaped[i] != '"'; ++i)
                word += unescaped[i] == '\\' ? unescaped[++i] : unescaped[i];
            ++i;
        } else {
            for (; i < unescaped.size() && unescaped[i] != ' '; ++i)
                word += unescaped[i];
        }
        std::string expanded;
        for (std::size_t k = 0; k < word.size(); ++k) {
            expanded += word[k];
            if (word[k] == '%' && k + 1 < word.size() && word[k + 1] == '%')
                ++k;
        }
        words.push_back(word == "%f" ? word : expanded);
    }
    return words;
}

TEST(DesktopExecLine, AProgramPathWithReservedCharactersIsQuotedAndComesBack)
{
    EXPECT_EQ(DesktopExecLine("/usr/bin/Quorvane").value_or("-"), "/usr/bin/Quorvane %f");
    EXPECT_EQ(DesktopExecLine("/a b\\c").value_or("-"), "\"/a b\\\\\\\\c\" %f");
    for (const std::string path : {"/home/a b/Quorvane", "/opt/\"q\"/$x/back\\slash/`c`/Quorvane",
                                   "/tmp/100%/Quorvane", "/opt/a=b/Quorvane", "/opt/t\tn\nr\r/Q",
                                   "/opt/'~|&;*?#()<>/Qu\xC3\xB6rvane"}) {
        const std::optional<std::string> exec = DesktopExecLine(path);
        ASSERT_TRUE(exec) << path;
        EXPECT_EQ(exec->find_first_of("\t\n\r"), std::string::npos) << *exec;
        EXPECT_EQ(ParsedExec(*exec), (std::vector<std::string>{path, "%f"})) << *exec;
    }
    for (const std::string path : {"Quorvane", "", "/opt/\x7F/Q", "/opt/\xC3/Q"})
        EXPECT_FALSE(DesktopExecLine(path)) << path;
}

TEST(AssociationPlaces, OnlyAbsolutePathsCount)
{
    std::map<std::string, std::string> environment = {
        {"HOME", "/home/me"}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_DATA_DIRS", "/a:b::/c"}};
    const EnvironmentLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        return found == environment.end() ? std::nullopt : std::optional(found->second);
    };
    AssociationPlaces places = AssociationPlacesFromEnvironment(lookup);
    EXPECT_EQ(places.DataHome, "/home/me/.local/share");
    EXPECT_EQ(places.ConfigHome, "/home/me/.config");
    EXPECT_EQ(places.DataDirs, (std::vector<std::string>{"/a", "/c"}));

    environment = {{"XDG_DATA_HOME", "/d"}, {"XDG_DATA_DIRS", ""}};
    places = AssociationPlacesFromEnvironment(lookup);
    EXPECT_EQ(places.DataHome, "/d");
    EXPECT_EQ(places.ConfigHome, "");  // not "/.config" at the root
    EXPECT_EQ(places.DataDirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
}

std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char chunk[256];
    while (pipe && std::fgets(chunk, sizeof chunk, pipe.get()))
        output += chunk;
    return output;
}

TEST_F(FileAssociation, TheDesktopsOwnToolsAcceptOurFiles)
{
    if (std::system("command -v desktop-file-validate > /dev/null 2>&1") == 0) {
        // Both forms of the entry: in the menus, and out of them beside an
        // installed entry.
        const std::string entry = folder.Path("data/applications/Tallomar_Quorvane_file.desktop");
        for (const bool installed : {false, true}) {
            if (installed)
                folder.Write("system/applications/quorvane.desktop",
                             ReadWholeFile(QUORVANE_SOURCE_DIR "/desktop/quorvane.desktop").bytes);
            ASSERT_TRUE(AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane",
                                         installed ? "/usr/bin/Quorvane"
                                                   : "/opt/my \"q\"/$HOME/50%/back\\slash/Quorvane",
                                         places, nullptr));
            EXPECT_EQ(Output("desktop-file-validate '" + entry + "' 2>&1"), "");
            EXPECT_EQ(Entry().find("NoDisplay") != std::string::npos, installed);
        }
        fs::remove(folder.Path("system/applications/quorvane.desktop"));
    }

    if (std::system("command -v xdg-mime > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdg-mime is not installed";
    // The query names only a program whose file is there: another one, the
    // type's default until now, and ours.
    folder.Write("data/applications/Other.desktop",
                 "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n"
                 "MimeType=application/x-tallomar-quorvane;\n");
    folder.Write("config/mimeapps.list", "[Default Applications]\n"
                                         "application/x-tallomar-quorvane=Other.desktop\n");
    folder.Write("bin/Quorvane", "#!/bin/sh\n");
    fs::permissions(folder.Path("bin/Quorvane"), fs::perms(0755));
    const std::string query = "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION HOME='" +
                              folder.Path("home") + "' XDG_DATA_HOME='" + places.DataHome +
                              "' XDG_CONFIG_HOME='" + places.ConfigHome + "' XDG_DATA_DIRS='" +
                              places.DataDirs[0] + "' DE=generic xdg-mime query default "
                              "application/x-tallomar-quorvane 2>/dev/null";
    ASSERT_EQ(Output(query), "Other.desktop\n");
    ASSERT_TRUE(AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane", folder.Path("bin/Quorvane"),
                                 places, nullptr));
    EXPECT_EQ(Output(query), "Tallomar_Quorvane_file.desktop\n");
}

}  // namespace
}  // namespace quorvane::testing
