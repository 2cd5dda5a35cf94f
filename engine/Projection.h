#pragma once

#include "ViewParameters.h"

#include <cstdint>

namespace quorvane {

class LineTable;

void SetAzimuth(ViewParameters& view, double degrees);
void SetElevation(ViewParameters& view, int degrees);
// Eye angle from the viewer's distance and half the distance between the eyes.
void ComputeEyeAngle(ViewParameters& view);
void BuildViewMatrices(ViewParameters& view);
// The whole set-up of the angles, as at start-up: azimuth, elevation, eye
// angle and the matrices built from them.
void SetUpViewAngles(ViewParameters& view, double azimuth, int elevation);
// PixelsPerMetre and DrawFactor from the screen width and the scale.
void UpdateDrawFactor(ViewParameters& view);

// Bounding box of the complete records' end points.
void ComputeModelExtents(ViewParameters& view, const LineTable& table);

// Writes the pixel coordinates of every complete record among rows 1 to
// LineCount: the single view's group, or both eyes' groups with the anaglyph
// on. `factor` is pixels per metre of the model on the target canvas.
void ProjectLines(const ViewParameters& view, LineTable& table, bool centred, double factor);

struct ProjectedPoint {
    std::int32_t X = 0, Y = 0;
};
// One model point through `matrix`, in the pixels ProjectLines gives a line end.
ProjectedPoint ProjectModelPoint(const ViewParameters& view, const ViewMatrix& matrix,
                                 const Vector3& point, bool centred, double factor);

// Nearest integer, ties to even; values beyond the 32-bit range saturate.
std::int32_t RoundToPixel(double value);
std::int32_t RoundToPixel(long double value);

}  // namespace quorvane
