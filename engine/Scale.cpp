#include "Scale.h"

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

}  // namespace quorvane
