#include "StatusLine.h"

#include "navigation/survey/FixQuality.h"
#include "platform/NumberText.h"

namespace skerra::survey {

std::string StatusLine(const StatusLineValues& v)
{
    std::string s = FixQualityName(v.fixQuality);
    s += " | Spd: " + (v.live ? skerra::FormatFixed(v.speedKnots, 1) : "-") + " kn";
    s += " | SV: " + skerra::IntToStr(v.satellites);
    s += " | Ant: " + (v.live ? skerra::FormatFixed(v.antennaHeight, 2) : "-") + " m";
    s += " | Tide: " + v.tideText + " m";
    if (v.depth) s += " | Depth: " + skerra::FormatFixed(*v.depth, 2) + " m";
    return s;
}

}  // namespace skerra::survey
