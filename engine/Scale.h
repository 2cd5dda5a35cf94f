#pragma once

#include <string>

namespace quorvane {

// The digits of n with `separator` before each group of three counted from
// the right, never before the first digit: 1234567 gives "1 234 567".
std::string GroupDigits(int n, char separator);

// The scale caption: "1 : 500" below 1000, "1  :  25 000" from 1000 on.
std::string FormatScale(int n);

struct ViewParameters;

// The pan for a change of the scale from 1 : before to 1 : after that keeps
// the drawing's pixel (anchorX, anchorY), seen from the image's middle with
// y up, in its place.
void ScalePanAbout(ViewParameters& view, int before, int after, int anchorX, int anchorY);

}  // namespace quorvane
