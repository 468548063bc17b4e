#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace skerra {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Accepts exactly: [+-] digits [. digits] [e|E [+-] digits], with at least one digit
// in the mantissa. std::from_chars would also take "nan", "inf" and hex floats.
bool isPlainReal(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) { ++i; ++expDigits; }
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<double> tryParseDouble(std::string_view text)
{
    std::string_view s = trimBlanks(text);
    if (!isPlainReal(s)) return std::nullopt;
    if (s.front() == '+') s.remove_prefix(1);  // from_chars refuses a leading '+'
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> tryParseInt64(std::string_view text)
{
    std::string_view s = trimBlanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !isDigit(s.front())) return std::nullopt;
    unsigned long long magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1 : 0);
    if (magnitude > limit) return std::nullopt;
    if (negative) return static_cast<long long>(0 - magnitude);
    return static_cast<long long>(magnitude);
}

std::optional<int> tryParseInt(std::string_view text)
{
    auto v = tryParseInt64(text);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<long long> tryParseIntOrHex(std::string_view text)
{
    std::string_view s = trimBlanks(text);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        unsigned long long v = 0;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
        if (ec != std::errc() || end != s.data() + s.size()
            || v > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
            return std::nullopt;
        return static_cast<long long>(v);
    }
    return tryParseInt64(s);
}

double StrToFloat(std::string_view text)
{
    if (auto v = tryParseDouble(text)) return *v;
    throw ConvertError(quoted(text) + " is not a valid floating point value");
}

long long StrToInt64(std::string_view text)
{
    if (auto v = tryParseIntOrHex(text)) return *v;
    throw ConvertError(quoted(text) + " is not a valid integer value");
}

int StrToInt(std::string_view text)
{
    auto v = tryParseIntOrHex(text);
    if (v && *v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max())
        return static_cast<int>(*v);
    throw ConvertError(quoted(text) + " is not a valid integer value");
}

double StrToFloatDef(std::string_view text, double fallback)
{
    return tryParseDouble(text).value_or(fallback);
}

int StrToIntDef(std::string_view text, int fallback)
{
    auto v = tryParseIntOrHex(text);
    if (v && *v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max())
        return static_cast<int>(*v);
    return fallback;
}

namespace {
const char* nonFiniteText(double value) { return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF"); }
}  // namespace

void AppendGeneral(std::string& out, double value, int significant)
{
    if (!std::isfinite(value)) {
        out += nonFiniteText(value);
        return;
    }
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    if (ec != std::errc()) {
        out += '0';
        return;
    }
    out.append(buf, end);
}

void AppendFixed(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value)) {
        out += nonFiniteText(value);
        return;
    }
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        AppendGeneral(out, value, 17);
        return;
    }
    const char* begin = buf;
    if (buf[0] == '-' && std::string_view(buf + 1, size_t(end - buf - 1)).find_first_not_of("0.") == std::string_view::npos)
        ++begin;  // no "-0.00"
    out.append(begin, static_cast<std::size_t>(end - begin));
}

std::string FormatFixed(double value, int decimals)
{
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

std::string FormatGeneral(double value, int significant)
{
    std::string out;
    AppendGeneral(out, value, significant);
    return out;
}

std::string IntToStr(long long value) { return std::to_string(value); }

}  // namespace skerra
