#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Cell texts keep the bytes of the file, so that any file is written back as
// it was read. For display they are decoded: as UTF-8 when they are valid
// UTF-8, otherwise byte by byte as Windows-1252 (files written on Windows in a
// Western code page). The result is UTF-8.
std::string DisplayTextOf(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

}  // namespace quorvane
