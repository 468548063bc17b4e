#pragma once
// The plain-text report on a correction stream: the RTCM 3 frames found in a
// snapshot of the most recently received bytes, the reference station they
// describe (position, antenna, receiver), the satellite systems and signals the
// stream carries, the position sent to the caster with its distance and bearing to
// the station, and every message number seen with its name and count.
//
// Only frames whose CRC-24Q matches are counted and decoded; damaged frames that sit
// in the sequence of frames (starting where one ends or ending where one starts) are
// counted as CRC errors. A stray 0xD3 inside the frames the snapshot's start and end
// cut is no frame, so a healthy stream shows no CRC errors wherever it was cut.

#include <QDateTime>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerra::rtcm {

// The position the NTRIP client sends to the caster.
struct TRTCMReportVessel {
    double Latitude = 0;    // degrees, south negative
    double Longitude = 0;   // degrees, west negative
    double Altitude = 0;    // metres
    bool UseManualPosition = false;
};

// A reference station as the NTRIP window remembers the last one it logged.
struct TRTCMBaseStation {
    int StationId = 0;
    double Latitude = 0;
    double Longitude = 0;
    double Height = 0;
};

struct TRTCMReportInput {
    std::string_view Snapshot;    // the received bytes, any values
    TRTCMReportVessel Vessel;
    TRTCMBaseStation LastBase;    // the station last written to the NTRIP window's log
    QDateTime LocalTime;          // shown as "yyyy-MM-dd HH:mm:ss"
    int UtcOffsetMinutes = 0;     // local time minus UTC at LocalTime, daylight saving included
};

struct TRTCMReport {
    std::vector<std::string> Lines;
    // "Base #id: lat, lon, height m" when the decoded station differs from LastBase
    // (another id, or moved by more than 0.00001 degree); LastBase is then this station.
    std::optional<std::string> BaseLogLine;
    TRTCMBaseStation LastBase;
};

// A snapshot shorter than this gives no report ("No RTCM data to parse").
constexpr std::size_t kRTCMReportMinimumBytes = 6;

TRTCMReport BuildRTCMReport(const TRTCMReportInput& input);

// The report's lines on the vessel's distance and bearing to the station: metres
// under 1000 m, else kilometres; a note beyond 20 km, a warning beyond 35 km.
std::vector<std::string> DistanceToBaseLines(double metres, double bearingDegrees);

}  // namespace skerra::rtcm
