#include "CommandLineInfo.h"
#include "HintTiming.h"
#include "StartUp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (const auto info = quorvane::CommandLineInfo({argv + 1, argv + argc}, QUORVANE_VERSION)) {
        std::fputs(info->c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setStyle(new quorvane::HintTiming);
    quorvane::InitialiseResources();
    quorvane::ProgramState program;
    quorvane::ReadScreenMetrics(program);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    quorvane::ProgramWindows windows(program, QCoreApplication::applicationFilePath(), arguments);
    return QApplication::exec();
}
