#include "ChartViewSettings.h"

#include "platform/IniFile.h"

#include <cmath>

namespace {
const QString Section = QStringLiteral("CANVAS");
}

bool ChartViewSettings::HasUsableWorldWindow() const
{
    const double width = right - left;
    const double height = top - bottom;
    return std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0;
}

ChartViewSettings ReadChartViewSettings(const skerra::IniFile& ini)
{
    ChartViewSettings view;
    view.left = ini.ReadFloat(Section, QStringLiteral("PlanWorldLeft"), view.left);
    view.right = ini.ReadFloat(Section, QStringLiteral("PlanWorldRight"), view.right);
    view.top = ini.ReadFloat(Section, QStringLiteral("PlanWorldTop"), view.top);
    view.bottom = ini.ReadFloat(Section, QStringLiteral("PlanWorldBottom"), view.bottom);
    if (!view.HasUsableWorldWindow()) {
        const ChartViewSettings defaults;
        view.left = defaults.left;
        view.right = defaults.right;
        view.top = defaults.top;
        view.bottom = defaults.bottom;
    }
    view.gridAutoScale = ini.ReadBool(Section, QStringLiteral("GridAutoScale"), view.gridAutoScale);
    // Each is one of four corners; the chart steps through them by adding one, so a
    // number edited beyond them would overflow: it reads as the first corner.
    const auto corner = [&](const QString& key, int fallback) {
        const int value = ini.ReadInteger(Section, key, fallback);
        return value >= 0 && value < kChartCorners ? value : fallback;
    };
    view.depthSpeedDisplayMode = corner(QStringLiteral("DepthSpeedDisplayMode"), view.depthSpeedDisplayMode);
    view.ggaOverlayPosition = corner(QStringLiteral("GGAOverlayPosition"), view.ggaOverlayPosition);
    return view;
}

void WriteChartViewSettings(skerra::IniFile& ini, const ChartViewSettings& view)
{
    skerra::IniFile::Batch batch(ini);
    ini.WriteFloat(Section, QStringLiteral("PlanWorldLeft"), view.left);
    ini.WriteFloat(Section, QStringLiteral("PlanWorldRight"), view.right);
    ini.WriteFloat(Section, QStringLiteral("PlanWorldTop"), view.top);
    ini.WriteFloat(Section, QStringLiteral("PlanWorldBottom"), view.bottom);
    ini.WriteBool(Section, QStringLiteral("GridAutoScale"), view.gridAutoScale);
    ini.WriteInteger(Section, QStringLiteral("DepthSpeedDisplayMode"), view.depthSpeedDisplayMode);
    ini.WriteInteger(Section, QStringLiteral("GGAOverlayPosition"), view.ggaOverlayPosition);
    batch.commit();
}
