// The two XYZ line readers.

#include "chartfiles/XyzLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using skerra::chartfiles::ReadGridXyzLine;
using skerra::chartfiles::ReadImportXyzLine;
using skerra::chartfiles::XyzPoint;

struct LineCase {
    std::string line;
    std::optional<XyzPoint> point;
};

void expectPoint(const std::optional<XyzPoint>& got, const std::optional<XyzPoint>& want, const std::string& line)
{
    ASSERT_EQ(got.has_value(), want.has_value()) << "'" << line << "'";
    if (!want) return;
    EXPECT_DOUBLE_EQ(got->easting, want->easting) << line;
    EXPECT_DOUBLE_EQ(got->northing, want->northing) << line;
    EXPECT_DOUBLE_EQ(got->z, want->z) << line;
}

class ImportXyzLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ImportXyzLineTest, ReadsPointsAndSkipsTheRest)
{
    expectPoint(ReadImportXyzLine(GetParam().line), GetParam().point, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ImportXyzLineTest,
    testing::Values(LineCase{"100 200 5", XyzPoint{100, 200, 5}},
                    LineCase{"7 100 200 5", XyzPoint{100, 200, 5}},
                    LineCase{"100\t200\t-3.456", XyzPoint{100, 200, -3.456}},
                    LineCase{"100,200,5,9,9", XyzPoint{200, 5, 9}},
                    LineCase{"+1.5e2, -2E1 ,3.", XyzPoint{150, -20, 3}},
                    LineCase{"-1 -2 -3", XyzPoint{-1, -2, -3}},
                    LineCase{"1 2 3abc", XyzPoint{1, 2, 3}},
                    LineCase{"0 5 1", XyzPoint{0, 5, 1}},
                    LineCase{"0,0,12", std::nullopt}, LineCase{"# 1 2 3", std::nullopt},
                    LineCase{"// 1 2 3", std::nullopt}, LineCase{"/1 2 3", std::nullopt},
                    LineCase{"1,2", std::nullopt}, LineCase{"P1 100 200 5", std::nullopt},
                    LineCase{" 1 2 3", std::nullopt}, LineCase{"\t1 2 3", std::nullopt},
                    LineCase{".5 1 2", std::nullopt}, LineCase{"1;2;3", std::nullopt},
                    LineCase{"1 2 abc", std::nullopt}, LineCase{"", std::nullopt},
                    // nan and inf are no numbers, nor are values beyond the double range.
                    LineCase{"+inf 1 2", std::nullopt}, LineCase{"1 2 inf", std::nullopt},
                    LineCase{"1 2 nan", std::nullopt}, LineCase{"-nan 1 2", std::nullopt},
                    LineCase{"1e400 2 3", std::nullopt}, LineCase{"9 1 2 inf", XyzPoint{9, 1, 2}},
                    // A long line is one line: its last value is the z of this point.
                    LineCase{"100 200 " + std::string(1492, '0') + "5", XyzPoint{100, 200, 5}},
                    LineCase{"100 200 5" + std::string(1490, ' ') + "9", XyzPoint{200, 5, 9}}));

class GridXyzLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(GridXyzLineTest, ReadsTriplesAndSkipsTheRest)
{
    expectPoint(ReadGridXyzLine(GetParam().line), GetParam().point, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GridXyzLineTest,
    testing::Values(LineCase{"1 2 3", XyzPoint{1, 2, 3}}, LineCase{"1,2,3", XyzPoint{1, 2, 3}},
                    LineCase{"  1\t2  3 rest", XyzPoint{1, 2, 3}}, LineCase{"1 2 3 4", XyzPoint{1, 2, 3}},
                    LineCase{"0 0 0", XyzPoint{0, 0, 0}}, LineCase{".5 -1e1 +2", XyzPoint{0.5, -10, 2}},
                    LineCase{"1;2;3", std::nullopt}, LineCase{";1 2 3", std::nullopt},
                    LineCase{"#1 2 3", std::nullopt}, LineCase{"", std::nullopt},
                    LineCase{"1 2", std::nullopt}, LineCase{"x 1 2 3", std::nullopt},
                    LineCase{"1 2 inf", std::nullopt}, LineCase{"nan 2 3", std::nullopt}));

}  // namespace
