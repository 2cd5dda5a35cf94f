#include "MainWindowFixture.h"

#include <QTimer>
#include <QWheelEvent>

namespace quorvane::testing {
namespace {

class MainWindowControls : public MainWindowFixture {
protected:
    void SetUp() override { Start(); }

    // Wheel events made by a program do not travel on to the parents as the
    // user's do; one that the drawing would pass on goes to the window.
    void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
    // Mouse positions on the drawing are given in its (device) pixels.
    void Drag(QPoint from, std::initializer_list<QPoint> through)
    {
        QTest::mousePress(Window().Image, Qt::LeftButton, Qt::NoModifier, from);
        for (QPoint to : through) {
            QMouseEvent move(QEvent::MouseMove, to, Window().Image->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(Window().Image, &move);
        }
        QTest::mouseRelease(Window().Image, Qt::LeftButton, Qt::NoModifier, *(through.end() - 1));
    }
};

TEST_F(MainWindowControls, CursorKeysTurnTheModelAndTheAzimuthWraps)
{
    Press(Qt::Key_Right);
    EXPECT_EQ(Azimuth(), 31);
    EXPECT_EQ(program.View.Azimuth, 31.0);
    Window().TrackBarAzimuth->setValue(180);
    Press(Qt::Key_Right);
    EXPECT_EQ(Azimuth(), -179);
    Window().TrackBarAzimuth->setValue(-180);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Azimuth(), 179);

    // The same on the unfocused slider, which takes the focus.
    Window().TrackBarElevation->setFocus();
    Window().TrackBarAzimuth->setValue(-180);
    Press(Qt::Key_Left);
    EXPECT_EQ(Azimuth(), 179);
    EXPECT_TRUE(Window().TrackBarAzimuth->hasFocus());
}

TEST_F(MainWindowControls, TheElevationStopsAtItsEnds)
{
    Press(Qt::Key_Up);
    EXPECT_EQ(Elevation(), 31);
    EXPECT_TRUE(Window().TrackBarElevation->hasFocus());
    Press(Qt::Key_Up);  // now on the focused slider
    EXPECT_EQ(Elevation(), 32);
    Window().TrackBarElevation->setValue(-90);
    Press(Qt::Key_Up);
    EXPECT_EQ(Elevation(), 90);
    Window().TrackBarAzimuth->setFocus();
    Press(Qt::Key_Up);
    EXPECT_EQ(Elevation(), 90);
    Press(Qt::Key_Down);
    EXPECT_EQ(Elevation(), 89);
    EXPECT_EQ(program.View.Elevation, 89);
}

TEST_F(MainWindowControls, LetterKeysToggleWithCtrlOrAloneButNotWithShift)
{
    Press(Qt::Key_Z);
    EXPECT_FALSE(program.View.DrawingCentered);
    EXPECT_FALSE(Window().SpeedButtonDrawingCentered->isChecked());
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(program.View.DrawingCentered);
    Press(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_TRUE(program.View.DrawingCentered);

    Press(Qt::Key_P, Qt::AltModifier);
    EXPECT_FALSE(program.View.VanishingPointProjection);
    Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(program.View.ShowLineNumbers);
    Press(Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(program.View.ShowAnaglyph);
    EXPECT_EQ(Window().PanelImage->palette().color(QPalette::Window), QColor(Qt::white));
    Press(Qt::Key_A);  // without Alt nothing
    EXPECT_TRUE(program.View.ShowAnaglyph);

    Press(Qt::Key_R);
    EXPECT_TRUE(Window().TimerRotateAzimuth->isActive());
    EXPECT_EQ(Window().TimerRotateAzimuth->interval(), 40);
    Press(Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(Window().TimerRotateAzimuth->isActive());
}

TEST_F(MainWindowControls, PlusMinusCtrlWheelAndArrowsStepTheScale)
{
    program.Main.ScaleList = {1, 1, 100, 500, 1000};
    program.View.ScaleDenominator = 100;
    Window().SnapScaleToList();
    EXPECT_EQ(Scale(), "1 : 100");
    Type('-');
    EXPECT_EQ(Scale(), "1 : 500");
    Wheel(&Window(), -120, Qt::ControlModifier);
    EXPECT_EQ(Scale(), "1  :  1 000");
    Type('-');  // the last entry
    EXPECT_EQ(Scale(), "1  :  1 000");
    Wheel(Window().TrackBarAzimuth, 120, Qt::ControlModifier);
    EXPECT_EQ(Scale(), "1 : 500");
    EXPECT_EQ(Azimuth(), 30);  // Ctrl+wheel is the scale's, not the slider's
    Window().UpDownScale->ClickUp();
    EXPECT_EQ(Scale(), "1  :  1 000");
    for (int i = 0; i < 6; ++i)
        Window().UpDownScale->ClickDown();
    EXPECT_EQ(Scale(), "1 : 1");
    Type('+');
    EXPECT_EQ(Scale(), "1 : 1");
    EXPECT_EQ(program.View.ScaleDenominator, 1);
    EXPECT_DOUBLE_EQ(program.View.InvScale, 1.0);
}

TEST_F(MainWindowControls, ThePlainWheelTurnsTheFocusedSliderWhereverTheMouseIs)
{
    Wheel(&Window(), 120);
    EXPECT_EQ(Azimuth(), 33);  // one notch is three steps
    Window().TrackBarElevation->setFocus();
    Wheel(Window().TrackBarAzimuth, -120);
    EXPECT_NE(Elevation(), 30);
    EXPECT_EQ(Azimuth(), 33);
}

TEST_F(MainWindowControls, DraggingTurnsByWholeDegreesAndAddsUpSmallMoves)
{
    const int width = Window().Image->DeviceWidth();
    const int height = Window().Image->DeviceHeight();
    // Upper half with the viewer above: moving right raises the azimuth.
    const int oneDegree = (width + 719) / 720;  // 2 * 360 * dx / width >= 1
    Drag({10, 10}, {{10 + oneDegree, 10}});
    EXPECT_EQ(Azimuth(), 31);
    // Half a degree twice makes one.
    const int half = oneDegree / 2 + (oneDegree % 2);
    if (2 * 360 * half / width == 0) {
        Drag({10, 10}, {{10 + half, 10}, {10 + 2 * half, 10}});
        EXPECT_EQ(Azimuth(), 32);
    }
    // The lower half turns the other way.
    const int before = Azimuth();
    Drag({10, height - 10}, {{10 + oneDegree, height - 10}});
    EXPECT_EQ(Azimuth(), before - 1);
    // Dragging down lowers the elevation: a whole image height is 360 degrees.
    Drag({10, 10}, {{10, 10 + height / 4}});
    EXPECT_EQ(Elevation(), 30 - 2 * 180 * (height / 4) / height);
}

TEST_F(MainWindowControls, DraggingPastHalfARoundContinuesOnTheOtherSide)
{
    Window().TrackBarAzimuth->setValue(170);
    const int width = Window().Image->DeviceWidth();
    Drag({10, 10}, {{10 + 20 * width / 720 + 1, 10}});
    EXPECT_EQ(Azimuth(), -170);
}

TEST_F(MainWindowControls, RotationAdvancesInFractionsAndWrapsPastHalfARound)
{
    Window().TrackBarAzimuth->setValue(179);
    Press(Qt::Key_R);
    ASSERT_TRUE(Window().TimerRotateAzimuth->isActive());
    Window().TimerRotateAzimuth->stop();  // ticked by hand below
    EXPECT_DOUBLE_EQ(Window().RotationStep(), 0.4);
    Window().TimerRotateAzimuthOnTimer();
    EXPECT_DOUBLE_EQ(program.View.Azimuth, 179.4);
    EXPECT_EQ(Azimuth(), 179);
    Window().TimerRotateAzimuthOnTimer();
    EXPECT_NEAR(program.View.Azimuth, 179.8, 1e-9);
    EXPECT_EQ(Azimuth(), 180);
    Window().TimerRotateAzimuthOnTimer();
    EXPECT_NEAR(program.View.Azimuth, -179.8, 1e-9);
    EXPECT_EQ(Azimuth(), -180);
    // The slider's change during a tick does not reset the fractional angle.
    EXPECT_NEAR(program.View.Azimuth, -179.8, 1e-9);
}

TEST_F(MainWindowControls, LineNumbersComeAndGoOnTheSameDrawing)
{
    const QImage plain = Window().Image->Canvas().Image().copy();
    Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(program.View.ShowLineNumbers);
    EXPECT_NE(Window().Image->Canvas().Image(), plain);
    Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(Window().Image->Canvas().Image(), plain);
}

}  // namespace
}  // namespace quorvane::testing
