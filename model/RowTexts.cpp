#include "RowTexts.h"

namespace quorvane {

std::string_view RowTexts::Get(int column) const
{
    const std::uint32_t begin = column > 1 ? ends_[column - 2] : 0;
    return std::string_view(data_).substr(begin, ends_[column - 1] - begin);
}

void RowTexts::Set(int column, std::string_view text)
{
    const std::uint32_t begin = column > 1 ? ends_[column - 2] : 0;
    const std::uint32_t oldLength = ends_[column - 1] - begin;
    data_.replace(begin, oldLength, text);
    const auto newLength = static_cast<std::uint32_t>(text.size());
    for (int c = column - 1; c < TextColumnCount; ++c)
        ends_[c] = ends_[c] - oldLength + newLength;
}

std::size_t RowTexts::HeapBytes() const
{
    // Short texts live inside the string object itself.
    return data_.capacity() > std::string().capacity() ? data_.capacity() + 1 : 0;
}

void RowTexts::Clear()
{
    data_.clear();
    ends_.fill(0);
}

void RowTexts::Assign(const std::array<std::string_view, TextColumnCount>& texts)
{
    std::size_t total = 0;
    for (std::string_view text : texts)
        total += text.size();
    std::string data;
    data.reserve(total);
    for (int c = 0; c < TextColumnCount; ++c) {
        data.append(texts[c]);
        ends_[c] = static_cast<std::uint32_t>(data.size());
    }
    data_ = std::move(data);
}

}  // namespace quorvane
