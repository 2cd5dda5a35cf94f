#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace quorvane {

// The data file or antenna deck in a drag, when it carries exactly one
// local file that the program opens.
std::optional<QString> DroppedDataFile(const QMimeData* data);

}  // namespace quorvane
