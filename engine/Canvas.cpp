#include "Canvas.h"

namespace quorvane {

void Canvas::DrawLines(std::span<const LineSegment> segments)
{
    for (const LineSegment& s : segments) {
        MoveTo(s.X1, s.Y1);
        LineTo(s.X2, s.Y2);
    }
}

}  // namespace quorvane
