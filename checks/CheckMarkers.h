#pragma once

#include "CheckFinding.h"
#include "Color.h"
#include "DrawingOverlay.h"

#include <functional>
#include <span>
#include <vector>

namespace quorvane {

class Canvas;
struct ViewParameters;

// How model points land on a canvas: projected as ProjectLines does at
// `Factor` pixels per metre, the result moved by (ShiftX, ShiftY) as a
// picture's layout moves its lines, and drawn about the origin with y up.
struct MarkerFrame {
    double Factor = 0;
    bool Centred = true;
    int ShiftX = 0, ShiftY = 0;
    int OriginX = 0, OriginY = 0;
};

struct CheckMarker {
    int X = 0, Y = 0;  // canvas pixels, y down
    CheckSeverity Severity = CheckSeverity::Warning;
};

// One marker per finding, at the pixel `where` gives its place; findings at
// one pixel share a marker, the error among them winning.
using MarkerPlacement = std::function<void(Vec3 place, int& x, int& y)>;
std::vector<CheckMarker> PlaceCheckMarkers(std::span<const CheckFinding> findings,
                                           const MarkerPlacement& where);
// The same on a canvas laid out as `frame` says.
std::vector<CheckMarker> PlaceCheckMarkers(std::span<const CheckFinding> findings,
                                           const ViewParameters& view, const MarkerFrame& frame);

// Half the side of a marker for a drawing whose lines are `penWidth` wide:
// large enough to be found on a busy drawing, small enough not to hide it.
int MarkerRadius(int penWidth);

// The width of a marker's outline.
int MarkerPenWidth(int radius);

// A square in `color` for a warning, a square with a cross in it for an
// error: the same on a picture's canvas as over the window's drawing.
void DrawCheckMarkers(Canvas& canvas, std::span<const CheckMarker> markers, Color color,
                      int radius);

// The markers over the window's drawing, where its lines are on the screen:
// the shapes DrawCheckMarkers draws, in lines one pixel wide.
void AddCheckMarkers(OverlayLayer& layer, const ScreenPlacement& screen,
                     std::span<const CheckFinding> findings, Color color);

}  // namespace quorvane
