#include "ScaleFit.h"

#include <algorithm>
#include <limits>

namespace quorvane {

std::optional<int> LargestFittingScale(const std::vector<int>& scaleList,
                                       const std::function<bool(int)>& fits)
{
    std::vector<int> listed;
    for (int n : scaleList)
        if (n >= 1)
            listed.push_back(n);
    std::sort(listed.begin(), listed.end());
    listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
    for (int n : listed)
        if (fits(n))
            return n;

    // Beyond the list: doubling finds a scale that fits, halving the gap
    // then the smallest one, each step one trial.
    constexpr long long largest = std::numeric_limits<int>::max();
    long long tooLarge = listed.empty() ? 0 : listed.back();
    long long fitting = std::max(1LL, tooLarge * 2);
    while (!fits(static_cast<int>(std::min(fitting, largest)))) {
        if (fitting >= largest)
            return std::nullopt;
        tooLarge = fitting;
        fitting *= 2;
    }
    fitting = std::min(fitting, largest);
    while (fitting - tooLarge > 1) {
        const long long middle = tooLarge + (fitting - tooLarge) / 2;
        if (fits(static_cast<int>(middle)))
            fitting = middle;
        else
            tooLarge = middle;
    }
    return static_cast<int>(fitting);
}

}  // namespace quorvane
