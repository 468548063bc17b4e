#include "soundvelocity/CastExtraction.h"
#include "soundvelocity/ListLineFields.h"
#include "soundvelocity/MaxDepth.h"
#include "soundvelocity/MetreAveraging.h"
#include "soundvelocity/VelocityColumn.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace svp = skerra::svp;
using Lines = std::vector<std::string>;

namespace {

skerra::ScanFormat format(const std::string& text)
{
    std::string problem;
    auto f = svp::CompileCastFormat(text, &problem, true);
    EXPECT_TRUE(f.has_value()) << text << ": " << problem;
    return f ? *f : *skerra::ScanFormat::Compile("%lf,%lf", 2);
}

}  // namespace

// ---- the program's own list lines ----------------------------------------------------

struct FieldsCase {
    const char* line;
    int slotCount;  // fields read by "%d,%lf,%d"
    int depth;
    double sv;
    int hits;
};

TEST(ListLineFields, ReadLikeScanfPrefixes)
{
    const FieldsCase cases[] = {
        {"5,1500.25,3", 3, 5, 1500.25, 3},
        {"  7, 1490.5 ,2", 2, 7, 1490.5, 0},   // blank before the comma ends the match
        {"7, 1490.5,2", 3, 7, 1490.5, 2},      // blanks before a number are passed over
        {"2.5,1500", 1, 2, 0, 0},              // %d stops at the '.'
        {"12abc", 1, 12, 0, 0},
        {"3,1500.5x,4", 2, 3, 1500.5, 0},
        {"3,1e3,4", 3, 3, 1000, 4},
        {"3,1e,4", 1, 3, 0, 0},                // an exponent letter without digits fails
        {"3,nan,4", 1, 3, 0, 0},
        {"3,1e400,4", 1, 3, 0, 0},
        {"-4,1500,2", 3, -4, 1500, 2},
        {"+4,+1500,+2", 3, 4, 1500, 2},
        {"99999999999,1500", 0, 0, 0, 0},      // beyond int
        {"", 0, 0, 0, 0},
        {",1500", 0, 0, 0, 0},
        {"4,.5,1", 3, 4, 0.5, 1},
        {"4,5.,1", 3, 4, 5, 1},
        {"4,1500.5,2.7", 3, 4, 1500.5, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const svp::LineFields slot = svp::ReadSlot(c.line);
        EXPECT_EQ(slot.count, c.slotCount);
        if (slot.count >= 1) {
            EXPECT_EQ(slot.depth, c.depth);
        }
        if (slot.count >= 2) {
            EXPECT_DOUBLE_EQ(slot.sv, c.sv);
        }
        if (slot.count >= 3) {
            EXPECT_EQ(slot.hits, c.hits);
        }
        EXPECT_EQ(svp::ReadDepthSV(c.line).count, std::min(c.slotCount, 2));
        EXPECT_EQ(svp::ReadSlotSV(c.line).count, c.slotCount >= 2 ? 1 : 0);
    }
}

// ---- step 1 ------------------------------------------------------------------------------

TEST(CastExtraction, ValidateSVKeepsBothEnds)
{
    const std::pair<double, double> cases[] = {
        {1350, 1350}, {1600, 1600}, {1349.999, 0}, {1600.001, 0}, {1500, 1500}, {0, 0}, {-1500, 0}};
    for (const auto& [in, out] : cases) EXPECT_EQ(svp::ValidateSV(in), out) << in;
}

TEST(CastExtraction, AcceptsOnlyFormatsWithTwoValues)
{
    for (const char* ok : {"%*23s %lf,%lf", "%lf,%lf", "%lf;%*[^;];%lf", "%*[^\t]\t%lf\t%lf",
                           "%*[^,],%*[^,],%lf,%lf", "%lf %lf"}) {
        std::string problem;
        EXPECT_TRUE(svp::CompileCastFormat(ok, &problem, true).has_value()) << ok << problem;
    }
    for (const char* refused : {"%lf", "", "%d,%lf", "%lf,%lf,%lf", "%s %lf,%lf", "%n%lf,%lf", "%lf,%*lf"}) {
        std::string problem;
        EXPECT_FALSE(svp::CompileCastFormat(refused, &problem, true).has_value()) << refused;
        EXPECT_FALSE(problem.empty()) << refused;
    }
    std::string turkish;
    svp::CompileCastFormat("%lf", &turkish, false);
    EXPECT_NE(turkish.find("tam olarak iki"), std::string::npos);
}

struct ExtractCase {
    const char* name;
    Lines cast;
    const char* format;
    bool svFirst;
    Lines samples;
};

TEST(CastExtraction, SamplesFromCastLines)
{
    const ExtractCase cases[] = {
        {"sv first", {"1500.1234,2.4", "1490,3.6"}, "%lf,%lf", true, {"2,1500.123", "4,1490.000"}},
        {"depth first", {"2.4,1500.1234"}, "%lf,%lf", false, {"2,1500.123"}},
        {"ties round away from zero", {"0.5,1500", "1.5,1500", "2.5,1500", "3.5,1500"}, "%lf,%lf", false,
         {"1,1500.000", "2,1500.000", "3,1500.000", "4,1500.000"}},
        {"just below a tie", {"2.4999,1500"}, "%lf,%lf", false, {"2,1500.000"}},
        {"small negative depth stays at 0", {"-0.42,1500"}, "%lf,%lf", false, {"0,1500.000"}},
        {"negative depth skipped", {"-0.6,1500", "-3,1500", "1,1501"}, "%lf,%lf", false, {"1,1501.000"}},
        {"headers and blanks skipped", {"Depth,SV", "", "# note", "1,1500", "2"}, "%lf,%lf", false,
         {"1,1500.000"}},
        {"default format", {"2011-11-06T20:38:24.000 1500.5,3.2", "header line"}, "%*23s %lf,%lf", true,
         {"3,1500.500"}},
        {"semicolons", {"1.0;12.1;1480.25"}, "%lf;%*[^;];%lf", false, {"1,1480.250"}},
        {"tabs", {"x\t1480.2\t4.4"}, "%*[^\t]\t%lf\t%lf", true, {"4,1480.200"}},
        {"ends of the SV range", {"1350,1", "1600,2"}, "%lf,%lf", true, {"1,1350.000", "2,1600.000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        const auto r = svp::ExtractSamples(c.cast, format(c.format), c.svFirst, [&](double, long long) {
            ++asked;
            return true;
        });
        EXPECT_EQ(r.samples, c.samples);
        EXPECT_FALSE(r.stopped);
        EXPECT_EQ(asked, 0);
    }
}

TEST(CastExtraction, OneQuestionPerRunForSVsOutOfRange)
{
    const Lines cast{"0,1500", "1,0", "2,1499", "3,1700", "4,1349.9", "5,1510"};
    std::vector<std::pair<double, long long>> asked;
    auto skip = svp::ExtractSamples(cast, format("%lf,%lf"), false, [&](double sv, long long line) {
        asked.push_back({sv, line});
        return true;
    });
    EXPECT_EQ(asked, (std::vector<std::pair<double, long long>>{{0, 2}}));
    EXPECT_EQ(skip.samples, (Lines{"0,1500.000", "2,1499.000", "5,1510.000"}));
    EXPECT_FALSE(skip.stopped);
    EXPECT_EQ(skip.skipped, 3);  // the one asked about and the two after it

    asked.clear();
    auto stop = svp::ExtractSamples(cast, format("%lf,%lf"), false, [&](double sv, long long line) {
        asked.push_back({sv, line});
        return false;
    });
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(stop.samples, (Lines{"0,1500.000"}));
    EXPECT_TRUE(stop.stopped);
    EXPECT_EQ(stop.skipped, 0);
}

TEST(CastExtraction, WarningTexts)
{
    EXPECT_EQ(svp::SkippedLinesReport(1, false, true), "1 line was skipped: its SV is out of range.");

    EXPECT_EQ(svp::OutOfRangeWarning(1700.5, 12, true),
              "Value exceeds SV range! Please correct 1700.5 value at line 12 in source file. This line will be "
              "skipped.");
    EXPECT_EQ(svp::OutOfRangeWarning(0, 3, false),
              "Bu değer belkenen ses hızı aralığında değl! Ses hızı 0'nin bulunduğu satır 3 kullanılmayacaktır.");
}

// ---- step 2 ------------------------------------------------------------------------------

struct AverageCase {
    const char* name;
    Lines samples;
    int maxDepth;
    Lines slots;
};

TEST(MetreAveraging, SlotsPerMetre)
{
    const AverageCase cases[] = {
        {"single sample keeps its decimals", {"0,1500.123"}, 2, {"0,1500.123,1", "1,1500.12,0", "2,1500.12,0"}},
        {"two samples: mean with 2 decimals", {"0,1500.000", "0,1501.001"}, 0, {"0,1500.50,2"}},
        {"three samples weight the stored mean", {"1,1500", "1,1501", "1,1502"}, 1, {"", "1,1501.00,3"}},
        {"gap stays empty", {"0,1500.000", "2,1502.000"}, 3,
         {"0,1500.000,1", "", "2,1502.000,1", "3,1502.00,0"}},
        {"deeper than N: not stored, no fill", {"0,1500.000", "5,1490.000"}, 2, {"0,1500.000,1", "", ""}},
        {"deepest found in any order", {"2,1490.000", "0,1500.000"}, 3,
         {"0,1500.000,1", "", "2,1490.000,1", "3,1490.00,0"}},
        {"no usable sample", {"x", "", "-1,1500"}, 2, {"", "", ""}},
        {"negative depth passed over", {"-1,1400", "0,1500.000"}, 1, {"0,1500.000,1", "1,1500.00,0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(svp::AverageByMetre(c.samples, c.maxDepth), c.slots);
    }
}

TEST(MetreAveraging, MaxDepth200GivesSlots0To200)
{
    const Lines averaged = svp::AverageByMetre({"0,1500.000"}, 200);
    ASSERT_EQ(averaged.size(), 201u);
    EXPECT_EQ(averaged[200], "200,1500.00,0");
}

// ---- step 3 ------------------------------------------------------------------------------

struct ColumnCase {
    const char* name;
    Lines averaged;
    int maxDepth;
    svp::ColumnResult::Status status;
    Lines column;
    int failedDepth = -1;
};

TEST(VelocityColumn, RunningMeanByDepth)
{
    using S = svp::ColumnResult::Status;
    const ColumnCase cases[] = {
        {"every slot filled", {"0,1500", "1,1510", "2,1520"}, 2, S::Ok, {"1500.00", "1505.00", "1510.00"}},
        {"gap repeats the metre above", {"0,1500.000,1", "", "2,1503.000,1"}, 2, S::Ok,
         {"1500.00", "1500.00", "1501.00"}},
        {"lines in any order (graph write-back)", {"2,1520,1", "0,1500,1", "1,1510,1"}, 2, S::Ok,
         {"1500.00", "1505.00", "1510.00"}},
        {"write-back without empty slots", {"0,1500.00,1", "3,1504.00,1"}, 3, S::Ok,
         {"1500.00", "1500.00", "1500.00", "1501.00"}},
        {"deeper lines ignored, short profile filled", {"0,1500", "9,1300"}, 1, S::Ok, {"1500.00", "1500.00"}},
        {"later line for a metre wins", {"0,1400", "0,1500"}, 0, S::Ok, {"1500.00"}},
        {"blank surface", {"", "1,1500"}, 2, S::NoSurfaceValue, {"", "", ""}},
        {"surface depth alone", {"0", "1,1500"}, 1, S::NoSurfaceValue, {"", ""}},
        {"1700 fails", {"0,1500", "1,1700"}, 1, S::OutOfRange, {}, 1},
        {"1300 fails", {"0,1300"}, 1, S::OutOfRange, {}, 0},
        {"just inside", {"0,1300.01", "1,1699.99"}, 1, S::Ok, {"1300.01", "1500.00"}},
        {"a low SV fails at its metre", {"0,1500", "1,1200"}, 2, S::OutOfRange, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const svp::ColumnResult r = svp::BuildColumn(c.averaged, c.maxDepth);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.lines, c.column);
        if (c.status == S::OutOfRange) {
            EXPECT_EQ(r.failedDepth, c.failedDepth);
        }
    }
}

TEST(VelocityColumn, SamplesAtNearAndFarMetresAgreeWithTheSlotRule)
{
    // Samples at 0.4 m and 1.6 m: line 1 equals line 0.
    auto extracted = svp::ExtractSamples({"0.4,1500", "1.6,1530"}, format("%lf,%lf"), false, {});
    const auto averaged = svp::AverageByMetre(extracted.samples, 3);
    const auto column = svp::BuildColumn(averaged, 3);
    EXPECT_EQ(column.lines, (Lines{"1500.00", "1500.00", "1510.00", "1515.00"}));
}

TEST(VelocityColumn, Messages)
{
    EXPECT_EQ(svp::NoSurfaceValueMessage(true),
              "SV value at 0 depth cannot be blank. Consider manually adding a value for 0 depth.Example 0,1500.");
    EXPECT_EQ(svp::NoSurfaceValueMessage(false),
              "Ses hızı profilinin başlangıcı olan 0 derinlik ve buna ait ses hızı boş olamaz. Bu değeri kendiniz "
              "doldurup yeniden deneyiniz.\nÖrnek: 0,1500.00");
    EXPECT_EQ(svp::ColumnOutOfRangeMessage(7, true), "SV value at 7 is out of range. Please check, correct retry.");
    EXPECT_EQ(svp::ColumnOutOfRangeMessage(7, false),
              "Sıra 7 ses hızı değeri hatalı. Lütfen kontrol edin, düzeltin ve tekrar deneyin");
}

TEST(MaxDepth, WholeMetresFrom1To12000)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"200", 200},  {"1", 1},           {"12000", 12000}, {" 30 ", 30},         {"0", std::nullopt},
        {"-5", std::nullopt}, {"12001", std::nullopt}, {"2000000000", std::nullopt}, {"abc", std::nullopt},
        {"", std::nullopt},   {"20.5", std::nullopt},  {"0x10", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(svp::ReadMaxDepth(text), value) << text;
    EXPECT_NE(svp::MaxDepthMessage("abc", true).find("\"abc\""), std::string::npos);
}
