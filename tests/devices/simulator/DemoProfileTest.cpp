// The demo settings profile agrees with the simulator it runs against and passes the
// checks a survey start makes.

#include "devices/simulator/SurveySimulation.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace skerra::sim;

namespace {

const skerra::IniFile& demoProfile()
{
    static const skerra::IniFile ini(QStringLiteral(SKERRA_SOURCE_DIR "/scripts/demo/skerra-demo.INI"));
    return ini;
}

double number(const char* section, const char* key)
{
    const QString text = demoProfile().ReadString(section, key, {});
    const auto value = skerra::tryParseDouble(text.toStdString());
    EXPECT_TRUE(value.has_value()) << section << "/" << key << " = '" << text.toStdString() << "'";
    return value.value_or(NAN);
}

TEST(DemoProfile, OffsetsMatchTheSimulatorAndPassTheConfirmation)
{
    const double a = number("ECHOSOUNDER_OFFSETS", "Offset A");
    const double b = number("ECHOSOUNDER_OFFSETS", "Offset B");
    const double c = number("ECHOSOUNDER_OFFSETS", "Offset C");
    const double sv = number("ECHOSOUNDER_OFFSETS", "SV");
    number("ECHOSOUNDER_OFFSETS", "Tide Height");
    EXPECT_LE(std::fabs(a + c - b), 0.025);
    EXPECT_GE(sv, 1300);
    EXPECT_LE(sv, 1700);
    for (const char* key : {"Surveyor", "SurveyBoat", "SurveyLocation"})
        EXPECT_FALSE(demoProfile().ReadString("ECHOSOUNDER_OFFSETS", key, {}).isEmpty()) << key;
    EXPECT_DOUBLE_EQ(a, SimulatedTransducerDraft);
    EXPECT_DOUBLE_EQ(c, SimulatedAntennaHeight);
    EXPECT_DOUBLE_EQ(sv, SimulatedSoundVelocity);
}

TEST(DemoProfile, EveryGeodeticValueTheMapReadsIsANumberAndTheGridFitsTheArea)
{
    for (const char* key : {"SemiMajorAxis", "InverseFlattening", "X_Rotation", "Y_Rotation", "Z_Rotation",
                            "X_Shift", "Y_Shift", "Z_Shift", "Scale_PPM", "Central_Meridian",
                            "Reference_Latitude", "Scale_Factor", "False_Easting", "False_Northing", "eLCCSP1",
                            "eLCCSP2", "eLCCSF", "eLCCCP", "eLCCM", "eLCCFE", "eLCCFN"})
        number("GEODETIC_PARAMETERS", key);
    EXPECT_NEAR(number("GEODETIC_PARAMETERS", "InverseFlattening"), 1 / 298.257223563, 1e-15);
    // The area lies within the 3-degree zone of the central meridian.
    EXPECT_LT(std::fabs(DemoSurveyArea().OriginLongitude - number("GEODETIC_PARAMETERS", "Central_Meridian")), 1.5);
    EXPECT_FALSE(demoProfile().ReadBool("GEODETIC_PARAMETERS", "cbUseLCCProjection", true));
    EXPECT_TRUE(demoProfile().ReadBool("SENSOR COMUNICATION SETTINGS", "Sensor Enabled", false));
    EXPECT_EQ(demoProfile().ReadString("GPS1 COMUNICATION SETTINGS", "Port No", {}), "@GNSS_PORT@");
    EXPECT_EQ(demoProfile().ReadString("SENSOR COMUNICATION SETTINGS", "Port No", {}), "@SOUNDER_PORT@");
    EXPECT_EQ(demoProfile().ReadInteger("SCREENSHOT", "Interval", 60), 0);
}

}  // namespace
