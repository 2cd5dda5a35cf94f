#include "ScaleList.h"

#include <algorithm>

namespace quorvane {

int SnapScaleToList(std::vector<int>& list, int& scaleIndex, int wanted)
{
    if (list.empty())
        list = {100, 100};
    const int maxIndex = static_cast<int>(list.size()) - 1;
    const auto [smallest, largest] = std::minmax_element(list.begin(), list.end());
    const int n = std::clamp(wanted, *smallest, *largest);

    int index = maxIndex;
    for (int i = 0; i < maxIndex; ++i) {
        if (list[i] <= n && list[i + 1] > n) {
            index = i;
            break;
        }
    }
    if (index < maxIndex) {
        const double below = static_cast<double>(n) / list[index];
        const double above = static_cast<double>(list[index + 1]) / n;
        if (above < below)
            ++index;
    }
    scaleIndex = index;
    return list[index];
}

bool IncreaseScale(int& scaleIndex)
{
    if (scaleIndex <= 0)
        return false;
    --scaleIndex;
    return true;
}

bool DecreaseScale(const std::vector<int>& scaleList, int& scaleIndex)
{
    if (scaleIndex >= static_cast<int>(scaleList.size()) - 1)
        return false;
    ++scaleIndex;
    return true;
}

}  // namespace quorvane
