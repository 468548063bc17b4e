#pragma once
// The screenshot timer's set-up from the interval the user keeps in "SCREENSHOT"/"Interval".

namespace skerra {
class IniFile;
}

struct ScreenshotTimerSetting {
    int intervalMs = 60000;
    bool enabled = true;
};

// "SCREENSHOT"/"Interval" in seconds; 60 when missing or not an integer.
int ReadScreenshotIntervalSeconds(const skerra::IniFile& ini);

// Seconds above 0 run the timer at that interval (at most what a timer can hold);
// 0 or less switch it off (interval 0).
ScreenshotTimerSetting ScreenshotTimerFor(int seconds);
