#include "RenderToolFixture.h"
#include "Thumbnail.h"

#include <QUrl>

#include <sys/stat.h>

#include <fstream>

namespace quorvane::testing {
namespace {

// The command of the installed thumbnailer entry for one file, as a file
// manager makes it: %s the size, %i the file (here a path or a URI, as
// file managers give either), %o the PNG to write; the program is the one
// of this build.
QStringList ThumbnailCommand(const QString& file, const QString& thumbnail, int size)
{
    std::ifstream entry(QUORVANE_SOURCE_DIR "/desktop/quorvane.thumbnailer");
    std::string line, exec;
    while (std::getline(entry, line))
        if (line.starts_with("Exec="))
            exec = line.substr(5);
    QStringList words = QString::fromStdString(exec).split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(words.value(0), "quorvane-render");
    words.removeFirst();
    for (QString& word : words) {
        if (word == "%s")
            word = QString::number(size);
        else if (word == "%i")
            word = file;
        else if (word == "%o")
            word = thumbnail;
    }
    return words;
}

class Thumbnailer : public RenderTool {
protected:
    void SetUp() override
    {
        RenderTool::SetUp();
        for (const char* name : {"cache", "runtime", "thumbnails"})
            fs::create_directories(folder.Path(name));
        ::chmod(folder.Path("runtime").c_str(), 0700);
    }

    // Runs the entry's command in the environment a file manager gives it,
    // with the user's folders of the test's own.
    ProgramRun Thumbnail(const QString& file, int size = 256, const QStringList& more = {})
    {
        return Render(ThumbnailCommand(file, Out(), size) + more,
                      {{"XDG_CACHE_HOME", folder.Path("cache")},
                       {"XDG_RUNTIME_DIR", folder.Path("runtime")}});
    }
    QString Out() const { return QString::fromStdString(folder.Path("thumbnails/t.png")); }
    QString Path(const std::string& name) const { return QString::fromStdString(folder.Path(name)); }
    std::vector<std::string> Written() const
    {
        std::vector<std::string> names;
        for (const char* place : {"thumbnails", "cache", "runtime"})
            for (const auto& entry : fs::recursive_directory_iterator(folder.Path(place)))
                names.push_back(fs::relative(entry.path(), folder.Root()).string());
        return names;
    }
};

TEST_F(Thumbnailer, TheEntrysCommandDrawsTheModelIntoOnePngOfTheSizeAsked)
{
    fs::copy_file(QUORVANE_SAMPLES_DIR "/Helical antenna.nec", folder.Path("helix.nec"));
    fs::copy_file(QUORVANE_SOURCE_DIR "/tests/data/maa/4EL20CM.maa", folder.Path("yagi.maa"));
    const std::vector<std::pair<QString, int>> asked = {
        {Path(Yagi), 256},
        // A URI with its escapes, as a file manager may give it.
        {QUrl::fromLocalFile(Path(Yagi)).toString(QUrl::FullyEncoded), 128},
        {Path("helix.nec"), 512},
        {Path("yagi.maa"), 256},
        {Path("cross.nec"), 128}};
    for (const auto& [file, size] : asked) {
        const ProgramRun run = Thumbnail(file, size);
        ASSERT_EQ(run.Status, 0) << file.toStdString() << run.Error.toStdString();
        const DecodedPng png = Png("thumbnails/t.png");
        const int longest = std::max(png.Width, png.Height);
        // The largest scale that fits: the drawing nearly fills the size.
        EXPECT_LE(longest, size) << file.toStdString();
        EXPECT_GE(longest, size * 9 / 10) << file.toStdString();
        EXPECT_GT(std::count(png.Colors.begin(), png.Colors.end(), DarkRed), size / 2);
        // Nothing but the thumbnail is written: no settings, no cache, no
        // temporary file left beside it.
        EXPECT_EQ(Written(), std::vector<std::string>{"thumbnails/t.png"});
        fs::remove(folder.Path("thumbnails/t.png"));
    }
}

TEST_F(Thumbnailer, DrawsInTheDefaultLookWhateverTheUsersSettings)
{
    WriteSettings("config/Tallomar/Quorvane/Quorvane.ini",
                  "[Colors]\r\nBackgroundColor=0\r\nLineColor=255\r\n");
    ASSERT_EQ(Thumbnail(Path("cross.nec"), 128).Status, 0);
    const DecodedPng png = Png("thumbnails/t.png");
    EXPECT_EQ(At(png, 0, 0), White);
    EXPECT_GT(std::count(png.Colors.begin(), png.Colors.end(), DarkRed), 100);
}

TEST_F(Thumbnailer, AFileThatCannotBeDrawnGetsNoThumbnailAndNeverAWait)
{
    folder.Write("empty.qrv", "");
    folder.Write("broken.nec", "GW 1 x y z\nGE\n");
    folder.Write("text.qrv", "\x89PNG\r\n\x1a\n\xff\xfe not a model\r\n");
    ::mkfifo(folder.Path("pipe.qrv").c_str(), 0600);
    // Beyond the size any table can hold, and sparse, so that it costs no disk.
    { std::ofstream create(folder.Path("huge.qrv")); }
    fs::resize_file(folder.Path("huge.qrv"), MaxThumbnailInputBytes + 1);
    for (const char* name : {"empty.qrv", "broken.nec", "text.qrv", "pipe.qrv", "huge.qrv",
                             "missing.qrv"}) {
        const ProgramRun run = Thumbnail(Path(name));
        EXPECT_EQ(run.Status, 1) << name;
        EXPECT_FALSE(run.ErrorLines().isEmpty()) << name;
        EXPECT_TRUE(Written().empty()) << name;
    }
    // Another computer's file is not fetched.
    EXPECT_EQ(Thumbnail("file://server/models/a.qrv").Status, 1);
    EXPECT_EQ(Thumbnail("file:///models/a%2.qrv").Status, 1);
}

TEST_F(Thumbnailer, TheTimeLimitEndsAModelThatTakesTooLong)
{
    // A hundred thousand lines take far longer than a hundredth of a second.
    std::string model;
    for (int i = 0; i < 100000; ++i)
        model += std::to_string(i % 97) + ",0,0,0," + std::to_string(i % 89) + ",1,w\r\n";
    folder.Write("large.qrv", model);
    const ProgramRun limited = Thumbnail(Path("large.qrv"), 256, {"--time-limit", "0.01"});
    EXPECT_EQ(limited.Status, 1);
    EXPECT_EQ(limited.Error, "quorvane-render: gave up after 0.01 seconds\n");
    EXPECT_FALSE(folder.Exists("thumbnails/t.png"));
    // Given time, it is drawn; a generous limit keeps a busy test machine
    // from ending it.
    EXPECT_EQ(Thumbnail(Path("large.qrv"), 256, {"--time-limit", "600"}).Status, 0);
}

TEST(ThumbnailInput, PathsAndLocalFileUrisNameTheFileOtherUrisNothing)
{
    EXPECT_EQ(ThumbnailInputPath("/m/Yagi antenna.qrv"), "/m/Yagi antenna.qrv");
    EXPECT_EQ(ThumbnailInputPath("relative/a.qrv"), "relative/a.qrv");
    EXPECT_EQ(ThumbnailInputPath("file:///m/Yagi%20antenna%C3%A4.qrv"), "/m/Yagi antenna\xC3\xA4.qrv");
    EXPECT_EQ(ThumbnailInputPath("FILE://localhost/m/a%2fb.qrv"), "/m/a/b.qrv");
    EXPECT_EQ(ThumbnailInputPath("file:///m/a.qrv?x#y"), "/m/a.qrv");
    for (const char* refused : {"file://host/m/a.qrv", "file:///m/a%.qrv", "file:///m/a%4.qrv",
                                "file:///m/a%00.qrv", "file://"})
        EXPECT_EQ(ThumbnailInputPath(refused), std::nullopt) << refused;
}

}  // namespace
}  // namespace quorvane::testing
