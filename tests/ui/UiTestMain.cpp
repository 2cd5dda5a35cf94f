#include "StartUp.h"

#include <QApplication>

#include <gtest/gtest.h>

// Windows and fonts need a running application; the tests run in the C
// locale on the offscreen platform, or on an X display with a window manager
// when asked for by name, so that window frames are real.
int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM") != "xcb")
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
