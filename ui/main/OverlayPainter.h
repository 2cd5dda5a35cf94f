#pragma once

class QImage;
class QPainter;

namespace quorvane {

struct OverlayLayer;

// The drawing with the overlay's lines drawn into a copy of it, `scratch`,
// whose memory is kept for the next time; the drawing itself when there are
// no lines. Lines are drawn by the engine's rasteriser, with its pen modes
// and wide pens, so they combine with the drawing exactly as its own lines.
const QImage& WithOverlayLines(const QImage& drawing, const OverlayLayer& layer, QImage& scratch);

// Paints the overlay's markers and labels with a painter set up for the
// image's pixels.
void PaintOverlayMarks(QPainter& painter, const OverlayLayer& layer);

}  // namespace quorvane
