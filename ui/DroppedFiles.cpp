#include "DroppedFiles.h"

#include "ModelFileTypes.h"

#include <QMimeData>
#include <QUrl>

namespace quorvane {

std::optional<QString> DroppedDataFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile())
        return std::nullopt;
    const QString path = data->urls()[0].toLocalFile();
    if (!IsModelFileName(path.toStdString()))
        return std::nullopt;
    return path;
}

}  // namespace quorvane
