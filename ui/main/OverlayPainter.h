#pragma once

class QPainter;

namespace quorvane {

struct OverlayLayer;

// Paints the overlay over the drawing with a painter set up for the image's
// pixels. Pen modes combine with the drawing as the engine's do.
void PaintOverlay(QPainter& painter, const OverlayLayer& layer);

}  // namespace quorvane
