#pragma once
// The one-line survey status the chart's position box shows.

#include <optional>
#include <string>

namespace skerra::survey {

struct StatusLineValues {
    int fixQuality = 0;
    double speedKnots = 0;         // as the realtime window shows it (one decimal)
    int satellites = 0;
    double antennaHeight = 0;
    std::string tideText;          // "-" while the offsets window is open
    std::optional<double> depth;   // shown while the sounder's depth is current
    bool live = true;              // false: no current fix, speed and antenna height read "-"
};

// "RTK Fix | Spd: 5.2 kn | SV: 14 | Ant: 43.21 m | Tide: 0.35 m | Depth: 10.60 m"
std::string StatusLine(const StatusLineValues& v);

}  // namespace skerra::survey
