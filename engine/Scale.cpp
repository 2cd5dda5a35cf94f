#include "Scale.h"

#include "ViewParameters.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

std::string GroupDigits(int n, char separator)
{
    const std::string digits = std::to_string(n);
    const std::size_t signLength = n < 0 ? 1 : 0;
    std::string grouped = digits.substr(0, signLength);
    const std::size_t count = digits.size() - signLength;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += separator;
        grouped += digits[signLength + i];
    }
    return grouped;
}

std::string FormatScale(int n)
{
    std::string caption = n < 1000 ? "1 : " : "1  :  ";
    caption += n < 1000 ? std::to_string(n) : GroupDigits(n, ' ');
    return caption;
}

void ScalePanAbout(ViewParameters& view, int before, int after, int anchorX, int anchorY)
{
    if (before <= 0 || after <= 0)
        return;
    // Pixels of the drawing scale with the drawing factor, which is
    // inversely the scale's denominator.
    const double ratio = double(before) / double(after);
    auto scaled = [ratio](int pan, int anchor) {
        const double value = anchor - (anchor - double(pan)) * ratio;
        return static_cast<int>(std::clamp(std::round(value),
                                           double(std::numeric_limits<int>::min()),
                                           double(std::numeric_limits<int>::max())));
    };
    view.PanX = scaled(view.PanX, anchorX);
    view.PanY = scaled(view.PanY, anchorY);
}

}  // namespace quorvane
