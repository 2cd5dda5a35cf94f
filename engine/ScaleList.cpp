#include "ScaleList.h"

#include <algorithm>
#include <charconv>

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

ScaleLines CleanScaleLines(const std::vector<std::string>& lines)
{
    ScaleLines cleaned;
    for (const std::string& line : lines) {
        const std::size_t first = line.find_first_not_of('0');
        if (first != std::string::npos)
            cleaned.Lines.push_back(line.substr(first));
    }
    if (cleaned.Lines.empty())
        cleaned.Lines.push_back("100");
    std::vector<int> scales{0};
    for (std::size_t i = 0; i < cleaned.Lines.size(); ++i) {
        const std::string& line = cleaned.Lines[i];
        int value = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc() || end != line.data() + line.size()) {
            cleaned.TooLargeLine = static_cast<int>(i);
            return cleaned;
        }
        scales.push_back(value);
    }
    scales[0] = scales[1];
    cleaned.Scales = std::move(scales);
    return cleaned;
}

}  // namespace quorvane
