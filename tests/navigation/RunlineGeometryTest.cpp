#include "navigation/RunlineGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Lines = std::vector<RunlinePolyline>;

void expectLines(const Lines& actual, const Lines& expected, const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(actual[i].size(), expected[i].size()) << what << ", line " << i;
        for (size_t j = 0; j < expected[i].size(); ++j) {
            EXPECT_NEAR(actual[i][j].first, expected[i][j].first, 1e-9) << what << ", line " << i << " point " << j;
            EXPECT_NEAR(actual[i][j].second, expected[i][j].second, 1e-9) << what << ", line " << i << " point " << j;
        }
    }
}

constexpr RunlineMode Perp = RunlineMode::Perpendicular;
constexpr RunlineMode Para = RunlineMode::Parallel;
const double h = std::sqrt(0.5);

TEST(Runlines, RouteCopyFirstThenTheLines)
{
    const RunlinePolyline east30{{0, 0}, {30, 0}};
    const RunlinePolyline uTurn{{0, 0}, {10, 0}, {0, 0}};
    const RunlinePolyline bend{{0, 0}, {10, 0}, {10, 10}};
    const RunlinePolyline shortFirst{{0, 0}, {0.0005, 0}, {10.0005, 0}};
    const RunlinePolyline north{{5, 5}, {5, 25}};
    const struct { const char* what; RunlinePolyline route; double S, L; RunlineMode mode; Lines expected; } cases[] = {
        {"cross lines 2L long at 0, 10, 20 and 30 m", east30, 10, 5, Perp,
         {east30, {{0, 5}, {0, -5}}, {{10, 5}, {10, -5}}, {{20, 5}, {20, -5}}, {{30, 5}, {30, -5}}}},
        {"the end vertex only at a whole multiple", east30, 12, 1, Perp,
         {east30, {{0, 1}, {0, -1}}, {{12, 1}, {12, -1}}, {{24, 1}, {24, -1}}}},
        {"left is west when heading north", north, 20, 3, Perp, {north, {{2, 5}, {8, 5}}, {{2, 25}, {8, 25}}}},
        {"S = 0.1 on 0.3 m reaches the end", {{0, 0}, {0.3, 0}}, 0.1, 1, Perp,
         {{{0, 0}, {0.3, 0}}, {{0, 1}, {0, -1}}, {{0.1, 1}, {0.1, -1}}, {{0.2, 1}, {0.2, -1}}, {{0.3, 1}, {0.3, -1}}}},
        {"a segment under 1 mm gets no cross line", shortFirst, 20, 2, Perp, {shortFirst, {{0.0005, 2}, {0.0005, -2}}}},
        {"stations restart on every segment", bend, 10, 1, Perp,
         {bend, {{0, 1}, {0, -1}}, {{10, 1}, {10, -1}}, {{9, 0}, {11, 0}}, {{9, 10}, {11, 10}}}},
        {"parallel: N = trunc(L / S) each side, left first", east30, 10, 25, Para,
         {east30, {{0, 10}, {30, 10}}, {{0, -10}, {30, -10}}, {{0, 20}, {30, 20}}, {{0, -20}, {30, -20}}}},
        {"parallel with L below S: the route only", east30, 10, 9.99, Para, {east30}},
        {"parallel at a bend: unit mean normal, not lengthened", bend, 1, 1, Para,
         {bend, {{0, 1}, {10 - h, h}, {9, 10}}, {{0, -1}, {10 + h, -h}, {11, 10}}}},
        {"a U-turn vertex keeps its place", uTurn, 1, 1, Para,
         {uTurn, {{0, 1}, {10, 0}, {0, -1}}, {{0, -1}, {10, 0}, {0, 1}}}},
        {"no route", {{3, 4}}, 10, 100, Perp, {}},
    };
    for (const auto& c : cases) {
        const std::optional<Lines> lines = runlines(c.route, c.S, c.L, c.mode);
        ASSERT_TRUE(lines) << c.what;
        expectLines(*lines, c.expected, c.what);
        if (!c.expected.empty()) {
            EXPECT_EQ(RunlineCount(c.route, c.S, c.L, c.mode), double(c.expected.size() - 1)) << c.what;
        }
    }
}

// A tiny spacing is refused before any line is made, however long the route.
TEST(Runlines, TooManyLinesAreRefused)
{
    const RunlinePolyline route{{0, 0}, {1000, 0}, {1000, 1000}};
    const struct { double S, L; RunlineMode mode; bool refused; } cases[] = {
        {1e-9, 10, Perp, true},
        {4.9e-300, 10, Perp, true},
        {1e-3, 1e300, Para, true},
        {1, 50000, Para, false},   // 100,000 lines: the most allowed
        {1, 50001, Para, true},
        {0.04, 5, Perp, false},    // 2 x 25,001 lines
        {0.02, 5, Perp, true},     // 2 x 50,001 lines
    };
    for (const auto& c : cases) {
        const std::optional<Lines> lines = runlines(route, c.S, c.L, c.mode);
        EXPECT_EQ(!lines, c.refused) << c.S << " " << c.L;
        if (lines) {
            EXPECT_EQ(lines->size(), size_t(RunlineCount(route, c.S, c.L, c.mode)) + 1);
        }
    }
}

TEST(RunlineValue, NumbersAboveZeroElseTheDefault)
{
    const struct { const char* text; double expected; } cases[] = {
        {"abc", 10}, {"0", 10}, {"-5", 10}, {"nan", 10}, {"inf", 10}, {"", 10}, {"1,5", 10},
        {" 2.5 ", 2.5}, {"25", 25}, {"1e-3", 0.001},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(RunlineValue(c.text, 10), c.expected) << '"' << c.text << '"';
}

TEST(RunlinesLogText, TheTextsAsTyped)
{
    EXPECT_EQ(RunlinesLogText("abc", "100"), "Runlines generated - Spacing: abc, Length: 100");
    EXPECT_EQ(RunlinesLogText(" 5", "-1"), "Runlines generated - Spacing:  5, Length: -1");
}

}  // namespace
