#include "RenderToolFixture.h"

#include <QRegularExpression>

#include <map>

namespace quorvane::testing {
namespace {

// Every file below a folder with its bytes.
std::map<std::string, std::vector<std::uint8_t>> Contents(const fs::path& root)
{
    std::map<std::string, std::vector<std::uint8_t>> contents;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            contents[fs::relative(entry.path(), root).string()] = FileBytes(entry.path().string());
    return contents;
}

// A PDF's bytes without the moment it was made, which is all that two runs
// of one booklet may differ in.
QByteArray WithoutCreationDate(const std::vector<std::uint8_t>& bytes)
{
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
        .remove(QRegularExpression(QStringLiteral("/CreationDate \\(D:[^)]*\\)")))
        .toLatin1();
}

class ParallelRender : public RenderTool {
protected:
    // The samples under several names, decks, a model with text in its
    // lines, and files that fail in different ways: a batch whose every
    // picture and message the workers have to get right.
    QStringList Batch()
    {
        QStringList files;
        for (const char* sample : {"Cube.qrv", "House.qrv", "Inverted V dipole.qrv",
                                   "Helical antenna.nec"}) {
            fs::copy_file(fs::path(QUORVANE_SAMPLES_DIR) / sample, folder.Path(sample));
            files << sample;
        }
        for (int copy = 0; copy < 6; ++copy) {
            const std::string name = "yagi" + std::to_string(copy) + ".qrv";
            fs::copy_file(folder.Path(Yagi), folder.Path(name));
            files << QString::fromStdString(name);
        }
        folder.Write("empty.qrv", "nothing to draw\r\n");
        fs::create_directories(folder.Path("again"));
        folder.Write("again/cross.qrv", "-1,0,0,1,0,0,wire\r\n");
        files << "cross.nec" << "empty.qrv" << "missing.qrv" << "again/cross.qrv"
              << QString::fromStdString(Yagi);
        return files;
    }

    // The run's messages and pictures, the pictures moved out of the way of
    // the next run under the same names.
    std::pair<QString, std::map<std::string, std::vector<std::uint8_t>>> RunInto(
        const QStringList& arguments, const std::string& keep)
    {
        const ProgramRun run = Render(arguments);
        EXPECT_EQ(run.Status, 1) << run.Error.toStdString();
        auto pictures = Contents(folder.Path("out"));
        fs::rename(folder.Path("out"), folder.Path(keep));
        return {run.Error, pictures};
    }
};

TEST_F(ParallelRender, WorkersDrawTheSameBytesAndTellTheSameMessagesInTheSameOrder)
{
    const QStringList files = Batch();
    // Line numbers and the anaglyph's labels draw text on every worker.
    for (const std::string format : {"png", "svg", "emf"}) {
        const QStringList options = {"-d", "out", "-f", QString::fromStdString(format),
                                     "--line-numbers", "--anaglyph"};
        const auto [serialMessages, serial] =
            RunInto(QStringList{"-j", "1"} + options + files, "serial-" + format);
        // More workers than processors, so that they overtake each other.
        const auto [parallelMessages, parallel] =
            RunInto(QStringList{"-j5"} + options + files, "parallel-" + format);
        EXPECT_EQ(parallelMessages, serialMessages) << format;
        EXPECT_EQ(serial.size(), 12u) << format;
        EXPECT_TRUE(parallel == serial) << format;
    }
    // The failures come in the order of the files, the second cross last.
    const QStringList lines = Render(QStringList{"-j", "3", "-d", "out"} + files).ErrorLines();
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].contains("cross.nec: warning:"));
    EXPECT_TRUE(lines[1].contains("empty.qrv: "));
    EXPECT_TRUE(lines[2].contains("missing.qrv: "));
    EXPECT_TRUE(lines[3].contains("again/cross.qrv: out/cross.png is the picture of another file"))
        << lines[3].toStdString();
}

TEST_F(ParallelRender, ABookletKeepsThePagesInTheOrderOfTheFiles)
{
    const QStringList files = Batch();
    // The same name, which is the document's title.
    fs::create_directories(folder.Path("serial"));
    fs::create_directories(folder.Path("parallel"));
    const ProgramRun serial = Render(QStringList{"-j", "1", "--booklet", "serial/book.pdf"} + files);
    const ProgramRun parallel =
        Render(QStringList{"--jobs=4", "--booklet", "parallel/book.pdf"} + files);
    EXPECT_EQ(serial.Status, 1);
    EXPECT_EQ(parallel.Status, 1);
    EXPECT_EQ(parallel.Error, serial.Error);
    EXPECT_EQ(PdfPages("parallel/book.pdf").first, 13);
    EXPECT_EQ(PdfText("parallel/book.pdf"), PdfText("serial/book.pdf"));
    const QByteArray serialBytes = WithoutCreationDate(FileBytes(folder.Path("serial/book.pdf")));
    EXPECT_GT(serialBytes.size(), 1000);
    EXPECT_TRUE(WithoutCreationDate(FileBytes(folder.Path("parallel/book.pdf"))) == serialBytes);
}

}  // namespace
}  // namespace quorvane::testing
