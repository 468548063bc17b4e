#include "ScreenshotTimerSetting.h"

#include "platform/IniFile.h"

#include <climits>

int ReadScreenshotIntervalSeconds(const skerra::IniFile& ini)
{
    return ini.ReadInteger(QStringLiteral("SCREENSHOT"), QStringLiteral("Interval"), 60);
}

ScreenshotTimerSetting ScreenshotTimerFor(int seconds)
{
    constexpr int longestSeconds = INT_MAX / 1000;
    ScreenshotTimerSetting setting;
    setting.enabled = seconds > 0;
    if (seconds <= 0)
        setting.intervalMs = 0;
    else
        setting.intervalMs = (seconds > longestSeconds ? longestSeconds : seconds) * 1000;
    return setting;
}
