#pragma once
// The day's offsets report: one block per confirmation of the offsets window, in
// English or Turkish, appended to LogFolder + date + " Offsets.log".
//
// A block is two line breaks, the title, then nine lines "label....<tab>=value",
// each after a line break; no line break after the last. Line breaks are CR LF, the
// text is UTF-8. Two blocks in one file are thus separated by one empty line.

#include <string>

struct OffsetsReportValues {
    std::string time;
    std::string location;
    std::string surveyBoat;
    std::string offsetA;
    std::string offsetB;
    std::string offsetC;
    std::string soundVelocity;
    std::string tideHeight;
    std::string surveyor;
    bool soundVelocityProfileUsed = false;  // the profile's note replaces the SV value
};

std::string OffsetsReportBlock(const OffsetsReportValues& values, bool english);

// The report file of today: LogFolder + GetDateString() + " Offsets.log".
std::string OffsetsReportPath();

// Appends the block, creating the file when missing. False when the file cannot be
// opened or written.
bool AppendOffsetsReport(const std::string& path, const std::string& block);
