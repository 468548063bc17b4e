#include "devices/ntrip/Base64Encode.h"

#include <cstdint>

std::string Base64Encode(std::string_view text)
{
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((text.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= text.size(); i += 3) {
        const std::uint32_t v = (std::uint32_t{static_cast<std::uint8_t>(text[i])} << 16) |
                                (std::uint32_t{static_cast<std::uint8_t>(text[i + 1])} << 8) |
                                static_cast<std::uint8_t>(text[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t rest = text.size() - i;
    if (rest > 0) {
        std::uint32_t v = std::uint32_t{static_cast<std::uint8_t>(text[i])} << 16;
        if (rest == 2)
            v |= std::uint32_t{static_cast<std::uint8_t>(text[i + 1])} << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}
