#pragma once

#include "Color.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// How a pen combines its colour with the pixels it covers, bitwise on the
// 24-bit colours.
enum class PenMode {
    Copy,    // the pen colour replaces the pixel
    AndNot,  // pixel AND NOT pen colour
    Or,      // pixel OR pen colour
};

// How a copied block combines with the pixels below it.
enum class BlockOp { And, Or };

// Right and bottom are exclusive.
struct PixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A line from (X1, Y1) to (X2, Y2); the end pixel is not set.
struct LineSegment {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    friend bool operator==(const LineSegment&, const LineSegment&) = default;
};

class OffscreenBitmap;

// A drawing surface with a pen, a brush and a font: the main window's image,
// an off-screen bitmap, a vector picture or a printer page. Pen, brush and
// font settings stay on the canvas until changed. Pixel coordinates have y
// growing downwards.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetPenColor(Color color) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void SetPenMode(PenMode mode) = 0;
    // Brushes are always solid.
    virtual void SetBrushColor(Color color) = 0;
    // A negative height asks for the character height without internal
    // leading, a positive one for the cell height, both in pixels.
    virtual void SetFont(const std::string& name, int height) = 0;
    virtual void SetFontColor(Color color) = 0;

    // Fills with the brush.
    virtual void FillRect(const PixelRect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line with the pen from the current position; the end pixel is not set.
    virtual void LineTo(int x, int y) = 0;
    // The same as MoveTo and LineTo for each segment in turn; canvases that
    // can draw many lines faster override it.
    virtual void DrawLines(std::span<const LineSegment> segments);
    // The outline with the pen, the inside with the brush.
    virtual void Rectangle(const PixelRect& rect) = 0;
    // Text with its top-left corner at (x, y); its cell is filled with the brush.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;

    virtual void SetClipRect(const PixelRect& rect) = 0;
    virtual void RemoveClip() = 0;

    // Combines the width x height block at the top-left corner of `source`
    // with the pixels at (x, y).
    virtual void CopyBlock(const OffscreenBitmap& source, int width, int height, int x, int y,
                           BlockOp op) = 0;
};

// A canvas held in memory, whose size is set by its user.
class OffscreenBitmap : public Canvas {
public:
    virtual void SetSize(int width, int height) = 0;
    // The colours of the width x height block at the top-left corner, row by
    // row from the top; vector pictures embed a block they are given this way.
    virtual void ReadBlock(int width, int height, std::vector<Color>& colors) const = 0;
};

}  // namespace quorvane
