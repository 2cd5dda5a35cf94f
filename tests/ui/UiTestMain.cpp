#include "StartUp.h"

#include <QApplication>

#include <gtest/gtest.h>

// Windows and fonts need a running application; the tests run on the
// offscreen platform in the C locale.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
