#pragma once
// Scan formats typed by the user ("%*6s,%lf"), checked once and then applied to
// device lines without the C library.
//
// A format may hold literal characters, blanks (a blank matches any run of blanks,
// none included), "%%", skipped fields "%*[width]" followed by s, c, d, f, lf or a
// scan set "[...]", and up to a caller-given number of "%[width]lf" captures.
// Anything else is refused with one report text, so a format can never make the
// scanner write through a pointer it was not given.
//
// Scanning follows the C library's sscanf in the "C" locale (glibc's reading of
// numbers and scan sets, "." as decimal point whatever the user's locale), with
// one difference: a captured value must be finite. "nan", "inf" and numbers out of
// the double range end the scan at that capture as a failed match.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerra {

class ScanFormat {
public:
    // Longest field width a format may give.
    static constexpr int MaxWidth = 4096;

    // The checked format, or nothing with a report in *error (when error is given).
    static std::optional<ScanFormat> Compile(std::string_view format, int maxCaptures,
                                             std::string* error = nullptr);

    // Number of "%lf" captures in the format.
    int Captures() const { return captures_; }

    // Scans a line into out[0 .. Captures()-1]. Returns the number of captures
    // assigned, or -1 when the line ends before the first capture is assigned
    // (sscanf's EOF). The line ends at its first NUL byte, as a C string would.
    // Entries past the returned count are left as they were.
    int Scan(std::string_view line, double* out) const;

private:
    enum class Kind : std::uint8_t { Blanks, Literal, Percent, String, Char, Integer, Real, Set };
    struct Step {
        Kind kind = Kind::Literal;
        bool capture = false;
        char literal = 0;
        int width = -1;  // -1: none
        int set = -1;    // index into sets_ for Kind::Set
    };
    using CharSet = std::array<bool, 256>;

    std::vector<Step> steps_;
    std::vector<CharSet> sets_;
    int captures_ = 0;
};

}  // namespace skerra
