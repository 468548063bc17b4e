#include "SettingsTable.h"

#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <array>

namespace skerra {

namespace {

constexpr const char* kGps = "GPS1 COMUNICATION SETTINGS";
constexpr const char* kSensor = "SENSOR COMUNICATION SETTINGS";
constexpr const char* kGeo = "GEODETIC_PARAMETERS";
constexpr const char* kLock = "LOCK SETTINGS";

using K = SettingKind;

// Shorthands for the table: a text with a fixed default, a text that keeps the
// control's value, a box with a fixed default, a box that keeps its state, a colour.
constexpr SettingRow text(const char* s, const char* k, const char* def, const char* c)
{
    return {s, k, K::Text, false, def, 0, c};
}
constexpr SettingRow textKeep(const char* s, const char* k, const char* c) { return {s, k, K::Text, true, "", 0, c}; }
constexpr SettingRow check(const char* s, const char* k, bool def, const char* c)
{
    return {s, k, K::Check, false, "", def ? 1 : 0, c};
}
constexpr SettingRow checkKeep(const char* s, const char* k, const char* c) { return {s, k, K::Check, true, "", 0, c}; }
constexpr SettingRow colour(const char* s, const char* k, TColor def, const char* c)
{
    return {s, k, K::Colour, false, "", def, c};
}

// A port list that was never saved shows the list's design value; the port itself stays
// empty until one is chosen.
constexpr std::array kRows{
    text(kGps, "Port No", "", "Port"),
    text(kGps, "Baud Rate", "9600", "BaudRate"),
    text(kGps, "Data Width", "8", "DataWidth"),
    text(kGps, "Stop Bits", "1", "StopBits"),
    text(kGps, "Parity", "None", "Parity"),
    text(kGps, "Priority", "Normal", "Priority"),
    text(kGps, "Delay", "5", "Delay"),
    text(kGps, "NMEA LOG", "False", "NMEALog"),
    text(kGps, "Log Time", "False", "LogTime"),
    text(kGps, "Enable DTR", "True", "EnableDTR"),
    text(kGps, "Enable RTS", "True", "EnableRTS"),
    text(kSensor, "Port No", "", "SPort"),
    text(kSensor, "Baud Rate", "9600", "SBaudRate"),
    text(kSensor, "Data Width", "8", "SDataWidth"),
    text(kSensor, "Stop Bits", "1", "SStopBits"),
    text(kSensor, "Parity", "None", "SParity"),
    text(kSensor, "Priority", "Normal", "SPriority"),
    text(kSensor, "Delay", "5", "SDelay"),
    text(kSensor, "NMEA LOG", "False", "SNMEALog"),
    text(kSensor, "Log Time", "False", "SLogTime"),
    text(kSensor, "Enable DTR", "True", "SEnableDTR"),
    text(kSensor, "Enable RTS", "True", "SEnableRTS"),
    check(kSensor, "Sensor Enabled", true, "SensorEnabled"),
    text(kSensor, "cSBESMessage", "Halvek SMT", "cSBESMessage"),
    text(kSensor, "eSBESFormat", "%*8s,%lf", "eSBESFormat"),
    check("GYRO", "Gyro Enabled", true, "GyroEnabled"),
    textKeep(kGeo, "SemiMajorAxis", "edSMA"),
    textKeep(kGeo, "InverseFlattening", "edIF"),
    textKeep(kGeo, "X_Rotation", "edRX"),
    textKeep(kGeo, "Y_Rotation", "edRY"),
    textKeep(kGeo, "Z_Rotation", "edRZ"),
    textKeep(kGeo, "X_Shift", "edSX"),
    textKeep(kGeo, "Y_Shift", "edSY"),
    textKeep(kGeo, "Z_Shift", "edSZ"),
    textKeep(kGeo, "Scale_PPM", "edPPM"),
    textKeep(kGeo, "Central_Meridian", "edCM"),
    textKeep(kGeo, "Reference_Latitude", "edRL"),
    textKeep(kGeo, "Scale_Factor", "edSF"),
    textKeep(kGeo, "False_Easting", "edFE"),
    textKeep(kGeo, "False_Northing", "edFN"),
    checkKeep(kGeo, "Use Projection", "cbUseTMProjection"),
    checkKeep(kGeo, "Use DTP", "cbUseDTP"),
    text(kGeo, "Name of Datum", "", "edNameOfDatum"),
    textKeep(kGeo, "eLCCSP1", "eLCCSP1"),
    textKeep(kGeo, "eLCCSP2", "eLCCSP2"),
    textKeep(kGeo, "eLCCSF", "eLCCSF"),
    textKeep(kGeo, "eLCCCP", "eLCCCP"),
    textKeep(kGeo, "eLCCM", "eLCCM"),
    textKeep(kGeo, "eLCCFE", "eLCCFE"),
    textKeep(kGeo, "eLCCFN", "eLCCFN"),
    checkKeep(kGeo, "cbUseLCCProjection", "cbUseLCCProjection"),
    checkKeep(kGeo, "cLambert1", "cLambert1"),
    SettingRow{kLock, "Settings Locked (true/false)", K::LockOverride, false, "", 0, ""},
    check("GRID_SETTINGS", "GridVisible", true, "cbGridVisible"),
    check("GRID_SETTINGS", "AutoGrid", false, "cbAutoGrid"),
    text("GRID_SETTINGS", "GridSpacingX", "100", "edGridSpacingX"),
    text("GRID_SETTINGS", "GridSpacingY", "100", "edGridSpacingY"),
    colour("GRID_SETTINGS", "GridColor", colors::Silver, "cbGridColor"),
    check("DEPTH_LABEL_SETTINGS", "ShowDepthLabels", true, "cbShowDepthLabels"),
    text("DEPTH_LABEL_SETTINGS", "LabelSpacing", "10", "edDepthLabelSpacing"),
    text("DEPTH_LABEL_SETTINGS", "FontName", "Arial", "edDepthLabelFontName"),
    text("DEPTH_LABEL_SETTINGS", "FontSize", "12", "edDepthLabelFontSize"),
    colour("DEPTH_LABEL_SETTINGS", "TextColor", colors::Black, "cbTextColor"),
    text("EVENT_LABEL_SETTINGS", "FontSize", "24", "edEventLabelFontSize"),
    colour("EVENT_LABEL_SETTINGS", "TextColor", colors::Red, "cbEventLabelColor"),
    text("OVERLAY_SETTINGS", "FontSize", "40", "edOverlayFontSize"),
    colour("OVERLAY_SETTINGS", "DepthColor", colors::Navy, "cbOverlayDepthColor"),
    colour("OVERLAY_SETTINGS", "SpeedColor", colors::Black, "cbOverlaySpeedColor"),
    SettingRow{"SCREENSHOT", "Interval", K::Seconds, false, "", 60, "eScreenshotInterval"},
    SettingRow{kLock, "Lock Settings", K::Lock, false, "", 0, "LockStateCheck1"},
};

constexpr int kDefaultSeconds = 60;

int secondsOf(const QString& text) { return StrToIntDef(text.toStdString(), kDefaultSeconds); }

}  // namespace

std::span<const SettingRow> settingsTable() { return kRows; }

const SettingRow* settingRowFor(const std::string& control)
{
    for (const SettingRow& row : kRows)
        if (control == row.control) return &row;
    return nullptr;
}

SettingValue readSetting(const IniFile& ini, const SettingRow& row, const SettingValue& current)
{
    const QString section = QString::fromLatin1(row.section);
    const QString key = QString::fromLatin1(row.key);
    switch (row.kind) {
    case K::Text:
    case K::LockOverride: {
        const QString* now = std::get_if<QString>(&current);
        const QString fallback = row.defaultIsCurrent && now ? *now : QString::fromLatin1(row.defaultText);
        return ini.ReadString(section, key, fallback);
    }
    case K::Check:
    case K::Lock: {
        const bool* now = std::get_if<bool>(&current);
        const bool fallback = row.defaultIsCurrent && now ? *now : row.defaultNumber != 0;
        return ini.ReadBool(section, key, fallback);
    }
    case K::Colour:
        return TColor(ini.ReadInteger(section, key, row.defaultNumber));
    case K::Seconds:
        return QString::number(ini.ReadInteger(section, key, row.defaultNumber));
    }
    return current;
}

std::optional<bool> parseLockOverride(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    if (const auto n = tryParseIntOrHex(t.toStdString())) return *n != 0;
    return std::nullopt;
}

std::optional<bool> readLockOverride(const IniFile& ini)
{
    return parseLockOverride(ini.ReadString(kLock, "Settings Locked (true/false)", QString()));
}

QString storedText(const SettingRow& row, const SettingValue& value)
{
    switch (row.kind) {
    case K::Check:
    case K::Lock: {
        const bool* b = std::get_if<bool>(&value);
        return b && *b ? QStringLiteral("1") : QStringLiteral("0");
    }
    case K::Colour: {
        const TColor* c = std::get_if<TColor>(&value);
        return QString::number(c ? *c : row.defaultNumber);
    }
    case K::Seconds: {
        const QString* t = std::get_if<QString>(&value);
        return QString::number(t ? secondsOf(*t) : kDefaultSeconds);
    }
    case K::Text:
    case K::LockOverride:
        break;
    }
    const QString* t = std::get_if<QString>(&value);
    return t ? *t : QString();
}

void writeLockedSettings(IniFile& ini, const FormValues& values)
{
    IniFile::Batch batch(ini);
    ini.WriteBool(kLock, "Lock Settings", true);
    for (const SettingRow& row : kRows) {
        if (row.kind == K::LockOverride || row.kind == K::Lock) continue;
        const auto it = values.find(row.control);
        const SettingValue value = it != values.end() ? it->second : SettingValue{};
        ini.WriteString(row.section, row.key, storedText(row, value));
    }
    batch.commit();
}

void writeUnlocked(IniFile& ini) { ini.WriteBool(kLock, "Lock Settings", false); }

QString textValue(const FormValues& values, const std::string& control)
{
    const auto it = values.find(control);
    const QString* t = it != values.end() ? std::get_if<QString>(&it->second) : nullptr;
    return t ? *t : QString();
}

bool checkValue(const FormValues& values, const std::string& control)
{
    const auto it = values.find(control);
    const bool* b = it != values.end() ? std::get_if<bool>(&it->second) : nullptr;
    return b && *b;
}

TColor colourValue(const FormValues& values, const std::string& control)
{
    const auto it = values.find(control);
    const TColor* c = it != values.end() ? std::get_if<TColor>(&it->second) : nullptr;
    return c ? *c : 0;
}

}  // namespace skerra
