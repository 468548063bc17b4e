#include "DisplayControls.h"

#include "canvas/THalvekCanvasModel.h"
#include "platform/DisplaySettings.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace skerra {

namespace {

double realOf(const QString& text, double fallback) { return StrToFloatDef(text.toStdString(), fallback); }
int integerOf(const QString& text, int fallback) { return StrToIntDef(text.toStdString(), fallback); }

constexpr int kSecondsPerDay = 24 * 60 * 60;

}  // namespace

double gridSpacingOf(const QString& text) { return realOf(text, 100.0); }
int eventLabelFontSizeOf(const QString& text) { return integerOf(text, 24); }
int overlayFontSizeOf(const QString& text) { return integerOf(text, 40); }

void refreshDisplaySettings(const FormValues& v)
{
    DisplaySettings::GridVisible = checkValue(v, "cbGridVisible");
    DisplaySettings::AutoGrid = checkValue(v, "cbAutoGrid");
    DisplaySettings::GridSpacingX = gridSpacingOf(textValue(v, "edGridSpacingX"));
    DisplaySettings::GridSpacingY = gridSpacingOf(textValue(v, "edGridSpacingY"));
    DisplaySettings::GridColor = colourValue(v, "cbGridColor");
    DisplaySettings::ShowDepthLabels = checkValue(v, "cbShowDepthLabels");
    DisplaySettings::DepthLabelSpacing = realOf(textValue(v, "edDepthLabelSpacing"), 10.0);
    DisplaySettings::DepthLabelFontName = textValue(v, "edDepthLabelFontName").toStdString();
    DisplaySettings::DepthLabelFontSize = integerOf(textValue(v, "edDepthLabelFontSize"), 12);
    DisplaySettings::DepthLabelTextColor = colourValue(v, "cbTextColor");
    DisplaySettings::EventLabelFontSize = eventLabelFontSizeOf(textValue(v, "edEventLabelFontSize"));
    DisplaySettings::EventLabelTextColor = colourValue(v, "cbEventLabelColor");
    DisplaySettings::OverlayFontSize = overlayFontSizeOf(textValue(v, "edOverlayFontSize"));
    DisplaySettings::OverlayDepthColor = colourValue(v, "cbOverlayDepthColor");
    DisplaySettings::OverlaySpeedColor = colourValue(v, "cbOverlaySpeedColor");
}

void pushGrid(THalvekCanvasModel& canvas)
{
    canvas.GridVisible = DisplaySettings::GridVisible;
    canvas.GridSpacingX = DisplaySettings::AutoGrid ? 0.0 : DisplaySettings::GridSpacingX;
    canvas.GridSpacingY = DisplaySettings::AutoGrid ? 0.0 : DisplaySettings::GridSpacingY;
    canvas.GridColor = DisplaySettings::GridColor;
}

ScreenshotTimerSetting screenshotTimerSetting(const QString& seconds)
{
    const int s = integerOf(seconds, 60);
    return {std::clamp(s, 1, kSecondsPerDay) * 1000, s > 0};
}

}  // namespace skerra
