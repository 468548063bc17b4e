// Bounds, hit tests and transforms of the shape classes.

#include "canvas/THalvekCanvasModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

namespace {

struct Box {
    double minX, minY, maxX, maxY;
};

void expectBox(const THShape& s, Box b, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(s.MinX(), b.minX, 1e-9);
    EXPECT_NEAR(s.MinY(), b.minY, 1e-9);
    EXPECT_NEAR(s.MaxX(), b.maxX, 1e-9);
    EXPECT_NEAR(s.MaxY(), b.maxY, 1e-9);
}

std::unique_ptr<THShape> makeText(const char* text, double x, double y, double height)
{
    auto t = std::make_unique<THText>();
    t->DisplayText = QString::fromLatin1(text);
    t->X = x;
    t->Y = y;
    t->Height = height;
    return t;
}

std::unique_ptr<THShape> makeArc()
{
    auto a = std::make_unique<THArc>();
    a->X1 = 0; a->Y1 = 0; a->X2 = 5; a->Y2 = 8; a->X3 = 10; a->Y3 = 0;
    return a;
}

std::unique_ptr<THShape> makePolyline(std::initializer_list<skerra::canvas::WorldPoint> pts, int type = 5)
{
    auto p = std::make_unique<THPolyline>(type);
    for (auto q : pts)
        p->AddPoint(q.x, q.y);
    return p;
}

struct BoundsCase {
    const char* name;
    std::function<std::unique_ptr<THShape>()> make;
    Box box;
};

TEST(ShapeBounds, EachClassComputesItsBox)
{
    const BoundsCase cases[] = {
        {"point: X, Y +- PointSize", [] { return std::make_unique<THPoint>(10, 20); }, {7, 17, 13, 23}},
        {"line: ends, any direction", [] { return std::make_unique<THLine>(5, 9, -1, 2); }, {-1, 2, 5, 9}},
        {"circle", [] { return std::make_unique<THCircle>(1, 2, 3); }, {-2, -1, 4, 5}},
        {"rectangle: corners swapped", [] { return std::make_unique<THRectangle>(4, 1, -2, 6); }, {-2, 1, 4, 6}},
        {"ellipse", [] { return std::make_unique<THEllipse>(0, 10, 8, 2); }, {0, 2, 8, 10}},
        {"arc: three points", makeArc, {0, 0, 10, 8}},
        {"text: height as world units, 0.6 per character", [] { return makeText("abcd", 100, 50, 10); },
         {90, 40, 100 + 4 * 6 + 10, 60}},
        {"polyline: vertex extremes", [] { return makePolyline({{1, 1}, {-3, 4}, {2, -5}}); }, {-3, -5, 2, 4}},
    };
    for (const auto& c : cases) {
        auto s = c.make();
        s->UpdateBounds();
        expectBox(*s, c.box, c.name);
    }
}

TEST(ShapeBounds, PolylineWithoutVerticesKeepsItsBox)
{
    THPolyline p;
    p.AddPoint(1, 2);
    p.AddPoint(3, 4);
    p.Points.clear();
    p.UpdateBounds();
    expectBox(p, {1, 2, 3, 4}, "empty polyline");
    p.Translate(10, 10);
    expectBox(p, {1, 2, 3, 4}, "empty polyline moved");
}

TEST(ShapeBounds, PointBoxFollowsPointSizeNotPenWidth)
{
    THPoint p(0, 0);
    p.SetPenWidth(9);
    p.PointSize = 1;
    p.UpdateBounds();
    expectBox(p, {-1, -1, 1, 1}, "point size 1");
}

struct HitCase {
    const char* name;
    std::function<std::unique_ptr<THShape>()> make;
    double x, y, tolerance;
    bool hit;
};

TEST(ShapeHitTest, EachClassAnswersByItsRule)
{
    const auto line = [] { return std::make_unique<THLine>(0, 0, 10, 0); };
    const auto circle = [] { return std::make_unique<THCircle>(0, 0, 10); };
    const auto rect = [] { return std::make_unique<THRectangle>(0, 0, 10, 5); };
    const auto ellipse = [] { return std::make_unique<THEllipse>(-10, -5, 10, 5); };
    const auto poly = [] { return makePolyline({{0, 0}, {10, 0}, {10, 10}}); };
    const HitCase cases[] = {
        {"point within tolerance", [] { return std::make_unique<THPoint>(0, 0); }, 3, 4, 5, true},
        {"point just outside", [] { return std::make_unique<THPoint>(0, 0); }, 3, 4.01, 5, false},
        {"line near its middle", line, 5, 0.9, 1, true},
        {"line beyond its end measures to the end", line, 11.5, 0, 1, false},
        {"zero-length line measures to its end", [] { return std::make_unique<THLine>(2, 2, 2, 2); }, 2, 2.5, 1, true},
        {"circle near the outline", circle, 10.5, 0, 1, true},
        {"circle centre does not hit", circle, 0, 0, 1, false},
        {"rectangle inside", rect, 5, 2, 0.1, true},
        {"rectangle grown by tolerance", rect, 10.5, 5.5, 1, true},
        {"rectangle outside", rect, 12, 2, 1, false},
        {"ellipse outline", ellipse, 10, 0, 0.5, true},
        {"ellipse centre", ellipse, 0, 0, 0.5, false},
        {"flat ellipse never hits", [] { return std::make_unique<THEllipse>(0, 0, 10, 0); }, 5, 0, 100, false},
        {"arc: anywhere in the grown box", makeArc, 5, 1, 0.1, true},
        {"arc: outside the box", makeArc, 11, 1, 0.5, false},
        {"text inside its box", [] { return makeText("ab", 0, 0, 10); }, 3, -2, 1, true},
        {"text left of the anchor", [] { return makeText("ab", 0, 0, 10); }, -0.5, 0, 1, false},
        {"polyline on second segment", poly, 10.5, 5, 1, true},
        {"polyline closing edge not tested", [] {
             auto p = makePolyline({{0, 0}, {10, 0}, {10, 10}}, 6);
             static_cast<THPolyline&>(*p).Closed = true;
             return p;
         }, 5, 5, 0.5, false},
        {"single-vertex polyline never hits", [] { return makePolyline({{0, 0}}); }, 0, 0, 10, false},
        {"polyline skips zero-length segments", [] { return makePolyline({{0, 0}, {0, 0}}); }, 0, 0, 10, false},
    };
    for (const auto& c : cases) {
        auto s = c.make();
        s->UpdateBounds();
        EXPECT_EQ(s->HitTest(c.x, c.y, c.tolerance), c.hit) << c.name;
    }
}

struct TransformCase {
    const char* name;
    std::function<std::unique_ptr<THShape>()> make;
    std::function<void(THShape&)> apply;
    Box box;  // bounds after the transform
};

TEST(ShapeTransforms, MoveEveryCoordinateAndRefreshBounds)
{
    const auto translate = [](THShape& s) { s.Translate(10, -5); };
    const auto mirrorX = [](THShape& s) { s.Scale(-1, 1, 0, 0); };
    const auto quarterTurn = [](THShape& s) { s.Rotate(90, 0, 0); };
    const TransformCase cases[] = {
        {"point translate", [] { return std::make_unique<THPoint>(1, 1); }, translate, {8, -7, 14, -1}},
        {"point rotate", [] { return std::make_unique<THPoint>(1, 0); }, quarterTurn, {-3, -2, 3, 4}},
        {"line scale about a point", [] { return std::make_unique<THLine>(1, 1, 2, 2); },
         [](THShape& s) { s.Scale(2, 3, 1, 1); }, {1, 1, 3, 4}},
        {"line rotate", [] { return std::make_unique<THLine>(0, 0, 2, 0); }, quarterTurn, {0, 0, 0, 2}},
        {"circle mirrored keeps its radius", [] { return std::make_unique<THCircle>(5, 0, 2); }, mirrorX, {-7, -2, -3, 2}},
        {"circle scaled by the mean factor", [] { return std::make_unique<THCircle>(0, 0, 2); },
         [](THShape& s) { s.Scale(2, 4, 0, 0); }, {-6, -6, 6, 6}},
        {"circle rotate moves the centre only", [] { return std::make_unique<THCircle>(4, 0, 1); }, quarterTurn,
         {-1, 3, 1, 5}},
        {"rectangle rotate keeps corners", [] { return std::make_unique<THRectangle>(1, 1, 3, 2); }, quarterTurn,
         {1, 1, 3, 2}},
        {"rectangle mirror", [] { return std::make_unique<THRectangle>(1, 1, 3, 2); }, mirrorX, {-3, 1, -1, 2}},
        {"ellipse rotate keeps corners", [] { return std::make_unique<THEllipse>(1, 1, 3, 2); }, quarterTurn,
         {1, 1, 3, 2}},
        {"arc translate", makeArc, translate, {10, -5, 20, 3}},
        {"text scale moves the anchor, height stays", [] { return makeText("a", 2, 2, 1); },
         [](THShape& s) { s.Scale(3, 3, 0, 0); }, {5, 5, 6 + 0.6 + 1, 7}},
        {"polyline rotate", [] { return makePolyline({{1, 0}, {2, 0}}); }, quarterTurn, {0, 1, 0, 2}},
    };
    for (const auto& c : cases) {
        auto s = c.make();
        s->UpdateBounds();
        c.apply(*s);
        expectBox(*s, c.box, c.name);
    }
}

TEST(ShapeTransforms, TextRotateTurnsAngleOnly)
{
    auto t = makeText("abc", 5, 5, 10);
    t->Rotate(30, 100, 100);
    t->Rotate(15, -4, 0);
    auto& text = static_cast<THText&>(*t);
    EXPECT_DOUBLE_EQ(text.Angle, 45);
    EXPECT_EQ(text.X, 5);
    EXPECT_EQ(text.Y, 5);
}

TEST(ShapeTransforms, NonFiniteResultLeavesShapeUnchanged)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::function<void(THShape&)> ops[] = {
        [&](THShape& s) { s.Translate(inf, 0); },
        [&](THShape& s) { s.Scale(nan, 1, 0, 0); },
        [&](THShape& s) { s.Rotate(nan, 0, 0); },
        [&](THShape& s) { s.Scale(1e308, 1e308, -1e308, -1e308); },  // overflows
    };
    const std::function<std::unique_ptr<THShape>()> makers[] = {
        [] { return std::make_unique<THPoint>(1, 1); },
        [] { return std::make_unique<THLine>(1, 1, 2, 2); },
        [] { return std::make_unique<THCircle>(1, 1, 2); },
        [] { return std::make_unique<THRectangle>(1, 1, 2, 2); },
        [] { return std::make_unique<THEllipse>(1, 1, 2, 2); },
        makeArc,
        [] { return makeText("x", 1, 1, 1); },
        [] { return makePolyline({{1, 1}, {2, 2}}); },
    };
    for (const auto& make : makers) {
        for (const auto& op : ops) {
            auto s = make();
            s->UpdateBounds();
            const Box before{s->MinX(), s->MinY(), s->MaxX(), s->MaxY()};
            op(*s);
            expectBox(*s, before, "non-finite transform");
            if (auto* t = shape_cast<THText>(s.get())) {
                EXPECT_TRUE(std::isfinite(t->Angle));
            }
        }
    }
}

TEST(PolylineVertices, IndexRulesAndDoublePrecision)
{
    THPolyline p;
    p.AddPoint(512345.678, 4512345.678);
    p.AddPoint(1, 2);
    EXPECT_EQ(p.GetPointX(0), 512345.678);  // kept to the millimetre and beyond
    EXPECT_EQ(p.GetPointY(0), 4512345.678);
    EXPECT_EQ(p.GetPointX(-1), 0.0);
    EXPECT_EQ(p.GetPointY(2), 0.0);
    EXPECT_FALSE(p.SetPoint(2, 9, 9));
    EXPECT_TRUE(p.SetPoint(1, -5, 3));
    expectBox(p, {-5, 3, 512345.678, 4512345.678}, "after SetPoint");
    EXPECT_TRUE(p.InsertPoint(2, 7, 7));  // index = count appends
    EXPECT_FALSE(p.InsertPoint(4, 8, 8));
    EXPECT_EQ(p.PointCount(), 3);
    EXPECT_FALSE(p.DeletePoint(3));
    EXPECT_TRUE(p.DeletePoint(0));
    expectBox(p, {-5, 3, 7, 7}, "after DeletePoint");
}

TEST(ShapeIdentity, PenAndLayerSettersRefuseShapesOnACanvas)
{
    THalvekCanvasModel canvas;
    const long n = canvas.DrawLine(0, 0, 1, 1, 0);
    THShape* s = canvas.FindShape(n);
    EXPECT_THROW(s->SetPenFg(5), std::logic_error);
    EXPECT_THROW(s->SetPenWidth(5), std::logic_error);
    EXPECT_THROW(s->SetLayerId(5), std::logic_error);
    THLine detached(0, 0, 1, 1);
    EXPECT_NO_THROW(detached.SetPenFg(5));
}

// A shape keeps its number in 32 bits: a number it cannot hold is refused,
// never cut short into the number of another shape.
TEST(ShapeIdentity, NumberBeyondWhatAShapeHoldsIsRefused)
{
    THLine line(0, 0, 1, 1);
    ShapeStore::assignNumber(line, THShape::kMaxNumber);
    EXPECT_EQ(line.ShapeNumber(), THShape::kMaxNumber);
    EXPECT_THROW(ShapeStore::assignNumber(line, THShape::kMaxNumber + 1), std::length_error);
    EXPECT_THROW(ShapeStore::assignNumber(line, -1), std::length_error);
    EXPECT_EQ(line.ShapeNumber(), THShape::kMaxNumber);
}

// Notes, free text, z order and the brush's back colour and mode are kept
// beside the shapes, by address: a shape made where a freed one lay starts
// from the defaults, and a text shape's free text stays apart from what it displays.
// The shapes are made in one place by hand, so that each lies where the last
// one was whichever way shapes take their memory in this build.
TEST(ShapeExtras, BelongToTheirShapeOnly)
{
    alignas(THLine) unsigned char place[sizeof(THLine)];
    for (int i = 0; i < 200; ++i) {
        THLine* line = ::new (place) THLine(i, i, i + 1.0, i + 1.0);
        ASSERT_EQ(line->Notes(), QString());
        ASSERT_EQ(line->Text(), QString());
        ASSERT_EQ(line->ZOrder(), 0);
        ASSERT_EQ(line->BrushBg(), TColor{0xFFFFFF});
        ASSERT_EQ(line->BrushMode(), 0);
        line->SetNotes(QStringLiteral("note"));
        line->SetText(QStringLiteral("text"));
        line->SetZOrder(i + 1);
        line->SetBrushBg(0x123456);
        line->SetBrushMode(2);
        ASSERT_EQ(line->Notes(), QStringLiteral("note"));
        ASSERT_EQ(line->BrushMode(), 2);
        line->~THLine();
    }

    THText text;
    text.DisplayText = QStringLiteral("12.5");
    text.SetText(QStringLiteral("sounding"));
    text.SetNotes(QStringLiteral("checked"));
    EXPECT_EQ(text.Text(), QStringLiteral("sounding"));
    EXPECT_EQ(text.DisplayText, QStringLiteral("12.5"));
    EXPECT_EQ(text.Notes(), QStringLiteral("checked"));
}

}  // namespace
