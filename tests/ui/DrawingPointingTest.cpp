#include "MainWindowFixture.h"

#include "DataTableGrid.h"
#include "FormDataTable.h"

#include <QClipboard>
#include <QMouseEvent>
#include <QWheelEvent>

namespace quorvane::testing {
namespace {

// The sample model: row 1 the boom from (0, 0, 6) to (2.6, 0, 6), row 2
// the reflector from (0, -0.52, 6) to (0, 0.52, 6), row 7 a director.
class DrawingPointing : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Start();
        ASSERT_GT(program.Table.CompleteLineCount, 10);
        // The sample's elements cross its boom: without the checks' markers
        // the overlay holds only what these tests draw.
        program.View.ShowCheckMarkers = false;
        Window().CheckMarkersChanged();
    }

    FormDataTable& Table() { return windows->DataTable(); }
    // What the window shows, and what the engine drew into its image.
    QImage Shown() { return Window().Image->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Drawn()
    {
        return Window().Image->Canvas().Image().copy(Window().Image->rect()).convertToFormat(
            QImage::Format_RGB32);
    }
    // A pixel on the drawn line of `row`, `along` of the way from end 1.
    QPoint OnLine(int row, double along)
    {
        const ScreenPlacement screen(program.Table, program.View, Window().Drawing().ImageWidth,
                                     Window().Drawing().ImageHeight);
        const LineSegment s = screen.StoredLine(row, ProjectedView::Mono);
        return QPoint(static_cast<int>(std::lround(s.X1 + along * (s.X2 - s.X1))),
                      static_cast<int>(std::lround(s.Y1 + along * (s.Y2 - s.Y1))));
    }
    int RowAt(QPoint p)
    {
        const auto hit = Window().HitTest().NearestLine(p.x(), p.y(), 6);
        return hit ? hit->Row : 0;
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(Window().Image, Qt::LeftButton, modifiers, at);
    }
    void Drag(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to)
    {
        QTest::mousePress(Window().Image, button, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, to, Window().Image->mapToGlobal(to), Qt::NoButton,
                         button, modifiers);
        QApplication::sendEvent(Window().Image, &move);
        QTest::mouseRelease(Window().Image, button, modifiers, to);
    }
    static int Count(const QImage& image, QRgb color)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == color ? 1 : 0;
        return count;
    }
    QRgb HighlightRgb() const
    {
        const Color c = program.View.HighlightColor;
        return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    }
};

TEST_F(DrawingPointing, TheHighlightDrawsOverTheSelectionAndOffOrHiddenLeavesEveryPixel)
{
    const QImage plain = Drawn();
    EXPECT_EQ(Shown(), plain);

    Window().SpeedButtonDataTable->click();
    Table().ShowRow(2);
    QApplication::processEvents();
    EXPECT_EQ(Table().SelectedRows(), std::vector<int>{2});
    const QImage highlighted = Shown();
    EXPECT_GT(Count(highlighted, HighlightRgb()), 40);
    // The engine's image, which pictures and prints start from, has none.
    EXPECT_EQ(Drawn(), plain);
    EXPECT_EQ(Count(Drawn(), HighlightRgb()), 0);

    Window().PopupMenuImageHighlight->trigger();
    EXPECT_FALSE(program.View.ShowHighlight);
    EXPECT_EQ(Shown(), plain);
    Window().PopupMenuImageHighlight->trigger();
    EXPECT_EQ(Shown(), highlighted);
    Window().SpeedButtonDataTable->click();  // the table hidden
    EXPECT_FALSE(Table().isVisible());
    EXPECT_EQ(Shown(), plain);

    // In anaglyph both eyes' lines are drawn again, wider, in their colours.
    Window().SpeedButtonShowAnaglyph->click();
    const QImage stereo = Drawn();
    EXPECT_EQ(Shown(), stereo);
    Window().SpeedButtonDataTable->click();
    QApplication::processEvents();
    const QImage stereoHighlighted = Shown();
    // On white the eyes' pens take their colours away: the wider lines
    // only darken pixels, never bring the highlight's own colour.
    const int white = qRgb(255, 255, 255);
    EXPECT_LT(Count(stereoHighlighted, white), Count(stereo, white) - 20);
    EXPECT_EQ(Count(stereoHighlighted, HighlightRgb()), 0);
    for (int y = 0; y < stereo.height(); ++y)
        for (int x = 0; x < stereo.width(); ++x)
            ASSERT_EQ(stereoHighlighted.pixel(x, y) & ~stereo.pixel(x, y) & 0xFFFFFFu, 0u);
}

TEST_F(DrawingPointing, AClickPicksTheNearestLineCtrlClickTogglesAndEmptySpaceChangesNothing)
{
    const QPoint reflector = OnLine(2, 0.2);
    const QPoint director = OnLine(7, 0.2);
    ASSERT_EQ(RowAt(reflector), 2);
    ASSERT_EQ(RowAt(director), 7);

    Click(QPoint(3, 3));
    EXPECT_FALSE(Table().isVisible());

    Click(reflector + QPoint(2, 1));
    EXPECT_TRUE(Table().isVisible());
    EXPECT_TRUE(Window().SpeedButtonDataTable->isChecked());
    EXPECT_EQ(Table().StringGrid->CurrentRow(), 2);

    Activate(Window());
    Click(director, Qt::ControlModifier);
    EXPECT_EQ(Table().SelectedRows(), (std::vector<int>{2, 7}));
    EXPECT_EQ(Table().StringGrid->CurrentRow(), 2);
    Click(director, Qt::ControlModifier);
    EXPECT_EQ(Table().SelectedRows(), std::vector<int>{2});

    Click(QPoint(3, 3));
    EXPECT_EQ(Table().StringGrid->CurrentRow(), 2);
    EXPECT_EQ(Table().SelectedRows(), std::vector<int>{2});

    // A line far down the table is scrolled into view.
    Click(director);
    EXPECT_EQ(Table().StringGrid->CurrentRow(), 7);
}

TEST_F(DrawingPointing, ATwoPixelDragStillTurnsTheModelAndPicksNothing)
{
    ASSERT_LE(Window().Drawing().ImageWidth, 1440);  // two pixels make a degree
    const QPoint reflector = OnLine(2, 0.2);
    const int azimuth = Azimuth();
    QTest::mousePress(Window().Image, Qt::LeftButton, Qt::NoModifier, reflector);
    QMouseEvent move(QEvent::MouseMove, reflector + QPoint(2, 0),
                     Window().Image->mapToGlobal(reflector + QPoint(2, 0)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Window().Image, &move);
    QTest::mouseRelease(Window().Image, Qt::LeftButton, Qt::NoModifier, reflector + QPoint(2, 0));
    EXPECT_NE(Azimuth(), azimuth);
    EXPECT_FALSE(Table().isVisible());
}

TEST_F(DrawingPointing, HoverNamesTheLineWithItsSupplementLengthAndEndsInBothLanguages)
{
    const QPoint reflector = OnLine(2, 0.3);
    EXPECT_EQ(Window().Image->HintAt(reflector + QPoint(0, 2)),
              "Line 2: Reflector\nLength: 1.04 m\nEnd 1: 0.00, -0.52, 6.00\n"
              "End 2: 0.00, 0.52, 6.00");
    EXPECT_EQ(Window().Image->HintAt(QPoint(3, 3)), QString());
    program.Main.CurrentLanguage = Language::German;
    program.DataFileValues.Decimals = 3;
    EXPECT_EQ(Window().Image->HintAt(reflector),
              "Linie 2: Reflector\nLänge: 1.040 m\nEnde 1: 0.000, -0.520, 6.000\n"
              "Ende 2: 0.000, 0.520, 6.000");
}

TEST_F(DrawingPointing, MeasuringSnapsToLineEndsShowsDistanceAndAngleAndCopiesAsText)
{
    const QImage plain = Drawn();
    Press(Qt::Key_M);
    EXPECT_TRUE(Window().SpeedButtonMeasure->isChecked());

    // The boom's first end and the reflector's second: 0.52 m apart, at a
    // right angle.
    Click(OnLine(1, 0) + QPoint(3, -2));
    EXPECT_FALSE(Window().ShownMeasurement());
    EXPECT_NE(Shown(), plain);  // the first point is marked
    Click(OnLine(2, 1) + QPoint(-2, 2));
    ASSERT_TRUE(Window().ShownMeasurement());
    const Measurement& m = *Window().ShownMeasurement();
    EXPECT_EQ(std::pair(m.From.Row, m.From.End), std::pair(1, 1));
    EXPECT_EQ(std::pair(m.To.Row, m.To.End), std::pair(2, 2));
    EXPECT_NEAR(m.Distance, 0.52, 1e-12);
    EXPECT_NEAR(m.AngleDegrees, 90, 1e-9);
    EXPECT_FALSE(Table().isVisible());  // measuring picks nothing
    EXPECT_EQ(Drawn(), plain);

    Window().PopupMenuImageCopyMeasurement->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Distance: 0.520 m\nAngle: 90.0°\nFrom line 1, end 1: 0.000, 0.000, 6.000\n"
              "To line 2, end 2: 0.000, 0.520, 6.000");

    // A point inside a line is measured from where it is in the model.
    Click(OnLine(9, 0.5));  // ends the last measurement, starts the next
    Click(OnLine(9, 0));
    ASSERT_TRUE(Window().ShownMeasurement());
    EXPECT_NEAR(Window().ShownMeasurement()->Distance, 5.95 / 2, 0.06);
    EXPECT_FALSE(Window().ShownMeasurement()->HasAngle);

    Press(Qt::Key_Escape);
    EXPECT_FALSE(Window().ShownMeasurement());
    EXPECT_EQ(Shown(), plain);
    EXPECT_TRUE(Window().SpeedButtonMeasure->isChecked());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Window().SpeedButtonMeasure->isChecked());
}

TEST_F(DrawingPointing, PanMovesTheDrawingAndTheKeyAndTheCentringToggleBringItBack)
{
    const QImage plain = Drawn();
    const QRect inside(60, 60, 200, 150);
    Drag(Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 200), QPoint(340, 230));
    EXPECT_EQ(std::pair(program.View.PanX, program.View.PanY), std::pair(40, -30));
    EXPECT_EQ(Drawn().copy(inside.translated(40, 30)), plain.copy(inside));
    // The hit test and the overlay follow.
    EXPECT_EQ(RowAt(OnLine(2, 0.2)), 2);

    Press(Qt::Key_H);
    EXPECT_EQ(program.View.PanX, 0);
    EXPECT_EQ(Drawn(), plain);

    Drag(Qt::MiddleButton, Qt::NoModifier, QPoint(300, 200), QPoint(290, 215));
    EXPECT_EQ(std::pair(program.View.PanX, program.View.PanY), std::pair(-10, -15));
    Press(Qt::Key_Z);  // centring off, and the pan gone
    EXPECT_EQ(std::pair(program.View.PanX, program.View.PanY), std::pair(0, 0));
    Press(Qt::Key_Z);
    EXPECT_EQ(Drawn(), plain);

    // Ctrl + wheel keeps the model point under the mouse.
    Press(Qt::Key_P, Qt::AltModifier);  // parallel projection scales exactly
    program.Main.ScaleList = {1, 1, 100, 200};
    program.View.ScaleDenominator = 200;
    Window().SnapScaleToList();
    const QPoint mouse = OnLine(2, 0.2);
    const double along = Window().HitTest().NearestLine(mouse.x(), mouse.y(), 2)->Along;
    const QString scale = Scale();
    QWheelEvent wheel(Window().mapFromGlobal(Window().Image->mapToGlobal(mouse)),
                      Window().Image->mapToGlobal(mouse), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Window(), &wheel);
    EXPECT_NE(Scale(), scale);
    const QPoint after = OnLine(2, along);
    EXPECT_LE((after - mouse).manhattanLength(), 2);
    EXPECT_NE(program.View.PanX, 0);
}

}  // namespace
}  // namespace quorvane::testing
