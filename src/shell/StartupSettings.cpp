#include "StartupSettings.h"

#include "platform/DisplaySettings.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"

namespace skerra {

int readOverlayFontSize(const IniFile& ini)
{
    return StrToIntDef(ini.ReadString("OVERLAY_SETTINGS", "FontSize", "40").toStdString(), 40);
}

StartupSettings readStartupSettings(const IniFile& ini)
{
    StartupSettings s;
    s.themeStyle = ini.ReadString("APPLICATION", "ThemeStyle", "Light");
    s.overlayFontSize = readOverlayFontSize(ini);
    s.overlayDepthColor = ini.ReadInteger("OVERLAY_SETTINGS", "DepthColor", 0x800000);
    s.overlaySpeedColor = ini.ReadInteger("OVERLAY_SETTINGS", "SpeedColor", 0);
    return s;
}

void applyOverlaySettings(const StartupSettings& settings)
{
    DisplaySettings::OverlayFontSize = settings.overlayFontSize;
    DisplaySettings::OverlayDepthColor = settings.overlayDepthColor;
    DisplaySettings::OverlaySpeedColor = settings.overlaySpeedColor;
}

}  // namespace skerra
