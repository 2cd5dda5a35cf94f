#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane::testing {
namespace {

struct Output {
    int Status = -1;
    std::string Text;  // standard output and error together
};

Output Shell(const std::string& command)
{
    Output output;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
        output.Text.append(buffer, read);
    const int status = ::pclose(pipe);
    output.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

bool Installed(const std::string& tool)
{
    return Shell("command -v " + tool).Status == 0;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The package made from this build as `make package` makes it, into a
// folder of the test's own; its contents, its fields and lintian's verdict.
TEST(DebianPackage, HoldsBothProgramsAndTheirDesktopFilesWithComputedDependenciesAndPassesLintian)
{
    TempFolder folder;
    const Output made = Shell("cpack -G DEB -B '" + folder.Path("out") + "' --config '" +
                            QUORVANE_BUILD_DIR "/CPackConfig.cmake'");
    ASSERT_EQ(made.Status, 0) << made.Text;
    const std::string deb = folder.Path("out/quorvane_" QUORVANE_VERSION "_amd64.deb");

    const Output fields = Shell("dpkg-deb -f '" + deb + "'");
    ASSERT_EQ(fields.Status, 0) << fields.Text;
    EXPECT_NE(fields.Text.find("Package: quorvane\n"), std::string::npos);
    EXPECT_NE(fields.Text.find("Version: " QUORVANE_VERSION "\n"), std::string::npos);
    EXPECT_NE(fields.Text.find("Section: science\n"), std::string::npos);
    // The libraries the programs link, found by dpkg-shlibdeps, and what is
    // loaded at run time: the toolkit's German texts.
    const std::regex depends("\nDepends: ([^\n]*)\n");
    std::smatch found;
    ASSERT_TRUE(std::regex_search(fields.Text, found, depends)) << fields.Text;
    for (const char* library : {"libc6 (>= ", "libstdc++6 (>= ", "libqt6widgets6 (>= ",
                                "libqt6printsupport6 (>= ", "libqt6svg6 (>= ",
                                "qt6-translations-l10n"})
        EXPECT_NE(found[1].str().find(library), std::string::npos) << found[1];
    // A summary and a long description of several lines.
    EXPECT_TRUE(std::regex_search(fields.Text, std::regex("Description: [^\n]+\n( [^\n]+\n){5,}")))
        << fields.Text;

    const Output contents = Shell("dpkg-deb -c '" + deb + "'");
    ASSERT_EQ(contents.Status, 0);
    std::vector<std::string> files;
    for (const std::string& line : Lines(contents.Text)) {
        std::istringstream words(line);
        std::string mode, owner, size, day, time, path;
        words >> mode >> owner >> size >> day >> time;
        std::getline(words >> std::ws, path);
        EXPECT_EQ(owner, "root/root") << path;
        if (mode.front() == 'd') {
            EXPECT_EQ(mode, "drwxr-xr-x") << path;
        } else if (path.starts_with("./usr/bin/")) {
            EXPECT_EQ(mode, "-rwxr-xr-x") << path;
            files.push_back(path);
        } else {
            EXPECT_EQ(mode, "-rw-r--r--") << path;
            files.push_back(path);
        }
    }
    for (const char* wanted :
         {"./usr/bin/Quorvane", "./usr/bin/quorvane-render", "./usr/share/quorvane/English.html",
          "./usr/share/quorvane/German.html",
          "./usr/share/quorvane/QRV sample files/Yagi antenna.qrv",
          "./usr/share/icons/hicolor/scalable/apps/quorvane.svg",
          "./usr/share/applications/quorvane.desktop", "./usr/share/mime/packages/quorvane.xml",
          "./usr/share/metainfo/org.tallomar.Quorvane.metainfo.xml",
          "./usr/share/thumbnailers/quorvane.thumbnailer", "./usr/share/man/man1/Quorvane.1.gz",
          "./usr/share/man/man1/quorvane-render.1.gz", "./usr/share/doc/quorvane/copyright",
          "./usr/share/doc/quorvane/changelog.gz"})
        EXPECT_NE(std::find(files.begin(), files.end(), wanted), files.end()) << wanted;
    // Nothing of the build or the tests slipped in.
    for (const std::string& file : files)
        EXPECT_TRUE(file.starts_with("./usr/")) << file;
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& f) { return f.starts_with("./usr/bin/"); }),
              2);
    // The programs are stripped.
    const Output symbols = Shell("dpkg-deb -x '" + deb + "' '" + folder.Path("tree") + "' && file '" +
                               folder.Path("tree/usr/bin/Quorvane") + "'");
    EXPECT_NE(symbols.Text.find(", stripped"), std::string::npos) << symbols.Text;

    if (!Installed("lintian"))
        GTEST_SKIP() << "lintian is not installed";
    // Debian's own checker: neither errors nor warnings (its notes for
    // information are left, see packaging/CMakeLists.txt).
    const Output verdict = Shell("lintian '" + deb + "'");
    EXPECT_EQ(verdict.Status, 0) << verdict.Text;
    for (const std::string& line : Lines(verdict.Text))
        EXPECT_FALSE(line.starts_with("E:") || line.starts_with("W:")) << line;
}

TEST(DebianPackage, TheSoftwareCentreEntryAndTheDesktopEntryAreValid)
{
    if (!Installed("appstreamcli") || !Installed("desktop-file-validate"))
        GTEST_SKIP() << "appstreamcli or desktop-file-validate is not installed";
    const Output metainfo = Shell("appstreamcli validate --no-net '" QUORVANE_SOURCE_DIR
                                "/desktop/org.tallomar.Quorvane.metainfo.xml'");
    EXPECT_EQ(metainfo.Status, 0) << metainfo.Text;
    const Output entry =
        Shell("desktop-file-validate '" QUORVANE_SOURCE_DIR "/desktop/quorvane.desktop'");
    EXPECT_EQ(entry.Status, 0) << entry.Text;
    EXPECT_EQ(entry.Text, "");
}

}  // namespace
}  // namespace quorvane::testing
