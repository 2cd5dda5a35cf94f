#include "ColorSample.h"
#include "DataTableFixture.h"
#include "FormSettings.h"
#include "PdfPrinters.h"
#include "PrinterChooser.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>

namespace quorvane::testing {
namespace {

const std::string OneLine = "1,2,3,4,5,6,wire\r\n";

class SettingsDialog : public DataTableFixture {
protected:
    void StartOnModel(const std::string& sections = {})
    {
        StartOn(OneLine, {}, sections);
        Activate(Window());
    }
    FormSettings& Dialog() { return windows->Settings(); }

    // Opens the dialog from the Settings button and runs `steps` in it;
    // the steps end it, as the user would.
    void WithDialog(const std::function<void(FormSettings&)>& steps)
    {
        QTimer::singleShot(0, [this, steps] {
            ASSERT_TRUE(Dialog().isVisible());
            steps(Dialog());
            if (Dialog().isVisible())
                Dialog().ButtonCancel->click();
        });
        Window().SpeedButtonSettings->click();
    }
    static void TypeSeparator(FormSettings& d, const QString& text)
    {
        d.ComboBoxDataSeparatorChar->setCurrentIndex(-1);
        d.ComboBoxDataSeparatorChar->setEditText(text);
    }
};

TEST_F(SettingsDialog, ATypedSeparatorJoinsTheSetAndSplitsTheNextFileRead)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        TypeSeparator(d, QStringLiteral(" | "));
        d.ButtonOk->click();
    });
    EXPECT_EQ(program.DataFileValues.DataSeparator, '|');
    EXPECT_EQ(Dialog().CustomSeparator, '|');
    EXPECT_TRUE(program.DataFileValues.SeparatorSet['|']);
    EXPECT_TRUE(program.DataFileValues.SeparatorSet[';']);

    folder.Write("bars.qrv", "1|2|3;4 5\t6|bar\r\n");
    Table().ReadFile(folder.Path("bars.qrv"));
    const LineRecord& line = program.Table.Record(1);
    EXPECT_TRUE(line.Complete);
    EXPECT_EQ((std::array{line.X1, line.Y1, line.Z1, line.X2, line.Y2, line.Z2}),
              (std::array{1.0, 2.0, 3.0, 4.0, 5.0, 6.0}));
    EXPECT_EQ(Cell(7, 1), "bar");
}

TEST_F(SettingsDialog, ASeparatorOfTwoCharactersIsRefusedInTheLanguageInForce)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        TypeSeparator(d, QStringLiteral("ab"));
        d.SpinEditScreenWidth->setValue(400);
        d.ButtonApply->click();
        // Choosing German changes the dialog at once, the message comes in
        // the program's language until applied.
        d.ComboBoxLanguage->setCurrentIndex(1);
        EXPECT_EQ(d.ButtonCancel->text(), QStringLiteral("Abbrechen"));
        d.ButtonApply->click();
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(dismissed.size(), 2);
    EXPECT_EQ(dismissed[0], QStringLiteral("The data separator must be a single character.  "));
    EXPECT_EQ(dismissed[1], QStringLiteral("The data separator must be a single character.  "));
    EXPECT_EQ(program.DataFileValues.DataSeparator, ',');
    EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.3);
    EXPECT_EQ(program.Main.CurrentLanguage, Language::English);
    EXPECT_EQ(Window().SpeedButtonSettings->toolTip(), QStringLiteral("Settings (CTRL+E)"));

    // Once German is the program's language, so is the message.
    program.Main.CurrentLanguage = Language::German;
    WithDialog([](FormSettings& d) {
        TypeSeparator(d, QString());
        d.ButtonApply->click();
    });
    EXPECT_EQ(dismissed.last(),
              QStringLiteral("Das Daten-Trennzeichen muss ein einzelnes Zeichen sein.  "));
}

TEST_F(SettingsDialog, ScaleLinesAreCleanedAndATooLargeOneStopsEverything)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        d.MemoScales->setPlainText(QStringLiteral("007\n\n0\n20"));
        d.ButtonApply->click();
        EXPECT_EQ(d.MemoScales->toPlainText(), QStringLiteral("7\n20"));
        d.ButtonOk->click();
    });
    EXPECT_EQ(program.Main.ScaleList, (std::vector<int>{7, 7, 20}));
    EXPECT_EQ(Scale(), QStringLiteral("1 : 20"));

    WithDialog([](FormSettings& d) {
        d.MemoScales->setPlainText(QString());
        d.ButtonOk->click();
    });
    EXPECT_EQ(program.Main.ScaleList, (std::vector<int>{100, 100}));

    WithDialog([](FormSettings& d) {
        d.SpinEditScreenWidth->setValue(400);
        d.MemoScales->setPlainText(QStringLiteral("5\n2147483648"));
        d.ButtonApply->click();
    });
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_TRUE(dismissed[0].contains(QStringLiteral("2147483648")));
    EXPECT_EQ(program.Main.ScaleList, (std::vector<int>{100, 100}));
    EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.3);
}

TEST_F(SettingsDialog, ApplyThenCancelStillAppliesAndTheCloseBoxAloneAppliesNothing)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        d.SpinEditRotateAzimuthTimeInterval->setValue(100);
        d.SpinEditAzimuthAngularVelocity->setValue(20);
        d.ButtonApply->click();
        d.SpinEditScreenWidth->setValue(500);
        d.ButtonCancel->click();
    });
    // What the fields held at the close counts, and the main window follows.
    EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.5);
    EXPECT_EQ(Window().TimerRotateAzimuth->interval(), 100);
    EXPECT_DOUBLE_EQ(Window().RotationStep(), 2.0);
    EXPECT_FALSE(Window().SpeedButtonSettings->isChecked());

    WithDialog([](FormSettings& d) {
        d.SpinEditScreenWidth->setValue(600);
        d.close();
    });
    EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.5);
}

TEST_F(SettingsDialog, EnterInANumberFieldIsOkAndAValueBeyondItsLimitsIsBroughtWithin)
{
    StartOnModel();
    WithDialog([this](FormSettings& d) {
        // Typed, not yet corrected by the field, and applied at once: the
        // screen width must not become 0, and text that is no number counts
        // as the lower limit.
        QLineEdit* edit = d.SpinEditScreenWidth->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        d.SpinEditScreenWidth->setFocus();
        edit->setText(QStringLiteral("0"));
        d.ButtonApply->click();
        EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.05);
        EXPECT_GT(program.View.PixelsPerMetre, 0);
        edit->setText(QStringLiteral("many"));
        d.ButtonApply->click();
        EXPECT_DOUBLE_EQ(program.View.ScreenWidth, 0.05);
        d.SpinEditViewerDistance->setFocus();
        d.SpinEditViewerDistance->setValue(150);
        QTest::keyClick(d.SpinEditViewerDistance, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_DOUBLE_EQ(program.View.ViewerScreenDistance, 1.5);

    WithDialog([](FormSettings& d) {
        d.SpinEditViewerDistance->setValue(50);
        QTest::keyClick(d.SpinEditViewerDistance, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_DOUBLE_EQ(program.View.ViewerScreenDistance, 1.5);
}

TEST_F(SettingsDialog, ANumberBeyondItsFieldsLimitsBecomesTheNearestOneWhenTheFieldIsLeft)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        QSpinBox* factor = d.SpinEditClipboardBugFixScalingFactor;  // 50 .. 150
        for (const auto& [typed, shown] : {std::pair{"10", 50}, std::pair{"1000", 150}}) {
            factor->selectAll();
            QTest::keyClicks(factor, QString::fromLatin1(typed));
            EXPECT_EQ(factor->text(), QString::fromLatin1(typed));
            QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(factor, &leaving);
            EXPECT_EQ(factor->value(), shown) << typed;
            EXPECT_EQ(factor->text(), QString::number(shown)) << typed;
        }
        d.ButtonOk->click();
    });
    EXPECT_DOUBLE_EQ(program.Main.ClipboardBugfixScalingFactor, 1.5);
}

TEST_F(SettingsDialog, AnEmptyScreenFontBecomesArialWithAMessageAndTheRestIsStored)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        d.ComboBoxScreenFontName->setEditText(QStringLiteral("  "));
        d.ComboBoxLanguage->setCurrentIndex(1);
        d.CheckBoxSaveSettings->setChecked(false);
        d.ButtonOk->click();
    });
    ASSERT_EQ(dismissed.size(), 1);
    EXPECT_EQ(dismissed[0], QStringLiteral("Invalid screen font name  "));
    EXPECT_EQ(program.View.ScreenFontName, "Arial");
    EXPECT_FALSE(program.Main.SaveSettings);
    EXPECT_EQ(program.Main.CurrentLanguage, Language::German);
    EXPECT_EQ(Window().SpeedButtonSettings->toolTip(), QStringLiteral("Einstellungen (Strg+E)"));
}

TEST_F(SettingsDialog, ColoursGoToTheDrawingAndCustomColoursAreRememberedWithoutSavedSettings)
{
    StartOnModel("[General]\r\nSaveSettings=0\r\n[Colors]\r\nColorB=FF8000\r\n");
    EXPECT_EQ(QColorDialog::customColor(1), QColor(0x00, 0x80, 0xFF));
    WithDialog([](FormSettings& d) {
        d.ShapeLineColor->SetValue(0x00FF00);
        d.PageControlSettings->setCurrentIndex(FormSettings::TabScales);
        d.ButtonOk->click();
    });
    EXPECT_EQ(program.View.LineColor, Color(0x00FF00));
    EXPECT_EQ(LinePixels(), 0);  // no longer the old dark red
    QColorDialog::setCustomColor(3, QColor(0x12, 0x34, 0x56));
    windows.reset();
    const std::string settings = ReadSettings();
    EXPECT_NE(settings.find("ColorB=FF8000"), std::string::npos);
    EXPECT_NE(settings.find("ColorD=563412"), std::string::npos);
    EXPECT_NE(settings.find("ActiveTabSheetIndex=2"), std::string::npos);
    EXPECT_EQ(settings.find("ColorC=F"), std::string::npos);
}

TEST_F(SettingsDialog, ColourSamplesStandInOneColumnBesideTheirLabelsInBothLanguages)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabColors);
        for (int language : {0, 1}) {
            d.ComboBoxLanguage->setCurrentIndex(language);
            QApplication::processEvents();
            const ColorSample* samples[] = {d.ShapeBackgroundColor, d.ShapeLineColor,
                                            d.ShapeTextColor, d.ShapeAnaglyphBackgroundColor,
                                            d.ShapeAnaglyphColorLeft, d.ShapeAnaglyphColorRight,
                                            d.ShapeWarningColor};
            int widestLabel = 0;
            for (const QLabel* label : d.ColorLabels)
                widestLabel = std::max(widestLabel, label->fontMetrics().horizontalAdvance(label->text()));
            const int column = samples[0]->mapTo(&d, QPoint()).x();
            const int labels = d.ColorLabels[0]->mapTo(&d, QPoint()).x();
            for (const ColorSample* sample : samples)
                EXPECT_EQ(sample->mapTo(&d, QPoint()).x(), column);
            EXPECT_LE(column - (labels + widestLabel), 30) << language;
        }
    });
}

TEST_F(SettingsDialog, ALanguageChosenAndCancelledKeepsItsHelpButNotTheDialogsTexts)
{
    StartOnModel();
    WithDialog([](FormSettings& d) {
        d.ComboBoxLanguage->setCurrentIndex(1);
        d.ButtonCancel->click();
    });
    EXPECT_TRUE(QString::fromStdString(program.HelpFile).endsWith(QStringLiteral("German.html")))
        << program.HelpFile;
    EXPECT_EQ(program.Main.CurrentLanguage, Language::English);
    WithDialog([](FormSettings& d) {
        EXPECT_EQ(d.ButtonCancel->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(d.ComboBoxLanguage->currentIndex(), 0);
    });
}

TEST_F(SettingsDialog, WithoutAPrinterTheRememberedPrinterPageOpensAsGeneral)
{
    auto none = std::make_unique<PdfPrinters>(QString::fromStdString(folder.Path("p.pdf")), 600,
                                              4.2, false);
    printers = std::move(none);
    StartOnModel("[FormSettings]\r\nActiveTabSheetIndex=3\r\n");
    WithDialog([](FormSettings& d) {
        EXPECT_EQ(d.PageControlSettings->currentIndex(), FormSettings::TabGeneral);
        EXPECT_FALSE(d.PageControlSettings->isTabVisible(FormSettings::TabPrinter));
    });
}

// The dialog comes back where the user left it, in this run and the next,
// with the window manager's frame around it where the platform has one.
TEST_F(SettingsDialog, ComesBackWhereTheUserLeftItWithItsFrame)
{
    StartOnModel();
    const QPoint place(300, 200);
    const auto insideAt = [place](FormSettings& d) {
        WaitForFrame(d);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.geometry().topLeft() == place; }, 10000))
            << d.geometry().x() << "," << d.geometry().y();
    };
    WithDialog([place](FormSettings& d) {
        // Dragged by its title bar: the frame moves, the inside with it.
        WaitForFrame(d);
        d.move(place - (d.geometry().topLeft() - d.frameGeometry().topLeft()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.geometry().topLeft() == place; }, 10000));
        d.ButtonCancel->click();
    });
    for (int run = 0; run < 3; ++run) {
        WithDialog(insideAt);
        // The next run takes the place from the settings file.
        windows.reset();
        program = ProgramState();
        ReadScreenMetrics(program);
        Start();
        Activate(Window());
        // A dialog never opened in a run keeps its place too.
        if (run == 1) {
            windows.reset();
            Start();
            Activate(Window());
        }
    }
    WithDialog(insideAt);
    // Only the close box: the dialog has a fixed size.
    EXPECT_TRUE(Dialog().windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(Dialog().windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

class PrinterPage : public SettingsDialog {
protected:
    void SetUp() override
    {
        auto pdf = std::make_unique<PdfPrinters>(QString::fromStdString(folder.Path("p.pdf")));
        pdf->printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        source = pdf.get();
        printers = std::move(pdf);
        StartOnModel("[Printer]\r\nOrientation=0\r\nMarginLeft0=5\r\nMarginRight0=5\r\n"
                     "MarginTop0=20\r\nMarginBottom0=15\r\nMarginLeft1=30\r\n");
    }
    // The columns of a preview row in the frame's silver.
    static std::vector<int> SilverColumns(const QLabel* picture, int y)
    {
        const QImage image = picture->pixmap().toImage();
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0)
                columns.push_back(x);
        return columns;
    }
    PdfPrinters* source = nullptr;
};

TEST_F(PrinterPage, ThePreviewFramesTheMarginsInPreviewPixels)
{
    WithDialog([](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
        ASSERT_TRUE(d.PreviewImages[0]->isVisible());
        EXPECT_FALSE(d.PreviewImages[1]->isVisible());
        // 5 mm of 210 mm in 150 pixels are 4 pixels (3.57 rounded); the
        // frame's left and right columns stand there.
        ASSERT_EQ(d.PreviewImages[0]->width(), 150);
        EXPECT_EQ(SilverColumns(d.PreviewImages[0], 100), (std::vector<int>{4, 145}));
    });
    EXPECT_EQ(program.Page.WidthMillimetres, 210);
}

TEST_F(PrinterPage, EachOrientationKeepsItsOwnMarginsAndCancelKeepsTheStoredOnes)
{
    WithDialog([](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
        d.PageOrientationItems[1]->click();
        EXPECT_TRUE(d.PreviewImages[1]->isVisible());
        EXPECT_EQ(d.SpinEditMarginLeft->value(), 30);
        d.SpinEditMarginLeft->setValue(40);
        d.PageOrientationItems[0]->click();
        EXPECT_EQ(d.SpinEditMarginLeft->value(), 5);
        d.ButtonCancel->click();
    });
    EXPECT_EQ(program.Main.PrinterOrientation, 0);
    EXPECT_EQ(program.Main.MarginLeft[1], 30);

    WithDialog([](FormSettings& d) {
        d.PageOrientationItems[1]->click();
        d.SpinEditMarginLeft->setValue(40);
        d.ComboBoxPrinterFontSize->setEditText(QStringLiteral("500"));
        d.ButtonOk->click();
    });
    EXPECT_EQ(program.Main.PrinterOrientation, 1);
    EXPECT_EQ(program.Main.MarginLeft[1], 40);
    EXPECT_EQ(program.Main.MarginLeft[0], 5);
    EXPECT_EQ(program.Main.PrinterFontSize, 500);
    EXPECT_EQ(program.Page.WidthMillimetres, 297);
}

TEST_F(PrinterPage, BadPrinterFontValuesAreReplacedWithMessagesInTheNewLanguage)
{
    WithDialog([](FormSettings& d) {
        d.ComboBoxLanguage->setCurrentIndex(1);
        d.ComboBoxPrinterFontName->setEditText(QString());
        d.ComboBoxPrinterFontSize->setEditText(QStringLiteral("ten"));
        d.ButtonOk->click();
    });
    ASSERT_EQ(dismissed.size(), 2);
    EXPECT_EQ(dismissed[0], QStringLiteral("Unzulässige Drucker-Schriftart  "));
    EXPECT_EQ(dismissed[1], QStringLiteral("Unzulässige Drucker-Schriftgröße  "));
    EXPECT_EQ(program.Main.PrinterFontName, "Arial");
    EXPECT_EQ(program.Main.PrinterFontSize, 10);
}

TEST_F(PrinterPage, ThePreviewTurnsWithTheRotatingModelAndLeavesTheScreensProjection)
{
    WithDialog([this](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
        const QImage before = d.PreviewImages[0]->pixmap().toImage();
        // A quarter turn.
        for (int tick = 0; tick < 225; ++tick)
            Window().TimerRotateAzimuthOnTimer();
        EXPECT_NE(d.PreviewImages[0]->pixmap().toImage(), before);
        // What the records hold is the screen's projection, not the page's.
        const LineRecord& line = program.Table.Record(1);
        const std::array<int, 4> stored{line.PX1, line.PY1, line.PX2, line.PY2};
        Window().Drawing().RestoreScreenProjection();
        EXPECT_EQ(stored, (std::array<int, 4>{line.PX1, line.PY1, line.PX2, line.PY2}));
    });
}

TEST_F(PrinterPage, ThePrinterSetUpsOrientationIsTakenOnThePage)
{
    source->orientationChosen = QPageLayout::Landscape;
    WithDialog([](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
        d.ButtonPrinterConfiguration->click();
        EXPECT_TRUE(d.PageOrientationItems[1]->isChecked());
        EXPECT_EQ(d.SpinEditMarginLeft->value(), 30);
        EXPECT_TRUE(d.PreviewImages[1]->isVisible());
        EXPECT_FALSE(d.ComboBoxPrinterFontName->currentText().isEmpty());
    });
    EXPECT_EQ(source->setups, 1);
}

TEST_F(PrinterPage, ThePaperChosenInThePrinterSetUpShapesThePreview)
{
    source->pageSizeChosen = QPageSize(QPageSize::Letter);
    WithDialog([](FormSettings& d) {
        d.PageControlSettings->setCurrentIndex(FormSettings::TabPrinter);
        d.ButtonPrinterConfiguration->click();
        // 5 mm of 215.9 mm: the frame's columns move with the paper.
        const QLabel* picture = d.PreviewImages[0];
        const int margin = qRound(5 / 215.9 * picture->width());
        EXPECT_EQ(SilverColumns(picture, picture->height() / 2),
                  (std::vector<int>{margin, picture->width() - 1 - margin}));
    });
    EXPECT_NEAR(program.Page.WidthMillimetres, 215.9, 0.5);
    EXPECT_NEAR(program.Page.HeightMillimetres, 279.4, 0.5);
}

TEST_F(PrinterPage, FontListsNameEachFamilyOnceWithoutItsFoundry)
{
    WithDialog([](FormSettings& d) {
        for (QComboBox* list : {d.ComboBoxScreenFontName, d.ComboBoxPrinterFontName}) {
            QStringList names;
            for (int i = 0; i < list->count(); ++i)
                names << list->itemText(i);
            EXPECT_FALSE(names.isEmpty());
            EXPECT_EQ(names.filter(QStringLiteral(" [")), QStringList());
            EXPECT_EQ(names.removeDuplicates(), 0);
            // A family that several foundries make is still offered.
            for (const QString& family : QFontDatabase::families()) {
                const qsizetype foundry = family.indexOf(QLatin1String(" ["));
                if (foundry > 0) {
                    EXPECT_TRUE(names.contains(family.left(foundry))) << family.toStdString();
                }
            }
        }
    });
}

// The printer set-up offers the printers, with their own paper, and copes
// with none.
TEST(PrinterSetUp, OffersThePrintersWithTheirPaperAndCopesWithNone)
{
    PrinterChoice office{QStringLiteral("office"), QStringLiteral("Office laser"),
                         QStringLiteral("Room 2"), false,
                         {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)},
                         QPageSize(QPageSize::A4)};
    PrinterChoice plotter{QStringLiteral("plotter"), QString(), QString(), true,
                          {QPageSize(QPageSize::Letter), QPageSize(QPageSize::Legal)},
                          QPageSize(QPageSize::Legal)};
    PrinterChooser chooser({office, plotter}, QString(), QPageSize(QPageSize::A3),
                           QPageLayout::Landscape, Language::German, nullptr);
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Drucker-Einstellungen"));
    ASSERT_EQ(chooser.ComboBoxPrinter->count(), 2);
    EXPECT_EQ(chooser.ComboBoxPrinter->itemText(0), QStringLiteral("Office laser"));
    EXPECT_EQ(chooser.ComboBoxPrinter->itemText(1), QStringLiteral("plotter (Standard)"));
    // The default printer first, with its own paper: A3 it has not.
    EXPECT_EQ(chooser.ChosenPrinter(), QStringLiteral("plotter"));
    EXPECT_EQ(chooser.ChosenPageSize().id(), QPageSize::Legal);
    EXPECT_EQ(chooser.ChosenOrientation(), QPageLayout::Landscape);
    chooser.ComboBoxPrinter->setCurrentIndex(0);
    EXPECT_EQ(chooser.ComboBoxPaperSize->count(), 2);
    EXPECT_TRUE(chooser.LabelPrinterDetails->text().contains(QStringLiteral("Room 2")));
    chooser.ComboBoxPaperSize->setCurrentIndex(1);
    chooser.RadioButtonPortrait->setChecked(true);

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    chooser.ApplyTo(printer);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    PrinterChooser none({}, QString(), QPageSize(QPageSize::A5), QPageLayout::Portrait,
                        Language::English, nullptr);
    EXPECT_FALSE(none.ComboBoxPrinter->isEnabled());
    EXPECT_TRUE(none.ChosenPrinter().isEmpty());
    EXPECT_EQ(none.ChosenPageSize().id(), QPageSize::A5);
    none.ApplyTo(printer);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

}  // namespace
}  // namespace quorvane::testing

namespace quorvane::testing {
namespace {

// Every text a dialog of the toolkit shows on its buttons and labels.
QStringList TextsOf(QDialog& dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    texts.removeAll(QString());
    return texts;
}

// The colour picker, a file dialog and the page set-up, as the program
// opens them.
std::vector<QStringList> ToolkitDialogTexts(QWidget* parent)
{
    QColorDialog colours(parent);
    QFileDialog files(parent);
    files.setOption(QFileDialog::DontUseNativeDialog);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPageSetupDialog page(&printer, parent);
    return {TextsOf(colours), TextsOf(files), TextsOf(page)};
}

TEST_F(SettingsDialog, TheToolkitsDialogsSpeakGermanWhenTheProgramDoesAndEnglishAgainAfter)
{
    StartOnModel("[General]\r\nLanguage=2\r\n");
    for (const QStringList& texts : ToolkitDialogTexts(&Window())) {
        EXPECT_TRUE(texts.contains(QStringLiteral("Abbrechen"))) << texts.join('|').toStdString();
        EXPECT_FALSE(texts.contains(QStringLiteral("Cancel"))) << texts.join('|').toStdString();
    }
    WithDialog([](FormSettings& d) {
        d.ComboBoxLanguage->setCurrentIndex(0);
        d.ButtonApply->click();
        // Applied at once, while the settings dialog is still open.
        const QColorDialog colours(&d);
        EXPECT_EQ(colours.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
                  QStringLiteral("Cancel"));
        d.ButtonOk->click();
    });
    for (const QStringList& texts : ToolkitDialogTexts(&Window()))
        EXPECT_TRUE(texts.contains(QStringLiteral("Cancel"))) << texts.join('|').toStdString();
    // The program's own texts are its own in either language.
    EXPECT_EQ(Window().SpeedButtonSettings->toolTip(), QStringLiteral("Settings (CTRL+E)"));

    WithDialog([](FormSettings& d) {
        d.ComboBoxLanguage->setCurrentIndex(1);
        d.ButtonOk->click();
    });
    const std::vector<QStringList> german = ToolkitDialogTexts(&Window());
    EXPECT_TRUE(german[1].contains(QStringLiteral("Datei&name:")))
        << german[1].join('|').toStdString();
    EXPECT_TRUE(german[0].contains(QStringLiteral("Abbrechen")));
}

}  // namespace
}  // namespace quorvane::testing
