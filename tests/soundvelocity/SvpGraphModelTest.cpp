#include "soundvelocity/SvpGraphModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace svp = skerra::svp;
using Lines = std::vector<std::string>;

namespace {

svp::SvpGraphModel modelOf(const Lines& lines, int w = 600, int h = 460)
{
    svp::SvpGraphModel m;
    m.PlotWidth = w;
    m.PlotHeight = h;
    m.ReadPoints(lines);
    m.CalculateRanges();
    return m;
}

}  // namespace

struct RangeCase {
    const char* name;
    Lines lines;
    double minSV, maxSV, minDepth, maxDepth;
};

TEST(SvpGraphModel, RangesIncludeTheStartValues)
{
    const RangeCase cases[] = {
        {"narrow SVs", {"0,1480,1", "5,1482,1"}, 1479.5, 1482.5, 0, 5},
        {"all equal", {"0,1500", "3,1500"}, 1499.5, 1500.5, 0, 3},
        {"single high point", {"4,1650"}, 1597.5, 1652.5, 4, 4},
        {"wide", {"10,1300", "20,1700"}, 1280, 1720, 10, 20},
        {"deep", {"10001,1500"}, 1499.5, 1500.5, 10000, 10001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto m = modelOf(c.lines);
        EXPECT_DOUBLE_EQ(m.MinSV, c.minSV);
        EXPECT_DOUBLE_EQ(m.MaxSV, c.maxSV);
        EXPECT_DOUBLE_EQ(m.MinDepth, c.minDepth);
        EXPECT_DOUBLE_EQ(m.MaxDepth, c.maxDepth);
    }
    svp::SvpGraphModel empty;
    empty.MinSV = 1;
    empty.CalculateRanges();
    EXPECT_EQ(empty.MinSV, 1);
}

TEST(SvpGraphModel, Transforms)
{
    svp::SvpGraphModel m;
    m.PlotWidth = 680;  // plot area 60..660
    m.PlotHeight = 460; // plot area 20..420
    m.MinSV = 1400, m.MaxSV = 1600, m.MinDepth = 0, m.MaxDepth = 100;
    const struct { double sv; int x; } xs[] = {{1400, 60}, {1600, 660}, {1500, 360}, {1400.4, 61}, {1399.9, 60}};
    for (const auto& c : xs) EXPECT_EQ(m.SVToX(c.sv), c.x) << c.sv;  // truncation towards zero
    const struct { double d; int y; } ys[] = {{0, 20}, {100, 420}, {50, 220}, {-0.1, 20}};
    for (const auto& c : ys) EXPECT_EQ(m.DepthToY(c.d), c.y) << c.d;
    EXPECT_DOUBLE_EQ(m.XToSV(360), 1500);
    EXPECT_DOUBLE_EQ(m.YToDepth(120), 25);
    EXPECT_EQ(m.SVToX(1e12), 60 + 1000000);  // clamped, no overflow
    m.MaxSV = m.MinSV;
    m.MaxDepth = m.MinDepth;
    EXPECT_EQ(m.SVToX(1500), 60);
    EXPECT_EQ(m.DepthToY(3), 20);
    m.PlotWidth = 80;  // no plot width
    m.PlotHeight = 60;
    EXPECT_EQ(m.XToSV(500), m.MinSV);
    EXPECT_EQ(m.YToDepth(500), m.MinDepth);
}

TEST(SvpGraphModel, HitTestPicksTheFirstPointWithin7Pixels)
{
    auto m = modelOf({"0,1500", "0,1500.001", "10,1500"});
    const int x = m.SVToX(1500), y = m.DepthToY(0);
    EXPECT_EQ(m.FindPointAt(x, y), 0);
    EXPECT_EQ(m.FindPointAt(x + 7, y - 7), 0);
    EXPECT_EQ(m.FindPointAt(x - 8, y), -1);
    EXPECT_EQ(m.FindPointAt(x, y + 8), -1);
    EXPECT_EQ(m.FindPointAt(x, m.DepthToY(10) - 3), 2);
}

TEST(SvpGraphModel, LassoSelectsInsideAndReplacesTheSelection)
{
    auto m = modelOf({"0,1500", "5,1490", "10,1510"});
    const QPoint p1(m.SVToX(1490), m.DepthToY(5));
    m.Points[0].Selected = true;
    m.LassoPoints = {{p1.x() - 10, p1.y() - 10}, {p1.x() + 10, p1.y() - 10}};
    EXPECT_FALSE(m.PointInLasso(p1.x(), p1.y()));  // two points make no area
    m.LassoPoints.push_back({p1.x() + 10, p1.y() + 10});
    m.LassoPoints.push_back({p1.x() - 10, p1.y() + 10});
    EXPECT_TRUE(m.PointInLasso(p1.x(), p1.y()));
    EXPECT_FALSE(m.PointInLasso(p1.x() + 11, p1.y()));
    EXPECT_EQ(m.SelectInLasso(), 1);
    EXPECT_FALSE(m.Points[0].Selected);
    EXPECT_TRUE(m.Points[1].Selected);
    m.DeleteSelected();
    EXPECT_EQ(m.SaveToStrings(), (Lines{"0,1500.00,1", "10,1510.00,1"}));
    EXPECT_TRUE(m.LassoPoints.empty());
    EXPECT_TRUE(m.Modified);
    EXPECT_EQ(svp::DeleteSelectedCaption(0), "Delete Selected (0)");
}

TEST(SvpGraphModel, DragStaysWithin1300To1700)
{
    auto m = modelOf({"0,1500", "5,1490"}, 680);
    m.MinSV = 1200, m.MaxSV = 1800;  // one pixel per m/s
    m.DragIndex = 1;
    const struct { double sv; bool moves; } cases[] = {{1300, true}, {1700, true}, {1299, false}, {1701, false},
                                                      {1555, true}};
    for (const auto& c : cases) {
        const int x = m.SVToX(c.sv);
        const double before = m.Points[1].SV;
        EXPECT_EQ(m.DragTo(x), c.moves) << c.sv;
        EXPECT_EQ(m.Points[1].SV, c.moves ? m.XToSV(x) : before) << c.sv;
    }
    EXPECT_EQ(m.Points[1].Depth, 5);
    m.DragIndex = 7;
    EXPECT_FALSE(m.DragTo(m.SVToX(1500)));
}

TEST(SvpGraphModel, WheelZoomStopsAtA5MetreSpan)
{
    auto m = modelOf({"0,1500", "20,1510"});
    const int cx = m.SVToX(1505), cy = m.DepthToY(10);
    for (int i = 0; i < 60; ++i) m.ZoomAt(cx, cy, true);
    EXPECT_NEAR(m.MaxDepth - m.MinDepth, 5, 1e-9);
    EXPECT_NEAR(m.MaxSV - m.MinSV, 5, 1e-9);
    EXPECT_NEAR(m.YToDepth(cy), 10, 0.1);  // the anchor stays under the pointer
    m.ZoomAt(cx, cy, false);
    EXPECT_NEAR(m.MaxDepth - m.MinDepth, 5.5, 1e-9);
    m.CalculateRanges();
    EXPECT_EQ(m.MaxDepth, 20);
}

TEST(SvpGraphModel, ZeroSpanZoomsAroundTheDepth)
{
    auto m = modelOf({"7,1500", "7,1501"});
    ASSERT_EQ(m.MinDepth, m.MaxDepth);
    m.ZoomAt(m.SVToX(1500), m.DepthToY(7), true);
    EXPECT_TRUE(std::isfinite(m.MinDepth) && std::isfinite(m.MaxDepth));
    EXPECT_NEAR(m.MaxDepth - m.MinDepth, 5, 1e-9);
    EXPECT_LE(m.MinDepth, 7);
    EXPECT_GE(m.MaxDepth, 7);
}

TEST(SvpGraphModel, GridLinesAreBounded)
{
    auto m = modelOf({"0,1500", "300,1520"});
    const auto sv = m.SVGridLines();
    ASSERT_FALSE(sv.empty());
    EXPECT_EQ(sv.front().label, "1500");
    const auto depth = m.DepthGridLines();  // span 300: every 50 m
    ASSERT_EQ(depth.size(), 7u);
    EXPECT_EQ(depth[1].label, "50m");
    auto huge = modelOf({"0,1500", "1,1e9", "100000,-1e9"});
    EXPECT_LE(huge.SVGridLines().size(), size_t(svp::kMaxGridLines) + 2);
    EXPECT_LE(huge.DepthGridLines().size(), size_t(svp::kMaxGridLines) + 2);
    auto infinite = modelOf({"0,1e308", "1,-1e308"});
    EXPECT_TRUE(infinite.SVGridLines().empty());
}

TEST(SvpGraphModel, LinesInAndOut)
{
    auto m = modelOf({"0,1500.123,3", "", "x,1", "2,1490", "5,1480.5,0", "7"});
    EXPECT_EQ(m.SaveToStrings(), (Lines{"0,1500.12,3", "2,1490.00,1", "5,1480.50,0"}));
}

TEST(SvpGraphModel, TableRows)
{
    const std::vector<svp::GridRowTexts> rows = {
        {"0", "1500.00", "3"}, {"1", "1501.5", "x"}, {"a", "1500", "1"}, {"2", "", "1"}, {" 3 ", "1e3", "0"}};
    const auto points = svp::ReadGridRows(rows);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].Hits, 1);
    EXPECT_EQ(points[2].Depth, 3);
    EXPECT_EQ(points[2].SV, 1000);
    EXPECT_EQ(svp::NewRow({}), (svp::GridRowTexts{"0", "1500.00", "0"}));
    EXPECT_EQ(svp::NewRow(points), (svp::GridRowTexts{"4", "1000.00", "0"}));
    EXPECT_EQ(svp::GridRow({4, 1500.005, 2, false})[1], "1500.01");
}

TEST(SvpGraphModel, StatusText)
{
    svp::SvpGraphModel m;
    m.PlotWidth = 680, m.PlotHeight = 460;
    m.MinSV = 1400, m.MaxSV = 1600, m.MinDepth = 0, m.MaxDepth = 100;
    EXPECT_EQ(m.StatusText(360, 120), "SV: 1500.0 m/s  Depth: 25.0 m  (Drag point to edit SV)");
}
