#pragma once
// Reading a sounder line with the user's scan format, safely.
//
// The format is the familiar scanf subset: literal characters match themselves, a
// blank matches any run of blanks, "%%" a percent sign; "%lf" (also "%f", "%e",
// "%g", "%d", "%i", "%u", any with a width) reads a number; "%*..." reads and
// skips one; "%*s" skips a word (up to its width), "%*c" skips characters (width,
// default 1). Numbers are read without the locale ("." decimals); "nan", "inf" and
// hexadecimal numbers are not numbers. Only suppressed words and characters can be
// read, and "%n" and "%[" are not accepted: nothing is ever stored but numbers.

#include <string_view>
#include <vector>

struct ScanResult {
    bool formatValid = true;     // false: the format uses something not accepted above
    std::vector<double> values;  // the numbers read, in order, up to the first mismatch
};

ScanResult ScanNumbers(std::string_view text, std::string_view format);
