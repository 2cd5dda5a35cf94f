#include "MainWindowFixture.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace quorvane::testing {
namespace {

class InstalledTree : public MainWindowFixture {
protected:
    // The build installed below the test's folder, as a package would be.
    std::string Install()
    {
        const std::string root = folder.Path("root");
        const std::string command = "DESTDIR='" + root + "' cmake --install '" +
                                    std::string(QUORVANE_BUILD_DIR) +
                                    "' --prefix /usr > /dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return root + "/usr";
    }
};

TEST_F(InstalledTree, HoldsTheDesktopsFilesAndTheProgramFindsItsHelpAndSamples)
{
    const std::string usr = Install();
    namespace fs = std::filesystem;
    for (const char* file : {"bin/Quorvane", "share/quorvane/English.html",
                             "share/quorvane/German.html",
                             "share/quorvane/QRV sample files/Yagi antenna.qrv",
                             "share/icons/hicolor/scalable/apps/quorvane.svg",
                             "share/applications/quorvane.desktop",
                             "share/mime/packages/quorvane.xml"})
        EXPECT_TRUE(fs::exists(usr + "/" + file)) << file;
    if (std::system("command -v desktop-file-validate > /dev/null 2>&1") == 0) {
        const std::string validate =
            "desktop-file-validate '" + usr + "/share/applications/quorvane.desktop'";
        EXPECT_EQ(std::system(validate.c_str()), 0);
    }

    windows = std::make_unique<ProgramWindows>(
        program, QString::fromStdString(usr + "/bin/Quorvane"), QStringList());
    EXPECT_EQ(program.SampleFile, usr + "/share/quorvane/QRV sample files/Yagi antenna.qrv");
    EXPECT_GT(program.Table.LineCount, 0);
    EXPECT_EQ(program.HelpFile, usr + "/share/quorvane/English.html");
    windows.reset();

    // The installed program itself starts and keeps running until stopped.
    const std::string start = "XDG_CONFIG_HOME='" + folder.Path("config") +
                              "' XDG_DATA_HOME='" + folder.Path("data") +
                              "' QT_QPA_PLATFORM=offscreen timeout 3 '" + usr +
                              "/bin/Quorvane' > /dev/null 2>&1";
    const int status = std::system(start.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 124) << status;
}

}  // namespace
}  // namespace quorvane::testing
