#include "FixQuality.h"

#include "platform/NumberText.h"

namespace skerra::survey {

std::string FixQualityName(int fixQuality)
{
    switch (fixQuality) {
    case 0: return "No Fix";
    case 1: return "GPS";
    case 2: return "DGPS";
    case 4: return "RTK Fix";
    case 5: return "RTK Float";
    default: return "Fix:" + skerra::IntToStr(fixQuality);
    }
}

TrackLayerChoice TrackLayerFor(int fixQuality, const NavigationDisplayValues& display)
{
    switch (fixQuality) {
    case 4: return {"track_fix", display.trackFixColour};
    case 2: case 3: case 5: return {"track_float", display.trackFloatColour};
    default: return {"track_nofix", skerra::colors::Red};
    }
}

TColor GpsBoxColour(int fixQuality)
{
    switch (fixQuality) {
    case 0: case 1: return skerra::colors::Red;
    case 2: return skerra::colors::Aqua;
    case 4: return skerra::colors::Lime;
    default: return skerra::colors::Yellow;
    }
}

}  // namespace skerra::survey
