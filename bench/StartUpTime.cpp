// Starts the program as a user would, on the sample model, and reports the
// time from the process's start to the first drawing on the screen.

#include "ImageView.h"
#include "StartUp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>

#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

// Seconds the process has been running, from the system's own record of its
// start (1/100 s resolution): the loading of libraries counts too.
double SecondsSinceProcessStart()
{
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field;
    const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    return uptime - started;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
    bool done = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication application(argc, argv);
    // Settings and file association in a desktop of the benchmark's own,
    // kept between runs: after the first, the association is in place, as
    // on a user's machine.
    const QString desktop = QDir::tempPath() + QStringLiteral("/quorvane-startup-bench");
    QDir().mkpath(desktop);
    qputenv("XDG_CONFIG_HOME", (desktop + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (desktop + QStringLiteral("/data")).toLocal8Bit());
    quorvane::InitialiseResources();
    quorvane::ProgramState program;
    quorvane::ReadScreenMetrics(program);
    // The program lies in the build folder, beside its sample models.
    const QString programFile = QCoreApplication::applicationDirPath() + QStringLiteral("/../Quorvane");
    quorvane::ProgramWindows windows(program, programFile, {});
    FirstPaint firstPaint;
    windows.Main().Image->installEventFilter(&firstPaint);
    QApplication::exec();
    std::cout << "lines: " << program.Table.LineCount << "\n"
              << "first drawing on screen after " << sinceMain.elapsed() << " ms from main(), "
              << static_cast<int>(SecondsSinceProcessStart() * 1000) << " ms from process start\n";
    return program.Table.LineCount > 0 ? 0 : 1;
}
