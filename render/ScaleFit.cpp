#include "ScaleFit.h"

#include <algorithm>
#include <limits>

namespace quorvane {

namespace {

// The smallest N that fits between a denominator too small (its drawing too
// large) and one that fits, halving the gap with each trial.
int ClosingTheGap(long long tooLarge, long long fitting, const std::function<bool(int)>& fits)
{
    while (fitting - tooLarge > 1) {
        const long long middle = tooLarge + (fitting - tooLarge) / 2;
        if (fits(static_cast<int>(middle)))
            fitting = middle;
        else
            tooLarge = middle;
    }
    return static_cast<int>(fitting);
}

}  // namespace

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
    return ClosingTheGap(tooLarge, fitting, fits);
}

std::optional<int> SmallestFittingDenominator(int guess, const std::function<bool(int)>& fits)
{
    constexpr long long largest = std::numeric_limits<int>::max();
    // Steps growing from the guess find a pair of neighbours across the
    // border, which halving the gap then closes.
    long long tooLarge = 0;  // a drawing too large at this N; 0 stands for none
    long long fitting = std::clamp<long long>(guess, 1, largest);
    if (fits(static_cast<int>(fitting))) {
        for (long long step = 1; fitting > 1; step *= 2) {
            const long long below = std::max(1LL, fitting - step);
            if (!fits(static_cast<int>(below))) {
                tooLarge = below;
                break;
            }
            fitting = below;
        }
    } else {
        tooLarge = fitting;
        for (long long step = 1;; step *= 2) {
            if (tooLarge == largest)
                return std::nullopt;
            const long long above = std::min(largest, tooLarge + step);
            if (fits(static_cast<int>(above))) {
                fitting = above;
                break;
            }
            tooLarge = above;
        }
    }
    return ClosingTheGap(tooLarge, fitting, fits);
}

}  // namespace quorvane
