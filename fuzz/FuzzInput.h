#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvane::fuzzing {

// One input of a fuzz target: parameters taken from its front, the rest as
// the file's bytes.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size);

    // The next byte, or 0 once the input is used up.
    std::uint8_t TakeByte();
    std::int8_t TakeSignedByte() { return static_cast<std::int8_t>(TakeByte()); }
    int TakeTwoBytes();
    std::string_view Rest() const { return bytes_; }

private:
    std::string_view bytes_;
};

// A broken property: says which on stderr and aborts, so that libFuzzer
// keeps the input as a crash.
[[noreturn]] void Fail(std::string_view property, std::string_view detail = {});

inline void Require(bool holds, std::string_view property)
{
    if (!holds)
        Fail(property);
}

}  // namespace quorvane::fuzzing
