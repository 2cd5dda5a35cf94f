#pragma once

#include "RenderOptions.h"

#include <string>

namespace quorvane {

// Where a model's picture goes: the name given by --output, or the model's
// file name with the format's ending in place of its own, in --output-dir or
// beside the model.
std::string PictureNameFor(const std::string& modelFile, const RenderOptions& options);

}  // namespace quorvane
