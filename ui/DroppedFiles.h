#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace quorvane {

// The model file in a drag (a data file or a type the program imports), when
// it carries exactly one local file of a type the program opens.
std::optional<QString> DroppedDataFile(const QMimeData* data);

}  // namespace quorvane
