#include "shell/LatencyColour.h"

#include <gtest/gtest.h>

namespace {

TEST(LatencyColour, LimeBelowTheToleranceRedFromItNothingWithoutTwoIntegers)
{
    using skerra::colors::Lime;
    using skerra::colors::Red;
    const struct {
        const char* current;
        const char* tolerance;
        std::optional<TColor> colour;
    } cases[] = {
        {"499", "500", Lime},  {"500", "500", Red},   {"501", "500", Red},
        {"-1", "0", Lime},     {" 12 ", "0x1F4", Lime}, {"600", "0X1F4", Red},
        {"", "500", {}},       {"abc", "500", {}},    {"499.5", "500", {}},
        {"499", "", {}},       {"499", "5oo", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(skerra::latencyColour(c.current, c.tolerance), c.colour) << c.current << " / " << c.tolerance;
}

}  // namespace
