#pragma once
// What the GGA fix quality decides: its name in the status line, the track layer a
// mark goes to and the colour of the realtime window's GPS box.

#include "navigation/survey/SurveySettingsSource.h"
#include "platform/Colour.h"

#include <string>

namespace skerra::survey {

// "No Fix", "GPS", "DGPS", "RTK Fix", "RTK Float", else "Fix:" and the number.
std::string FixQualityName(int fixQuality);

struct TrackLayerChoice {
    const char* layerName;  // "track_fix", "track_float" or "track_nofix"
    TColor colour;
};
// 4: fixed; 5, 2, 3: float; anything else: no fix (always red).
TrackLayerChoice TrackLayerFor(int fixQuality, const NavigationDisplayValues& display);

// 0, 1 red; 2 aqua; 4 lime; any other yellow.
TColor GpsBoxColour(int fixQuality);

}  // namespace skerra::survey
