#pragma once
// Locale-free reading and writing of numbers.
//
// The C library's printf/strtod follow LC_NUMERIC, which QApplication sets from the
// user's environment (a decimal comma under tr_TR or de_DE). Every number text the
// program reads or writes goes through these helpers instead: "." is the decimal
// separator, surrounding blanks are ignored, and "nan"/"inf" are never numbers.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace skerra {

// Raised where a conversion must succeed; the message is the framework's text,
// e.g. "'abc' is not a valid floating point value".
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Blanks (space, tab, CR, LF) removed from both ends.
std::string_view trimBlanks(std::string_view text);

// A finite real: optional sign, digits with an optional "." fraction, optional
// exponent ("1e5", "2.5E-3"). Blanks around it are allowed, nothing else.
std::optional<double> tryParseDouble(std::string_view text);

// A decimal integer with an optional sign, blanks around it allowed.
std::optional<long long> tryParseInt64(std::string_view text);
std::optional<int> tryParseInt(std::string_view text);

// A decimal integer, or a hexadecimal one after "0x"/"0X" (settings-file rule).
std::optional<long long> tryParseIntOrHex(std::string_view text);

// Conversions that raise ConvertError with the framework's message.
double StrToFloat(std::string_view text);   // "'%s' is not a valid floating point value"
int StrToInt(std::string_view text);        // "'%s' is not a valid integer value"; accepts 0x hex
long long StrToInt64(std::string_view text);

// Conversions that fall back to a default.
double StrToFloatDef(std::string_view text, double fallback);
int StrToIntDef(std::string_view text, int fallback);

// Fixed notation with the given number of decimals (like "%.*f" in the "C" locale);
// a value that rounds to zero has no minus sign.
std::string FormatFixed(double value, int decimals);
// General notation with up to `significant` digits (like "%.*g" in the "C" locale).
std::string FormatGeneral(double value, int significant = 15);
// The same, appended to `out` (no temporary string on busy paths).
void AppendFixed(std::string& out, double value, int decimals);
void AppendGeneral(std::string& out, double value, int significant = 15);
std::string IntToStr(long long value);

}  // namespace skerra
