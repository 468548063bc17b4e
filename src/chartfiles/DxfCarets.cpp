#include "chartfiles/DxfCarets.h"

std::string EncodeDxfCarets(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            out += '^';
            out += static_cast<char>(u == 0x7F ? '?' : u + 64);
        } else if (c == '^') {
            out += "^ ";
        } else {
            out += c;
        }
    }
    return out;
}

std::string DecodeDxfCarets(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char n = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c != '^' || !(n == ' ' || n == '?' || (n >= '@' && n <= '_'))) {
            out += c;
            continue;
        }
        out += n == ' ' ? '^' : n == '?' ? '\x7F' : static_cast<char>(n - 64);
        ++i;
    }
    return out;
}
