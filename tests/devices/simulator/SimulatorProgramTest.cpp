// The built skerra-simulator, read through its two terminals.

#include "PtyReader.h"
#include "SimulatorProcess.h"

#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace fs = std::filesystem;

namespace {

TEST(SimulatorProgram, PlaysASurveyOnItsTwoTerminalsForItsDuration)
{
    simtest::SimulatorProcess simulator({"--duration", "3", "--speed-up", "20", "--sounder", "dbt"});
    ASSERT_TRUE(simulator.WaitUntilReady());
    simtest::PtyReader gnss(simulator.GnssLink()), sounder(simulator.SounderLink());
    ASSERT_TRUE(gnss.IsOpen() && sounder.IsOpen());
    const auto gnssLines = gnss.ReadLines(60);
    const auto sounderLines = sounder.ReadLines(15);

    skerra::NmeaFix fix;
    int positions = 0;
    double firstLatitude = 0;
    for (const std::string& line : gnssLines) {
        ASSERT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
        if (skerra::ParseSentence(line, fix).Position && ++positions == 1) firstLatitude = fix.Latitude;
    }
    EXPECT_GE(positions, 10);
    EXPECT_NEAR(fix.Latitude, 38.43, 0.01);  // Izmir Bay
    EXPECT_NEAR(fix.Longitude, 27.08, 0.02);
    EXPECT_NE(fix.Latitude, firstLatitude);  // the boat moves
    ASSERT_GE(sounderLines.size(), 15u);
    const std::string dbtFormat = "%*6s,%*lf,%*1s,%lf";  // the settings window's, for NMEA DBT
    for (const std::string& line : sounderLines) {
        EXPECT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
        double depth = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), dbtFormat.c_str(), &depth), 1) << line;
        EXPECT_GT(depth, 1.0) << line;
    }

    // It ends by itself after its duration and takes its links away.
    EXPECT_EQ(simulator.WaitForExit(5000), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(simulator.GnssLink())));
    EXPECT_FALSE(fs::exists(fs::symlink_status(simulator.SounderLink())));
}

TEST(SimulatorProgram, StopsCleanlyWhenAskedAndRefusesUnknownOptions)
{
    simtest::SimulatorProcess wrong({"--sounder", "sonar"});
    EXPECT_EQ(wrong.WaitForExit(5000), 2);

    simtest::SimulatorProcess simulator({});
    ASSERT_TRUE(simulator.WaitUntilReady());
    EXPECT_EQ(simulator.Stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(simulator.GnssLink())));
}

}  // namespace
