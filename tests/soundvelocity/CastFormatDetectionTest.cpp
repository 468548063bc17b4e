#include "soundvelocity/CastExtraction.h"
#include "soundvelocity/CastFormatDetection.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace svp = skerra::svp;
using Lines = std::vector<std::string>;

struct DetectCase {
    const char* name;
    Lines lines;
    bool found;
    int headerLine;
    char delimiter;
    int svColumn, depthColumn;
    const char* format;
    bool svFirst;
};

TEST(CastFormatDetection, HeadersToFormats)
{
    const DetectCase cases[] = {
        {"semicolons", {"Pressure;Temperature;Sound Velocity"}, true, 0, ';', 2, 0, "%lf;%*[^;];%lf", false},
        {"depth then SV", {"Depth,SV"}, true, 0, ',', 1, 0, "%lf,%lf", false},
        {"SV then depth", {"SV,Depth"}, true, 0, ',', 0, 1, "%lf,%lf", true},
        {"tab header", {"x", "Depth\tTemp\tSound Velocity"}, true, 1, '\t', 2, 0, "%lf\t%*[^\t]\t%lf", false},
        {"comma wins over semicolon", {"SV;a,Depth;b"}, true, 0, ',', 0, 1, "%lf,%lf", true},
        {"no delimiter: one field holds both", {"SV DEPTH"}, false, 0, ',', 0, 0, "", false},
        {"one field holding both words", {"SV/DEPTH,Temp"}, false, 0, ',', 0, 0, "", false},
        {"later field replaces an earlier one", {"Depth,Pressure,Temp,SV"}, true, 0, ',', 3, 1,
         "%*[^,],%lf,%*[^,],%lf", false},
        {"lower case and padded fields", {"  press ,  depth , sv "}, true, 0, ',', 2, 1, "%*[^,],%lf,%lf", false},
        {"first matching line only", {"meta", "velocity depth", "SV,Depth"}, false, 1, ',', 0, 0, "", false},
        {"trailing delimiter adds no field", {"Date,SV,Depth,"}, true, 0, ',', 1, 2, "%*[^,],%lf,%lf", true},
        {"no header", {"1,2", "3,4"}, false, -1, ',', -1, -1, "", false},
        {"empty field counts as a column", {"SV,,Depth"}, true, 0, ',', 0, 2, "%lf,%*[^,],%lf", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const svp::DetectedFormat d = svp::DetectCastFormat(c.lines);
        EXPECT_EQ(d.found, c.found);
        EXPECT_EQ(d.headerLine, c.headerLine);
        if (!c.found) continue;
        EXPECT_EQ(d.delimiter, c.delimiter);
        EXPECT_EQ(d.svColumn, c.svColumn);
        EXPECT_EQ(d.depthColumn, c.depthColumn);
        EXPECT_EQ(d.format, c.format);
        EXPECT_EQ(d.svFirst, c.svFirst);
        std::string problem;
        EXPECT_TRUE(svp::CompileCastFormat(d.format, &problem, true).has_value()) << problem;
    }
}

TEST(CastFormatDetection, UpperCasesAsciiUnderATurkishLocale)
{
    // Under tr_TR the C library's upper case of 'i' is not 'I'; the words must match anyway.
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_CTYPE, "tr_TR.UTF-8");
    const svp::DetectedFormat d = svp::DetectCastFormat({"depth,sound velocity"});
    std::setlocale(LC_CTYPE, saved.c_str());
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.svColumn, 1);
}

TEST(CastFormatDetection, ReportTexts)
{
    svp::DetectedFormat d = svp::DetectCastFormat({"meta", "Depth\tSV"});
    EXPECT_EQ(svp::DetectionReport(d, true),
              "Auto-detected format:\n- Header at line: 2\n- Delimiter: TAB\n- SV column: 2\n- Pressure column: 1\n"
              "- Search string: %lf\t%lf");
    d = svp::DetectCastFormat({"SV;Depth"});
    EXPECT_EQ(svp::DetectionReport(d, false),
              "Otomatik algilanan format:\n- Baslik satiri: 1\n- Ayirici: ;\n- SV sutunu: 1\n- Basinc sutunu: 2\n"
              "- Arama dizesi: %lf;%lf");
}

TEST(CastFormatDetection, HeaderFieldsTrimControlsAndSplit)
{
    EXPECT_EQ(svp::HeaderFields(" a\t,b ,,c,", ','), (Lines{"A", "B", "", "C"}));
    EXPECT_EQ(svp::HeaderFields("", ','), Lines{});
}
