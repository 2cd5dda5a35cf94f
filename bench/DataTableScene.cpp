#include "DataTableScene.h"

#include "BenchModels.h"

#include <QApplication>
#include <QDir>

#include <fstream>

namespace quorvane::bench {

DataTableScene::DataTableScene(int visibleRows)
{
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    largeFile = folder.filePath(QStringLiteral("large.qrv")).toStdString();
    std::ofstream(largeFile, std::ios::binary) << DataFileText(100000);
    QDir().mkpath(folder.filePath(QStringLiteral("config/Tallomar/Quorvane")));
    std::ofstream(folder.filePath(QStringLiteral("config/Tallomar/Quorvane/Quorvane.ini")).toStdString())
        << "[General]\r\nAutoReadQrvFile=0\r\n[FormMain]\r\nLeft=0\r\nTop=0\r\nWidth=1920\r\n"
           "Height=1080\r\n[FormDataTable]\r\nFormVisible=1\r\nLeft=0\r\nTop=0\r\nWidth=800\r\n"
           "VisibleRowsCount="
        << visibleRows << "\r\n";
    ReadScreenMetrics(program);
    windows = std::make_unique<ProgramWindows>(program, folder.filePath(QStringLiteral("Quorvane")),
                                               QStringList());
    Main().setGeometry(0, 0, 1920, 1080);
    QApplication::processEvents();
}

}  // namespace quorvane::bench
