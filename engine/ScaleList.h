#pragma once

#include <string>
#include <vector>

namespace quorvane {

// The scale list holds the allowed denominators: entries 1..n in the
// settings' order, entry 0 a copy of entry 1 (set to 1 at start-up, so that
// 1 : 1 is reachable). The current scale is always the entry at the index.

// Fits the wanted denominator into the list: clamped to the list's smallest
// and largest entries, then the entry nearer in ratio (a tie keeps the lower
// one). The list is taken as ascending; an empty one becomes [100, 100].
// Sets the index and returns the denominator chosen.
int SnapScaleToList(std::vector<int>& scaleList, int& scaleIndex, int wanted);

// One entry towards index 0 (a larger drawing); false at index 0.
bool IncreaseScale(int& scaleIndex);
// One entry towards the last index (a smaller drawing); false at the end.
bool DecreaseScale(const std::vector<int>& scaleList, int& scaleIndex);

// The scale list as the user edited it, one denominator per line, cleaned:
// leading zeros removed, lines empty after that dropped, "100" when no line
// remains. `Scales` is the list with entry 0 repeating entry 1. A line that
// does not fit a 32-bit integer makes `TooLargeLine` its (0-based) index in
// the cleaned lines, and `Scales` stays empty.
struct ScaleLines {
    std::vector<std::string> Lines;
    std::vector<int> Scales;
    int TooLargeLine = -1;
};
ScaleLines CleanScaleLines(const std::vector<std::string>& lines);

}  // namespace quorvane
