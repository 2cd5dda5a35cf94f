#include "CheckReport.h"
#include "RenderToolFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quorvane::testing {
namespace {

// A sound dipole for 14.2 MHz: 21 segments of 0.48 m, a thin wire.
const std::string Dipole = "CM dipole\nCE\nGW 1 21 0 0 -5 0 0 5 0.001\nGE 0\nEX 0 1 11 0 1 0\n"
                           "FR 0 1 0 0 14.2 0\nEN\n";

class RenderCheck : public RenderTool {
protected:
    void SetUp() override
    {
        RenderTool::SetUp();
        folder.Write("dipole.nec", Dipole);
    }
};

TEST_F(RenderCheck, FindingsAreLinesOnStandardOutputAndAnErrorMakesTheStatus3)
{
    const ProgramRun run = Render({"--check", "dipole.nec", "cross.nec"});
    EXPECT_EQ(run.Status, 3) << run.Error.toStdString();
    EXPECT_EQ(run.Out, "dipole.nec: 0 errors, 0 warnings (14.2 MHz, free space)\n"
                       "cross.nec: rows 1, 2: error: Lines cross: gap 0 m, limit 0.002 m, "
                       "at (0, 0, 0) [lines-cross]\n"
                       "cross.nec: 1 error, 0 warnings (no frequency, free space)\n");
    // The deck's unused card is still told where warnings go.
    EXPECT_TRUE(run.Error.contains("cross.nec: warning:")) << run.Error.toStdString();
    // Only the checks: no picture.
    EXPECT_FALSE(folder.Exists("dipole.png"));
    EXPECT_FALSE(folder.Exists("cross.png"));

    // The deck's ground flag puts the model over ground.
    folder.Write("buried.nec", "GW 1 9 0 0 -1 0 0 8 0.001\nGE 1\nGN 1\nEN\n");
    EXPECT_EQ(Render({"--check", "buried.nec"}).Out,
              "buried.nec: row 1: error: Below ground: z = -1 m, at (0, 0, -1) [below-ground]\n"
              "buried.nec: 1 error, 0 warnings (no frequency, over ground)\n");

    // Sound models, and warnings alone, leave the status 0.
    EXPECT_EQ(Render({"--check", "dipole.nec"}).Status, 0);
    const ProgramRun warned = Render({"--check", "--frequency", "100", "dipole.nec"});
    EXPECT_EQ(warned.Status, 0);
    EXPECT_EQ(warned.Out, QString::fromUtf8("dipole.nec: row 1: warning: Segment too long: segment "
                                            "0.1588 \xCE\xBB, limit 0.1 \xCE\xBB, at (0, 0, 0) "
                                            "[segment-too-long]\n"
                                            "dipole.nec: 0 errors, 1 warning (100 MHz, free space)\n"));
}

TEST_F(RenderCheck, JsonIsOneDocumentOfEveryModelAndAFileNotReadMakesTheStatus1)
{
    const ProgramRun run = Render({"--check=json", "--frequency=100", "cross.nec", "missing.qrv",
                                   "dipole.nec", "-j", "2"});
    EXPECT_EQ(run.Status, 1);
    QJsonParseError problem;
    const QJsonDocument document = QJsonDocument::fromJson(run.Out.toUtf8(), &problem);
    ASSERT_EQ(problem.error, QJsonParseError::NoError) << run.Out.toStdString();
    const QJsonArray files = document.object()["files"].toArray();
    ASSERT_EQ(files.size(), 3);
    const QJsonObject cross = files[0].toObject();
    EXPECT_EQ(cross["file"].toString(), "cross.nec");
    EXPECT_EQ(cross["frequency_mhz"].toDouble(), 100);
    EXPECT_FALSE(cross["ground"].toBool());
    EXPECT_EQ(cross["errors"].toInt(), 1);
    const QJsonObject crossing = cross["findings"].toArray()[0].toObject();
    EXPECT_EQ(crossing["rule"].toString(), "lines-cross");
    EXPECT_EQ(crossing["severity"].toString(), "error");
    EXPECT_EQ(crossing["rows"].toArray(), QJsonArray({1, 2}));
    EXPECT_EQ(crossing["at"].toArray(), QJsonArray({0, 0, 0}));
    EXPECT_EQ(crossing["limit"].toDouble(), 0.002);
    EXPECT_EQ(files[1].toObject()["file"].toString(), "missing.qrv");
    EXPECT_EQ(files[1].toObject()["unread"].toString(), "No such file or directory");
    const QJsonObject dipole = files[2].toObject();
    EXPECT_EQ(dipole["warnings"].toInt(), 1);
    EXPECT_NEAR(dipole["findings"].toArray()[0].toObject()["value"].toDouble(),
                10.0 / 21 / (299.792458 / 100), 1e-12);
    EXPECT_TRUE(run.Error.contains("missing.qrv: No such file or directory"))
        << run.Error.toStdString();

    // Quotes, backslashes and control characters in a name still make
    // valid JSON.
    const std::string odd = "odd \"\xC3\xA9\"\\\t.qrv";
    folder.Write(odd, "0,0,0,1,0,0,wire\r\n");
    const ProgramRun oddRun = Render({"--check=json", QString::fromStdString(odd)});
    EXPECT_EQ(oddRun.Status, 0);
    const QJsonDocument oddDocument = QJsonDocument::fromJson(oddRun.Out.toUtf8(), &problem);
    ASSERT_EQ(problem.error, QJsonParseError::NoError) << oddRun.Out.toStdString();
    EXPECT_EQ(oddDocument.object()["files"].toArray()[0].toObject()["file"].toString(),
              QString::fromStdString(odd));
}

TEST(CheckReport, JsonStringsOfBytesThatAreNoUtf8AreReadAsWindows1252)
{
    EXPECT_EQ(JsonString("caf\xE9 \x80"), "\"caf\xC3\xA9 \xE2\x82\xAC\"");
    EXPECT_EQ(JsonString("a\x01\x7F\"\\"), "\"a\\u0001\\u007f\\\"\\\\\"");
}

TEST_F(RenderCheck, WithAPictureOptionTheModelsAreDrawnAndChecked)
{
    const ProgramRun run = Render({"--check", "-o", "cross.png", "cross.nec"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_TRUE(run.Out.contains("[lines-cross]"));
    EXPECT_NO_THROW(Png("cross.png"));

    const ProgramRun booklet = Render({"--check", "--booklet", "book.pdf", "cross.nec", "dipole.nec"});
    EXPECT_EQ(booklet.Status, 3);
    EXPECT_EQ(PdfPages("book.pdf").first, 2);
    EXPECT_EQ(booklet.Out.count('\n'), 3);
}

// The markers are the one difference --mark makes to a picture: a square in
// the warning colour where the wires cross. Without --mark, also with
// --check, the picture is the plain drawing byte for byte, and so is the
// picture of a sound model with it.
TEST_F(RenderCheck, MarkDrawsTheFindingsMarkersAndNothingElse)
{
    ASSERT_EQ(Render(FrontView + QStringList{"-o", "plain.png", "cross.nec"}).Status, 0);
    EXPECT_EQ(Render(FrontView + QStringList{"--check", "-o", "checked.png", "cross.nec"}).Status, 3);
    EXPECT_EQ(FileBytes(folder.Path("checked.png")), FileBytes(folder.Path("plain.png")));
    ASSERT_EQ(Render(FrontView + QStringList{"--mark", "-o", "marked.png", "cross.nec"}).Status, 0);

    const DecodedPng plain = Png("plain.png"), marked = Png("marked.png");
    ASSERT_EQ(marked.Width, plain.Width);
    ASSERT_EQ(marked.Height, plain.Height);
    const int middleX = plain.Width / 2, middleY = plain.Height / 2;  // the crossing
    constexpr Color Orange = 0x0090FF;
    EXPECT_EQ(At(marked, middleX, middleY), Orange);
    int changed = 0;
    for (int y = 0; y < plain.Height; ++y)
        for (int x = 0; x < plain.Width; ++x)
            if (At(marked, x, y) != At(plain, x, y)) {
                ++changed;
                EXPECT_LE(std::abs(x - middleX), 8) << x << ", " << y;
                EXPECT_LE(std::abs(y - middleY), 8) << x << ", " << y;
            }
    EXPECT_GT(changed, 30);

    ASSERT_EQ(Render({"-o", "dipole.png", "dipole.nec"}).Status, 0);
    ASSERT_EQ(Render({"--mark", "-o", "dipole-marked.png", "dipole.nec"}).Status, 0);
    EXPECT_EQ(FileBytes(folder.Path("dipole-marked.png")), FileBytes(folder.Path("dipole.png")));

    // Vector pictures and booklet pages carry them too.
    ASSERT_EQ(Render(FrontView + QStringList{"--mark", "-o", "marked.svg", "cross.nec"}).Status, 0);
    ASSERT_EQ(Render(FrontView + QStringList{"-o", "plain.svg", "cross.nec"}).Status, 0);
    EXPECT_TRUE(folder.Read("marked.svg").find("#ff9000") != std::string::npos);
    EXPECT_TRUE(folder.Read("plain.svg").find("#ff9000") == std::string::npos);
}

TEST_F(RenderCheck, TheCheckOptionsAreReadStrictly)
{
    // --check takes its form only after '=': the next argument stays a file.
    EXPECT_EQ(Render({"--check", "json"}).Status, 1);
    for (const QStringList& bad : {QStringList{"--check=xml", "cross.nec"},
                                   QStringList{"--frequency", "0", "--check", "cross.nec"},
                                   QStringList{"--frequency", "ten", "--check", "cross.nec"},
                                   QStringList{"--mark=yes", "cross.nec"}}) {
        const ProgramRun run = Render(bad);
        EXPECT_EQ(run.Status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(run.Error.contains("Usage:")) << bad.join(' ').toStdString();
    }
    const ProgramRun help = Render({"--help"});
    for (const char* option : {"--check[=json]", "--mark", "--frequency MHZ", "3 when"})
        EXPECT_TRUE(help.Out.contains(option)) << option;
}

}  // namespace
}  // namespace quorvane::testing
