// A played survey read back with the program's own NMEA parser.

#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"
#include "devices/simulator/SeabedModel.h"
#include "devices/simulator/SurveySimulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <set>

using namespace skerra::sim;

namespace {

constexpr double kStart = 1796918400;  // 2026-12-10 16:00 UTC

std::vector<SimulatedEpoch> play(SimulationSettings settings, double seconds)
{
    settings.StartTime = kStart;
    SurveySimulation simulation(settings);
    std::vector<SimulatedEpoch> epochs;
    const auto count = static_cast<long long>(seconds * settings.Rate / settings.SpeedUp);
    for (long long i = 0; i < count; ++i) epochs.push_back(simulation.Next());
    return epochs;
}

// Metres east and north of the area's origin (inverse of OffsetToGeodetic, locally).
std::pair<double, double> localOf(const skerra::NmeaFix& fix)
{
    const SurveyArea a = DemoSurveyArea();
    const Geodetic oneMetre = OffsetToGeodetic(a.OriginLatitude, a.OriginLongitude, 1, 1);
    return {(fix.Longitude - a.OriginLongitude) / (oneMetre.Longitude - a.OriginLongitude),
            (fix.Latitude - a.OriginLatitude) / (oneMetre.Latitude - a.OriginLatitude)};
}

bool isGga(const std::string& line) { return line.compare(3, 3, "GGA") == 0; }

TEST(SurveySimulation, EverySentenceIsValidAndTellsWhereTheBoatIs)
{
    SimulationSettings settings;  // 10 Hz, NMEA DPT, with HDT
    const auto epochs = play(settings, 3600);
    skerra::NmeaFix fix;
    std::set<int> qualities;
    int silentSounder = 0, checkedPositions = 0, checkedDepths = 0;
    for (const SimulatedEpoch& e : epochs) {
        qualities.insert(e.FixQuality);
        for (const std::string& line : e.Gnss) {
            ASSERT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
            const auto changes = skerra::ParseSentence(line, fix);
            if (!isGga(line)) continue;
            ASSERT_EQ(fix.FixQuality, e.FixQuality) << line;
            ASSERT_EQ(changes.Position, e.FixQuality != 0) << line;
            if (e.FixQuality == 0) continue;
            // The scatter of each quality: a few metres alone, centimetres with RTK.
            const double limit = e.FixQuality == 4 ? 0.07 : e.FixQuality == 5 ? 0.9 : e.FixQuality == 2 ? 2.6 : 7.7;
            const auto [east, north] = localOf(fix);
            ASSERT_LT(std::hypot(east - e.Truth.East, north - e.Truth.North), limit) << line;
            ++checkedPositions;
        }
        if (e.Sounder.empty()) ++silentSounder;
        for (const std::string& line : e.Sounder) {
            ASSERT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
            double raw = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "%*6s,%lf", &raw), 1) << line;
            // Corrected as the program does, the depth is the seabed's below the boat.
            const double depth = raw * SimulatedSoundVelocity / 1500 + SimulatedTransducerDraft;
            ASSERT_NEAR(depth, SeabedAt(e.Truth.East, e.Truth.North).High, 0.2) << line;
            ++checkedDepths;
        }
    }
    EXPECT_EQ(qualities, (std::set<int>{0, 1, 2, 4, 5}));
    EXPECT_GT(checkedPositions, 30000);
    EXPECT_GT(checkedDepths, 30000);
    // The sounder loses the bottom now and then, briefly.
    EXPECT_GT(silentSounder, 0);
    EXPECT_LT(silentSounder, static_cast<int>(epochs.size()) / 20);
}

TEST(SurveySimulation, TheFixClimbsFromAutonomousToRtkFixedAfterTheStart)
{
    std::vector<int> order;
    for (const SimulatedEpoch& e : play(SimulationSettings{}, 60))
        if (order.empty() || order.back() != e.FixQuality) order.push_back(e.FixQuality);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 5, 4}));
}

TEST(SurveySimulation, TheBoatRunsEveryLineAtSurveySpeed)
{
    SimulationSettings settings;
    settings.Rate = 1;  // two hours of survey: one pass over all lines and back
    const SurveyArea area = DemoSurveyArea();
    const double az = area.LineAzimuth * std::numbers::pi / 180;
    skerra::NmeaFix fix;
    std::set<int> lines;
    for (const SimulatedEpoch& e : play(settings, 7200)) {
        for (const std::string& line : e.Gnss) skerra::ParseSentence(line, fix);
        if (e.FixQuality != 4 || !e.Truth.OnLine) continue;
        const auto [east, north] = localOf(fix);
        const double along = east * std::sin(az) + north * std::cos(az);
        const double across = east * std::cos(az) - north * std::sin(az);
        ASSERT_NEAR(across, e.Truth.Line * area.LineSpacing, 0.07);
        ASSERT_GT(along, -0.1);
        ASSERT_LT(along, area.LineLength + 0.1);
        ASSERT_NEAR(fix.Speed / 1.852, BoatSpeedKnots, 0.3);
        const double course = std::remainder(fix.Course - area.LineAzimuth, 180.0);
        ASSERT_LT(std::fabs(course), 2.5);
        lines.insert(e.Truth.Line);
    }
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(area.LineCount));
}

TEST(SurveySimulation, OptionsShapeTheOutput)
{
    SimulationSettings a;
    a.Seed = 7;
    a.SpeedUp = 10;
    a.Heading = false;
    a.Sounder = SounderType::XdrHiLo;
    const auto first = play(a, 100), again = play(a, 100);
    ASSERT_EQ(first.size(), 100u);  // speed-up 10 at 10 Hz: one survey second per epoch
    EXPECT_DOUBLE_EQ(first[3].SurveyTime, 3.0);
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Gnss, again[i].Gnss);  // a seed replays its survey
        for (const std::string& line : first[i].Gnss) EXPECT_EQ(line.find("HDT"), std::string::npos);
        for (const std::string& line : first[i].Sounder) EXPECT_EQ(line.rfind("$XDHI,HF,", 0), 0u);
    }
    EXPECT_NE(first[1].Gnss.front().find(",160001.00,"), std::string::npos) << first[1].Gnss.front();
    a.Seed = 8;
    EXPECT_NE(play(a, 100)[5].Gnss, first[5].Gnss);
}

}  // namespace
