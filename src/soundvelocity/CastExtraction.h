#pragma once
// Step 1 of the sound-velocity window: cast lines -> samples "depth,SV".
//
// Each cast line is scanned with the user's scan format (two values: SV then depth,
// or depth then SV). A line the format does not read fully is passed over. A depth
// is rounded half away from zero to whole metres; one that rounds below 0 has no
// place in the profile and is passed over. An SV outside 1350..1600 m/s is reported
// once per run: the user either skips it and every later one of this run, or stops.

#include "platform/ScanFormat.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerra::svp {

constexpr double kLowestCastSV = 1350;
constexpr double kHighestCastSV = 1600;

// The SV itself when 1350 <= SV <= 1600, else 0.
double ValidateSV(double SV);

// The user's scan format when it reads exactly two values; else nothing and the
// reason in *problem.
std::optional<skerra::ScanFormat> CompileCastFormat(std::string_view format, std::string* problem,
                                                    bool english);

// Asked for the first SV out of range: true skips it (and all later ones), false stops.
// lineNumber counts from 1.
using OutOfRangeQuestion = std::function<bool(double sv, long long lineNumber)>;

struct ExtractionResult {
    std::vector<std::string> samples;  // "depth,SV" lines
    bool stopped = false;              // the user stopped at an SV out of range
    long long skipped = 0;             // lines skipped for an SV out of range
};

ExtractionResult ExtractSamples(const std::vector<std::string>& castLines, const skerra::ScanFormat& format,
                                bool svFirst, const OutOfRangeQuestion& askSkip);

// The question for an SV out of range.
std::string OutOfRangeWarning(double sv, long long lineNumber, bool english);

// The report after a run that skipped lines; when no line was taken it asks the user
// to check which column comes first.
std::string SkippedLinesReport(long long skipped, bool noneTaken, bool english);

}  // namespace skerra::svp
