#include "NavigationSettings.h"

#include "canvas/ShapeReadRules.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

std::string settledPenWidth(const std::string& stored, const std::string& fallback, const QString& key,
                            QString& problem)
{
    problem.clear();
    const std::optional<double> number = tryParseDouble(stored);
    const bool whole = number && std::isfinite(*number) && std::trunc(*number) == *number;
    std::string width = fallback;
    if (whole) {
        const double clamped = std::clamp(*number, double(MinPenWidth), double(MaxPenWidth));
        if (clamped == *number) return stored;
        width = IntToStr(static_cast<int>(clamped));
    }
    problem = QStringLiteral("Navigation settings: %1=%2 is not a width from %3 to %4; %5 is used")
                  .arg(key, QString::fromStdString(stored))
                  .arg(MinPenWidth)
                  .arg(MaxPenWidth)
                  .arg(QString::fromStdString(width));
    return width;
}

NavigationDisplayValues readNavigationSettings(const IniFile& ini, QStringList* problems)
{
    const NavigationDisplayValues design;
    NavigationDisplayValues v;
    for (auto [key, width] : {std::pair{&kVesselWidth, &v.vesselWidth}, std::pair{&kTrackWidth, &v.trackWidth}}) {
        QString problem;
        *width = settledPenWidth(readText(ini, *key, "3"), "3", *key, problem);
        if (!problem.isEmpty() && problems) problems->append(problem);
    }
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
