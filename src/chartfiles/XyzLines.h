#pragma once
// The two readers of XYZ point lines (one line, its line break removed). Numbers
// are read as the C library's "%lf" reads them in the "C" locale, but "nan", "inf"
// and values beyond the double range are not numbers.

#include <optional>
#include <string_view>

namespace skerra::chartfiles {

struct XyzPoint {
    double easting = 0.0, northing = 0.0, z = 0.0;
};

// The Import command's rule: the line must begin with a digit, '-' or '+'; commas and
// tabs separate like blanks; four numbers are a point number, easting, northing and z,
// three are easting, northing and z, values after the fourth are ignored, any other
// count is no point; easting and northing both 0 is no point.
std::optional<XyzPoint> ReadImportXyzLine(std::string_view line);

// What the lines of a file that gave no point hold, to tell the user why: values
// separated by ';' (a spreadsheet's export), numbers with a decimal comma ("12,5").
struct XyzLineHints {
    bool semicolons = false;
    bool decimalCommas = false;
};
void NoteXyzLineHints(std::string_view line, XyzLineHints& hints);

// The chart grid reader's rule: empty lines and lines beginning with '#' or ';' are
// comments; commas separate like blanks; the first three numbers make the point,
// whatever follows them.
std::optional<XyzPoint> ReadGridXyzLine(std::string_view line);

}  // namespace skerra::chartfiles
