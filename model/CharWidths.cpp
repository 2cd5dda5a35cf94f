#include "CharWidths.h"

namespace quorvane {

namespace {

int TypicalWidth(char c)
{
    if (c >= '0' && c <= '9')
        return 7;
    switch (c) {
    case ' ':
    case '.':
    case ',':
        return 3;
    case '-':
    case '+':
        return 4;
    default:
        return 7;
    }
}

}  // namespace

CharWidths::CharWidths() : CharWidths(TypicalWidth) {}

CharWidths::CharWidths(const std::function<int(char)>& measure)
{
    for (int c = 0; c < 128; ++c)
        widths_[c] = measure(static_cast<char>(c));
}

int CharWidths::Width(char c) const
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 128 ? widths_[byte] : widths_['?'];
}

int CharWidths::TextWidth(std::string_view text) const
{
    int width = 0;
    for (char c : text)
        width += Width(c);
    return width;
}

}  // namespace quorvane
