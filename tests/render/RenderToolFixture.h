#pragma once

#include "PngReader.h"
#include "TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvane::testing {

namespace fs = std::filesystem;

// Two wires crossing at the origin: 2 m along x and 1 m along z. Seen from
// the front in parallel projection at 1 : 100 on the reference screen
// (1920 pixels for 0.3 m, 64 pixels a metre at that scale), a cross of 128
// by 64 pixels with a margin of 4 all round.
inline const std::string CrossDeck = "CM two wires\nCE\nGW 1 5 -1 0 0 1 0 0 0.001\n"
                                     "GW 2 5 0 0 -0.5 0 0 0.5 0.001\nXX what is this\nGE 0\n";
inline const QStringList FrontView = {"--azimuth", "0", "--elevation", "0", "--parallel"};
inline constexpr Color DarkRed = 0x000080;  // the default line colour, red in the lowest byte
inline constexpr Color White = 0xFFFFFF;
inline const std::string Yagi = "Yagi antenna.qrv";

struct ProgramRun {
    int Status = -1;
    QString Out, Error;
    QStringList ErrorLines() const { return Error.split('\n', Qt::SkipEmptyParts); }
};

inline std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

inline Color At(const DecodedPng& png, int x, int y)
{
    return png.Colors.at(std::size_t(y) * std::size_t(png.Width) + std::size_t(x));
}

// Runs the program as a user would from a script: no display at all, no
// platform chosen, and a home and configuration folder of its own.
class RenderTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder.Path("home"));
        fs::create_directories(folder.Path("config"));
        fs::copy_file(QUORVANE_SAMPLES_DIR "/" + Yagi, folder.Path(Yagi));
        folder.Write("cross.nec", CrossDeck);
    }

    // The settings folders stay as they were, whatever a test did.
    void TearDown() override
    {
        EXPECT_EQ(Listing("home"), homeBefore);
        EXPECT_EQ(Listing("config"), configBefore);
    }

    void WriteSettings(const std::string& name, const std::string& text)
    {
        folder.Write(name, text);
        homeBefore = Listing("home");
        configBefore = Listing("config");
    }

    std::vector<std::string> Listing(const std::string& name) const
    {
        std::vector<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path(name)))
            entries.push_back(entry.path().string() + " " +
                              (entry.is_regular_file() ? folder.Read(fs::relative(
                                                             entry.path(), folder.Root()).string())
                                                       : std::string("/")));
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    // `more` adds to or replaces variables of that environment.
    ProgramRun Render(const QStringList& arguments,
                      const std::vector<std::pair<const char*, std::string>>& more = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert("HOME", QString::fromStdString(folder.Path("home")));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config")));
        for (const auto& [name, value] : more)
            environment.insert(QString::fromLatin1(name), QString::fromStdString(value));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(folder.Root().string()));
        process.start(QString::fromStdString(program), arguments);
        ProgramRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.Status = process.exitCode();
        run.Out = QString::fromUtf8(process.readAllStandardOutput());
        run.Error = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    DecodedPng Png(const std::string& name) { return DecodePng(FileBytes(folder.Path(name))); }

    // Page count and size in points of a PDF, as poppler reads it.
    std::pair<int, QSizeF> PdfPages(const std::string& name)
    {
        QProcess info;
        info.start("pdfinfo", {QString::fromStdString(folder.Path(name))});
        info.waitForFinished(30000);
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(text);
        const auto size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(text);
        if (!pages.hasMatch() || !size.hasMatch())
            return {0, {}};
        return {pages.captured(1).toInt(),
                QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())};
    }

    QString PdfText(const std::string& name)
    {
        QProcess text;
        text.start("pdftotext", {QString::fromStdString(folder.Path(name)), "-"});
        text.waitForFinished(30000);
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    TempFolder folder;
    std::string program = QUORVANE_BUILD_DIR "/quorvane-render";
    std::vector<std::string> homeBefore, configBefore;
};

}  // namespace quorvane::testing
