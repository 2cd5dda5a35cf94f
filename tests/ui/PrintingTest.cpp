#include "DataTableFixture.h"
#include "PdfPrinters.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <filesystem>
#include <set>

namespace quorvane::testing {
namespace {

// A line 1 m long from left to right, seen from the front in parallel
// projection; at 1 : 10 it is 100 mm long on screen and on paper.
const std::string MetreLine = "-0.5,0,0,0.5,0,0,wire\r\n";
const std::string FrontView = "Azimuth=0\r\nElevation=0\r\nVanishingPointProjection=0\r\n";
const std::string AtOneToTen = "[Scales]\r\nScale=10\r\nScale1=10\r\n";

struct InkBox {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;  // inclusive; empty when Right < Left
    double CentreX() const { return (Left + Right) / 2.0; }
    double CentreY() const { return (Top + Bottom) / 2.0; }
};

InkBox BoxOfInk(const QImage& page)
{
    InkBox box{page.width(), page.height(), -1, -1};
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                box.Left = std::min(box.Left, x);
                box.Right = std::max(box.Right, x);
                box.Top = std::min(box.Top, y);
                box.Bottom = std::max(box.Bottom, y);
            }
    return box;
}

class Printing : public DataTableFixture {
protected:
    // The program with a PDF printer at `resolution`, whose unprintable
    // strips are 4.2 mm wide.
    void StartPrinting(const std::string& general = {}, const std::string& sections = {},
                       int resolution = 600)
    {
        auto pdf = std::make_unique<PdfPrinters>(QString::fromStdString(PdfPath()), resolution);
        pdfPrinter = pdf.get();
        printers = std::move(pdf);
        StartOn(MetreLine, FrontView + general, AtOneToTen + sections);
        Activate(Window());
    }
    std::string PdfPath() const { return folder.Path("page.pdf"); }

    // The printed page as pixels, rendered by a PDF reader.
    QImage RenderedPage(int resolution)
    {
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), QString::fromStdString(PdfPath()),
                      QString::fromStdString(folder.Path("page"))});
        if (!render.waitForFinished(60000) || render.exitCode() != 0)
            ADD_FAILURE() << "pdftoppm failed: " << render.readAllStandardError().toStdString();
        return QImage(QString::fromStdString(folder.Path("page.png")));
    }
    QByteArray PdfBytes()
    {
        QFile file(QString::fromStdString(PdfPath()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::array<int, 4> FirstLine()
    {
        const LineRecord& r = program.Table.Record(1);
        return {r.PX1, r.PY1, r.PX2, r.PY2};
    }

    PdfPrinters* pdfPrinter = nullptr;
};

TEST_F(Printing, WithoutAPrinterThePrintButtonIsDisabledAndTheKeyDoesNothing)
{
    auto none = std::make_unique<PdfPrinters>(QString::fromStdString(PdfPath()), 600, 4.2, false);
    PdfPrinters* source = none.get();
    printers = std::move(none);
    StartOn(MetreLine);
    Activate(Window());
    EXPECT_FALSE(program.PrinterAvailable);
    EXPECT_FALSE(Window().SpeedButtonPrint->isEnabled());
    Press(Qt::Key_P, Qt::ControlModifier);
    Press(Qt::Key_P);
    EXPECT_EQ(source->dialogs, 0);
    EXPECT_EQ(program.Page.WidthMillimetres, 0);  // no page geometry either
}

TEST_F(Printing, AMonoPageShowsTheScreensScaleCentredInTheMarginsAsVectors)
{
    StartPrinting();
    EXPECT_TRUE(Window().SpeedButtonPrint->isEnabled());
    // Landscape A4 from the start, at 600 dpi.
    EXPECT_EQ(program.Page.WidthMillimetres, 297);
    EXPECT_EQ(program.Page.HeightMillimetres, 210);
    const std::array<int, 4> screenLine = FirstLine();

    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pdfPrinter->dialogs, 1);
    EXPECT_EQ(pdfPrinter->orientationShown, QPageLayout::Landscape);
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(FirstLine(), screenLine);
    EXPECT_EQ(pdfPrinter->printer.docName(), QStringLiteral("model.qrv"));
    EXPECT_FALSE(PdfBytes().contains("/Subtype /Image"));

    // 100 mm long, centred in the rectangle that the margins (left and right
    // 15, top 20, bottom 15 mm) leave on the 297 x 210 mm sheet.
    constexpr int Resolution = 100;
    const QImage page = RenderedPage(Resolution);
    ASSERT_NEAR(page.width(), 297 / 25.4 * Resolution, 1.0);
    const InkBox ink = BoxOfInk(page);
    const double millimetre = Resolution / 25.4;
    EXPECT_NEAR(ink.Right - ink.Left + 1, 100 * millimetre, 2.0);
    EXPECT_NEAR(ink.CentreX(), (15 + (297 - 30) / 2.0) * millimetre, 2.0);
    EXPECT_NEAR(ink.CentreY(), (20 + (210 - 35) / 2.0) * millimetre, 2.0);
}

TEST_F(Printing, AnAnaglyphPageGoesToThePrinterAsLosslessPixelsOfPureColours)
{
    // A second line runs in depth, so that the two eyes see it apart.
    auto source = std::make_unique<PdfPrinters>(QString::fromStdString(PdfPath()), 150);
    pdfPrinter = source.get();
    printers = std::move(source);
    StartOn(MetreLine + "0,-0.5,0,0,0.5,0.2,depth\r\n",
            FrontView + "ShowAnaglyph=1\r\n", AtOneToTen);
    Activate(Window());
    Press(Qt::Key_P, Qt::ControlModifier);
    const QByteArray pdf = PdfBytes();
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
    EXPECT_FALSE(pdf.contains("/DCTDecode"));

    // The picture inside the PDF, as stored.
    QProcess extract;
    extract.start(QStringLiteral("pdfimages"),
                  {QStringLiteral("-png"), QString::fromStdString(PdfPath()),
                   QString::fromStdString(folder.Path("inside"))});
    ASSERT_TRUE(extract.waitForFinished(60000) && extract.exitCode() == 0);
    const QImage inside(QString::fromStdString(folder.Path("inside-000.png")));
    ASSERT_FALSE(inside.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < inside.height(); ++y)
        for (int x = 0; x < inside.width(); ++x)
            colours.insert(inside.pixel(x, y) & 0xFFFFFF);
    // White paper, the red and the cyan eye, and black where they cover
    // each other: exactly the colours of the screen.
    EXPECT_EQ(colours, (std::set<QRgb>{0xFFFFFF, 0xFF0000, 0x00FFFF, 0x000000}));

    // The page rectangle's picture, at the screen's scale.
    const double millimetre = 150 / 25.4;
    EXPECT_NEAR(inside.width(), (297 - 30) * millimetre, 2.0);
    const InkBox ink = BoxOfInk(RenderedPage(150));
    EXPECT_NEAR(ink.Right - ink.Left + 1, 100 * millimetre, 4.0);
}

TEST_F(Printing, MarginsNarrowerThanTheUnprintableStripAreRaisedAndStored)
{
    StartPrinting({}, "[Printer]\r\nMarginLeft1=0\r\nMarginTop1=3\r\nMarginLeft0=0\r\n");
    Press(Qt::Key_P, Qt::ControlModifier);
    // 4.2 mm are 99 pixels at 600 dpi, which need 5 whole millimetres.
    EXPECT_EQ(program.Main.MarginLeft[1], 5);
    EXPECT_EQ(program.Main.MarginTop[1], 5);
    EXPECT_EQ(program.Main.MarginRight[1], 15);
    // The other orientation's margins stay as they were.
    EXPECT_EQ(program.Main.MarginLeft[0], 0);
    Window().close();
    const std::string settings = ReadSettings();
    EXPECT_NE(settings.find("MarginLeft1=5"), std::string::npos);
    EXPECT_NE(settings.find("MarginLeft0=0"), std::string::npos);
}

TEST_F(Printing, TheDialogsOrientationIsTakenButNotWhenCancelled)
{
    StartPrinting({}, "[Printer]\r\nMarginLeft0=40\r\n");
    pdfPrinter->orientationChosen = QPageLayout::Portrait;
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(program.Main.PrinterOrientation, 0);
    EXPECT_EQ(program.Page.WidthMillimetres, 210);
    // Portrait's own margins: 40 mm left, 15 right on a 210 mm sheet.
    const QImage page = RenderedPage(100);
    EXPECT_LT(page.width(), page.height());
    EXPECT_NEAR(BoxOfInk(page).CentreX(), (40 + (210 - 55) / 2.0) * 100 / 25.4, 2.0);

    std::filesystem::remove(PdfPath());
    pdfPrinter->orientationChosen = QPageLayout::Landscape;
    pdfPrinter->confirm = false;
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pdfPrinter->dialogs, 2);
    EXPECT_FALSE(std::filesystem::exists(PdfPath()));
    EXPECT_EQ(program.Main.PrinterOrientation, 0);
    EXPECT_EQ(pdfPrinter->printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(program.Activity, ActivityState::Idle);
}

}  // namespace
}  // namespace quorvane::testing
