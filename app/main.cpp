#include "HintTiming.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char** argv)
{
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
