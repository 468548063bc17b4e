#include "ScanFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace skerra {
namespace {

constexpr int End = -1;  // no more input (sscanf's EOF)

// The "C" locale's white space.
bool isCSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHexDigit(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int lower(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// ---- checking a format ----------------------------------------------------------

std::string refusal(std::string_view format, const std::string& detail, int maxCaptures)
{
    std::string text = "The scan format \"" + std::string(format) + "\" cannot be used: " + detail
        + ". A format may hold literal characters, blanks, %%, skipped fields (%*s, %*c, %*d, %*f, %*lf "
          "or %*[...], each with an optional width) and ";
    if (maxCaptures <= 0) return text + "no %lf value.";
    return text + "at most " + std::to_string(maxCaptures) + (maxCaptures == 1 ? " %lf value." : " %lf values.");
}

// The conversion text starting at `percent`, up to its conversion letter, for reports.
std::string conversionText(std::string_view format, size_t percent)
{
    size_t end = percent + 1;
    while (end < format.size() && (format[end] == '*' || isDigit(format[end]) || format[end] == 'l'
                                   || format[end] == 'h' || format[end] == 'L' || format[end] == '$'))
        ++end;
    if (end < format.size()) ++end;
    return "\"" + std::string(format.substr(percent, end - percent)) + "\"";
}

}  // namespace

std::optional<ScanFormat> ScanFormat::Compile(std::string_view format, int maxCaptures, std::string* error)
{
    ScanFormat result;
    auto refuse = [&](const std::string& detail) -> std::optional<ScanFormat> {
        if (error) *error = refusal(format, detail, maxCaptures);
        return std::nullopt;
    };
    const size_t n = format.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(format[i]);
        if (c == 0) return refuse("it holds a NUL character");
        if (isCSpace(c)) {
            if (result.steps_.empty() || result.steps_.back().kind != Kind::Blanks)
                result.steps_.push_back({Kind::Blanks});
            ++i;
            continue;
        }
        if (c != '%') {
            Step literal{Kind::Literal};
            literal.literal = static_cast<char>(c);
            result.steps_.push_back(literal);
            ++i;
            continue;
        }
        const size_t percent = i++;
        if (i >= n) return refuse("it ends with a lone %");
        if (format[i] == '%') {
            result.steps_.push_back({Kind::Percent});
            ++i;
            continue;
        }
        Step step;
        const bool skipped = format[i] == '*';
        if (skipped) ++i;
        if (i < n && isDigit(format[i])) {
            long long width = 0;
            while (i < n && isDigit(format[i])) {
                width = std::min<long long>(width * 10 + (format[i] - '0'), MaxWidth + 1LL);
                ++i;
            }
            if (width == 0) return refuse("the field width of " + conversionText(format, percent) + " is 0");
            if (width > MaxWidth)
                return refuse("the field width of " + conversionText(format, percent) + " is over "
                              + std::to_string(MaxWidth));
            step.width = static_cast<int>(width);
        }
        const std::string_view rest = format.substr(i);
        if (rest.starts_with("lf")) {
            step.kind = Kind::Real;
            i += 2;
        } else if (skipped && !rest.empty() && (rest[0] == 's' || rest[0] == 'c' || rest[0] == 'd' || rest[0] == 'f')) {
            step.kind = rest[0] == 's' ? Kind::String : rest[0] == 'c' ? Kind::Char : rest[0] == 'd' ? Kind::Integer : Kind::Real;
            ++i;
        } else if (skipped && !rest.empty() && rest[0] == '[') {
            // A scan set as the C library reads it: "^" negates; a "]" or "-" first is a
            // member; "a-z" is a range when it does not end the set and ascends.
            ++i;
            bool negated = false;
            if (i < n && format[i] == '^') {
                negated = true;
                ++i;
            }
            CharSet members{};
            if (i < n && (format[i] == ']' || format[i] == '-')) members[static_cast<unsigned char>(format[i++])] = true;
            for (;;) {
                if (i >= n) return refuse("the scan set of " + conversionText(format, percent) + " has no closing ]");
                const unsigned char fc = static_cast<unsigned char>(format[i++]);
                if (fc == 0) return refuse("it holds a NUL character");
                if (fc == ']') break;
                const unsigned char before = static_cast<unsigned char>(format[i - 2]);
                if (fc == '-' && i < n && format[i] != ']' && format[i] != 0
                    && before <= static_cast<unsigned char>(format[i])) {
                    for (int x = before; x < static_cast<unsigned char>(format[i]); ++x) members[x] = true;
                } else {
                    members[fc] = true;
                }
            }
            CharSet accepts{};
            for (int x = 0; x < 256; ++x) accepts[x] = members[x] != negated;
            step.kind = Kind::Set;
            step.set = static_cast<int>(result.sets_.size());
            result.sets_.push_back(accepts);
        } else {
            return refuse(conversionText(format, percent) + " is not allowed");
        }
        step.capture = !skipped;
        if (step.capture && ++result.captures_ > maxCaptures)
            return refuse("it holds more %lf values than the " + std::to_string(std::max(maxCaptures, 0)) + " expected");
        result.steps_.push_back(step);
    }
    return result;
}

namespace {

// The line as the C library's input stream: characters one at a time, one pushed back.
struct Input {
    std::string_view text;
    size_t pos = 0;
    int get() { return pos < text.size() ? static_cast<unsigned char>(text[pos++]) : End; }
    void unget(int c) { if (c != End) --pos; }
    void skipSpace() { while (pos < text.size() && isCSpace(static_cast<unsigned char>(text[pos]))) ++pos; }
};

enum class Outcome { Matched, Mismatch, InputEnd };

struct Number {
    Outcome outcome = Outcome::Mismatch;
    double value = 0;
};

// Saturated decimal value of an exponent's digits.
long long exponentValue(std::string_view digits, bool negative)
{
    long long e = 0;
    for (char d : digits) e = std::min<long long>(e * 10 + (d - '0'), 1'000'000'000LL);
    return negative ? -e : e;
}

// Magnitude order of the mantissa's first non-zero digit (its power of the base).
std::optional<long long> leadingOrder(std::string_view mantissa)
{
    const size_t dot = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, dot);
    for (size_t k = 0; k < whole.size(); ++k)
        if (whole[k] != '0') return static_cast<long long>(whole.size() - k - 1);
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view fraction = mantissa.substr(dot + 1);
    for (size_t k = 0; k < fraction.size(); ++k)
        if (fraction[k] != '0') return -static_cast<long long>(k + 1);
    return std::nullopt;
}

// The value of the longest prefix of `text` that strtod would read, for the texts the
// real-number reader below collects: [sign] mantissa [exponent letter [sign] digits].
std::optional<double> convertReal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const bool hex = text.size() >= 2 && text[0] == '0' && lower(text[1]) == 'x';
    if (hex) text.remove_prefix(2);
    size_t i = 0, digits = 0;
    auto isMantissaDigit = [&](char ch) { return hex ? isHexDigit(static_cast<unsigned char>(ch)) : isDigit(ch); };
    while (i < text.size() && isMantissaDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isMantissaDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) {
        if (hex) return negative ? -0.0 : 0.0;  // "0x" without digits reads as the "0"
        return std::nullopt;
    }
    const std::string_view mantissa = text.substr(0, i);
    std::string_view exponent;
    long long exponentNumber = 0;
    if (i < text.size()) {  // the exponent letter
        size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        const size_t expDigits = j;
        while (j < text.size() && isDigit(text[j])) ++j;
        if (j > expDigits) {
            exponent = text.substr(i, j - i);
            exponentNumber = exponentValue(text.substr(expDigits, j - expDigits), expNegative);
        }
    }
    const std::string_view number = text.substr(0, mantissa.size() + exponent.size());
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           hex ? std::chars_format::hex : std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: a tiny value reads as zero, a huge one as infinity.
        const long long order = leadingOrder(mantissa).value_or(0) * (hex ? 4 : 1) + exponentNumber;
        value = order < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Reads "nan", "inf" or "infinity" after its first letter, glibc's way.
Outcome readWord(Input& in, int& c, int& width, std::string_view word)
{
    for (char expected : word.substr(1)) {
        if (width == 0 || (c = in.get()) == End || lower(c) != expected) return Outcome::Mismatch;
        if (width > 0) --width;
    }
    return Outcome::Matched;
}

// A real number, read like glibc's scanf: greedily, one character of look-ahead.
Number readReal(Input& in, int width)
{
    Number result;
    int c = in.get();
    if (width > 0) --width;
    if (c == End) return {Outcome::InputEnd};
    std::string text;
    bool gotSign = false, gotDigit = false, gotDot = false, gotE = false, hex = false;
    if (c == '-' || c == '+') {
        gotSign = true;
        text += static_cast<char>(c);
        if (width == 0 || (c = in.get()) == End) return result;
        if (width > 0) --width;
    }
    if (lower(c) == 'n' || lower(c) == 'i') {
        const bool nan = lower(c) == 'n';
        if (readWord(in, c, width, nan ? "nan" : "inf") != Outcome::Matched) return result;
        if (!nan && width != 0 && (c = in.get()) != End) {
            if (lower(c) == 'i') {
                if (width > 0) --width;
                if (readWord(in, c, width, "inity") != Outcome::Matched) return result;
            } else {
                in.unget(c);
            }
        }
        result.outcome = Outcome::Matched;
        result.value = nan ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
        return result;
    }
    char exponentLetter = 'e';
    if (width != 0 && c == '0') {
        text += '0';
        c = in.get();
        if (width > 0) --width;
        if (width != 0 && lower(c) == 'x') {
            text += static_cast<char>(c);
            hex = true;
            exponentLetter = 'p';
            c = in.get();
            if (width > 0) --width;
        } else {
            gotDigit = true;
        }
    }
    for (;;) {
        if (isDigit(c) || (!gotE && hex && isHexDigit(c))) {
            text += static_cast<char>(c);
            gotDigit = true;
        } else if (gotE && text.back() == exponentLetter && (c == '-' || c == '+')) {
            text += static_cast<char>(c);
        } else if (gotDigit && !gotE && lower(c) == exponentLetter) {
            text += exponentLetter;
            gotE = gotDot = true;
        } else if (!gotDot && c == '.') {
            text += '.';
            gotDot = true;
        } else {
            in.unget(c);
            break;
        }
        if (width == 0 || (c = in.get()) == End) break;
        if (width > 0) --width;
    }
    const size_t signLength = gotSign ? 1 : 0;
    if (text.size() == signLength || (hex && text.size() == 2 + signLength)) return result;
    const std::optional<double> value = convertReal(text);
    if (!value) return result;
    return {Outcome::Matched, *value};
}

// A decimal integer (skipped): optional sign, digits.
Outcome readInteger(Input& in, int width)
{
    int c = in.get();
    if (c == End) return Outcome::InputEnd;
    if (c == '-' || c == '+') {
        if (width > 0) --width;
        c = in.get();
    }
    int digits = 0;
    while (c != End && width != 0 && isDigit(c)) {
        ++digits;
        if (width > 0) --width;
        c = in.get();
    }
    in.unget(c);
    return digits > 0 ? Outcome::Matched : Outcome::Mismatch;
}

// A run of characters that are not blanks.
Outcome readString(Input& in, int width)
{
    int c = in.get();
    if (c == End) return Outcome::InputEnd;
    do {
        if (isCSpace(c)) {
            in.unget(c);
            break;
        }
    } while ((width <= 0 || --width > 0) && (c = in.get()) != End);
    return Outcome::Matched;
}

// `width` characters (one without a width), or what is left of the line.
Outcome readChars(Input& in, int width)
{
    if (in.get() == End) return Outcome::InputEnd;
    int left = width < 0 ? 1 : width;
    while (--left > 0 && in.get() != End) {}
    return Outcome::Matched;
}

// At least one character of the set.
template <class Set>
Outcome readSet(Input& in, int width, const Set& accepts)
{
    int c = in.get();
    if (c == End) return Outcome::InputEnd;
    int taken = 0;
    do {
        if (!accepts[c]) {
            in.unget(c);
            break;
        }
        ++taken;
    } while ((width <= 0 || --width > 0) && (c = in.get()) != End);
    return taken > 0 ? Outcome::Matched : Outcome::Mismatch;
}

Outcome literal(Input& in, char expected)
{
    const int c = in.get();
    if (c == End) return Outcome::InputEnd;
    if (c != static_cast<unsigned char>(expected)) {
        in.unget(c);
        return Outcome::Mismatch;
    }
    return Outcome::Matched;
}

}  // namespace

int ScanFormat::Scan(std::string_view line, double* out) const
{
    Input in{line.substr(0, line.find('\0'))};
    int assigned = 0;
    for (const Step& step : steps_) {
        Outcome outcome = Outcome::Matched;
        switch (step.kind) {
        case Kind::Blanks: in.skipSpace(); break;
        case Kind::Literal: outcome = literal(in, step.literal); break;
        case Kind::Percent: in.skipSpace(); outcome = literal(in, '%'); break;
        case Kind::String: in.skipSpace(); outcome = readString(in, step.width); break;
        case Kind::Char: outcome = readChars(in, step.width); break;
        case Kind::Integer: in.skipSpace(); outcome = readInteger(in, step.width); break;
        case Kind::Set: outcome = readSet(in, step.width, sets_[static_cast<size_t>(step.set)]); break;
        case Kind::Real: {
            in.skipSpace();
            const Number number = readReal(in, step.width);
            outcome = number.outcome;
            if (outcome == Outcome::Matched && step.capture) {
                if (!std::isfinite(number.value)) return assigned;  // refused: not a usable value
                out[assigned++] = number.value;
            }
            break;
        }
        }
        if (outcome == Outcome::InputEnd) return assigned == 0 ? -1 : assigned;
        if (outcome == Outcome::Mismatch) return assigned;
    }
    return assigned;
}

}  // namespace skerra
