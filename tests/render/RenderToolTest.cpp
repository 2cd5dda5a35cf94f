#include "EmfReader.h"
#include "RenderToolFixture.h"

#include <QImage>
#include <QXmlStreamReader>

#include <cstdlib>
#include <set>

namespace quorvane::testing {
namespace {

struct SvgFrame {
    double WidthMm = 0, HeightMm = 0;
    int Width = 0, Height = 0;  // of the view box
    QStringList Paths;
};

SvgFrame ParseSvg(const std::vector<std::uint8_t>& bytes)
{
    QXmlStreamReader xml(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    SvgFrame frame;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            frame.WidthMm = a.value("width").chopped(2).toDouble();
            frame.HeightMm = a.value("height").chopped(2).toDouble();
            const QStringList box = a.value("viewBox").toString().split(' ');
            frame.Width = box.value(2).toInt();
            frame.Height = box.value(3).toInt();
        } else if (xml.name() == QLatin1String("path")) {
            frame.Paths.push_back(a.value("d").toString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return frame;
}

TEST_F(RenderTool, ADeckBecomesEachFormatWithItsLinesWhereTheViewPutsThem)
{
    for (const char* format : {"png", "bmp", "svg", "pdf", "emf"}) {
        const ProgramRun run = Render(QStringList{"-f", format, "--scale", "100"} + FrontView +
                               QStringList{"cross.nec"});
        EXPECT_EQ(run.Status, 0) << format;
        // The card it could not use is named, and the picture is made all the same.
        EXPECT_EQ(run.ErrorLines(),
                  QStringList{"quorvane-render: cross.nec: warning: line 5: XX what is this "
                              "\u2013 unknown card"})
            << format;
    }

    const DecodedPng png = Png("cross.png");
    ASSERT_EQ(png.Width, 136);
    ASSERT_EQ(png.Height, 72);
    for (int x = 0; x < png.Width; ++x)
        EXPECT_EQ(At(png, x, 36), x >= 4 && x < 132 ? DarkRed : White) << "x = " << x;
    for (int y = 0; y < png.Height; ++y)
        EXPECT_EQ(At(png, 68, y), y > 4 && y <= 68 ? DarkRed : White) << "y = " << y;
    EXPECT_EQ(At(png, 20, 20), White);

    // The bitmap file has the same pixels.
    const QImage bmp(QString::fromStdString(folder.Path("cross.bmp")));
    ASSERT_EQ(bmp.size(), QSize(136, 72));
    for (int x = 0; x < 136; x += 5)
        EXPECT_EQ(bmp.pixel(x, 36), x >= 4 && x < 132 ? 0xFF800000u : 0xFFFFFFFFu) << x;

    // The vector pictures at ten times the pixels: 1280 by 640 with a
    // margin of 13, 1 % of the width.
    const EmfReader metafile(FileBytes(folder.Path("cross.emf")));
    ASSERT_EQ(metafile.Error(), "");
    EXPECT_EQ(metafile.Header().Bounds, (EmfRect{0, 0, 1305, 665}));
    const EmfReplay replay = metafile.Replay();
    ASSERT_EQ(replay.Lines.size(), 2u);
    EXPECT_EQ(replay.Lines[0].Segment, (LineSegment{13, 333, 1293, 333}));
    EXPECT_EQ(replay.Lines[1].Segment, (LineSegment{653, 653, 653, 13}));
    EXPECT_EQ(replay.Lines[0].Pen, DarkRed);

    const SvgFrame svg = ParseSvg(FileBytes(folder.Path("cross.svg")));
    EXPECT_EQ(svg.Width, 1306);
    EXPECT_EQ(svg.Height, 666);
    EXPECT_EQ(svg.Paths, QStringList{"M13.5 333.5L1293.5 333.5M653.5 653.5L653.5 13.5"});
    EXPECT_NEAR(svg.WidthMm, metafile.Header().Frame.Right / 100.0, 0.01);
    EXPECT_NEAR(svg.HeightMm, metafile.Header().Frame.Bottom / 100.0, 0.01);

    const auto [pages, size] = PdfPages("cross.pdf");
    EXPECT_EQ(pages, 1);
    EXPECT_NEAR(size.width(), svg.WidthMm * 72 / 25.4, 0.5);
    EXPECT_NEAR(size.height(), svg.HeightMm * 72 / 25.4, 0.5);
}

TEST_F(RenderTool, TheSampleInEveryFormatShowsTheWholeModelAtOneSize)
{
    for (const char* name : {"yagi.png", "yagi.bmp", "yagi.svg", "yagi.pdf", "yagi.emf"}) {
        const ProgramRun run = Render({"--line-numbers", "-o", name, QString::fromStdString(Yagi)});
        EXPECT_EQ(run.Status, 0) << name;
        EXPECT_EQ(run.Error, "") << name;
    }
    // The whole sample at the default 1 : 100 is far larger than the
    // smallest pictures, and all formats agree on its size.
    const DecodedPng png = Png("yagi.png");
    EXPECT_GT(png.Width, 300);
    EXPECT_GT(png.Height, 300);
    const auto lineColour = std::count(png.Colors.begin(), png.Colors.end(), DarkRed);
    EXPECT_GT(lineColour, 1000);
    // Nothing is cut: the margins are background all round.
    for (int x = 0; x < png.Width; ++x)
        EXPECT_TRUE(At(png, x, 0) == White && At(png, x, png.Height - 1) == White) << x;
    for (int y = 0; y < png.Height; ++y)
        EXPECT_TRUE(At(png, 0, y) == White && At(png, png.Width - 1, y) == White) << y;

    EXPECT_EQ(QImage(QString::fromStdString(folder.Path("yagi.bmp"))).size(),
              QSize(png.Width, png.Height));
    const EmfReader metafile(FileBytes(folder.Path("yagi.emf")));
    ASSERT_EQ(metafile.Error(), "");
    // Ten times the pixels; the margins for the labels differ a little.
    EXPECT_NEAR(metafile.Header().Bounds.Right + 1, 10 * png.Width, png.Width / 2);
    EXPECT_NEAR(metafile.Header().Bounds.Bottom + 1, 10 * png.Height, png.Height / 2);
    EXPECT_GT(metafile.Replay().Texts.size(), 10u);  // the line numbers
    const SvgFrame svg = ParseSvg(FileBytes(folder.Path("yagi.svg")));
    EXPECT_EQ(svg.Width, metafile.Header().Bounds.Right + 1);
    EXPECT_EQ(svg.Height, metafile.Header().Bounds.Bottom + 1);
    const auto [pages, size] = PdfPages("yagi.pdf");
    EXPECT_EQ(pages, 1);
    EXPECT_NEAR(size.width(), svg.WidthMm * 72 / 25.4, 0.5);
}

TEST_F(RenderTool, ABookletHasAPageForEachModelCaptionedWithItsNameAndScale)
{
    fs::copy_file(QUORVANE_SAMPLES_DIR "/Cube.qrv", folder.Path("Cube.qrv"));
    const ProgramRun run = Render({"--booklet", "models.pdf", QString::fromStdString(Yagi), "cross.nec",
                            "Cube.qrv"});
    EXPECT_EQ(run.Status, 0);
    const auto [pages, size] = PdfPages("models.pdf");
    EXPECT_EQ(pages, 3);
    // A4 in the default printer orientation, landscape.
    EXPECT_NEAR(size.width(), 842, 1);
    EXPECT_NEAR(size.height(), 595, 1);
    const QString text = PdfText("models.pdf");
    const QStringList captions = {"Yagi antenna.qrv", "cross.nec", "Cube.qrv"};
    qsizetype at = 0;
    for (const QString& caption : captions) {
        at = text.indexOf(caption, at);
        EXPECT_GE(at, 0) << caption.toStdString();
    }
    // The default scale list has 1 : 1 and 1 : 100 only.
    EXPECT_EQ(text.count("1 : 100"), 3) << text.toStdString();

    // With a longer list, the largest scale that fits below the caption, on
    // an upright page as these settings ask: 2 m at 1 : 20 are 100 mm of the
    // 180 between the margins; at 1 : 10 they would be 200.
    folder.Write("list.ini", "[Scales]\r\nScale1=1\r\nScale2=2\r\nScale3=5\r\nScale4=10\r\n"
                             "Scale5=20\r\n[Printer]\r\nOrientation=0\r\n");
    ASSERT_EQ(Render(QStringList{"--settings", "list.ini", "--booklet", "cross.pdf"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    const auto [crossPages, crossSize] = PdfPages("cross.pdf");
    EXPECT_EQ(crossPages, 1);
    EXPECT_NEAR(crossSize.width(), 595, 1);
    EXPECT_TRUE(PdfText("cross.pdf").contains("1 : 20")) << PdfText("cross.pdf").toStdString();
}

TEST_F(RenderTool, AFileThatCannotBeReadIsNamedAndTheOthersAreStillDrawn)
{
    folder.Write("empty.qrv", "no numbers here\r\n");
    fs::create_directories(folder.Path("folder.qrv"));
    const QStringList files = {QString::fromStdString(Yagi), "missing.qrv", "empty.qrv",
                               "folder.qrv", "cross.nec"};
    const ProgramRun run = Render(files);
    EXPECT_EQ(run.Status, 1);
    const QStringList errors = run.ErrorLines();
    ASSERT_EQ(errors.size(), 4) << run.Error.toStdString();
    EXPECT_TRUE(errors[0].startsWith("quorvane-render: missing.qrv: ")) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith("quorvane-render: empty.qrv: ")) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].startsWith("quorvane-render: folder.qrv: ")) << errors[2].toStdString();
    EXPECT_TRUE(errors[3].contains("warning")) << errors[3].toStdString();
    EXPECT_NO_THROW(Png("Yagi antenna.png"));
    EXPECT_NO_THROW(Png("cross.png"));
    for (const char* none : {"missing.png", "empty.png", "folder.png"})
        EXPECT_FALSE(folder.Exists(none)) << none;

    // The booklet is made of the others.
    const ProgramRun booklet = Render(QStringList{"--booklet", "book.pdf"} + files);
    EXPECT_EQ(booklet.Status, 1);
    EXPECT_EQ(PdfPages("book.pdf").first, 2);
    // Without a single model there is no booklet.
    EXPECT_EQ(Render({"--booklet", "none.pdf", "missing.qrv"}).Status, 1);
    EXPECT_FALSE(folder.Exists("none.pdf"));
}

TEST_F(RenderTool, PicturesGoBesideTheirModelOrIntoTheOutputFolderOnePerName)
{
    fs::create_directories(folder.Path("models"));
    folder.Write("models/cross.qrv", "-1,0,0,1,0,0,wire\r\n");
    const ProgramRun run = Render({"-d", "out/pictures", "-f", "svg", "cross.nec", "models/cross.qrv"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(folder.Exists("out/pictures/cross.svg"));
    // The second model would replace the first one's picture.
    ASSERT_EQ(run.ErrorLines().size(), 2);
    EXPECT_TRUE(run.ErrorLines()[1].startsWith("quorvane-render: models/cross.qrv: "));

    EXPECT_EQ(Render({"models/cross.qrv"}).Status, 0);
    EXPECT_TRUE(folder.Exists("models/cross.png"));
}

TEST_F(RenderTool, FitTakesTheLargestListedScaleThatFitsAndScaleIsTakenAsGiven)
{
    // The user's own settings: a scale list and a red line on black.
    WriteSettings("config/Tallomar/Quorvane/Quorvane.ini",
                  "[Colors]\r\nLineColor=255\r\nBackgroundColor=0\r\n"
                  "[Scales]\r\nScale1=10\r\nScale2=20\r\nScale3=50\r\nScale4=100\r\n"
                  "Scale5=200\r\n");

    // 1 : 50 gives 256 + 2 x 4 pixels across, 1 : 100 fits.
    ASSERT_EQ(Render(QStringList{"--fit", "200x200", "-o", "fit.png"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    DecodedPng png = Png("fit.png");
    EXPECT_EQ(png.Width, 136);
    EXPECT_EQ(png.Height, 72);
    EXPECT_EQ(At(png, 68, 36), 0x0000FFu);
    EXPECT_EQ(At(png, 0, 0), 0x000000u);

    // Beyond the list when no listed scale fits.
    ASSERT_EQ(Render(QStringList{"--fit", "60x60", "-o", "small.png"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    png = Png("small.png");
    EXPECT_LE(png.Width, 60);
    EXPECT_GE(png.Width, 55);

    // Not even the smallest drawing fits three pixels.
    const ProgramRun tiny = Render({"--fit", "3x3", "cross.nec"});
    EXPECT_EQ(tiny.Status, 1);
    EXPECT_EQ(tiny.ErrorLines().size(), 2);

    // 1 : 40 is not listed, and used as given: 320 + 2 x 4 pixels.
    ASSERT_EQ(Render(QStringList{"--scale", "40", "-o", "forty.png"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    EXPECT_EQ(Png("forty.png").Width, 328);

    // Another settings file, named, instead of the user's own.
    folder.Write("blue.ini", "[Colors]\r\nLineColor=16711680\r\n");
    ASSERT_EQ(Render(QStringList{"--settings", "blue.ini", "-o", "blue.png"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    png = Png("blue.png");
    EXPECT_EQ(At(png, png.Width / 2, png.Height / 2), 0xFF0000u);
    EXPECT_EQ(At(png, 0, 0), White);
}

TEST_F(RenderTool, TheAnaglyphDrawsEachEyeInItsColour)
{
    ASSERT_EQ(Render({"--anaglyph", "-o", "3d.png", QString::fromStdString(Yagi)}).Status, 0);
    const DecodedPng png = Png("3d.png");
    std::set<Color> colours(png.Colors.begin(), png.Colors.end());
    EXPECT_FALSE(colours.contains(DarkRed));
    // White AND NOT each eye's colour: cyan for the left, red for the right,
    // and black where they cross.
    EXPECT_TRUE(colours.contains(0xFFFF00u));
    EXPECT_TRUE(colours.contains(0x0000FFu));
}

TEST_F(RenderTool, InstalledBesideTheMainProgramItTakesTheMainProgramsSettings)
{
    const std::string root = folder.Path("root");
    const std::string install = "DESTDIR='" + root + "' cmake --install '" QUORVANE_BUILD_DIR
                                "' --prefix /usr > /dev/null 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0);
    program = root + "/usr/bin/quorvane-render";
    ASSERT_TRUE(fs::exists(root + "/usr/bin/Quorvane"));

    // The settings are the main program's, named after it, not after this one.
    WriteSettings("config/Tallomar/Quorvane/Quorvane.ini", "[Colors]\r\nLineColor=65280\r\n");
    ASSERT_EQ(Render(QStringList{"--scale", "100", "-o", "green.png"} + FrontView +
                     QStringList{"cross.nec"})
                  .Status,
              0);
    EXPECT_EQ(At(Png("green.png"), 68, 36), 0x00FF00u);
}

TEST_F(RenderTool, HelpAndVersionGoToStandardOutputAndBadCommandLinesFailWithTheUsage)
{
    const ProgramRun help = Render({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.startsWith("Usage: quorvane-render [options] FILE..."));
    EXPECT_TRUE(help.Out.contains("--booklet"));
    EXPECT_EQ(help.Error, "");
    const ProgramRun version = Render({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "quorvane-render " QUORVANE_VERSION "\n");

    const std::vector<QStringList> bad = {
        {},
        {"--colour", "red", "cross.nec"},
        {"--scale", "0", "cross.nec"},
        {"--scale", "50", "--fit", "100x100", "cross.nec"},
        {"--elevation", "91", "cross.nec"},
        {"-o", "a.png", "cross.nec", "Yagi antenna.qrv"},
        {"-o", "a.gif", "cross.nec"},
        {"--booklet", "book.png", "cross.nec"},
        {"--settings", "missing.ini", "cross.nec"},
        {"cross.nec", "--azimuth"},
    };
    for (const QStringList& arguments : bad) {
        const ProgramRun run = Render(arguments);
        EXPECT_EQ(run.Status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Error.startsWith("quorvane-render: ")) << run.Error.toStdString();
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_TRUE(Render({"--scale", "0", "cross.nec"}).Error.contains("Usage: "));
    EXPECT_FALSE(folder.Exists("cross.png"));
}

}  // namespace
}  // namespace quorvane::testing
