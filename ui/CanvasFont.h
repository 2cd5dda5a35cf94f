#pragma once

#include <QFont>

#include <string>

class QPaintDevice;

namespace quorvane {

// The font a canvas means by a name and a height: a negative height is the
// character height without internal leading, a positive one the height of
// the character cell, both in pixels of `device` (the screen when null).
QFont CanvasFont(const std::string& name, int height, QFont::StyleStrategy strategy,
                 QPaintDevice* device = nullptr);

}  // namespace quorvane
