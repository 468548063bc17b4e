#pragma once
// The chart's display settings: grid, depth labels, event labels and the depth/speed
// box. One process-wide record, used on the user-interface thread only.

#include "platform/Colour.h"

#include <string>

struct DisplaySettings {
    static inline double GridSpacingX = 100.0;
    static inline double GridSpacingY = 100.0;
    static inline TColor GridColor = 0xC0C0C0;
    static inline bool GridVisible = true;
    static inline bool AutoGrid = false;

    static inline bool ShowDepthLabels = true;
    static inline double DepthLabelSpacing = 10.0;
    static inline std::string DepthLabelFontName;  // the settings window makes it "Arial" when empty
    static inline int DepthLabelFontSize = 12;
    static inline TColor DepthLabelTextColor = 0;

    static inline int EventLabelFontSize = 24;
    static inline TColor EventLabelTextColor = 255;

    static inline int OverlayFontSize = 40;
    static inline TColor OverlayDepthColor = 0x800000;
    static inline TColor OverlaySpeedColor = 0;
};
