#include "UserScanFormat.h"

#include "platform/NumberText.h"

#include <cctype>
#include <cstddef>
#include <optional>

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

void skipBlanks(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && isBlank(text[pos])) ++pos;
}

// The longest number at pos within `width` characters (0: no limit):
// sign, digits, optional fraction, optional exponent; at least one digit.
std::optional<double> readNumber(std::string_view text, std::size_t& pos, std::size_t width)
{
    skipBlanks(text, pos);
    const std::size_t limit = width == 0 ? text.size() : std::min(text.size(), pos + width);
    std::size_t end = pos;
    auto digits = [&] {
        const std::size_t start = end;
        while (end < limit && isDigit(text[end])) ++end;
        return end - start;
    };
    if (end < limit && (text[end] == '+' || text[end] == '-')) ++end;
    std::size_t mantissa = digits();
    if (end < limit && text[end] == '.') {
        ++end;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (end < limit && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < limit && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < limit && isDigit(text[exponent])) {
            end = exponent;
            digits();
        }
    }
    const auto value = skerra::tryParseDouble(text.substr(pos, end - pos));
    if (value) pos = end;
    return value;
}

struct Conversion {
    bool suppressed = false;
    std::size_t width = 0;
    char kind = 0;  // 'n' number, 's' word, 'c' characters; 0: not accepted
};

Conversion readConversion(std::string_view format, std::size_t& i)
{
    Conversion c;
    if (i < format.size() && format[i] == '*') {
        c.suppressed = true;
        ++i;
    }
    while (i < format.size() && isDigit(format[i])) {
        c.width = c.width * 10 + std::size_t(format[i] - '0');
        if (c.width > 1000000) return {};
        ++i;
    }
    while (i < format.size() && (format[i] == 'l' || format[i] == 'L' || format[i] == 'h')) ++i;
    if (i >= format.size()) return {};
    switch (format[i++]) {
    case 'f': case 'e': case 'g': case 'E': case 'G': case 'd': case 'i': case 'u':
        c.kind = 'n';
        break;
    case 's':
        c.kind = c.suppressed ? 's' : 0;
        break;
    case 'c':
        c.kind = c.suppressed ? 'c' : 0;
        break;
    default:
        break;
    }
    return c;
}

bool formatIsValid(std::string_view format)
{
    for (std::size_t i = 0; i < format.size();) {
        if (format[i++] != '%') continue;
        if (i < format.size() && format[i] == '%') {
            ++i;
            continue;
        }
        if (readConversion(format, i).kind == 0) return false;
    }
    return true;
}

}  // namespace

ScanResult ScanNumbers(std::string_view text, std::string_view format)
{
    ScanResult result;
    result.formatValid = formatIsValid(format);
    if (!result.formatValid) return result;

    std::size_t pos = 0;
    for (std::size_t i = 0; i < format.size();) {
        const char f = format[i];
        if (isBlank(f)) {
            skipBlanks(text, pos);
            ++i;
            continue;
        }
        if (f != '%' || (i + 1 < format.size() && format[i + 1] == '%')) {
            if (pos >= text.size() || text[pos] != f) break;
            ++pos;
            i += f == '%' ? 2 : 1;
            continue;
        }
        ++i;
        const Conversion c = readConversion(format, i);
        if (c.kind == 'n') {
            const auto value = readNumber(text, pos, c.width);
            if (!value) break;
            if (!c.suppressed) result.values.push_back(*value);
        } else if (c.kind == 's') {
            skipBlanks(text, pos);
            const std::size_t start = pos;
            while (pos < text.size() && !isBlank(text[pos]) && (c.width == 0 || pos - start < c.width)) ++pos;
            if (pos == start) break;
        } else {  // 'c'
            const std::size_t count = c.width == 0 ? 1 : c.width;
            if (text.size() - pos < count) break;
            pos += count;
        }
    }
    return result;
}
