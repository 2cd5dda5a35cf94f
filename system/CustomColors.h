#pragma once

#include "Color.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A custom-colour slot of the colour picker as the settings file keeps it:
// the colour (red in the lowest byte) in upper-case hexadecimal, at least six
// digits. Empty text is a slot never set; "FFFFFFFF" a slot without colour.
std::optional<Color> CustomColorOf(std::string_view text);
std::string CustomColorText(Color color);

}  // namespace quorvane
