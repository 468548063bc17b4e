// Real casts from several instruments: detection and the three steps.
#include "soundvelocity/CastExtraction.h"
#include "soundvelocity/CastFormatDetection.h"
#include "soundvelocity/MetreAveraging.h"
#include "soundvelocity/VelocityColumn.h"

#include "platform/NumberText.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <string>
#include <vector>

namespace svp = skerra::svp;
using Lines = std::vector<std::string>;

namespace {

Lines cast(const char* name)
{
    const QString path = QStringLiteral(SKERRA_TESTDATA "/svp/") + QString::fromLatin1(name);
    bool ok = false;
    const QStringList read = skerra::readTextLines(path, &ok);
    EXPECT_TRUE(ok) << "missing test material " << path.toStdString();
    Lines lines;
    for (const QString& l : read) lines.push_back(l.toStdString());
    return lines;
}

}  // namespace

struct FileDetection {
    const char* file;
    bool found;
    int headerLine;  // from 1, as reported
    char delimiter;
    int svColumn, depthColumn;  // from 1, as reported
    bool svFirst;
};

TEST(CastFiles, Detection)
{
    const FileDetection cases[] = {
        {"_10G100412_20111106_203824.csv", true, 29, ',', 7, 2, false},
        {"FILE1.000", true, 31, '\t', 2, 3, true},
        {"FILE2.000", true, 32, '\t', 2, 3, true},
        {"Down_Cast_08-16-17_17_47_28.csv", true, 68, ',', 3, 4, true},
        {"VL_68630_190312155825.vp2", true, 51, '\t', 4, 3, false},
        {"_Campagna_2013001.TXT", true, 10, '\t', 6, 2, false},
        {"MVP_DN157_BL_0001.m1", true, 61, ',', 3, 2, false},
        {"030454_2018-04-11_17-23-35.csv", false, 0, 0, 0, 0, false},
        {"_SBE19Plus_PCTSDSv_2013_192_183432.cnv", false, 0, 0, 0, 0, false},
        {"1707011256.TOB", false, 0, 0, 0, 0, false},
        {"00018_001241535.ssp", false, 0, 0, 0, 0, false},
        {"20190819_SV_1549_D.vel", false, 0, 0, 0, 0, false},
        {"_V000056.TXT", false, 0, 0, 0, 0, false},
        {"_20110921SVP.txt", false, 0, 0, 0, 0, false},  // "DEPTH (M) VELOCITY (M/S)": one field
        {"T5_00386.EDF", false, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const svp::DetectedFormat d = svp::DetectCastFormat(cast(c.file));
        ASSERT_EQ(d.found, c.found);
        if (!c.found) continue;
        EXPECT_EQ(d.headerLine + 1, c.headerLine);
        EXPECT_EQ(d.delimiter, c.delimiter);
        EXPECT_EQ(d.svColumn + 1, c.svColumn);
        EXPECT_EQ(d.depthColumn + 1, c.depthColumn);
        EXPECT_EQ(d.svFirst, c.svFirst);
    }
}

struct FileSteps {
    const char* file;
    const char* manualFormat;  // null: the detected one
    bool svFirst;              // for a manual format
    int maxDepth;
    int warnings;              // questions asked (answered with skip)
    size_t minSamples;
    svp::ColumnResult::Status status = svp::ColumnResult::Status::Ok;
};

TEST(CastFiles, StepsGiveAColumnWithinTheCastsRange)
{
    const FileSteps cases[] = {
        {"_10G100412_20111106_203824.csv", nullptr, false, 20, 0, 50},
        {"Down_Cast_08-16-17_17_47_28.csv", nullptr, false, 200, 0, 10},
        // The first sample lies at 1 m: nothing for 0 m.
        {"_Campagna_2013001.TXT", nullptr, false, 200, 0, 100, svp::ColumnResult::Status::NoSurfaceValue},
        {"FILE1.000", nullptr, false, 200, 1, 100},
        // The last row, back at the surface, holds SV 0.
        {"030454_2018-04-11_17-23-35.csv", "%*[^,],%*[^,],%lf,%lf", true, 300, 1, 10000},
        {"20190819_SV_1549_D.vel", "%lf %lf", false, 50, 0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Lines lines = cast(c.file);
        std::string formatText = c.manualFormat ? c.manualFormat : "";
        bool svFirst = c.svFirst;
        if (!c.manualFormat) {
            const svp::DetectedFormat d = svp::DetectCastFormat(lines);
            ASSERT_TRUE(d.found);
            formatText = d.format;
            svFirst = d.svFirst;
        }
        std::string problem;
        const auto format = svp::CompileCastFormat(formatText, &problem, true);
        ASSERT_TRUE(format) << problem;
        int warnings = 0;
        const auto extracted = svp::ExtractSamples(lines, *format, svFirst, [&](double, long long) {
            ++warnings;
            return true;
        });
        EXPECT_EQ(warnings, c.warnings);
        ASSERT_GE(extracted.samples.size(), c.minSamples);
        double lo = 1e9, hi = -1e9;
        for (const std::string& s : extracted.samples) {
            const double sv = skerra::StrToFloat(s.substr(s.find(',') + 1));
            lo = std::min(lo, sv);
            hi = std::max(hi, sv);
        }
        const auto averaged = svp::AverageByMetre(extracted.samples, c.maxDepth);
        const auto column = svp::BuildColumn(averaged, c.maxDepth);
        ASSERT_EQ(column.status, c.status);
        if (c.status != svp::ColumnResult::Status::Ok) continue;
        ASSERT_EQ(column.lines.size(), size_t(c.maxDepth) + 1);
        for (const std::string& line : column.lines) {
            const double v = skerra::StrToFloat(line);
            EXPECT_GE(v, lo - 0.005);
            EXPECT_LE(v, hi + 0.005);
        }
    }
}
