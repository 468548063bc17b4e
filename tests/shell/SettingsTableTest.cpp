#include "SettingsFileFixture.h"

#include "platform/DisplaySettings.h"
#include "platform/IniFile.h"
#include "shell/DisplayControls.h"
#include "shell/SettingsSavedLog.h"
#include "shell/SettingsTable.h"

using namespace skerra;

namespace {

// The controls as they stand before creation reads the file (their design values).
FormValues designValues()
{
    FormValues v;
    for (const SettingRow& row : settingsTable()) {
        if (!*row.control) continue;
        switch (row.kind) {
        case SettingKind::Check:
        case SettingKind::Lock: v[row.control] = false; break;
        case SettingKind::Colour: v[row.control] = TColor(0x123456); break;
        default: v[row.control] = QStringLiteral("design"); break;
        }
    }
    v["cbUseTMProjection"] = true;
    v["cbUseDTP"] = true;
    return v;
}

FormValues readAll(const IniFile& ini)
{
    FormValues current = designValues(), read;
    for (const SettingRow& row : settingsTable())
        if (*row.control) read[row.control] = readSetting(ini, row, current[row.control]);
    return read;
}

class SettingsTableTest : public SettingsFileFixture {};

TEST_F(SettingsTableTest, ReadsEveryRowAndFallsBackToItsDefault)
{
    struct Case {
        const char* file;  // empty: no settings file at all
        std::vector<std::pair<const char*, SettingValue>> expected;
    };
    const Case cases[] = {
        {"",
         {{"Port", QString("")}, {"BaudRate", QString("9600")}, {"SParity", QString("None")},
          {"SDelay", QString("5")}, {"SEnableRTS", QString("True")}, {"SensorEnabled", true}, {"GyroEnabled", true},
          {"cSBESMessage", QString("Halvek SMT")}, {"eSBESFormat", QString("%*8s,%lf")},
          {"edSMA", QString("design")}, {"eLCCFN", QString("design")}, {"edNameOfDatum", QString("")},
          {"cbUseTMProjection", true}, {"cbUseDTP", true}, {"cbUseLCCProjection", false}, {"cLambert1", false},
          {"cbGridVisible", true}, {"cbAutoGrid", false}, {"edGridSpacingX", QString("100")},
          {"cbGridColor", TColor(0xC0C0C0)}, {"edDepthLabelFontName", QString("Arial")},
          {"cbTextColor", TColor(0)}, {"cbEventLabelColor", TColor(255)}, {"edOverlayFontSize", QString("40")},
          {"cbOverlayDepthColor", TColor(0x800000)}, {"eScreenshotInterval", QString("60")},
          {"LockStateCheck1", false}}},
        // Keys written with blanks around them are the keys read without.
        {"[GPS1 COMUNICATION SETTINGS]\r\nPort No        =COM3\r\nDelay          =200\r\n"
         "[ SENSOR COMUNICATION SETTINGS ]\r\n  Sensor Enabled     = 0\r\n[GYRO]\r\nGyro Enabled     =1\r\n",
         {{"Port", QString("COM3")}, {"Delay", QString("200")}, {"SensorEnabled", false}, {"GyroEnabled", true}}},
        // Integers may be hexadecimal after "0x".
        {"[GRID_SETTINGS]\r\nGridColor=0x0000FF\r\n[OVERLAY_SETTINGS]\r\nDepthColor=0X00ff00\r\n"
         "[SCREENSHOT]\r\nInterval=0x10\r\n",
         {{"cbGridColor", TColor(0x0000FF)}, {"cbOverlayDepthColor", TColor(0x00FF00)},
          {"eScreenshotInterval", QString("16")}}},
        // A text where a number is expected gives the default; a text row keeps the text.
        {"[GRID_SETTINGS]\r\nGridColor=red\r\nAutoGrid=true\r\nGridVisible=no\r\n[GEODETIC_PARAMETERS]\r\n"
         "Use Projection=yes\r\n[DEPTH_LABEL_SETTINGS]\r\nFontSize=abc\r\n[SCREENSHOT]\r\nInterval=abc\r\n"
         "[LOCK SETTINGS]\r\nLock Settings=true\r\n",
         {{"cbGridColor", TColor(0xC0C0C0)}, {"cbAutoGrid", false}, {"cbGridVisible", true},
          {"cbUseTMProjection", true}, {"edDepthLabelFontSize", QString("abc")},
          {"eScreenshotInterval", QString("60")}, {"LockStateCheck1", false}}},
    };
    for (const Case& c : cases) {
        QFile::remove(iniPath());
        if (*c.file) writeIni(c.file);
        const FormValues read = readAll(IniFile(iniPath()));
        for (const auto& [control, value] : c.expected) EXPECT_EQ(read.at(control), value) << c.file << control;
    }
}

TEST_F(SettingsTableTest, DisplaySettingsFallBackForTextsThatAreNoNumbers)
{
    FormValues v = designValues();
    v["edGridSpacingX"] = QString("abc");
    v["edGridSpacingY"] = QString("25");
    v["edDepthLabelSpacing"] = QString("");
    v["edDepthLabelFontSize"] = QString("abc");
    v["edEventLabelFontSize"] = QString("1e3");
    v["edOverlayFontSize"] = QString("0x20");
    refreshDisplaySettings(v);
    EXPECT_EQ(DisplaySettings::GridSpacingX, 100.0);
    EXPECT_EQ(DisplaySettings::GridSpacingY, 25.0);
    EXPECT_EQ(DisplaySettings::DepthLabelSpacing, 10.0);
    EXPECT_EQ(DisplaySettings::DepthLabelFontSize, 12);
    EXPECT_EQ(DisplaySettings::EventLabelFontSize, 24);
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 32);
    EXPECT_EQ(DisplaySettings::GridColor, 0x123456);
}

TEST_F(SettingsTableTest, ScreenshotIntervalRunsAboveZeroAndStaysWithinADay)
{
    const struct { const char* text; int ms; bool run; } cases[] = {
        {"60", 60000, true}, {"1", 1000, true}, {"0", 1000, false}, {"-5", 1000, false},
        {"abc", 60000, true}, {"2147483647", 86400000, true}, {"", 60000, true},
    };
    for (const auto& c : cases) {
        const auto s = screenshotTimerSetting(c.text);
        EXPECT_EQ(s.intervalMs, c.ms) << c.text;
        EXPECT_EQ(s.run, c.run) << c.text;
    }
}

TEST_F(SettingsTableTest, LockOverrideIsOneRuleForTextsAndNumbers)
{
    const struct { const char* text; std::optional<bool> locked; } cases[] = {
        {"true", true}, {"TRUE", true}, {"1", true}, {"7", true}, {"false", false}, {"False", false},
        {"0", false}, {"", std::nullopt}, {"yes", std::nullopt}, {"1.0", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseLockOverride(c.text), c.locked) << c.text;
}

FormValues savedValues()
{
    FormValues v = designValues();
    v["Port"] = QString("COM3");
    v["BaudRate"] = QString("4800");
    v["SPort"] = QString("/dev/ttyUSB0");
    v["SBaudRate"] = QString("9600");
    v["SensorEnabled"] = true;
    v["edNameOfDatum"] = QString("");
    v["cbUseDTP"] = true;
    v["edCM"] = QString("33");
    v["edRL"] = QString("0");
    v["edSF"] = QString("1");
    v["edFE"] = QString("500000");
    v["edFN"] = QString("0");
    v["cbUseLCCProjection"] = false;
    v["eLCCSP1"] = QString("40.5");
    v["eLCCSP2"] = QString("");
    v["cbGridColor"] = TColor(0xC0C0C0);
    v["eScreenshotInterval"] = QString("abc");
    return v;
}

TEST_F(SettingsTableTest, LockSaveWritesEveryKeyAndLogsTheBlock)
{
    writeIni("[FILE]\r\nLast File Saved=x.qmt\r\n");
    IniFile ini(iniPath());
    writeLockedSettings(ini, savedValues());
    const QByteArray d = "design";
    const QByteArray expected =
        "[FILE]\r\nLast File Saved=x.qmt\r\n"
        "[LOCK SETTINGS]\r\nLock Settings=1\r\n"
        "[GPS1 COMUNICATION SETTINGS]\r\nPort No=COM3\r\nBaud Rate=4800\r\nData Width=" + d + "\r\nStop Bits=" + d
        + "\r\nParity=" + d + "\r\nPriority=" + d + "\r\nDelay=" + d + "\r\nNMEA LOG=" + d + "\r\nLog Time=" + d
        + "\r\nEnable DTR=" + d + "\r\nEnable RTS=" + d + "\r\n"
        "[SENSOR COMUNICATION SETTINGS]\r\nPort No=/dev/ttyUSB0\r\nBaud Rate=9600\r\nData Width=" + d
        + "\r\nStop Bits=" + d + "\r\nParity=" + d + "\r\nPriority=" + d + "\r\nDelay=" + d + "\r\nNMEA LOG=" + d
        + "\r\nLog Time=" + d + "\r\nEnable DTR=" + d + "\r\nEnable RTS=" + d + "\r\nSensor Enabled=1\r\n"
        "cSBESMessage=" + d + "\r\neSBESFormat=" + d + "\r\n"
        "[GYRO]\r\nGyro Enabled=0\r\n"
        "[GEODETIC_PARAMETERS]\r\nSemiMajorAxis=" + d + "\r\nInverseFlattening=" + d + "\r\nX_Rotation=" + d
        + "\r\nY_Rotation=" + d + "\r\nZ_Rotation=" + d + "\r\nX_Shift=" + d + "\r\nY_Shift=" + d + "\r\nZ_Shift=" + d
        + "\r\nScale_PPM=" + d + "\r\nCentral_Meridian=33\r\nReference_Latitude=0\r\nScale_Factor=1\r\n"
        "False_Easting=500000\r\nFalse_Northing=0\r\nUse Projection=1\r\nUse DTP=1\r\nName of Datum=\r\n"
        "eLCCSP1=40.5\r\neLCCSP2=\r\neLCCSF=" + d + "\r\neLCCCP=" + d + "\r\neLCCM=" + d + "\r\neLCCFE=" + d
        + "\r\neLCCFN=" + d + "\r\ncbUseLCCProjection=0\r\ncLambert1=0\r\n"
        "[GRID_SETTINGS]\r\nGridVisible=0\r\nAutoGrid=0\r\nGridSpacingX=" + d + "\r\nGridSpacingY=" + d
        + "\r\nGridColor=12632256\r\n"
        "[DEPTH_LABEL_SETTINGS]\r\nShowDepthLabels=0\r\nLabelSpacing=" + d + "\r\nFontName=" + d + "\r\nFontSize=" + d
        + "\r\nTextColor=1193046\r\n"
        "[EVENT_LABEL_SETTINGS]\r\nFontSize=" + d + "\r\nTextColor=1193046\r\n"
        "[OVERLAY_SETTINGS]\r\nFontSize=" + d + "\r\nDepthColor=1193046\r\nSpeedColor=1193046\r\n"
        "[SCREENSHOT]\r\nInterval=60\r\n";
    EXPECT_EQ(iniContent(), expected);

    logSettingsSaved(savedValues());
    const char* entries[] = {
        "=== SETTINGS SAVED ===",
        "GPS: Port=COM3, Baud=4800",
        "Sensor: Port=/dev/ttyUSB0, Baud=9600, Enabled=Yes",
        "Datum: , DTP=Yes",
        "TM: CM=33, RefLat=0, SF=1, FE=500000, FN=0",
        "LCC: Disabled, SP1=40.5, SP2=",
        "======================",
    };
    QByteArray log;
    for (const char* e : entries) log += QByteArray("\r\nAuto Event:\t2025-06-01 080000005\t") + e;
    EXPECT_EQ(eventLog(), log);
}

TEST_F(SettingsTableTest, RefusedLockSaveLeavesTheFileAsItWas)
{
    const QByteArray before = "[LOCK SETTINGS]\r\nLock Settings=0\r\n[GPS1 COMUNICATION SETTINGS]\r\nPort No=COM9\r\n";
    writeIni(before);
    IniFile ini(iniPath());
    {
        NoFileCanBeOpened cap;
        EXPECT_THROW(writeLockedSettings(ini, savedValues()), IniWriteError);
    }
    EXPECT_EQ(iniContent(), before);
    writeUnlocked(ini);  // the same file still takes a small write
    EXPECT_EQ(IniFile(iniPath()).ReadString("GPS1 COMUNICATION SETTINGS", "Port No", ""), "COM9");
}

}  // namespace
