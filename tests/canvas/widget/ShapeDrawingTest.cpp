// How each shape class lands on pixels: the edge, cap, fill and text rules.

#include "CanvasPixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int kSize = 200;
double wy(int py) { return kSize - py; }  // world y of a pixel row

struct PointCase {
    int penWidth;
    QRect covered;  // exactly the pixels drawn
};

class PointDrawing : public testing::TestWithParam<PointCase> {};

TEST_P(PointDrawing, CoversTheSquareOfItsPenWidth)
{
    PixelCanvas c;
    const long n = c.DrawPoint(50, wy(50), 0);
    c.SetShapePenWidth(n, GetParam().penWidth);
    const QImage img = c.picture();
    EXPECT_EQ(inkBox(img), GetParam().covered);
    EXPECT_EQ(countColour(img, kBlackRgb), GetParam().covered.width() * GetParam().covered.height());
}

INSTANTIATE_TEST_SUITE_P(Widths, PointDrawing,
                         testing::Values(PointCase{0, QRect(50, 50, 1, 1)}, PointCase{1, QRect(50, 50, 2, 2)},
                                         PointCase{2, QRect(49, 49, 3, 3)}, PointCase{3, QRect(48, 48, 5, 5)}));

TEST(ShapeDrawing, WidePointIsAFilledCircle)
{
    PixelCanvas c;
    const long n = c.DrawPoint(50, wy(50), 0);
    c.SetShapePenWidth(n, 4);
    const QImage img = c.picture();
    EXPECT_EQ(rgbAt(img, 50, 50), kBlackRgb);
    const QRect box = inkBox(img);
    EXPECT_TRUE(QRect(45, 45, 11, 11).contains(box)) << box.x() << "," << box.y() << " " << box.width();
}

TEST(ShapeDrawing, RectangleLeavesOutItsRightAndBottomEdges)
{
    PixelCanvas c;
    c.DrawRectangle(10, wy(10), 30, wy(20), 0);
    const QImage img = c.picture();
    EXPECT_EQ(inkBox(img), QRect(10, 10, 20, 10));
    EXPECT_EQ(rgbAt(img, 29, 19), kBlackRgb);
    EXPECT_EQ(rgbAt(img, 20, 15), kWhiteRgb) << "a clear brush leaves the inside";
}

TEST(ShapeDrawing, RectangleWithoutPenIsFilledAndOutlinedRedWhenSelected)
{
    PixelCanvas c;
    const long n = c.DrawRectangle(10, wy(10), 30, wy(20), 0);
    c.SetShapePenWidth(n, 0);
    c.SetShapeBrushStyle(n, bsSolid);
    c.SetShapeBrushFg(n, 0xFF0000);  // blue
    QImage img = c.picture();
    EXPECT_EQ(inkBox(img), QRect(10, 10, 20, 10));
    EXPECT_EQ(countColour(img, 0x0000FF), 200) << "filled without an outline";
    c.ShapeSelect(n, false);
    img = c.picture();
    EXPECT_EQ(rgbAt(img, 10, 10), kRedRgb);
    EXPECT_EQ(rgbAt(img, 29, 19), kRedRgb);
    EXPECT_EQ(rgbAt(img, 20, 15), 0x0000FFu);
}

TEST(ShapeDrawing, EllipseAndCircleStayInsideTheirBox)
{
    PixelCanvas c;
    c.DrawTwoPointEllipse(10, wy(10), 50, wy(30), 0);
    EXPECT_EQ(inkBox(c.picture()), QRect(10, 10, 40, 20));
    PixelCanvas d;
    d.DrawCircle(100, wy(100), 20, 0);
    EXPECT_EQ(inkBox(d.picture()), QRect(80, 80, 40, 40));
}

TEST(ShapeDrawing, LineLeavesOutItsLastPixel)
{
    PixelCanvas c;
    c.DrawLine(10, wy(50), 20, wy(50), 0);
    EXPECT_EQ(inkBox(c.picture()), QRect(10, 50, 10, 1));
}

TEST(ShapeDrawing, WidePenHasRoundCaps)
{
    PixelCanvas c;
    const long n = c.DrawLine(50, wy(50), 100, wy(50), 0);
    c.SetShapePenWidth(n, 9);
    const QImage img = c.picture();
    EXPECT_EQ(rgbAt(img, 102, 50), kBlackRgb) << "the cap reaches past the end";
    EXPECT_EQ(rgbAt(img, 103, 46), kWhiteRgb) << "but rounded, not square";
}

TEST(ShapeDrawing, PolygonUsesTheAlternateFillRule)
{
    PixelCanvas c;
    c.SetLayerBrushStyle(0, bsSolid);
    c.SetLayerBrushFg(0, 0xFF0000);
    // A five-pointed star drawn in one stroke: its centre is crossed twice.
    std::vector<std::pair<double, double>> star;
    for (int i = 0; i < 5; ++i) {
        const double a = 3.141592653589793 / 2 + i * 4 * 3.141592653589793 / 5;
        star.emplace_back(100 + 80 * std::cos(a), 100 + 80 * std::sin(a));
    }
    c.DrawPolyline(star, 0, true);
    const QImage img = c.picture();
    EXPECT_EQ(rgbAt(img, 100, 100), kWhiteRgb) << "the centre is outside by the even-odd rule";
    EXPECT_EQ(rgbAt(img, 100, 35), 0x0000FFu) << "a tip is filled";
}

TEST(ShapeDrawing, SplineIsNeverFilled)
{
    PixelCanvas c;
    auto spline = std::make_unique<THPolyline>(ShapeTypeCode::Spline);
    for (auto [x, y] : {std::pair{50.0, 50.0}, {150.0, 50.0}, {150.0, 150.0}, {50.0, 150.0}})
        spline->AddPoint(x, y);
    spline->Closed = true;
    spline->BrushStyle = bsSolid;
    spline->BrushFg = 0xFF0000;
    c.AppendShape(std::move(spline));
    const QImage img = c.picture();
    EXPECT_EQ(countColour(img, 0x0000FF), 0);
    EXPECT_GT(countColour(img, kBlackRgb), 100);
}

TEST(ShapeDrawing, TextHangsBelowItsAnchorByDefault)
{
    struct Case {
        int justify;
        bool inkBelow;
    };
    for (const Case k : {Case{0, true}, Case{2, false}}) {
        PixelCanvas c;
        const long n = c.TextAdd(0, QStringLiteral("Hg"), 50, wy(100), 0);
        c.SetShapeTextJustify(n, k.justify);
        const QRect box = inkBox(c.picture());
        ASSERT_FALSE(box.isNull());
        EXPECT_GE(box.left(), 50);
        if (k.inkBelow)
            EXPECT_GE(box.top(), 100);
        else
            EXPECT_LE(box.bottom(), 100);
    }
}

TEST(ShapeDrawing, TextSizeIsLimitedAndLightTextIsDarkened)
{
    auto inkOf = [](double height) {
        PixelCanvas c;
        const long n = c.TextAdd(0, QStringLiteral("WWW"), 20, wy(20), 0);
        static_cast<THText*>(c.FindShape(n))->Height = height;
        return inkBox(c.picture());
    };
    EXPECT_EQ(inkOf(2).size(), inkOf(4).size());
    EXPECT_EQ(inkOf(100).size(), inkOf(72).size());
    EXPECT_EQ(inkOf(0).size(), inkOf(10).size());
    EXPECT_LT(inkOf(4).width(), inkOf(10).width());

    PixelCanvas dark;
    dark.SetBackColor(0x400000);
    const long n = dark.TextAdd(0, QStringLiteral("WWW"), 20, wy(20), 0);
    dark.SetShapePenFg(n, 0xFFFFFF);
    const QImage img = dark.picture();
    const QRect ink = inkBox(img, 0x000040);
    EXPECT_GT(ink.width(), 10) << "drawn";
    int light = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            light += qRed(img.pixel(x, y)) > 0x40;
    EXPECT_EQ(light, 0) << "in black, not white";
}

TEST(ShapeDrawing, TextTurnsCounterClockwise)
{
    PixelCanvas c;
    const long n = c.TextAdd(0, QStringLiteral("MMMMMM"), 100, wy(150), 0);
    static_cast<THText*>(c.FindShape(n))->Angle = 90;
    const QRect box = inkBox(c.picture());
    EXPECT_GT(box.height(), box.width());
    EXPECT_LE(box.bottom(), 151) << "turned upwards from the anchor";
}

TEST(ShapeDrawing, FarOffLineKeepsItsDirection)
{
    PixelCanvas c;
    // From pixel (0, 0) down-right at slope 1/2, reaching a thousand million pixels away.
    c.DrawLine(0, wy(0), 1e9, wy(0) - 5e8, 0);
    const QImage img = c.picture();
    EXPECT_EQ(rgbAt(img, 100, 50), kBlackRgb);
    EXPECT_EQ(rgbAt(img, 199, 99), kBlackRgb);
    EXPECT_EQ(rgbAt(img, 100, 100), kWhiteRgb);
}

// Huge geometry is clipped where it crosses the picture, without overflow.
TEST(ShapeDrawing, HugeGeometryIsClippedWhereItCrossesThePicture)
{
    PixelCanvas c;
    // Pixel x from -1.7e308 to 1.7e308: the extent overflows a double.
    c.DrawLine(-1.7e308, wy(100), 1.7e308, wy(100), 0);
    c.DrawLine(-1.7e308, -1.7e308, 1.7e308, 1.7e308, 0);
    const QImage lines = c.picture();
    EXPECT_EQ(countColour(lines, kBlackRgb, QRect(0, 100, kSize, 1)), kSize) << "the whole row";

    PixelCanvas filled;
    filled.SetLayerBrushStyle(0, bsSolid);
    filled.SetLayerBrushFg(0, 0xFF0000);  // blue
    filled.DrawCircle(100, 100, 1e300, 0);
    EXPECT_EQ(countColour(filled.picture(), 0x0000FF), kSize * kSize) << "inside the circle everywhere";
}

// The clips themselves: what they give is finite and on or within the box,
// however far the ends lie (where the ends are too far apart for a double to
// tell where a segment crosses the box, only that much is asked).
TEST(PixelClip, SegmentsAreCutAtTheBoxOrLeftOut)
{
    using skerra::canvas::GuardBox;
    const GuardBox box(skerra::canvas::PixelMapping::make(0, 100, 100, 0, 100, 100));
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double big = 1.7e308, max = std::numeric_limits<double>::max();
    const double g = skerra::canvas::kPixelGuard;
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
        bool kept;
        bool exact = false;  // the ends below are the clip's
        double ex1 = 0, ey1 = 0, ex2 = 0, ey2 = 0;
    };
    const Case cases[] = {
        {"inside", 1, 2, 3, 4, true, true, 1, 2, 3, 4},
        {"far off at slope 1/2", 0, 0, 4e6, 2e6, true, true, 0, 0, 100 + g, (100 + g) / 2},
        {"across the box, extent beyond a double", -big, 50, big, 50, true, true, -g, 50, 100 + g, 50},
        {"upwards across the box", 50, big, 50, -big, true, true, 50, 100 + g, 50, -g},
        {"diagonal from the lowest to the highest double", -max, -max, max, max, true},
        {"between far corners", -big, big, big, -big, true},
        {"outside", -big, -big, -big, big, false},
        {"an end not finite", 0, 0, inf, 0, false},
        {"an end not a number", nan, 0, 1, 1, false},
    };
    for (const Case& c : cases) {
        double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        ASSERT_EQ(skerra::canvas::clipSegment(x1, y1, x2, y2, box), c.kept) << c.name;
        if (!c.kept)
            continue;
        EXPECT_TRUE(box.contains(x1, y1) && box.contains(x2, y2)) << c.name << ": " << x1 << "," << y1 << " " << x2
                                                                  << "," << y2;
        if (!c.exact)
            continue;
        EXPECT_DOUBLE_EQ(x1, c.ex1) << c.name;
        EXPECT_DOUBLE_EQ(y1, c.ey1) << c.name;
        EXPECT_DOUBLE_EQ(x2, c.ex2) << c.name;
        EXPECT_DOUBLE_EQ(y2, c.ey2) << c.name;
    }
}

TEST(PixelClip, PolygonsAreCutToTheBoxWithoutOverflow)
{
    using skerra::canvas::PixelPoint;
    const skerra::canvas::GuardBox box(skerra::canvas::PixelMapping::make(0, 100, 100, 0, 100, 100));
    const double big = 1.7e308, inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::vector<PixelPoint> polygon;
        std::size_t corners;  // of the clipped polygon
    };
    const Case cases[] = {
        {"a triangle around the box, its edges longer than a double holds",
         {{-big, -big}, {big, -big}, {0, big}}, 4},
        {"a square of the largest doubles", {{-big, -big}, {big, -big}, {big, big}, {-big, big}}, 4},
        {"a far sliver crossing the box", {{-big, 49}, {big, 50}, {big, 51}}, 4},
        {"entirely outside", {{-big, -big}, {-big / 2, -big}, {-big, -big / 2}}, 0},
        {"a vertex not finite", {{0, 0}, {inf, 0}, {0, 10}}, 0},
    };
    // On or within the box, give or take the rounding of a crossing.
    const auto onBox = [&box](PixelPoint p) {
        return p.x >= box.xmin - 1 && p.x <= box.xmax + 1 && p.y >= box.ymin - 1 && p.y <= box.ymax + 1;
    };
    for (const Case& c : cases) {
        const std::vector<PixelPoint> out = skerra::canvas::clipPolygon(c.polygon, box);
        EXPECT_EQ(out.size(), c.corners) << c.name;
        for (const PixelPoint p : out)
            EXPECT_TRUE(onBox(p)) << c.name << ": " << p.x << "," << p.y;
    }
}

TEST(ShapeDrawing, NonFiniteCoordinatesDrawNothing)
{
    PixelCanvas c;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    c.DrawLine(nan, 0, 10, 10, 0);
    c.DrawLine(0, 0, inf, 10, 0);
    c.DrawCircle(50, 50, inf, 0);
    c.DrawPolyline({{0, 0}, {nan, 5}, {100, 100}}, 0, true);
    EXPECT_NO_THROW(c.picture());
}

}  // namespace
