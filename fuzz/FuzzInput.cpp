#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane::fuzzing {

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
    : bytes_(reinterpret_cast<const char*>(data), size)
{
}

std::uint8_t FuzzInput::TakeByte()
{
    if (bytes_.empty())
        return 0;
    const auto byte = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
}

int FuzzInput::TakeTwoBytes()
{
    const int high = TakeByte();
    return high << 8 | TakeByte();
}

void Fail(std::string_view property, std::string_view detail)
{
    std::fprintf(stderr, "\nProperty broken: %.*s\n", static_cast<int>(property.size()),
                 property.data());
    if (!detail.empty())
        std::fprintf(stderr, "%.*s\n", static_cast<int>(detail.size()), detail.data());
    std::abort();
}

}  // namespace quorvane::fuzzing
