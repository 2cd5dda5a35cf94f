#include "DataTableFixture.h"
#include "EmfCanvas.h"
#include "EmfReader.h"
#include "FileDialogs.h"

#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

#include <filesystem>

namespace quorvane::testing {
namespace {

// A line 2 m long from left to right through the model's centre, seen
// from the front in parallel projection: on the screen, one row of pixels
// symmetric about the centre.
const std::string HorizontalLine = "-1,0,0,1,0,0,wire\r\n";
const std::string FrontView = "Azimuth=0\r\nElevation=0\r\nVanishingPointProjection=0\r\n";
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb DarkRed = 0xFF800000u;

std::vector<std::uint8_t> Bytes(const QByteArray& bytes)
{
    return {bytes.begin(), bytes.end()};
}

QByteArray FileData(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    return Bytes(FileData(path));
}

class DrawingExport : public DataTableFixture {
protected:
    void StartOnLine(const std::string& general = {}, const std::string& sections = {})
    {
        StartOn(HorizontalLine, FrontView + general, sections);
        Activate(Window());
    }

    // Save as with the type and name given; the name without a folder
    // goes into the test's folder, and no name cancels.
    void SaveAs(int type, const QString& name)
    {
        typeChoices = {type};
        fileChoices = {name.isEmpty() ? name
                                      : QString::fromStdString(folder.Path(name.toStdString()))};
        Window().SpeedButtonSaveAs->click();
    }

    static int ScreenPixels()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return qRound(screen->geometry().width() * screen->devicePixelRatio());
    }
    int DotsPerInch() const
    {
        return MetafileDotsPerInch(ScreenPixels(), program.View.ScreenWidth,
                                   program.Main.ClipboardBugfixScalingFactor);
    }
    const QMimeData& Clipboard() { return *QGuiApplication::clipboard()->mimeData(); }

    // The stored projection of the first line, which the export must leave
    // as the screen's.
    std::array<int, 4> FirstLine()
    {
        const LineRecord& r = program.Table.Record(1);
        return {r.PX1, r.PY1, r.PX2, r.PY2};
    }
};

TEST_F(DrawingExport, SaveAsBitmapWritesTheWindowsDrawingWithMarginsAndSaveWritesItAgain)
{
    StartOnLine();
    const std::array<int, 4> screenLine = FirstLine();
    const int lineLength = screenLine[2] - screenLine[0];
    ASSERT_GT(lineLength, 20);

    SaveAs(2, QStringLiteral("view"));
    const std::string bitmapPath = folder.Path("view.bmp");
    ASSERT_TRUE(std::filesystem::exists(bitmapPath));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("view")));
    EXPECT_TRUE(Window().SpeedButtonSave->isEnabled());
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(FirstLine(), screenLine);

    // The line alone with a margin of 4 pixels all round (1 % of 2 m on the
    // screen is less), not the whole window.
    QImage bitmap(QString::fromStdString(bitmapPath));
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), QSize(lineLength + 8, 8));
    EXPECT_EQ(bitmap.dotsPerMeterX(), qRound(program.View.PixelsPerMetre));
    for (int x = 0; x < bitmap.width(); ++x) {
        const bool onLine = x >= 4 && x < 4 + lineLength;
        EXPECT_EQ(bitmap.pixel(x, 4), onLine ? DarkRed : White) << "x = " << x;
        EXPECT_EQ(bitmap.pixel(x, 3), White) << "x = " << x;
    }

    // Save follows the picture type, even with the data changed, without a
    // dialog.
    std::filesystem::remove(bitmapPath);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(bitmapPath));
    EXPECT_EQ(fileDialogs.size(), 1u);
    // Until the data type is chosen again.
    SaveAs(1, QStringLiteral("again"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path("again.qrv")));
    std::filesystem::remove(bitmapPath);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(std::filesystem::exists(bitmapPath));
}

TEST_F(DrawingExport, TheTypeListChangesTheProposedNameAndStaysChosenAcrossLanguages)
{
    StartOnLine();
    // The name the type change leaves in the field is recorded at once;
    // the choice is then typed, as the dialog may still be filling its
    // folder view and reselect.
    SaveAs(3, QStringLiteral("model"));
    ASSERT_FALSE(fileDialogs.empty());
    // The data file's name without its extension, which the dialog may show
    // with its default one.
    EXPECT_EQ(WithExtension(fileDialogs.front().proposed, {}), QString::fromStdString(folder.Path("model")));
    EXPECT_EQ(fileDialogs.front().filters.size(), 7);
    EXPECT_EQ(fileDialogs.front().nameAfterTypeChange, QStringLiteral("model.emf"));
    const std::string metafilePath = folder.Path("model.emf");
    ASSERT_TRUE(std::filesystem::exists(metafilePath));

    // A metafile at ten times the screen's resolution, framed at its
    // physical size.
    const EmfReader metafile(FileBytes(metafilePath));
    ASSERT_EQ(metafile.Error(), "");
    const int width = metafile.Header().Bounds.Right + 1;
    const int lineLength = FirstLine()[2] - FirstLine()[0];
    EXPECT_NEAR(width, 10 * lineLength + 8, 10);
    EXPECT_EQ(metafile.Header().Frame.Right, MetafileFrameSize(width, DotsPerInch()));

    program.Main.CurrentLanguage = Language::German;
    Window().SetMainCaptions(Language::German);
    const std::size_t seen = fileDialogs.size();
    SaveAs(3, QString());  // cancelled
    ASSERT_GT(fileDialogs.size(), seen);
    const FileDialogSeen& second = fileDialogs.back();
    EXPECT_EQ(second.filter, second.filters.value(2));
    EXPECT_TRUE(second.filter.startsWith(QStringLiteral("Vektorgrafik-Dateien")));
    EXPECT_EQ(WithExtension(second.proposed, {}), QString::fromStdString(folder.Path("model")));
}

TEST_F(DrawingExport, CopyOffersTheVectorPictureAndTheBitmapTogetherAtTheirPhysicalSize)
{
    StartOnLine("ClipboardBugfixScalingFactor=2\r\n");
    const std::array<int, 4> screenLine = FirstLine();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(FirstLine(), screenLine);

    const QMimeData& clipboard = Clipboard();
    for (const char* format : {"image/emf", "image/x-emf", "image/svg+xml"})
        EXPECT_TRUE(clipboard.hasFormat(QLatin1String(format))) << format;
    ASSERT_TRUE(clipboard.hasImage());
    const QImage bitmap = qvariant_cast<QImage>(clipboard.imageData());
    EXPECT_EQ(bitmap.size(), QSize(screenLine[2] - screenLine[0] + 8, 8));

    const QByteArray emfBytes = clipboard.data(QStringLiteral("image/emf"));
    EXPECT_EQ(clipboard.data(QStringLiteral("image/x-emf")), emfBytes);
    const EmfReader metafile(Bytes(emfBytes));
    ASSERT_EQ(metafile.Error(), "");
    const int width = metafile.Header().Bounds.Right + 1;
    const int height = metafile.Header().Bounds.Bottom + 1;
    // The clipboard factor halves the dots per inch and so doubles the size.
    const int dotsPerInch = DotsPerInch();
    EXPECT_EQ(dotsPerInch, MetafileDotsPerInch(ScreenPixels(), program.View.ScreenWidth, 1) / 2);
    EXPECT_EQ(metafile.Header().Frame.Right, MetafileFrameSize(width, dotsPerInch));
    EXPECT_EQ(metafile.Header().Frame.Bottom, MetafileFrameSize(height, dotsPerInch));

    // The SVG has the same physical size.
    const QString svg = QString::fromUtf8(clipboard.data(QStringLiteral("image/svg+xml")));
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("<svg[^>]* width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""))
            .match(svg);
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble(), metafile.Header().Frame.Right / 100.0, 0.01);
    EXPECT_NEAR(size.captured(2).toDouble(), metafile.Header().Frame.Bottom / 100.0, 0.01);

    // The drawing's pop-up item does the same.
    QGuiApplication::clipboard()->clear();
    Window().PopupMenuImageCopy->trigger();
    EXPECT_TRUE(Clipboard().hasFormat(QStringLiteral("image/emf")));
}

TEST_F(DrawingExport, AnEmptyModelGivesPicturesOfTheMarginOnly)
{
    StartOn("just a note\r\n");
    Activate(Window());
    Press(Qt::Key_C, Qt::ControlModifier);
    const QImage bitmap = qvariant_cast<QImage>(Clipboard().imageData());
    ASSERT_EQ(bitmap.size(), QSize(8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), White);
    const QByteArray emfBytes = Clipboard().data(QStringLiteral("image/emf"));
    const EmfReader metafile(Bytes(emfBytes));
    ASSERT_EQ(metafile.Error(), "");
    EXPECT_EQ(metafile.Header().Bounds.Right + 1, 8);
}

TEST_F(DrawingExport, ADrawingLargerThanTheWindowIsCutToTheWindowsView)
{
    // At 1 : 1 the line is far wider than the window.
    StartOnLine({}, "[Scales]\r\nScale=1\r\nScale1=1\r\n");
    Press(Qt::Key_C, Qt::ControlModifier);
    const QImage bitmap = qvariant_cast<QImage>(Clipboard().imageData());
    const int visible = Window().Drawing().ImageWidth / 2 * 2;
    EXPECT_EQ(bitmap.width(), visible + 2 * std::max(4, qRound(visible * 0.01)));
    for (int x = 0; x < bitmap.width(); ++x)
        EXPECT_EQ(bitmap.pixel(x, bitmap.height() / 2), DarkRed) << "x = " << x;
}

TEST_F(DrawingExport, TheCloseQuestionsSaveAsWithAPictureTypeFillsTheClipboardAndKeepsTheWindow)
{
    StartOnLine();
    SaveAs(2, QStringLiteral("view"));
    std::filesystem::remove(folder.Path("view.bmp"));
    Activate(Table());
    Click(1, 1);
    TypeText("5");
    Activate(Window());
    ASSERT_TRUE(windows->Data().TableChanged());
    QGuiApplication::clipboard()->clear();

    answers = {QMessageBox::Yes};
    typeChoices = {2};
    fileChoices = {QString::fromStdString(folder.Path("closing"))};
    Window().close();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder.Path("closing.bmp")));
    EXPECT_TRUE(Clipboard().hasImage());
    EXPECT_TRUE(Clipboard().hasFormat(QStringLiteral("image/emf")));
}

TEST_F(DrawingExport, APictureThatCannotBeWrittenIsReportedAndTheWindowStaysUsable)
{
    StartOnLine();
    const std::array<int, 4> screenLine = FirstLine();
    // A folder stands where the picture should go; the name typed has
    // another extension, which the bitmap's replaces.
    std::filesystem::create_directories(folder.Path("view.bmp"));
    answers = {QMessageBox::Yes};  // replace it
    SaveAs(2, QStringLiteral("view.png"));
    ASSERT_EQ(dismissed.size(), 2);
    EXPECT_TRUE(dismissed[1].contains(QString::fromStdString(folder.Path("view.bmp"))));
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_EQ(FirstLine(), screenLine);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("view.bmp")));
}

// The page size pdfinfo reports, in points.
QSizeF PdfPageSize(const std::string& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    info.waitForFinished(60000);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    return size.hasMatch() ? QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())
                           : QSizeF();
}

TEST_F(DrawingExport, SvgAndPdfFilesHaveTheVectorPicturesPhysicalSize)
{
    StartOnLine();
    SaveAs(4, QStringLiteral("view"));
    const QString svg = QString::fromUtf8(FileData(folder.Path("view.svg")));
    ASSERT_TRUE(svg.startsWith(QStringLiteral("<?xml")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<path")));

    SaveAs(5, QStringLiteral("view"));
    const std::string pdfPath = folder.Path("view.pdf");
    const QByteArray pdf = FileData(pdfPath);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));  // a mono drawing as vectors
    // One page as large as the SVG says, in points.
    const QRegularExpressionMatch millimetres =
        QRegularExpression(QStringLiteral("<svg[^>]* width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""))
            .match(svg);
    ASSERT_TRUE(millimetres.hasMatch());
    const QSizeF page = PdfPageSize(pdfPath);
    EXPECT_NEAR(page.width(), millimetres.captured(1).toDouble() / 25.4 * 72, 1.0);
    EXPECT_NEAR(page.height(), millimetres.captured(2).toDouble() / 25.4 * 72, 1.0);
    // Save writes the PDF again.
    std::filesystem::remove(pdfPath);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(pdfPath));
}

TEST_F(DrawingExport, AnAnaglyphPdfHoldsItsPictureWithoutLoss)
{
    StartOnLine("ShowAnaglyph=1\r\n");
    SaveAs(5, QStringLiteral("view"));
    const QByteArray pdf = FileData(folder.Path("view.pdf"));
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
}

}  // namespace
}  // namespace quorvane::testing
