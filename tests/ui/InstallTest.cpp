#include "MainWindowFixture.h"

#include <QProcess>

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

    struct Run {
        int Status = -1;
        QString Out, Error;
    };
    // A program run without a display, with a home and configuration of
    // the test's own.
    Run Command(const std::string& program, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        std::filesystem::create_directories(folder.Path("home"));
        environment.insert("HOME", QString::fromStdString(folder.Path("home")));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("home/.config")));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.Path("home/.local/share")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(program), arguments);
        Run run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.Status = process.exitCode();
        run.Out = QString::fromUtf8(process.readAllStandardOutput());
        run.Error = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
};

TEST_F(InstalledTree, BothProgramsHaveManualPagesAndAnswerHelpAndVersionWithoutADisplay)
{
    const std::string usr = Install();
    for (const char* page : {"Quorvane.1.gz", "quorvane-render.1.gz"}) {
        const std::string path = usr + "/share/man/man1/" + page;
        ASSERT_TRUE(std::filesystem::exists(path)) << page;
        // The formatter's warnings (bad macros, lines it cannot fit) go to
        // standard error; the page's name line is what whatis shows.
        const Run formatted = Command("man", {"--warnings", "-l", QString::fromStdString(path)});
        EXPECT_EQ(formatted.Status, 0) << page;
        EXPECT_EQ(formatted.Error, "") << page;
        EXPECT_TRUE(formatted.Out.contains("SYNOPSIS")) << page;
        const Run name = Command("lexgrog", {QString::fromStdString(path)});
        EXPECT_EQ(name.Status, 0) << page;
        EXPECT_TRUE(name.Out.contains(" - ")) << name.Out.toStdString();
    }
    for (const char* program : {"Quorvane", "quorvane-render"}) {
        const std::string path = usr + "/bin/" + program;
        const Run help = Command(path, {"--help"});
        EXPECT_EQ(help.Status, 0) << program << help.Error.toStdString();
        EXPECT_TRUE(help.Out.startsWith("Usage: ")) << help.Out.toStdString();
        const Run version = Command(path, {"--version"});
        EXPECT_EQ(version.Status, 0) << program;
        EXPECT_EQ(version.Out, QStringLiteral("%1 %2\n").arg(program, QUORVANE_VERSION));
    }
    // Neither asked the settings or the desktop for anything.
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path("home")));
}

TEST_F(InstalledTree, HoldsTheDesktopsFilesAndTheProgramFindsItsHelpAndSamples)
{
    const std::string usr = Install();
    namespace fs = std::filesystem;
    for (const char* file : {"bin/Quorvane", "bin/quorvane-render", "share/quorvane/English.html",
                             "share/quorvane/German.html",
                             "share/quorvane/QRV sample files/Yagi antenna.qrv",
                             "share/icons/hicolor/scalable/apps/quorvane.svg",
                             "share/applications/quorvane.desktop",
                             "share/mime/packages/quorvane.xml",
                             "share/thumbnailers/quorvane.thumbnailer"})
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
