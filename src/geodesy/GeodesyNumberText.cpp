#include "geodesy/GeodesyNumberText.h"

#include "platform/NumberText.h"

#include <charconv>
#include <cmath>

namespace skerra::geodesy {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void NumberScanner::skipBlanks()
{
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

std::optional<double> NumberScanner::next()
{
    if (failed_)
        return std::nullopt;
    skipBlanks();
    const char* begin = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const char* p = begin;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Only decimal numbers: the first character after the sign must be a digit,
    // or a "." followed by a digit. This keeps out "nan", "inf" and "0x" floats.
    const bool startsNumber =
        p < end && (isDigit(*p) || (*p == '.' && p + 1 < end && isDigit(p[1])));
    double value = 0;
    if (startsNumber) {
        const auto result = std::from_chars(p, end, value, std::chars_format::general);
        if (result.ec == std::errc() && std::isfinite(value)) {
            pos_ = static_cast<std::size_t>(result.ptr - text_.data());
            return negative ? -value : value;
        }
    }
    failed_ = true;
    return std::nullopt;
}

int NumberScanner::read(double* out, int count)
{
    int n = 0;
    while (n < count) {
        const auto v = next();
        if (!v)
            break;
        out[n++] = *v;
    }
    return n;
}

bool NumberScanner::skipWord(std::size_t maxChars)
{
    if (failed_)
        return false;
    skipBlanks();
    std::size_t taken = 0;
    while (pos_ < text_.size() && !isBlank(text_[pos_]) && taken < maxChars) {
        ++pos_;
        ++taken;
    }
    if (taken == 0)
        failed_ = true;
    return taken > 0;
}

bool NumberScanner::atEnd()
{
    if (failed_)
        return false;
    skipBlanks();
    return pos_ == text_.size();
}

void appendGeneral(std::string& out, long double value)
{
    const double v = static_cast<double>(value);
    if (v == 0 || !std::isfinite(v)) {
        out += '0';
        return;
    }
    const std::size_t start = out.size();
    AppendGeneral(out, v, 15);
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == 'e')
            out[i] = 'E';
}

std::string formatGeneral(long double value)
{
    std::string s;
    appendGeneral(s, value);
    return s;
}

void appendFixed(std::string& out, long double value, int decimals)
{
    const double v = static_cast<double>(value);
    AppendFixed(out, std::isfinite(v) ? v : 0.0, decimals);
}

}  // namespace skerra::geodesy
