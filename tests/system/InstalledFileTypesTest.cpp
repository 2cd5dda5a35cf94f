#include "FileAccess.h"
#include "TempFolder.h"
#include "UnitAssociateFileExt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

std::string SourceFile(const std::string& name)
{
    return ReadWholeFile(std::string(QUORVANE_SOURCE_DIR) + "/" + name).bytes;
}

// The types of a semicolon list such as a desktop entry's MimeType key.
std::set<std::string> TypesOfKey(const std::string& entry, const std::string& key)
{
    std::smatch line;
    std::set<std::string> types;
    if (!std::regex_search(entry, line, std::regex("(^|\n)" + key + "=([^\n]*)")))
        return types;
    std::string list = line[2];
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        if (end > start)
            types.insert(list.substr(start, end - start));
        start = end + 1;
    }
    return types;
}

// Pattern -> type, from a shared MIME database's globs2 file.
std::map<std::string, std::string> Globs(const std::string& mimeFolder)
{
    std::map<std::string, std::string> globs;
    const std::string text = ReadWholeFile(mimeFolder + "/globs2").bytes;
    const std::regex line("[0-9]+:([^:\n]+):([^:\n]+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it)
        globs[(*it)[2]] = (*it)[1];
    return globs;
}

bool HaveMimeDatabaseTool()
{
    return std::system("command -v update-mime-database > /dev/null 2>&1") == 0;
}

TEST(InstalledFileTypes, TheEntriesOfferWhatThePackageDeclaresAndQrvIsTheStartUpsType)
{
    const std::string package = SourceFile("desktop/quorvane-mime.xml");
    const std::set<std::string> offered = TypesOfKey(SourceFile("desktop/quorvane.desktop"), "MimeType");
    // The type the start-up association writes is the one the package installs.
    EXPECT_NE(package.find("<mime-type type=\"" + AssociationMimeType("Tallomar", "Quorvane") +
                           "\">\n    <comment>Tallomar Quorvane file</comment>"),
              std::string::npos);
    EXPECT_TRUE(offered.contains(AssociationMimeType("Tallomar", "Quorvane")));
    // Every type offered is declared by the package, so it exists where no
    // other program declares it, and the thumbnailer draws what the program opens.
    for (const std::string& type : offered)
        EXPECT_NE(package.find("<mime-type type=\"" + type + "\">"), std::string::npos) << type;
    EXPECT_EQ(TypesOfKey(SourceFile("desktop/quorvane.thumbnailer"), "MimeType"), offered);
    // The software centre names the same types.
    const std::string metainfo = SourceFile("desktop/org.tallomar.Quorvane.metainfo.xml");
    std::set<std::string> named;
    const std::regex mediatype("<mediatype>([^<]+)</mediatype>");
    for (auto it = std::sregex_iterator(metainfo.begin(), metainfo.end(), mediatype);
         it != std::sregex_iterator(); ++it)
        named.insert((*it)[1]);
    EXPECT_EQ(named, offered);
    // Decks have the type other programs give them.
    EXPECT_TRUE(offered.contains("application/x-nec2"));
    EXPECT_TRUE(offered.contains("application/x-mmana"));
}

// The package's types installed beside a deck simulator's own declaration
// of the deck type, as on a machine with both, and the program started.
TEST(InstalledFileTypes, BesideAnotherProgramsDeckTypeTheStartUpTakesOnlyItsOwnDefault)
{
    if (!HaveMimeDatabaseTool())
        GTEST_SKIP() << "update-mime-database is not installed";
    TempFolder folder;
    fs::create_directories(folder.Path("system/mime/packages"));
    folder.Write("system/mime/packages/quorvane.xml", SourceFile("desktop/quorvane-mime.xml"));
    folder.Write("system/mime/packages/x-nec2.xml",
                 "<?xml version=\"1.0\"?>\n"
                 "<mime-info xmlns='http://www.freedesktop.org/standards/shared-mime-info'>\n"
                 "  <mime-type type=\"application/x-nec2\">\n"
                 "    <comment>NEC2 deck</comment>\n    <glob-deleteall/>\n"
                 "    <glob pattern=\"*.nec\"/>\n  </mime-type>\n</mime-info>\n");
    const std::string update = "update-mime-database '" + folder.Path("system/mime") + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(update.c_str()), 0);
    const std::map<std::string, std::string> globs = Globs(folder.Path("system/mime"));
    EXPECT_EQ(globs.at("*.qrv"), "application/x-tallomar-quorvane");
    EXPECT_EQ(globs.at("*.nec"), "application/x-nec2");
    EXPECT_EQ(globs.at("*.maa"), "application/x-mmana");

    AssociationPlaces places;
    places.DataHome = folder.Path("data");
    places.ConfigHome = folder.Path("config");
    places.DataDirs = {folder.Path("system")};
    // The package's own claim of *.qrv is no other program's.
    EXPECT_TRUE(AssociateFileExt("Tallomar", "Quorvane", "qrv", "Quorvane", "/usr/bin/Quorvane",
                                 places, nullptr, [](const std::vector<std::string>&) {}));
    const std::string defaults = folder.Read("config/mimeapps.list");
    EXPECT_NE(defaults.find("application/x-tallomar-quorvane=Tallomar_Quorvane_file.desktop"),
              std::string::npos);
    EXPECT_EQ(defaults.find("x-nec2"), std::string::npos);
    EXPECT_EQ(defaults.find("x-mmana"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::testing
