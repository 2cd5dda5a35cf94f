#include "MainWindowFixture.h"

#include "UnitLanguage.h"

#include <QDir>
#include <QTimer>

namespace quorvane::testing {
namespace {

using MainWindowStart = MainWindowFixture;

TEST_F(MainWindowStart, WithoutSettingsFileShowsTheSampleWithTheDefaults)
{
    Start();
    EXPECT_EQ(Azimuth(), 30);
    EXPECT_EQ(Elevation(), 30);
    EXPECT_EQ(Scale(), "1 : 100");
    EXPECT_EQ(program.Main.ScaleList, (std::vector<int>{1, 100}));
    EXPECT_EQ(program.Main.QrvFile, folder.Path("bin/QRV sample files/Yagi antenna.qrv"));
    EXPECT_TRUE(program.RememberQrvFile);
    EXPECT_EQ(program.Table.LineCount, 15);
    EXPECT_FALSE(Window().SpeedButtonShowLineNumbers->isChecked());
    EXPECT_TRUE(Window().SpeedButtonDrawingCentered->isChecked());
    EXPECT_TRUE(Window().SpeedButtonProjection->isChecked());
    EXPECT_FALSE(Window().SpeedButtonShowAnaglyph->isChecked());
    EXPECT_EQ(program.Main.CurrentLanguage, Language::English);
    EXPECT_EQ(Window().windowTitle().toStdString(),
              " Quorvane - " + folder.Path("bin/QRV sample files/Yagi antenna.qrv"));
    EXPECT_EQ(program.Activity, ActivityState::Idle);
    EXPECT_TRUE(Window().TrackBarAzimuth->hasFocus());
    EXPECT_EQ(Window().minimumSize(), QSize(550, 240));

    // The sample is drawn: dark red lines on white.
    const QImage& image = Window().Image->Canvas().Image();
    int linePixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            linePixels += image.pixel(x, y) == 0xFF800000u ? 1 : 0;
    EXPECT_GT(linePixels, 100);
    EXPECT_EQ(image.width(), Window().Image->width());
}

TEST_F(MainWindowStart, AngleLabelsStayInsideTheWindowAndMarkTheirTicks)
{
    Start();
    for (int width : {550, 800}) {
        Window().resize(width, 400);
        QApplication::processEvents();
        for (const QLabel* label : Window().AzimuthScaleLabels)
            EXPECT_LE(label->x() + label->width(), Window().width()) << label->text().toStdString();
        // The 0° label stands 2 pixels right of the middle of the slider's track.
        const QLabel* zero = Window().AzimuthScaleLabels[6];
        const QSlider* slider = Window().TrackBarAzimuth;
        EXPECT_EQ(zero->x() + zero->width() / 2, slider->x() + slider->width() / 2 + 2);
        // Visible labels never overlap.
        int right = -1;
        for (const QLabel* label : Window().AzimuthScaleLabels) {
            if (!label->isVisible())
                continue;
            EXPECT_GT(label->x(), right) << label->text().toStdString();
            right = label->x() + label->width();
        }
        EXPECT_TRUE(Window().AzimuthScaleLabels[0]->isVisible());
        EXPECT_TRUE(Window().AzimuthScaleLabels[12]->isVisible());
    }
}

TEST_F(MainWindowStart, GarbageSettingsStartWithDefaults)
{
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    WriteSettings(garbage);
    Start();
    EXPECT_EQ(Azimuth(), 30);
    EXPECT_EQ(Scale(), "1 : 100");
    EXPECT_EQ(program.Table.LineCount, 15);
}

TEST_F(MainWindowStart, OddSettingsAreHeldToSoundValues)
{
    WriteSettings("[General]\r\nScreenWidth=0\r\nLanguage=7\r\nAzimuth=45\r\nElevation=-20\r\n"
                  "ShowLineNumbers=1\r\nShowAnaglyph=1\r\nAutoReadQrvFile=0\r\n"
                  "[Scales]\r\nScale=700\r\nScale1=100\r\nScale2=500\r\nScale3=1000\r\n"
                  "[FormMain]\r\nLeft=-5000\r\nTop=-100\r\nWidth=300\r\nHeight=100\r\n");
    Start();
    EXPECT_EQ(Azimuth(), 45);
    EXPECT_EQ(Elevation(), -20);
    EXPECT_EQ(Scale(), "1 : 500");  // 700 lies nearer to 500 than to 1000 in ratio
    EXPECT_EQ(program.Main.ScaleList, (std::vector<int>{1, 100, 500, 1000}));
    EXPECT_GT(program.View.ScreenWidth, 0.0);
    EXPECT_EQ(program.Main.CurrentLanguage, Language::English);
    EXPECT_TRUE(Window().SpeedButtonShowAnaglyph->isChecked());
    EXPECT_TRUE(Window().SpeedButtonShowLineNumbers->isChecked());
    EXPECT_EQ(program.Table.LineCount, 0);  // the last file is not read
    // At least 32 pixels of the window stay on the work area, and the
    // window keeps its minimum size.
    EXPECT_GE(program.Main.Left + Window().width(), 32);
    EXPECT_GE(Window().y(), 0);
    EXPECT_GE(Window().width(), 550);
    EXPECT_GE(Window().height(), 240);
}

TEST_F(MainWindowStart, AStoredScaleBeyondTheListIsHeldToItsEnds)
{
    for (const char* stored : {"0", "-40"}) {
        WriteSettings(std::string("[Scales]\r\nScale=") + stored +
                      "\r\nScale1=50\r\nScale2=500\r\n");
        Start();
        // After start the list begins with 1 : 1.
        EXPECT_EQ(Scale(), "1 : 1") << stored;
        windows.reset();
    }
    WriteSettings("[Scales]\r\nScale=90000\r\nScale1=50\r\nScale2=500\r\n");
    Start();
    EXPECT_EQ(Scale(), "1 : 500");
}

TEST_F(MainWindowStart, AnArgumentNamesTheFileAndKeepsTheSettingsFile)
{
    WriteSettings("[General]\r\nAzimuth=10\r\n");
    folder.Write("model.qrv", "0,0,0,1,1,1,a\r\n0,0,0,2,0,0,b\r\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.Path("")));
    Start({QStringLiteral("model.qrv")});
    QDir::setCurrent(previous);
    EXPECT_EQ(program.Main.QrvFile, folder.Path("model.qrv"));
    EXPECT_FALSE(program.RememberQrvFile);
    EXPECT_EQ(program.Table.LineCount, 2);
    Press(Qt::Key_Right);
    Window().close();
    EXPECT_EQ(ReadSettings(), "[General]\r\nAzimuth=10\r\n");
}

TEST_F(MainWindowStart, AMissingOrUnreadableArgumentGivesAnEmptyModel)
{
    std::filesystem::create_directory(folder.Path("folder.qrv"));
    for (const char* name : {"missing.qrv", "folder.qrv"}) {
        program = ProgramState();
        ReadScreenMetrics(program);
        Start({QString::fromStdString(folder.Path(name))});
        EXPECT_EQ(program.Table.LineCount, 0) << name;
        EXPECT_EQ(program.Table.CompleteLineCount, 0) << name;
        windows.reset();
    }
    // Only the folder is worth a message.
    ASSERT_EQ(dismissed.size(), 1u);
    EXPECT_TRUE(dismissed[0].startsWith(QStringLiteral("Dateizugriff verweigert")));
}

TEST_F(MainWindowStart, ClosingWritesTheSettingsBack)
{
    Start();
    Press(Qt::Key_Left);
    Type('-');
    Window().close();
    const std::string text = ReadSettings();
    EXPECT_NE(text.find("[General]\r\nSaveSettings=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Azimuth=29\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Elevation=30\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Scales]\r\nScale=100\r\nScale1=100\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("QrvFile=" + folder.Path("bin/QRV sample files/Yagi antenna.qrv")),
              std::string::npos);
    EXPECT_NE(text.find("[FormMain]\r\nWindowState=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[FormDataTable]"), std::string::npos);
    EXPECT_EQ(text.find("UpDownScaleTabStop"), std::string::npos);

    // The next start takes up where this one ended.
    windows.reset();
    program = ProgramState();
    ReadScreenMetrics(program);
    Start();
    EXPECT_EQ(Azimuth(), 29);
}

TEST_F(MainWindowStart, AWindowMaximisedAtClosingKeepsItsNormalPlaceWithItsFrame)
{
    WriteSettings("[FormMain]\r\nLeft=100\r\nTop=80\r\nWidth=600\r\nHeight=400\r\n");
    Start();
    WaitForFrame(Window());
    EXPECT_EQ(Window().frameGeometry().topLeft(), QPoint(100, 80));
    Window().showMaximized();
    WaitForMaximised(Window());
    Window().close();
    const std::string text = ReadSettings();
    const std::string section = text.substr(text.find("[FormMain]"));
    for (const char* key : {"WindowState=2\r\n", "Left=100\r\n", "Top=80\r\n", "Width=600\r\n",
                            "Height=400\r\n"})
        EXPECT_NE(section.find(key), std::string::npos) << key << text;
}

TEST_F(MainWindowStart, AStoredMinimisedWindowStartsMinimised)
{
    WriteSettings("[FormMain]\r\nWindowState=1\r\n");
    windows = std::make_unique<ProgramWindows>(
        program, QString::fromStdString(folder.Path("bin/Quorvane")), QStringList());
    EXPECT_TRUE(Window().isMinimized());
    Window().close();
    EXPECT_NE(ReadSettings().find("WindowState=1\r\n"), std::string::npos);
}

TEST_F(MainWindowStart, CaptionsFollowTheLanguage)
{
    Start();
    Window().SetMainCaptions(Language::German);
    EXPECT_EQ(Window().SpeedButtonHelp->toolTip(), "Hilfe (F1)");
    EXPECT_EQ(Window().SpeedButtonShowLineNumbers->toolTip(), "Seiten-Nummern anzeigen (Alt+N)");
    EXPECT_EQ(Window().TrackBarAzimuth->toolTip(),
              "Azimutwinkel des Betrachters  (30°)\n(Mausrad und Tasten Cursor links und rechts)");
    EXPECT_EQ(Window().TrackBarElevation->toolTip(),
              "Elevationswinkel des Betrachters  (30°)\n(Mausrad und Tasten Cursor auf und ab)");
    Window().SetMainCaptions(Language::English);
    EXPECT_EQ(Window().SpeedButtonProjection->toolTip(), "Vanishing point projection (ALT+P)");
    EXPECT_EQ(Window().PanelScale->toolTip(), "Scale");
}

TEST(Language, GermanSpeakingCountriesGetGerman)
{
    EXPECT_EQ(DefaultLanguageFor(QLocale(QLocale::German, QLocale::Austria)), Language::German);
    EXPECT_EQ(DefaultLanguageFor(QLocale(QLocale::German, QLocale::Germany)), Language::German);
    EXPECT_EQ(DefaultLanguageFor(QLocale(QLocale::German, QLocale::Liechtenstein)),
              Language::German);
    EXPECT_EQ(DefaultLanguageFor(QLocale(QLocale::German, QLocale::Belgium)), Language::English);
    EXPECT_EQ(DefaultLanguageFor(QLocale(QLocale::French, QLocale::France)), Language::English);
    EXPECT_EQ(HelpFileName(QStringLiteral("/opt/q/"), Language::German), "/opt/q/German.html");
}

TEST(Language, TheGermanFlagHasItsGoldBand)
{
    const QImage flag = LanguageBanner(Language::German).toImage();
    ASSERT_EQ(flag.size(), QSize(16, 16));
    for (int y = 10; y <= 14; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(flag.pixel(x, y) & 0xFFFFFF, 0xFFE000u) << x << "," << y;
}

}  // namespace
}  // namespace quorvane::testing
