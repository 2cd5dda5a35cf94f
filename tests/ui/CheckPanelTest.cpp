#include "DataTableFixture.h"

#include "CheckPanel.h"
#include "DrawingPictures.h"
#include "FormMain.h"
#include "ImageView.h"
#include "LiveChecks.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

namespace quorvane::testing {
namespace {

// Two wires crossing at right angles in their middles, and a sound third.
const std::string Crossing = "-1,0,0,1,0,0,\r\n0,-1,0,0,1,0,\r\n5,5,5,6,5,5,\r\n";
// A 10 m wire in 3 segments: too long ones at 10 MHz, sound without a
// frequency.
const std::string LongSegments = "0,0,0,10,0,0,GW 1 NS 3 R 0.001\r\n";

class CheckPanelTest : public DataTableFixture {
protected:
    CheckPanel& Panel() { return *Table().PanelChecks; }
    QString Counts() { return Table().ButtonCheckCount->text(); }
    // The checks as they stand once the change's handler has ended.
    void Settle()
    {
        QCoreApplication::processEvents();
        Table().Checks().RefreshNow();
    }
    void ChooseFinding(int entry)
    {
        QTableView& list = *Panel().ListFindings;
        const QRect place = list.visualRect(Panel().List().index(entry, 1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
    }
    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (const QModelIndex& index : Grid().selectionModel()->selectedRows())
            rows.push_back(index.row() + 1);
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    // Pixels of the main window's drawing area in `color`, as the screen
    // shows it, or as the retained image that pictures are made like holds it.
    int ShownPixels(QRgb color)
    {
        return Count(Window().Image->grab().toImage(), color);
    }
    static int Count(const QImage& image, QRgb color)
    {
        const QImage plain = image.convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                count += (plain.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF) ? 1 : 0;
        return count;
    }
};

constexpr QRgb Orange = qRgb(0xFF, 0x90, 0x00);

TEST_F(CheckPanelTest, ChoosingAFindingSelectsItsRowsAndThePanelKeepsTheGridsWidth)
{
    StartOn(Crossing);
    Settle();
    EXPECT_EQ(Counts(), "Checks: 1 error, 0 warnings");
    EXPECT_FALSE(Panel().isVisible());

    const int gridWidth = Grid().width();
    const int windowWidth = Table().width();
    QTest::mouseClick(Table().ButtonCheckCount, Qt::LeftButton);
    ASSERT_TRUE(Panel().isVisible());
    EXPECT_EQ(Grid().width(), gridWidth);
    EXPECT_GT(Table().width(), windowWidth);
    ASSERT_EQ(Panel().List().rowCount(), 1);
    EXPECT_EQ(Panel().List().data(Panel().List().index(0, 2), Qt::DisplayRole), "1, 2");

    Click(4, 3);
    ChooseFinding(0);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Grid().CurrentRow(), 1);

    // The panel's state is kept, the window's width without it.
    Table().RememberWindowState();
    EXPECT_TRUE(program.DataTableValues.ChecksVisible);
    EXPECT_EQ(program.DataTableValues.Width, windowWidth);
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_EQ(Table().width(), windowWidth);

    // Widened at the screen's right edge, the window moves back onto it
    // as far as it fits.
    const QRect screen = Table().screen()->availableGeometry();
    Table().move(screen.right() + 1 - Table().frameGeometry().width(), Table().y());
    QApplication::processEvents();
    Press(Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(Panel().isVisible());
    const QRect frame = Table().frameGeometry();
    EXPECT_EQ(frame.left(), std::max(screen.left(), screen.right() + 1 - frame.width()));
}

TEST_F(CheckPanelTest, AnEditIsCheckedOnceItsKeyIsHandledAndTheCountFollowsInBothLanguages)
{
    StartOn(Crossing);
    Settle();
    EXPECT_EQ(Counts(), "Checks: 1 error, 0 warnings");

    // A coordinate that no longer reads takes its line out, although its
    // text had been shown key by key.
    Click(3, 1);
    TypeText("0-x");
    Press(Qt::Key_Tab);
    Settle();
    EXPECT_FALSE(Lines().Record(1).Complete);
    EXPECT_EQ(Counts(), "Checks: no findings");
    Click(3, 1);
    TypeText("0");
    Press(Qt::Key_Tab);
    Settle();
    EXPECT_EQ(Counts(), "Checks: 1 error, 0 warnings");

    Click(1, 2);
    TypeText("3");  // (3, -1, 0) to (0, 1, 0) passes row 1 beyond its end
    Press(Qt::Key_Tab);
    EXPECT_TRUE(Table().Checks().RefreshDue());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Counts() == "Checks: no findings"; })) << Counts().toStdString();
    EXPECT_EQ(Panel().List().rowCount(), 0);

    program.Main.CurrentLanguage = Language::German;
    Table().SetDataTableCaptions(Language::German);
    EXPECT_EQ(Counts(), QString::fromUtf8("Prüfung: keine Befunde"));
    Click(1, 2);
    TypeText("0");
    Press(Qt::Key_Tab);
    Settle();
    EXPECT_EQ(Counts(), QString::fromUtf8("Prüfung: 1 Fehler, 0 Warnungen"));
    Table().SetChecksVisible(true);
    EXPECT_EQ(Panel().List().data(Panel().List().index(0, 1), Qt::DisplayRole),
              QString::fromUtf8("Linien kreuzen sich"));
}

TEST_F(CheckPanelTest, TheFrequencyIsTheModelsUnlessTheUserTypesOne)
{
    StartOn(LongSegments);
    Table().SetChecksVisible(true);
    Settle();
    EXPECT_EQ(Counts(), "Checks: no findings");
    EXPECT_EQ(Panel().EditFrequency->placeholderText(), "model: none");

    Panel().EditFrequency->setFocus();
    QTest::keyClicks(Panel().EditFrequency, "10");
    Settle();
    EXPECT_EQ(Counts(), "Checks: 0 errors, 1 warning");
    QTest::keyClicks(Panel().EditFrequency, ",");  // 10, is no number yet: nothing changes
    Settle();
    EXPECT_EQ(Counts(), "Checks: 0 errors, 1 warning");
    QTest::keyClick(Panel().EditFrequency, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Panel().EditFrequency, Qt::Key_Backspace);
    Settle();
    EXPECT_EQ(Counts(), "Checks: no findings");

    // Pasting into the field is the field's own, not a row paste.
    QApplication::clipboard()->setText("9.5");
    QTest::keyClick(Panel().EditFrequency, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Panel().EditFrequency->text(), "9.5");
    EXPECT_EQ(Lines().LineCount, 1);
    Settle();
    EXPECT_EQ(Counts(), "Checks: 0 errors, 1 warning");

    // Another model brings its own frequency back.
    folder.Write("deck.qrv", LongSegments + ",,,,,,FR 0 1 0 0 20 0\r\n");
    Table().ReadFile(folder.Path("deck.qrv"));
    Settle();
    EXPECT_EQ(Panel().EditFrequency->text(), "");
    EXPECT_EQ(Panel().EditFrequency->placeholderText(), "model: 20");
    EXPECT_EQ(Counts(), "Checks: 0 errors, 1 warning");
}

TEST_F(CheckPanelTest, MarkersLieOverTheDrawingOnTheScreenAloneAndFollowTheirToggleAndColour)
{
    StartOn(Crossing);
    Settle();
    QCoreApplication::processEvents();
    EXPECT_GT(ShownPixels(Orange), 20);
    EXPECT_EQ(Count(Window().Image->Canvas().Image(), Orange), 0);
    const DrawingPictures pictures =
        MakeDrawingPictures(Window().Drawing(), program, PictureScreen{}, PictureKinds{});
    EXPECT_EQ(Count(pictures.Bitmap, Orange), 0);

    Table().SetChecksVisible(true);
    Panel().CheckBoxMarkers->click();
    EXPECT_FALSE(program.View.ShowCheckMarkers);
    EXPECT_EQ(ShownPixels(Orange), 0);
    Panel().CheckBoxMarkers->click();

    // The sound model has none.
    Click(1, 2);
    TypeText("3");
    Press(Qt::Key_Tab);
    Settle();
    EXPECT_EQ(ShownPixels(Orange), 0);

    program.View.WarningColor = 0x00FF00;
    Click(1, 2);
    TypeText("0");
    Press(Qt::Key_Tab);
    Settle();
    EXPECT_GT(ShownPixels(qRgb(0, 0xFF, 0)), 20);
}

}  // namespace
}  // namespace quorvane::testing
