#include "MissingTool.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

using namespace skerra;

namespace {

struct RealCase {
    const char* text;
    std::optional<double> value;
};

const RealCase kReals[] = {
    {"1.5", 1.5},          {"  -2.25\t", -2.25}, {"+3", 3.0},        {"1e3", 1000.0},
    {"2.5E-3", 0.0025},    {".5", 0.5},          {"5.", 5.0},        {"0", 0.0},
    {"1,5", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt}, {"-INF", std::nullopt},
    {"1e999", std::nullopt}, {"", std::nullopt},  {"  ", std::nullopt}, {"1.5x", std::nullopt},
    {"0x10", std::nullopt}, {"e5", std::nullopt}, {"1e", std::nullopt}, {"- 1", std::nullopt},
};

struct IntCase {
    const char* text;
    std::optional<long long> decimal;
    std::optional<long long> intOrHex;
};

const IntCase kInts[] = {
    {"42", 42, 42},
    {" -7 ", -7, -7},
    {"0x0000FF", std::nullopt, 255},
    {"0XfF", std::nullopt, 255},
    {"0x", std::nullopt, std::nullopt},
    {"blue", std::nullopt, std::nullopt},
    {"1.0", std::nullopt, std::nullopt},
    {"", std::nullopt, std::nullopt},
    {"9223372036854775807", 9223372036854775807LL, 9223372036854775807LL},
    {"9223372036854775808", std::nullopt, std::nullopt},
};

// Runs the checks under the C locale and again under a locale with a decimal comma,
// which is what QApplication would set for a Turkish or German user.
class NumberTextLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, GetParam())) SKERRA_SKIP_UNLESS_CI("locale " << GetParam() << " not installed");
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }
    std::string saved_;
};

TEST_P(NumberTextLocale, ParsesRealsWithPointOnlyAndFiniteOnly)
{
    for (const auto& c : kReals) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tryParseDouble(c.text), c.value);
    }
}

TEST_P(NumberTextLocale, ParsesIntegersAndHexadecimal)
{
    for (const auto& c : kInts) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tryParseInt64(c.text), c.decimal);
        EXPECT_EQ(tryParseIntOrHex(c.text), c.intOrHex);
    }
}

TEST_P(NumberTextLocale, FormatsWithPoint)
{
    EXPECT_EQ(FormatFixed(1234.5678, 2), "1234.57");
    EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");  // round half to even, like printf
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(FormatGeneral(4500000.123456789, 15), "4500000.12345679");
    EXPECT_EQ(FormatGeneral(1.5e-7, 15), "1.5e-07");
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextLocale,
                         ::testing::Values("C", "tr_TR.UTF-8", "de_DE.UTF-8"));

TEST(NumberText, ConversionsRaiseTheFrameworkMessages)
{
    EXPECT_EQ(StrToFloat(" 3.25 "), 3.25);
    EXPECT_EQ(StrToInt("0x10"), 16);
    try {
        StrToFloat("1,5");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
    try {
        StrToInt("12a");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt("3000000000"), ConvertError);
    EXPECT_EQ(StrToIntDef("x", 40), 40);
    EXPECT_EQ(StrToFloatDef("nan", -1.0), -1.0);
}

}  // namespace
