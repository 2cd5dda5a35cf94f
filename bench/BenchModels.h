#pragma once

#include "LineTable.h"
#include "ViewParameters.h"

#include <string>
#include <vector>

namespace quorvane::bench {

struct PixelSegment {
    int x1, y1, x2, y2;
};

// Random segments with lengths in [minLength, maxLength] pixels whose first
// end lies on a width x height image; the same seed gives the same segments.
std::vector<PixelSegment> RandomSegments(int count, double minLength, double maxLength, int width,
                                         int height, unsigned seed = 1);

// A view from the front in vanishing-point projection at one pixel per
// model metre, not centred: a model point (x, 0, z) lands on the pixel
// (x, z) from the image's middle, y up.
ViewParameters FrontView(int virtualScreenWidth, int virtualScreenHeight);

// Fills the table with the segments as lines in the screen plane of FrontView
// for an image of width x height.
void FillTable(LineTable& table, const std::vector<PixelSegment>& segments, int width, int height);

// A data file of `lines` lines, six numbers and a supplement each.
std::string DataFileText(int lines);

// The segments as a data file of lines in the plane y = 0, at `metresPerPixel`,
// centred on the origin for an image of width x height.
std::string SegmentFileText(const std::vector<PixelSegment>& segments, double metresPerPixel,
                            int width, int height);

// Models of the geometry checks, 100,000 lines each. A wire grid of 224 x
// 224 meshes of 0.25 m as large conducting surfaces are modelled, sound at
// 100 MHz; and lines of 0.1 to 1 m scattered through a 60 m cube, half with
// wire data, with every kind of finding now and then.
void FillWireGrid(LineTable& table);
void FillScattered(LineTable& table);

// The process's resident memory, from the system's own record.
long ResidentKilobytes();

}  // namespace quorvane::bench
