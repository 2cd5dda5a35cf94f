#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace quorvane {

// The largest scale 1 : N whose drawing fits, where a larger N never makes
// a larger drawing: the smallest N of `scaleList` for which `fits` holds;
// when no listed scale fits, the smallest N beyond the largest listed one
// that does. None when not even the largest int fits.
std::optional<int> LargestFittingScale(const std::vector<int>& scaleList,
                                       const std::function<bool(int)>& fits);

// The smallest N for which `fits` holds, with the same assumption, searched
// outward from `guess`: a few trials when the guess is near. None when not
// even the largest int fits.
std::optional<int> SmallestFittingDenominator(int guess, const std::function<bool(int)>& fits);

}  // namespace quorvane
