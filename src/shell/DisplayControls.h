#pragma once
// From the settings window's "Global Setting" values to the process-wide
// DisplaySettings and on to the chart canvas's grid fields; the screenshot interval.
// Texts that are not numbers fall back to the settings' own defaults (grid spacing
// 100, depth-label spacing 10, font sizes 12, 24 and 40, screenshot every 60 s).

#include "shell/SettingsTable.h"

class THalvekCanvasModel;

namespace skerra {

double gridSpacingOf(const QString& text);
int eventLabelFontSizeOf(const QString& text);
int overlayFontSizeOf(const QString& text);

// Every DisplaySettings member from the tab's controls.
void refreshDisplaySettings(const FormValues& values);

// The canvas's grid from DisplaySettings: visibility, colour and, unless the grid
// scales itself, the two spacings (0 for automatic).
void pushGrid(THalvekCanvasModel& canvas);

// The screenshot timer for an interval text in seconds: runs only above 0 s; a text
// that is not an integer means 60 s; the interval is at most one day.
struct ScreenshotTimerSetting {
    int intervalMs;
    bool run;
};
ScreenshotTimerSetting screenshotTimerSetting(const QString& seconds);

}  // namespace skerra
