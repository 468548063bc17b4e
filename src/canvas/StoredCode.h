#pragma once
// A small code (a pen style, a text's alignment) as a shape stores it: one
// byte. A code outside 0..255 is none the shape can carry and is stored as the
// given default, which is also what the program does with an unknown code.

#include <cstdint>

inline std::uint8_t storedCode(int code, std::uint8_t otherwise)
{
    return (code >= 0 && code <= 255) ? static_cast<std::uint8_t>(code) : otherwise;
}
