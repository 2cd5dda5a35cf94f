#include "DataTableScene.h"

#include "BenchModels.h"

#include <QApplication>
#include <QDir>

#include <fstream>

namespace quorvane::bench {

DataTableScene::DataTableScene(int visibleRows, Model model,
                               std::unique_ptr<PrinterSource> printers)
{
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    largeFile = folder.filePath(QStringLiteral("large.qrv")).toStdString();
    ReadScreenMetrics(program);
    // At 1 : 1000 on a screen 0.3 m wide, one pixel is this many model metres.
    const double metresPerPixel = 0.3 * 1000 / program.View.VirtualScreenWidth;
    std::ofstream(largeFile, std::ios::binary)
        << (model == Model::WideRandom
                ? DataFileText(100000)
                : SegmentFileText(RandomSegments(100000, 20, 200, 1800, 1000), metresPerPixel,
                                  1800, 1000));
    QDir().mkpath(folder.filePath(QStringLiteral("config/Tallomar/Quorvane")));
    std::ofstream(folder.filePath(QStringLiteral("config/Tallomar/Quorvane/Quorvane.ini")).toStdString())
        << "[General]\r\nAutoReadQrvFile=0\r\n[FormMain]\r\nLeft=0\r\nTop=0\r\nWidth=1920\r\n"
           "Height=1080\r\n"
        << (model == Model::ScreenSized ? "[Scales]\r\nScale=1000\r\nScale1=1000\r\n" : "")
        << "[FormDataTable]\r\nFormVisible=1\r\nLeft=0\r\nTop=0\r\nWidth=800\r\n"
           "VisibleRowsCount="
        << visibleRows << "\r\n";
    windows = std::make_unique<ProgramWindows>(program, folder.filePath(QStringLiteral("Quorvane")),
                                               QStringList(), std::move(printers));
    Main().setGeometry(0, 0, 1920, 1080);
    QApplication::processEvents();
}

}  // namespace quorvane::bench
