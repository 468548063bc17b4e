#include "NavigationSettings.h"

#include "canvas/ShapeReadRules.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace skerra {
namespace {

const QString kVesselWidth = QStringLiteral("VesselWidth");
const QString kTrackWidth = QStringLiteral("TrackWidth");
const QString kTrackDistance = QStringLiteral("TrackDistance");
const QString kVesselColour = QStringLiteral("VesselColor");
const QString kTrackFixColour = QStringLiteral("ColorTracklines1");
const QString kTrackFloatColour = QStringLiteral("ColorTracklines0");
const QString kBackground = QStringLiteral("BackgroundColor");
const QString kLineOrDot = QStringLiteral("cLineOrDot");
const QString kDepthAlert = QStringLiteral("edDepthAlert");

std::string readText(const IniFile& ini, const QString& key, const char* fallback)
{
    return ini.ReadString(NavigationSettingsSection, key, QString::fromLatin1(fallback)).toStdString();
}

TColor readColour(const IniFile& ini, const QString& key, TColor fallback)
{
    return TColor(ini.ReadInteger(NavigationSettingsSection, key, int(fallback)));
}

}  // namespace

NavigationDisplayValues readNavigationSettings(const IniFile& ini)
{
    const NavigationDisplayValues design;
    NavigationDisplayValues v;
    v.vesselWidth = readText(ini, kVesselWidth, "3");
    v.trackWidth = readText(ini, kTrackWidth, "3");
    v.trackDistance = readText(ini, kTrackDistance, "20");
    v.vesselColour = readColour(ini, kVesselColour, design.vesselColour);
    v.trackFixColour = readColour(ini, kTrackFixColour, design.trackFixColour);
    v.trackFloatColour = readColour(ini, kTrackFloatColour, design.trackFloatColour);
    v.chartColour = readColour(ini, kBackground, design.chartColour);
    v.lineOrDot = ini.ReadBool(NavigationSettingsSection, kLineOrDot, true);
    v.depthAlert = readText(ini, kDepthAlert, "1");
    return v;
}

void writeNavigationSettings(IniFile& ini, const NavigationDisplayValues& v)
{
    IniFile::Batch batch(ini);
    const auto text = [&](const QString& key, const std::string& value) {
        ini.WriteString(NavigationSettingsSection, key, QString::fromStdString(value));
    };
    const auto colour = [&](const QString& key, TColor value) { ini.WriteInteger(NavigationSettingsSection, key, value); };
    text(kVesselWidth, v.vesselWidth);
    text(kTrackWidth, v.trackWidth);
    text(kTrackDistance, v.trackDistance);
    colour(kVesselColour, v.vesselColour);
    colour(kTrackFixColour, v.trackFixColour);
    colour(kTrackFloatColour, v.trackFloatColour);
    colour(kBackground, v.chartColour);
    ini.WriteBool(NavigationSettingsSection, kLineOrDot, v.lineOrDot);
    text(kDepthAlert, v.depthAlert);
    batch.commit();
}

std::optional<int> mapTimerInterval(const QString& text)
{
    if (text.isEmpty()) return DefaultMapTimerInterval;
    const std::optional<int> ms = tryParseInt(text.toStdString());
    if (!ms) return std::nullopt;
    return std::max(*ms, MinimumMapTimerInterval);
}

std::optional<int> penWidthFrom(const QString& text)
{
    const std::optional<int> width = tryParseInt(text.toStdString());
    if (!width || *width < 0) return std::nullopt;
    return canvas::penWidthAsRead(*width);
}

}  // namespace skerra
