#pragma once
// Number texts of the geodesy routines.
//
// Positions and parameters travel between the geodesy routines as 8-bit texts
// of decimal numbers. They are read the way C-style scanning reads them (white
// space before each value is skipped; a value is an optional sign, digits with
// an optional "." fraction and an optional exponent; reading stops at the first
// thing that is not a number) and written with 15 significant digits. Neither
// direction looks at the process locale, so a decimal comma set by the user's
// environment cannot break them, and "nan" or "inf" are never numbers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skerra::geodesy {

class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    // The next value, or nothing once a value cannot be read (then nothing more is read).
    std::optional<double> next();
    // Reads up to `count` values into `out`; returns how many were read.
    int read(double* out, int count);
    // Skips one word of at most `maxChars` non-blank characters, as "%20s" does.
    bool skipWord(std::size_t maxChars);
    // True when only white space is left and no read has failed.
    bool atEnd();

private:
    void skipBlanks();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Appends `value` with 15 significant digits, like "%.15G" in the "C" locale:
// no trailing zeros, fixed notation for ordinary magnitudes, "E" exponent
// otherwise. Zero is written "0". The value must be finite.
void appendGeneral(std::string& out, long double value);
std::string formatGeneral(long double value);

// Appends `value` in fixed notation with `decimals` decimals ("." separator).
void appendFixed(std::string& out, long double value, int decimals);

// The failure result of the geodesy text routines.
inline const std::string kFailureText = "0";

}  // namespace skerra::geodesy
