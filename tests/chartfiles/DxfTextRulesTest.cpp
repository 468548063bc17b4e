// The text rules of the DXF reader: numbers, trimming, colour numbers, caret
// notation and the removal of MTEXT codes.

#include "chartfiles/DxfCarets.h"
#include "chartfiles/DxfColor.h"
#include "chartfiles/DxfLineReader.h"
#include "chartfiles/DxfMText.h"
#include "chartfiles/DxfNumbers.h"
#include "platform/Colour.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using skerra::rgbColor;

struct IntCase {
    const char* text;
    int value;
};

TEST(DxfNumbers, IntegersFollowTheAtolPrefixRule)
{
    const IntCase cases[] = {
        {"62", 62},        {"  62", 62},       {"\t-5", -5},        {"+7", 7},
        {"10abc", 10},     {"00", 0},          {"+0", 0},           {"abc", 0},
        {"", 0},           {"- 5", 0},         {"256QSW", 256},     {"1.9", 1},
        {"2147483647", INT_MAX},               {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},     {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dxfAtol(c.text), c.value) << '"' << c.text << '"';
}

struct RealCase {
    const char* text;
    double value;
};

TEST(DxfNumbers, RealsFollowTheAtofPrefixRuleWithAPointAlways)
{
    const RealCase cases[] = {
        {"1.5e2", 150.0},  {"1,5", 1.0},      {"abc", 0.0},         {"  -2.5", -2.5},
        {"+.5", 0.5},      {"5.", 5.0},       {"1e", 1.0},          {"1e+", 1.0},
        {"2.5E-3", 0.0025}, {".", 0.0},       {"-", 0.0},           {"0x10", 0.0},
        {"12.25 m", 12.25}, {"310000.123456", 310000.123456},     {"4500000.5", 4500000.5},
        // Not numbers a drawing can use.
        {"inf", 0.0},      {"-infinity", 0.0}, {"nan", 0.0},        {"1e999", 0.0},
        {"-1e999", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(dxfAtof(c.text), c.value) << '"' << c.text << '"';
}

TEST(DxfLines, TrimBlanksRemovesBlankTabAndCarriageReturnOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {" \tLINE\r", "LINE"}, {"  0", "0"}, {"\r\r", ""}, {"\nA\n", "\nA\n"}, {"\vA\f", "\vA\f"}, {"a b", "a b"},
    };
    for (auto [in, out] : cases) {
        std::string s = in;
        TrimBlanks(s);
        EXPECT_EQ(s, out);
    }
}

TEST(DxfColors, ColourNumbersMapToCanvasColours)
{
    const std::pair<int, int> cases[] = {
        {1, rgbColor(255, 0, 0)},      {2, rgbColor(255, 255, 0)},   {3, rgbColor(0, 255, 0)},
        {4, rgbColor(0, 255, 255)},    {5, rgbColor(0, 0, 255)},     {6, rgbColor(255, 0, 255)},
        {7, rgbColor(255, 255, 255)},  {8, rgbColor(128, 128, 128)}, {9, rgbColor(192, 192, 192)},
        {10, rgbColor(170, 114, 18)},  {255, rgbColor(239, 219, 203)}, {100, rgbColor(164, 116, 180)},
        {0, -1}, {256, -1}, {-1, -1}, {-7, -1}, {257, -1}, {INT_MAX, -1},
    };
    for (auto [n, colour] : cases)
        EXPECT_EQ(DxfColorToColor(n), colour) << n;
    EXPECT_EQ(DxfColorToColor(1), 0x0000FF);  // red in the low byte
}

TEST(DxfMText, StripMTextCodesKeepsTheWordsAndDropsTheCodes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"A\\PB", "A B"},
        {"Line1\\PLine2 more", "Line1 Line2 more"},
        {"\\P", " "},
        {"\\LUnder\\l and \\OOver\\o \\KStrike\\k", "Under\\l and Over\\o Strike\\k"},
        {"{\\fArial|b0|i0;Hello}", "Hello"},
        {"{\\fTimes New Roman|b0|i0;\\H1.4x;\\A1;HEADLINE}", "HEADLINE"},
        {"{\\C3;\\A1;Left aligned paragraph:}\\P\\pi0;{\\A1;Lorem}", "Left aligned paragraph: Lorem"},
        {"{Iskele}", "Iskele"},
        {"{Quay} wall", "Quay wall"},
        {"\\{kept\\} {\\C1;red}", "{kept} red"},
        {"1\\S1/2;", "1"},
        {"\\W0.8;\\Q15;\\T1.1;narrow", "narrow"},
        {"\\F@Arial|c0;x", "x"},
        {"a\\\\b", "a\\b"},
        {"%%c50 \\~ \\U+039B", "%%c50 \\~ \\U+039B"},
        {"end\\", "end\\"},
        {"\\Hunterminated", ""},
        {"", ""},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(StripMTextCodes(in), out) << in;
    // Without grouping braces (a TEXT entity) braces are letters.
    EXPECT_EQ(StripMTextCodes("{Quay} \\{1\\}", false), "{Quay} \\{1\\}");
}

TEST(DxfCarets, EveryByteComesBackFromCaretNotation)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string encoded = EncodeDxfCarets(all);
    EXPECT_EQ(encoded.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
    EXPECT_EQ(DecodeDxfCarets(encoded), all);
}

TEST(DxfMText, ColumnTextFromARealDrawingBecomesOneLineOfWords)
{
    // As written by a CAD program (columns_R2018.dxf).
    EXPECT_EQ(StripMTextCodes("Line 1\\PLine 2\\PLine 3"), "Line 1 Line 2 Line 3");
}

}  // namespace
