#include "CommaList.h"

namespace quorvane {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view text)
{
    for (char c : text)
        if (IsBlankOrControl(c) || c == Quote || c == Comma)
            return true;
    return false;
}

}  // namespace

std::string JoinCommaList(const std::vector<std::string>& texts)
{
    // A single empty text must still read back as one text.
    if (texts.size() == 1 && texts[0].empty())
        return {Quote, Quote};
    std::string list;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            list += Comma;
        const std::string& text = texts[i];
        if (!NeedsQuotes(text)) {
            list += text;
            continue;
        }
        list += Quote;
        for (char c : text) {
            if (c == Quote)
                list += Quote;
            list += c;
        }
        list += Quote;
    }
    return list;
}

std::vector<std::string> SplitCommaList(std::string_view list)
{
    std::vector<std::string> texts;
    std::size_t i = 0;
    const std::size_t n = list.size();
    const auto skipBlanks = [&] {
        while (i < n && IsBlankOrControl(list[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string text;
        if (list[i] == Quote) {
            ++i;
            while (i < n) {
                if (list[i] == Quote) {
                    if (i + 1 < n && list[i + 1] == Quote) {
                        text += Quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += list[i++];
            }
        } else {
            while (i < n && !IsBlankOrControl(list[i]) && list[i] != Comma)
                text += list[i++];
        }
        texts.push_back(std::move(text));
        skipBlanks();
        if (i < n && list[i] == Comma) {
            ++i;
            if (i == n)
                texts.emplace_back();  // a comma at the very end closes an empty text
            skipBlanks();
        }
    }
    return texts;
}

}  // namespace quorvane
