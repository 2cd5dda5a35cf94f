#include "DroppedFiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace quorvane {

std::optional<QString> DroppedDataFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return std::nullopt;
    const QString path = data->urls()[0].toLocalFile();
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QStringLiteral("qrv"), Qt::CaseInsensitive) != 0 &&
        suffix.compare(QStringLiteral("nec"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return path;
}

}  // namespace quorvane
