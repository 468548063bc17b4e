#pragma once
// The chart's view as the settings file keeps it between runs: section "CANVAS".

namespace skerra {
class IniFile;
}

// The corners the depth and speed box and the position box can take.
constexpr int kChartCorners = 4;

struct ChartViewSettings {
    // The world window at the chart's edges, metres of the local grid.
    double left = 0;
    double right = 1000;
    double top = 1000;
    double bottom = 0;
    bool gridAutoScale = true;
    int depthSpeedDisplayMode = 0;
    int ggaOverlayPosition = 0;

    // A window of positive, finite width and height.
    bool HasUsableWorldWindow() const;
};

// Reads "PlanWorldLeft", "PlanWorldRight", "PlanWorldTop", "PlanWorldBottom",
// "GridAutoScale", "DepthSpeedDisplayMode" and "GGAOverlayPosition". A key that is
// missing or not a number gives its default, and so does a corner outside 0 to 3; a world window that would be empty,
// turned over or infinite gives the default window 0/1000/1000/0 as a whole.
ChartViewSettings ReadChartViewSettings(const skerra::IniFile& ini);

// Writes the same keys, all in one replacement of the file.
void WriteChartViewSettings(skerra::IniFile& ini, const ChartViewSettings& view);
