#include "devices/simulator/SimulatorOptions.h"

#include <gtest/gtest.h>

using namespace skerra::sim;

namespace {

TEST(SimulatorOptions, ReadsEveryOption)
{
    const ParsedOptions p = ParseSimulatorOptions({"--rate", "5", "--duration=30", "--speed-up", "4",
                                                   "--sounder", "xdr-lo", "--seed", "42", "--no-hdt",
                                                   "--gnss-link", "/tmp/g", "--sounder-link=/tmp/s"});
    ASSERT_EQ(p.Error, "");
    EXPECT_EQ(p.Options.Rate, 5);
    EXPECT_EQ(p.Options.Duration, 30);
    EXPECT_EQ(p.Options.SpeedUp, 4);
    EXPECT_EQ(p.Options.Sounder, SounderType::XdrLo);
    EXPECT_EQ(p.Options.Seed, 42u);
    EXPECT_FALSE(p.Options.Heading);
    EXPECT_EQ(p.Options.GnssLink, "/tmp/g");
    EXPECT_EQ(p.Options.SounderLink, "/tmp/s");
    EXPECT_FALSE(p.Options.Help);

    const ParsedOptions defaults = ParseSimulatorOptions({});
    EXPECT_EQ(defaults.Error, "");
    EXPECT_EQ(defaults.Options.Rate, 10);
    EXPECT_EQ(defaults.Options.Sounder, SounderType::Dpt);
    EXPECT_TRUE(defaults.Options.Heading);
    EXPECT_TRUE(ParseSimulatorOptions({"--help"}).Options.Help);
}

TEST(SimulatorOptions, RefusesWhatItCannotPlay)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--rate", "0"}, "--rate needs a number from 1 to 20, not '0'"},
        {{"--rate", "2,5"}, "--rate needs a number from 1 to 20, not '2,5'"},
        {{"--speed-up", "1000"}, "--speed-up needs a number from 0.1 to 100, not '1000'"},
        {{"--duration", "-1"}, "--duration needs a number from 0 to 10000000, not '-1'"},
        {{"--sounder", "sonar"}, "--sounder: unknown sounder type 'sonar'"},
        {{"--seed", "x"}, "--seed needs a whole number, not 'x'"},
        {{"--seed"}, "--seed needs a value"},
        {{"--no-hdt=1"}, "unknown option '--no-hdt=1'"},
        {{"gnss"}, "unknown option 'gnss'"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseSimulatorOptions(c.arguments).Error, c.error);
}

}  // namespace
