#include "SettingsSavedLog.h"

#include "shell/SharedHeader.h"

namespace skerra {

namespace {

const char* yesNo(bool b) { return b ? "Yes" : "No"; }

}  // namespace

std::vector<std::string> settingsSavedEntries(const FormValues& v)
{
    auto t = [&](const char* control) { return textValue(v, control).toStdString(); };
    return {
        "=== SETTINGS SAVED ===",
        "GPS: Port=" + t("Port") + ", Baud=" + t("BaudRate"),
        "Sensor: Port=" + t("SPort") + ", Baud=" + t("SBaudRate") + ", Enabled=" + yesNo(checkValue(v, "SensorEnabled")),
        "Datum: " + t("edNameOfDatum") + ", DTP=" + yesNo(checkValue(v, "cbUseDTP")),
        "TM: CM=" + t("edCM") + ", RefLat=" + t("edRL") + ", SF=" + t("edSF") + ", FE=" + t("edFE") + ", FN=" + t("edFN"),
        std::string("LCC: ") + (checkValue(v, "cbUseLCCProjection") ? "Enabled" : "Disabled") + ", SP1=" + t("eLCCSP1")
            + ", SP2=" + t("eLCCSP2"),
        std::string(22, '='),
    };
}

void logSettingsSaved(const FormValues& values)
{
    const std::string log = TodaysEventLogPath();
    for (const std::string& entry : settingsSavedEntries(values)) AppendAutoEvent(entry, log);
}

}  // namespace skerra
