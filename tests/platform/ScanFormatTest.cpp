#include "platform/ScanFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

using skerra::ScanFormat;

namespace {

struct ScanCase {
    const char* format;
    std::string line;
    int expected;                 // Scan's result
    std::vector<double> values;   // the captures assigned
};

void expectScan(const ScanCase& c, int maxCaptures = 2)
{
    SCOPED_TRACE(std::string(c.format) + " on \"" + c.line + "\"");
    std::string error;
    const auto format = ScanFormat::Compile(c.format, maxCaptures, &error);
    ASSERT_TRUE(format) << error;
    double out[4] = {-7, -7, -7, -7};
    EXPECT_EQ(format->Scan(c.line, out), c.expected);
    for (size_t i = 0; i < 4; ++i) {
        if (i < c.values.size()) EXPECT_DOUBLE_EQ(out[i], c.values[i]) << "capture " << i;
        else EXPECT_EQ(out[i], -7) << "capture " << i << " must stay untouched";
    }
}

TEST(ScanFormatTest, BuiltInFormatsReadTheirDevicesLines)
{
    const ScanCase cases[] = {
        {"%*8s,%lf,%lf", "$HALVSMT,12.34,12.6", 2, {12.34, 12.6}},                   // Halvek SMT
        {"%*6s,%lf", "$INDPT,2.2,0.0*47", 1, {2.2}},                                // NMEA DPT
        {"%*6s,%*lf,%*1s,%lf", "$SDDBT,7.7,f,2.3,M,1.3,F*05", 1, {2.3}},            // NMEA DBT
        {"%*8s,%lf", "$HALXDHI,15.27", 1, {15.27}},                                 // Halvek XDR HI
        {"%*42s,%lf", "$SDODC,20240501,101112.34,B,0001,000000001,12.67", 1, {12.67}},  // ODC HI
        {"%*8s,%*lf,%*8s,%lf", "$HALXDHI,15.27,$HALXDLO,15.91", 1, {15.91}},        // Halvek XDR LO
        {"%*8s,%lf,%*8s,%lf", "$HALXDHI,15.27,$HALXDLO,15.91", 2, {15.27, 15.91}},  // Halvek XDR H/L
        {"%*23s %lf,%lf", "2024-05-01T10:11:12.345 1500.12,3.40", 2, {1500.12, 3.4}},  // sound velocity cast
        {"%lf,%*[^,],%lf", "12.5,7.91,1480.2", 2, {12.5, 1480.2}},                  // detected: depth first
        {"%lf\t%*[^\t]\t%lf", "4.8\t29.49\t1544.76", 2, {4.8, 1544.76}},           // detected, TAB
        // A line of another type, or cut short, gives fewer values.
        {"%*8s,%lf,%lf", "$HALVSMT,12.34", 1, {12.34}},
        {"%*6s,%*lf,%*1s,%lf", "$SDDBT,,f,2.3,M", 0, {}},
    };
    for (const ScanCase& c : cases) expectScan(c);
}

TEST(ScanFormatTest, ScansLikeTheCLibrary)
{
    const ScanCase cases[] = {
        {"%lf", "", -1, {}},                       // nothing to read before the first value
        {"%lf", "   ", -1, {}},
        {"%*s,%lf", "abc", -1, {}},                // skipped fields do not count as values
        {"%lf,%lf", "1.5", 1, {1.5}},              // input ends after a value: the count so far
        {"%lf", "x", 0, {}},                       // mismatch
        {"x%lf", "y", 0, {}},
        {"%lf,%lf", "1,x", 1, {1}},
        {"%*[^,],%lf", ",5", 0, {}},               // a scan set must take at least one character
        {"%% %lf", " %  5", 1, {5}},               // "%%" and blanks skip blanks
        {"%*5c%lf", "a b c7", 1, {7}},             // %c takes blanks too
        {"%*3d%lf", "12345", 1, {45}},             // widths count characters
        {"%2lf%lf", "1234", 2, {12, 34}},
        {"%*[]a-c]%lf", "]ab c1", 0, {}},          // "]" first is a member; ranges ascend
        {"%*[]a-c]%lf", "]abc1", 1, {1}},
        {"%*[-9]%lf", "-9-2", 1, {2}},              // "-" first is a member
        {"%lf", "-.5e", 1, {-0.5}},                // a dangling exponent is left unread
        {"%lf,%lf", "1e,5", 2, {1, 5}},
        {"%lf", "0x1.8p1", 1, {3}},                // hexadecimal reals, as strtod reads them
        {"%lf", "0x", 0, {}},
        {"%lf", "1e-400", 1, {0}},                 // underflow reads as zero
        {"%lf %lf", std::string("1\0 2", 4), 1, {1}},  // the line ends at a NUL byte
    };
    for (const ScanCase& c : cases) expectScan(c);
}

TEST(ScanFormatTest, CapturedValuesMustBeFinite)
{
    const ScanCase cases[] = {
        {"%lf", "nan", 0, {}},
        {"%lf", "-INFINITY", 0, {}},
        {"%lf", "1e999", 0, {}},
        {"%lf,%lf", "1,inf", 1, {1}},
        {"%*lf,%lf", "nan,2", 1, {2}},             // a skipped field may hold them
    };
    for (const ScanCase& c : cases) expectScan(c);
}

TEST(ScanFormatTest, NumbersIgnoreTheUsersLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, name)) {
            if (std::getenv("CI")) ADD_FAILURE() << "locale " << name << " not installed";
            continue;
        }
        expectScan({"%*6s,%lf", "$INDPT,2.25,0.0*47", 1, {2.25}});
        expectScan({"%lf", "2,25", 1, {2}});
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ScanFormatTest, RefusesEverythingElse)
{
    const struct {
        std::string format;
        int maxCaptures;
    } cases[] = {
        {"%s", 2}, {"%n", 2}, {"%*n", 2}, {"%d", 2}, {"%f", 2}, {"%c", 2}, {"%[a]", 2}, {"%lf%lf%lf", 2},
        {"%lf", 0}, {"%", 2}, {"abc%", 2}, {"%*", 2}, {"%*5", 2}, {"%999999999lf", 2}, {"%*4097s", 2},
        {"%0lf", 2}, {"%*[abc", 2}, {"%*[^", 2}, {"%*[]", 2}, {"%Lf", 2}, {"%le", 2}, {"%lg", 2},
        {"%*ld", 2}, {"%*ls", 2}, {"%*hd", 2}, {"%1$lf", 2}, {"%i", 2}, {"%x", 2}, {"%p", 2}, {"%ms", 2},
        {"%'lf", 2}, {std::string("%lf\0%n", 6), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        std::string error;
        EXPECT_FALSE(ScanFormat::Compile(c.format, c.maxCaptures, &error));
        EXPECT_NE(error.find("The scan format \""), std::string::npos) << error;
    }
    std::string error;
    ScanFormat::Compile("%*6s,%d", 1, &error);
    EXPECT_EQ(error,
              "The scan format \"%*6s,%d\" cannot be used: \"%d\" is not allowed. A format may hold literal "
              "characters, blanks, %%, skipped fields (%*s, %*c, %*d, %*f, %*lf or %*[...], each with an "
              "optional width) and at most 1 %lf value.");
}

TEST(ScanFormatTest, CountsItsCaptures)
{
    EXPECT_EQ(ScanFormat::Compile("%*8s,%lf,%*8s,%lf", 2)->Captures(), 2);
    EXPECT_EQ(ScanFormat::Compile("%*8s,%*lf", 2)->Captures(), 0);
    EXPECT_EQ(ScanFormat::Compile("", 1)->Scan("anything", nullptr), 0);
}

}  // namespace
