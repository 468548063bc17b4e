#pragma once
// The few settings the program needs before any window exists: the visual style and
// the three settings of the chart's depth-and-speed box.

#include "platform/Colour.h"

#include <QString>

namespace skerra {

class IniFile;

struct StartupSettings {
    QString themeStyle = QStringLiteral("Light");
    int overlayFontSize = 40;
    TColor overlayDepthColor = 0x800000;
    TColor overlaySpeedColor = 0;
};

// "OVERLAY_SETTINGS"/"FontSize": a text that is not an integer gives 40.
int readOverlayFontSize(const IniFile& ini);

StartupSettings readStartupSettings(const IniFile& ini);

// Copies the overlay values into DisplaySettings.
void applyOverlaySettings(const StartupSettings& settings);

}  // namespace skerra
