// The entity kinds of the DXF import and the shapes they become.

#include "DxfTestSupport.h"
#include "platform/Colour.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace dxftest;
using skerra::rgbColor;

constexpr double kPi = 3.141592653589793;

// A canvas whose import layer has a green pen of width 3 before the load.
class DxfEntities : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int id = m.LayerOpen("_dxf_plan.dxf");
        m.SetLayerPenFg(id, kLayerPen);
        m.SetLayerPenWidth(id, 3);
    }
    // Loads the entity lines; returns the shapes made.
    std::vector<THShape*> loadEntities(std::initializer_list<std::string_view> ls)
    {
        loaded = load(m, entities(lines(ls)));
        return shapes(m);
    }
    static constexpr TColor kLayerPen = 0x00FF00;
    THalvekCanvasModel m;
    bool loaded = false;
};

TEST_F(DxfEntities, LinesAndCirclesTakeTheLayerPenWidthAndTheirOwnColourWhenGiven)
{
    struct Case {
        const char* colour;  // group 62 value, or null for none
        TColor pen;
    };
    const Case cases[] = {{nullptr, kLayerPen}, {"1", rgbColor(255, 0, 0)}, {"0", kLayerPen}, {"256", kLayerPen},
                          {"-1", kLayerPen}, {"10", rgbColor(170, 114, 18)}};
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        fresh.SetLayerPenWidth(fresh.LayerOpen("_dxf_plan.dxf"), 3);
        fresh.SetLayerPenFg(fresh.LayerOpen("_dxf_plan.dxf"), kLayerPen);
        std::string body = "0\nLINE\n10\n1\n20\n2\n11\n3\n21\n4\n0\nCIRCLE\n10\n5\n20\n6\n40\n2\n";
        if (c.colour) {
            body = "0\nLINE\n62\n" + std::string(c.colour) + "\n10\n1\n20\n2\n11\n3\n21\n4\n0\nCIRCLE\n62\n" +
                   c.colour + "\n10\n5\n20\n6\n40\n2\n";
        }
        ASSERT_TRUE(load(fresh, entities(body)));
        const auto all = shapes(fresh);
        ASSERT_EQ(all.size(), 2u);
        const auto* line = shape_cast<THLine>(all[0]);
        const auto* circle = shape_cast<THCircle>(all[1]);
        ASSERT_TRUE(line && circle);
        EXPECT_EQ(line->ShapeType, ShapeTypeCode::Line);
        EXPECT_EQ(circle->ShapeType, ShapeTypeCode::Circle);
        EXPECT_EQ(line->PenFg(), c.pen) << (c.colour ? c.colour : "none");
        EXPECT_EQ(circle->PenFg(), c.pen);
        EXPECT_EQ(line->PenWidth(), 3);
        EXPECT_EQ(circle->PenWidth(), 3);
        EXPECT_EQ(circle->CX, 5);
        EXPECT_EQ(circle->Radius, 2);
        EXPECT_EQ(line->MaxX(), 3);
    }
}

TEST_F(DxfEntities, ArcsBecomeOpenPolylinesOfTwentyChords)
{
    struct Case {
        std::vector<std::string_view> angles;  // pairs after the radius
        double start, sweep;
    };
    const Case cases[] = {
        {{}, 0, 360},
        {{"50", "350", "51", "10"}, 350, 20},
        {{"50", "30", "51", "30"}, 30, 0},
        {{"50", "90", "51", "180"}, 90, 90},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        std::string body = lines({"0", "ARC", "10", "100", "20", "200", "40", "10"});
        for (auto a : c.angles)
            body += std::string(a) + "\n";
        ASSERT_TRUE(load(fresh, entities(body)));
        const auto all = shapes(fresh);
        ASSERT_EQ(all.size(), 1u);
        const auto* p = shape_cast<THPolyline>(all[0]);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->ShapeType, ShapeTypeCode::Polyline);
        EXPECT_FALSE(p->Closed);
        EXPECT_EQ(p->PenWidth(), 1);
        ASSERT_EQ(p->PointCount(), 21);
        for (int i : {0, 10, 20}) {
            const double a = (c.start + c.sweep * i / 20) * kPi / 180;
            EXPECT_NEAR(p->GetPointX(i), 100 + 10 * std::cos(a), 1e-9);
            EXPECT_NEAR(p->GetPointY(i), 200 + 10 * std::sin(a), 1e-9);
        }
    }
}

TEST_F(DxfEntities, EllipsesAreClosedExactlyOverAFullTurn)
{
    struct Case {
        std::string params;
        bool closed;
        double t0, t1;
    };
    const Case cases[] = {
        {"", true, 0, 2 * kPi},
        {"41\n0\n42\n6.28\n", true, 0, 6.28},
        {"41\n0\n42\n6.27\n", false, 0, 6.27},
        {"41\n5.5\n42\n0.5\n", false, 5.5, 0.5},
        {"41\n6.283185307179586\n42\n0\n", true, 6.283185307179586, 0},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        const std::string body = lines({"0", "ELLIPSE", "10", "10", "20", "20", "11", "0", "21", "4", "40", "0.5"}) +
                                 c.params;
        ASSERT_TRUE(load(fresh, entities(body)));
        const auto* p = shape_cast<THPolyline>(shapes(fresh).at(0));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Closed, c.closed) << c.params;
        EXPECT_EQ(p->ShapeType, c.closed ? ShapeTypeCode::Polygon : ShapeTypeCode::Polyline);
        ASSERT_EQ(p->PointCount(), 37);
        // Major axis along +y (length 4), minor 2: the point at parameter t.
        for (int i : {0, 9, 36}) {
            const double t = (c.t1 - c.t0) * i / 36 + c.t0;
            EXPECT_NEAR(p->GetPointX(i), 10 - 2 * std::sin(t), 1e-9);
            EXPECT_NEAR(p->GetPointY(i), 20 + 4 * std::cos(t), 1e-9);
        }
    }
}

TEST_F(DxfEntities, SolidsAndTracesAreClosedOutlinesInCornerOrder)
{
    using V = std::vector<std::pair<double, double>>;
    struct Case {
        std::string body;
        V outline;
    };
    const Case cases[] = {
        {lines({"0", "SOLID", "10", "0", "20", "0", "11", "4", "21", "0", "12", "0", "22", "3", "13", "4", "23", "3"}),
         V{{0, 0}, {4, 0}, {4, 3}, {0, 3}}},
        {lines({"0", "TRACE", "10", "0", "20", "0", "11", "4", "21", "0", "12", "2", "22", "3", "13", "2", "23", "3"}),
         V{{0, 0}, {4, 0}, {2, 3}}},
        // No fourth corner: a triangle, not a corner at the origin.
        {lines({"0", "SOLID", "10", "10", "20", "10", "11", "14", "21", "10", "12", "12", "22", "13"}),
         V{{10, 10}, {14, 10}, {12, 13}}},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        ASSERT_TRUE(load(fresh, entities(c.body)));
        const auto* p = shape_cast<THPolyline>(shapes(fresh).at(0));
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->Closed);
        EXPECT_EQ(p->ShapeType, ShapeTypeCode::Polygon);
        EXPECT_EQ(vertices(p), c.outline) << c.body;
        EXPECT_EQ(p->BrushStyle, bsClear);
    }
}

TEST_F(DxfEntities, PointsTakeTheLayerPenWhateverTheirColour)
{
    const auto all = loadEntities({"0", "POINT", "62", "1", "10", "7", "0", "POINT", "20", "3"});
    ASSERT_EQ(all.size(), 2u);
    const auto* a = shape_cast<THPoint>(all[0]);
    const auto* b = shape_cast<THPoint>(all[1]);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(std::make_pair(a->X, a->Y), std::make_pair(7.0, 0.0));
    EXPECT_EQ(std::make_pair(b->X, b->Y), std::make_pair(0.0, 3.0));
    EXPECT_EQ(a->PenFg(), kLayerPen);
}

TEST_F(DxfEntities, SplinesBecomeTheirControlPolygon)
{
    using V = std::vector<std::pair<double, double>>;
    struct Case {
        std::string body;
        V polygon;
        bool closed;
    };
    const Case cases[] = {
        {lines({"0", "SPLINE", "70", "9", "10", "0", "20", "0", "10", "1", "20", "1", "10", "2", "20", "0", "10", "3",
                "20", "1"}),
         V{{0, 0}, {1, 1}, {2, 0}, {3, 1}}, true},
        {lines({"0", "SPLINE", "70", "8", "62", "5", "10", "0", "20", "0", "10", "1", "20", "1"}), V{{0, 0}, {1, 1}},
         false},
        {lines({"0", "SPLINE", "10", "0", "20", "0", "10", "1", "20", "1", "10", "2"}), V{}, false},
        {lines({"0", "SPLINE", "11", "0", "21", "0", "11", "1", "21", "1"}), V{}, false},
        {lines({"0", "SPLINE", "10", "0", "20", "0"}), V{}, false},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        const bool ok = load(fresh, entities(c.body));
        EXPECT_EQ(ok, !c.polygon.empty());
        if (c.polygon.empty()) {
            EXPECT_EQ(fresh.ShapeCount(), 0);
            continue;
        }
        const auto* p = shape_cast<THPolyline>(shapes(fresh).at(0));
        ASSERT_TRUE(p);
        EXPECT_EQ(vertices(p), c.polygon);
        EXPECT_EQ(p->Closed, c.closed);
        EXPECT_EQ(p->ShapeType, c.closed ? ShapeTypeCode::Polygon : ShapeTypeCode::Polyline);
    }
}

TEST_F(DxfEntities, TextsKeepTheirWordsHeightAndAngle)
{
    struct Case {
        std::string body;
        QString text;  // empty: no shape
        double height, angle;
    };
    const Case cases[] = {
        {lines({"0", "TEXT", "10", "5", "20", "6", "40", "0", "1", "Quay"}), "Quay", 2.5, 0},
        {lines({"0", "TEXT", "40", "0.1", "1", "a"}), "a", 2.5, 0},
        {lines({"0", "TEXT", "40", "0.11", "1", "a"}), "a", 0.11, 0},
        // A negative height is taken as its size, as the layout reader takes it.
        {lines({"0", "TEXT", "40", "-3", "1", "a"}), "a", 3, 0},
        {lines({"0", "TEXT", "40", "-0.05", "1", "a"}), "a", 2.5, 0},
        {lines({"0", "TEXT", "40", "12", "50", "30", "1", "  padded  "}), "padded", 12, 30},
        {lines({"0", "TEXT", "1", "    "}), "", 0, 0},
        {lines({"0", "TEXT", "1", "\\P"}), "", 0, 0},
        {lines({"0", "TEXT", "1", "A\\PB"}), "A B", 2.5, 0},
        {lines({"0", "TEXT", "1", "caf\xC3\xA9"}), QString::fromUtf8("caf\xC3\xA9"), 2.5, 0},
        // Caret notation: "^ " a caret, "^I" a tab, "^J" a line feed, in both kinds.
        {lines({"0", "TEXT", "1", "a^ b^Ic"}), "a^b\tc", 2.5, 0},
        {lines({"0", "TEXT", "1", "two^M^Jlines"}), "two\r\nlines", 2.5, 0},
        {lines({"0", "MTEXT", "1", "{^ Quay}^Iwall"}), "^Quay\twall", 2.5, 0},
        {lines({"0", "TEXT", "1", "^Ilead ^^ ^?"}), "\tlead \x1E \x7F", 2.5, 0},
        // A caret before anything else, or at the end, is a caret.
        {lines({"0", "TEXT", "1", "x^a ^1 z^"}), "x^a ^1 z^", 2.5, 0},
        // Text that is not UTF-8 is the Turkish Windows code page of an older drawing.
        {lines({"0", "TEXT", "1", "\xDDskele \xDE" "amand\xFDra \xF0\xFE"}),
         QString::fromUtf8("\xC4\xB0skele \xC5\x9E" "amand\xC4\xB1ra \xC4\x9F\xC5\x9F"), 2.5, 0},
        // Braces are letters in a TEXT, formatting groups in an MTEXT.
        {lines({"0", "TEXT", "1", "{Quay} wall"}), "{Quay} wall", 2.5, 0},
        {lines({"0", "MTEXT", "1", "{Quay} wall \\{1\\}"}), "Quay wall {1}", 2.5, 0},
        {lines({"0", "MTEXT", "50", "1.5708", "3", "first ", "3", "second ", "1", "last"}), "first second last", 2.5,
         1.5708},
        // The groups of an embedded object (columns) do not move or resize the text.
        {lines({"0", "MTEXT", "10", "1", "20", "2", "40", "3", "1", "{\\fArial|b0;Col}", "101", "Embedded Object",
                "10", "99", "20", "99", "40", "99"}),
         "Col", 3, 0},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        fresh.SetLayerPenFg(fresh.LayerOpen("_dxf_plan.dxf"), kLayerPen);
        const bool ok = load(fresh, entities(c.body));
        EXPECT_EQ(ok, !c.text.isEmpty()) << c.body;
        if (c.text.isEmpty())
            continue;
        const auto* t = shape_cast<THText>(shapes(fresh).at(0));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->DisplayText, c.text);
        EXPECT_EQ(t->Text(), c.text);
        EXPECT_DOUBLE_EQ(t->Height, c.height);
        EXPECT_DOUBLE_EQ(t->Angle, c.angle);
        EXPECT_EQ(t->Justify, 2);
        EXPECT_EQ(t->Align, 0);
        EXPECT_EQ(t->FontIndex, -1);
        EXPECT_EQ(t->PenFg(), kLayerPen);
        EXPECT_EQ(t->PenWidth(), 1);
    }
}

TEST_F(DxfEntities, ATextsBoundsFollowItsHeight)
{
    auto bounds = [](const char* height) {
        THalvekCanvasModel fresh;
        EXPECT_TRUE(load(fresh, entities(lines({"0", "TEXT", "10", "0", "20", "0", "40", height, "1", "Quay"}))));
        const THShape* s = shapes(fresh).at(0);
        return s->MaxY() - s->MinY();
    };
    EXPECT_NEAR(bounds("40") / bounds("4"), 10.0, 1e-9);
}

TEST_F(DxfEntities, LwPolylinesPairEachXWithTheYAfterIt)
{
    using V = std::vector<std::pair<double, double>>;
    struct Case {
        std::string body;
        V vertices;
        bool closed;
    };
    const Case cases[] = {
        {lines({"0", "LWPOLYLINE", "10", "1", "20", "2", "20", "3", "10", "4", "10", "5", "20", "6"}), V{{1, 2}, {5, 6}},
         false},
        {lines({"0", "LWPOLYLINE", "70", "128", "10", "0", "20", "0", "10", "1", "20", "1"}), V{{0, 0}, {1, 1}}, false},
        {lines({"0", "LWPOLYLINE", "70", "129", "10", "0", "20", "0", "42", "1", "10", "1", "20", "1"}),
         V{{0, 0}, {1, 1}}, true},
        {lines({"0", "LWPOLYLINE", "10", "0", "20", "0"}), V{}, false},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        EXPECT_EQ(load(fresh, entities(c.body)), !c.vertices.empty());
        if (c.vertices.empty())
            continue;
        const auto* p = shape_cast<THPolyline>(shapes(fresh).at(0));
        ASSERT_TRUE(p);
        EXPECT_EQ(vertices(p), c.vertices);
        EXPECT_EQ(p->Closed, c.closed);
    }
}

TEST_F(DxfEntities, PolylinesCollectTheirVertices)
{
    using V = std::vector<std::pair<double, double>>;
    const std::string seqend = lines({"0", "SEQEND", "8", "0"});
    auto vertex = [](const char* x, const char* y, const char* flags = "0") {
        return lines({"0", "VERTEX", "8", "0", "10", x, "20", y, "70", flags});
    };
    const std::string header = lines({"0", "POLYLINE", "8", "0", "66", "1", "10", "0", "20", "0"});
    const std::string closedHeader = lines({"0", "POLYLINE", "62", "1", "70", "1"});
    const std::string line = lines({"0", "LINE", "10", "7", "20", "7", "11", "8", "21", "8"});
    struct Case {
        std::string body;
        V vertices;  // of the first shape
        bool closed;
        int shapeCount;
    };
    const Case cases[] = {
        {header + vertex("1", "2") + vertex("3", "4") + seqend, V{{1, 2}, {3, 4}}, false, 1},
        {closedHeader + vertex("1", "2") + vertex("3", "4") + vertex("5", "6") + seqend,
         V{{1, 2}, {3, 4}, {5, 6}}, true, 1},
        {header + vertex("1", "2") + seqend + line, V{}, false, 1},
        // Without SEQEND the next entity is not lost.
        {header + vertex("1", "2") + vertex("3", "4") + line, V{{1, 2}, {3, 4}}, false, 2},
        // Face records of a polyface mesh add no vertex at the origin.
        {lines({"0", "POLYLINE", "70", "64"}) + vertex("1", "1", "192") + vertex("2", "1", "192") +
             vertex("2", "2", "192") + vertex("0", "0", "128") + seqend,
         V{{1, 1}, {2, 1}, {2, 2}}, false, 1},
    };
    for (const auto& c : cases) {
        THalvekCanvasModel fresh;
        ASSERT_TRUE(load(fresh, entities(c.body))) << c.body;
        const auto all = shapes(fresh);
        ASSERT_EQ(static_cast<int>(all.size()), c.shapeCount) << c.body;
        if (c.vertices.empty()) {
            EXPECT_TRUE(shape_cast<THLine>(all[0]));
            continue;
        }
        const auto* p = shape_cast<THPolyline>(all[0]);
        ASSERT_TRUE(p);
        EXPECT_EQ(vertices(p), c.vertices);
        EXPECT_EQ(p->Closed, c.closed);
        if (c.shapeCount == 2) {
            EXPECT_TRUE(shape_cast<THLine>(all[1]));
        }
    }
}

TEST_F(DxfEntities, AFileEndingInsideAVertexKeepsThatVertex)
{
    THalvekCanvasModel fresh;
    ASSERT_TRUE(load(fresh, "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n2\n0\nVERTEX\n10\n5"));
    EXPECT_EQ(vertices(shapes(fresh).at(0)), (std::vector<std::pair<double, double>>{{1, 2}, {5, 0}}));
}

TEST_F(DxfEntities, ShapesWhoseGeometryWouldNotBeFiniteAreNotMade)
{
    const auto all = loadEntities({"0", "ARC", "10", "1e308", "40", "1.7e308", "0", "ELLIPSE", "11", "1.7e308", "21",
                                   "1.7e308", "0", "CIRCLE", "10", "1e308", "40", "1e308", "0", "TEXT", "10", "5", "40",
                                   "1e308", "1", "12.5", "0", "LINE", "10", "1e999", "11", "2", "0", "CIRCLE", "40",
                                   "1e300"});
    ASSERT_EQ(all.size(), 2u);
    const auto* l = shape_cast<THLine>(all[0]);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->X1, 0);
    // A huge circle whose box is finite is kept: the painter clips it.
    const auto* c = shape_cast<THCircle>(all[1]);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Radius, 1e300);
}

QStringList g_trace;
void recordTrace(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (QString::fromUtf8(context.category) == "skerra.dxf.import")
        g_trace.append(text);
}

TEST_F(DxfEntities, TheFirstLinesAreTracedWhenTheTraceIsOn)
{
    const std::string circles = lines({"0", "CIRCLE", "40", "1", "0", "CIRCLE", "40", "1", "0", "CIRCLE", "40", "1",
                                       "0", "CIRCLE", "40", "1"});
    const std::string twoLines = lines({"0", "LINE", "8", "walls", "11", "1", "0", "LINE", "8", "quay", "11", "1"});
    g_trace.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
    {
        THalvekCanvasModel off;
        load(off, entities(twoLines));  // off unless asked for
    }
    QLoggingCategory::setFilterRules("skerra.dxf.import.debug=true");
    {
        THalvekCanvasModel on;
        load(on, entities(circles + twoLines));
    }
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    // Four circles, then one line while fewer than five shapes were made.
    EXPECT_EQ(g_trace, QStringList{"DXF LINE: layer='walls' lid=1 visible=Y locked=Y"});
}

TEST_F(DxfEntities, ShapesAreNumberedInFileOrderFromTheCanvasCounter)
{
    m.DrawLine(0, 0, 1, 1, 0);
    const long next = m.NextShapeId();
    const auto all = loadEntities({"0", "CIRCLE", "40", "1", "0", "POINT", "0", "LINE", "11", "1"});
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1]->ShapeNumber(), next);
    EXPECT_EQ(all[2]->ShapeNumber(), next + 1);
    EXPECT_EQ(all[3]->ShapeNumber(), next + 2);
    EXPECT_TRUE(loaded);
}

}  // namespace
