#include <QCoreApplication>

#include <gtest/gtest.h>

// The tests start the program as a process, which needs an application
// object but no display.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
