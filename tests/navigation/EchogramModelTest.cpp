// The echogram's history, range, rows and grid, and the battery panel's axis commands.

#include "navigation/survey/AxisCommand.h"
#include "navigation/survey/EchogramModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

EchogramModel modelWith(const std::vector<double>& depths, int width = EchogramModel::kDefaultWidth)
{
    EchogramModel model;
    model.SetDataWidth(width);
    for (double d : depths) model.Push(d);
    return model;
}

TEST(EchogramModel, RangeFollowsTheValidSoundings)
{
    const struct {
        const char* name;
        std::vector<double> depths;
        double top, bottom;
    } cases[] = {
        {"empty history", {}, 0, 50},
        {"three depths", {10, 11, 12}, 0, 50},
        {"three depths among gaps", {10, 0, -1, 11, 0, 12}, 0, 50},
        {"all equal", {7, 7, 7, 7, 7}, 0, 50},
        {"10 to 11 m: margin 0.3 m", {10, 10.5, 11, 10.2}, 9.7, 11.3},
        {"spread 10 m: margin 1 m", {20, 25, 30, 22}, 19, 31},
        {"never above the surface", {0.1, 0.2, 4.0, 3.0}, 0, 4.39},
    };
    for (const auto& c : cases) {
        const EchogramRange range = modelWith(c.depths).Range();
        EXPECT_NEAR(range.top, c.top, 1e-9) << c.name;
        EXPECT_NEAR(range.bottom, c.bottom, 1e-9) << c.name;
        EXPECT_NEAR(range.span, c.bottom - c.top, 1e-9) << c.name;
    }
}

TEST(EchogramModel, HistoryKeepsTheNewestSoundingsOfItsWidth)
{
    EchogramModel model = modelWith({1, 2, 3, 4, 5}, 3);
    EXPECT_EQ(model.Depth(0), 3);
    EXPECT_EQ(model.Depth(1), 4);
    EXPECT_EQ(model.Depth(2), 5);
    EXPECT_EQ(model.Newest(), 5);
    // Soundings already gone stay gone when the range is computed.
    EXPECT_NEAR(model.Range().top, 0, 1e-9);  // only three valid depths left
}

TEST(EchogramModel, DataWidthIsKeptToTheHistory)
{
    const struct {
        int asked, kept;
    } cases[] = {{-5, 1}, {0, 1}, {1, 1}, {50, 50}, {200, 200}, {201, 200}, {INT_MAX, 200}};
    for (const auto& c : cases) {
        EXPECT_EQ(EchogramModel::ClampDataWidth(c.asked), c.kept) << c.asked;
        EchogramModel model;
        model.SetDataWidth(c.asked);
        model.Push(3.5);  // never writes outside the history
        EXPECT_EQ(model.Newest(), 3.5) << c.asked;
    }
}

TEST(EchogramModel, RowsAreComputedForTheHeightAsked)
{
    const EchogramModel model = modelWith({0, 10, 20, 30, 40}, 5);
    const EchogramRange range{0, 50, 50};
    EXPECT_EQ(model.Rows(range, 100), (std::vector<int>{0, 20, 40, 60, 80}));
    EXPECT_EQ(model.Rows(range, 51), (std::vector<int>{0, 10, 20, 30, 40}));  // truncated: 10.2 -> 10
}

TEST(EchogramModel, GridStepsAndLabels)
{
    const struct {
        EchogramRange range;
        double step;
        std::vector<std::string> labels;
    } cases[] = {
        {{0, 50, 50}, 20, {"0m", "20m", "40m"}},
        {{0, 10, 10}, 2.5, {"0.0m", "2.5m", "5.0m", "7.5m", "10.0m"}},
        {{9.7, 11.3, 1.6}, 0.5, {"10.0m", "10.5m", "11.0m"}},
        {{2.1, 2.9, 0.8}, 0.2, {"2.2m", "2.4m", "2.6m", "2.8m"}},
        {{0.3, 1.3, 1.0}, 0.25, {"0.50m", "0.75m", "1.00m", "1.25m"}},
        {{100, 300, 200}, 50, {"100m", "150m", "200m", "250m", "300m"}},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(EchogramGridStep(c.range.span), c.step) << c.range.span;
        std::vector<std::string> labels;
        for (const EchogramGridLine& line : EchogramGrid(c.range)) labels.push_back(line.label);
        EXPECT_EQ(labels, c.labels) << c.range.span;
    }
}

// Absurd soundings neither freeze the grid nor fill the memory: the lines stay few,
// their labels finite, and a depth that is not a number holds no depth.
TEST(EchogramModel, GridStaysBoundedForAbsurdDepths)
{
    const struct {
        const char* name;
        std::vector<double> depths;
    } cases[] = {
        {"one absurd among ordinary", {10.6, 10.6, 10.6, 1.02e306}},
        {"absurd and close together", {1.02e306, 1.0200000000000001e306, 1.0200000000000003e306, 1.0200000000000005e306}},
        {"near the largest double", {1, 2, 3, 1.7e308}},
        {"infinity and nan", {10, std::numeric_limits<double>::infinity(), std::nan(""), 11, 12, 13}},
        {"first absurd", {1.02e306}},
    };
    for (const auto& c : cases) {
        const EchogramModel model = modelWith(c.depths);
        const EchogramRange range = model.Range();
        EXPECT_TRUE(std::isfinite(range.top) && std::isfinite(range.span)) << c.name;
        const std::vector<EchogramGridLine> lines = EchogramGrid(range);
        EXPECT_LE(lines.size(), std::size_t(kMostEchogramGridLines)) << c.name;
        for (const auto& line : lines) EXPECT_TRUE(std::isfinite(line.depth)) << c.name;
        for (const int row : model.Rows(range, 200)) EXPECT_LE(std::abs(row), 800) << c.name;
        for (int i = 0; i < model.DataWidth(); ++i) EXPECT_TRUE(std::isfinite(model.Depth(i))) << c.name;
    }
    // A range far down with a narrow span: the step grows until the multiples are exact.
    const std::vector<EchogramGridLine> deep = EchogramGrid({1e17, 1e17 + 8, 8});
    EXPECT_LE(deep.size(), std::size_t(kMostEchogramGridLines));
    EXPECT_TRUE(EchogramGrid({0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()}).empty());
}

TEST(EchogramModel, GridDecimalsWriteTheStepExactly)
{
    const struct {
        double step;
        int decimals;
    } cases[] = {{20, 0}, {2, 0}, {2.5, 1}, {0.5, 1}, {0.25, 2}, {0.02, 2}, {0.025, 3}, {25, 0}};
    for (const auto& c : cases) EXPECT_EQ(EchogramGridDecimals(c.step), c.decimals) << c.step;
}

TEST(AxisCommand, SignAndAtLeastThreeDigits)
{
    const struct {
        char axis;
        int value;
        const char* text;
    } cases[] = {
        {'A', 0, "<A+000>\n"},
        {'A', 5, "<A+005>\n"},
        {'B', -12, "<B-012>\n"},
        {'A', 7, "<A+007>\n"},
        {'B', 1234, "<B+1234>\n"},
        {'A', INT_MAX, "<A+2147483647>\n"},
        {'B', INT_MIN, "<B-2147483648>\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAxisCommand(c.axis, c.value), c.text) << c.value;
}

}  // namespace
