#pragma once
// "Auto Dedetct": finds the column header line of a delimited cast, its delimiter and
// the SV and depth (or pressure) columns, and builds the scan format for step 1.
//
// The header line is the first line whose upper-cased text holds "SV" or "VELOCITY"
// and "PRESSURE" or "DEPTH". Upper-casing touches ASCII letters only, so the words
// match under every locale (a Turkish one included). The delimiter is the first of
// ",", TAB and ";" found in the header line, else ",". A field that holds both
// keyword groups is both columns at once: that cannot be read as two values, so it
// counts as not found.

#include <string>
#include <vector>

namespace skerra::svp {

struct DetectedFormat {
    bool found = false;
    int headerLine = -1;  // from 0
    char delimiter = ',';
    int svColumn = -1;    // from 0
    int depthColumn = -1;
    std::string format;
    bool svFirst = false;
};

DetectedFormat DetectCastFormat(const std::vector<std::string>& lines);

// The header line's fields: split at the delimiter (a final delimiter makes no empty
// field), trimmed of characters up to 32, upper-cased.
std::vector<std::string> HeaderFields(const std::string& line, char delimiter);

std::string DetectionReport(const DetectedFormat& found, bool english);

inline const char* kNoDataLoadedMessage = "No data loaded. Please load a file first.";
inline const char* kNoHeaderMessage =
    "Could not find header line with SV and Pressure/Depth columns.\nPlease set search string manually.";

}  // namespace skerra::svp
