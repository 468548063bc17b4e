// Pans by whole pixels: the picture is moved and drawn again only in part,
// and equals, pixel for pixel, a full rebuild (or the canvas painted afresh).

#include "CanvasPixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

using skerra::canvas::ChartRenderer;

namespace {

QImage fullRebuildOf(const THalvekCanvasCore& canvas)
{
    ChartRenderer fresh;
    fresh.setAlwaysDrawnLayer(canvas.Renderer().alwaysDrawnLayer());
    fresh.renderAll(canvas);
    return fresh.image().copy();
}

// A chart, shapes of many kinds (wide pens, fills, a spline, a selection), a
// vessel above the checkpoint. Extras add texts, points or depth labels.
struct Chart {
    bool grid = false, texts = false, points = false, labels = false, across = false;

    void build(PixelCanvas& c) const
    {
        c.Resize(480, 360);
        c.WorldSet(1000, 1900, 2200, 1000);  // 2.5 units a pixel
        c.GridVisible = grid;
        const int a = c.LayerOpen(QStringLiteral("a"));
        const int b = c.LayerOpen(QStringLiteral("b"));
        c.SetLayerPenWidth(b, 2);
        c.SetLayerBrushStyle(b, bsSolid);
        c.SetLayerBrushFg(b, 0x00C000);
        std::mt19937 rng(99);
        auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
        for (int i = 0; i < 60; ++i) {
            const int layer = i % 3 == 0 ? b : a;
            const double x = uni(1200, 2000), y = uni(1200, 1700);
            c.DrawLine(x, y, x + uni(-100, 100), y + uni(-100, 100), layer);
            c.DrawCircle(x + uni(-100, 100), y + uni(-100, 100), uni(2, 40), layer);
            c.DrawRectangle(x, y, x + uni(-150, 150), y + uni(-150, 150), a);
            for (int k = 0; k < 8; ++k)  // track segments under a pixel
                c.DrawLine(x + k * 2.0, y + k * 1.5, x + k * 2.0 + 2.0, y + k * 1.5 + 1.5, a);
        }
        c.DrawThreePointArc(1100, 1100, 1300, 1400, 1500, 1150, a);
        c.DrawTwoPointEllipse(1700, 1200, 1950, 1350, b);
        c.SetShapePenWidth(c.DrawCircle(1600, 1400, 30, a), 3);  // drawn again at every pan
        auto spline = std::make_unique<THPolyline>(ShapeTypeCode::Spline);
        for (auto [x, y] : {std::pair{1403.3, 1601.1}, {1501.7, 1752.9}, {1604.1, 1603.7}, {1706.6, 1701.2}})
            spline->AddPoint(x, y);
        c.AppendShape(std::move(spline));
        c.ShapeSelect(5, true);
        if (across)
            c.DrawLine(300, 700, 2900, 2300, a);
        if (texts)
            c.TextAdd(a, QStringLiteral("Buoy"), 1500, 1500, 0);
        if (points)
            c.DrawPoint(1400, 1400, a);
        if (labels) {
            c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 10, 0x800000);
            for (int i = 0; i < 40; ++i)
                c.AddDepthLabel(1000 + i * 30.0, 1300 + (i % 5) * 40.0, 10.0 + i * 0.1);
        }
        c.paint();
        vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
        c.SetAlwaysDrawnLayer(vessel);
        for (int i = 0; i < 3; ++i)
            tick(c, i);
    }
    // A map tick: the vessel drawn again, a track segment added.
    void tick(PixelCanvas& c, int i) const
    {
        c.CadClearShapes(vessel);
        const double x = (c.WorldLeft + c.WorldRight) / 2, y = (c.WorldTop + c.WorldBottom) / 2;
        c.DrawLine(x - 20, y, x + 20, y, vessel);
        c.DrawCircle(x, y, 12, vessel);
        c.SetLayerPenWidth(vessel, 2);
        c.DrawLine(x, y, x + 3 + i, y + 2, 0);
        c.paint();
    }
    mutable int vessel = -1;
};

}  // namespace

// A table of pans, each after the chart was painted and ticked: the canvas
// painted afterwards equals the same chart painted afresh at that window.
// Whole-pixel pans within the client move the picture; pans by a part of a
// pixel, pans as large as the client, and charts with a point or text in view
// or a line across it rebuild it whole.
TEST(Pan, TableOfPansEqualsTheChartPaintedAfresh)
{
    struct PanCase {
        const char* name;
        std::function<void(THalvekCanvasCore&)> pan;
        bool whole;  // by whole pixels, within the client
    };
    const PanCase pans[] = {
        {"left", [](THalvekCanvasCore& c) { c.WorldPanPixels(-7, 0); }, true},
        {"right", [](THalvekCanvasCore& c) { c.WorldPanPixels(13, 0); }, true},
        {"up", [](THalvekCanvasCore& c) { c.WorldPanPixels(0, 5); }, true},
        {"down", [](THalvekCanvasCore& c) { c.WorldPanPixels(0, -1); }, true},
        {"diagonal", [](THalvekCanvasCore& c) { c.WorldPanPixels(3, -4); }, true},
        {"odd diagonal", [](THalvekCanvasCore& c) { c.WorldPanPixels(-1, 1); }, true},
        {"rounded world pan", [](THalvekCanvasCore& c) { c.WorldPanRounded(12.4, -17.6); }, true},
        {"world pan of whole pixels", [](THalvekCanvasCore& c) { c.WorldPan(-25, 10); }, true},
        {"part of a pixel", [](THalvekCanvasCore& c) { c.WorldPan(1.25, 0); }, false},
        {"as wide as the client", [](THalvekCanvasCore& c) { c.WorldPanPixels(480, 0); }, false},
        {"larger than the client", [](THalvekCanvasCore& c) { c.WorldPanPixels(-300, 500); }, false},
        {"half the client", [](THalvekCanvasCore& c) { c.WorldPanPixels(-200, 100); }, false},
        {"zero", [](THalvekCanvasCore& c) { c.WorldPanPixels(0, 0); }, false},
    };
    struct ChartCase {
        const char* name;
        Chart chart;
        bool scrolls;
    };
    const ChartCase charts[] = {
        {"shapes", {}, true},
        {"grid", {.grid = true}, true},
        {"depth labels", {.labels = true}, true},
        {"grid and labels", {.grid = true, .labels = true}, true},
        {"a text", {.texts = true}, false},
        {"a point", {.points = true}, false},
        {"a line across the view", {.across = true}, false},
    };
    for (const ChartCase& chart : charts) {
        for (const PanCase& pan : pans) {
            SCOPED_TRACE(std::string(chart.name) + ", " + pan.name);
            PixelCanvas c;
            chart.chart.build(c);
            const long scrolls = c.Renderer().stats().scrolls;
            pan.pan(c);
            chart.chart.tick(c, 7);
            const QImage panned = c.paint();
            EXPECT_EQ(c.Renderer().stats().scrolls - scrolls, chart.scrolls && pan.whole ? 1 : 0);
            const QImage full = fullRebuildOf(c);
            EXPECT_TRUE(c.BackBuffer() == full) << differences(c.BackBuffer(), full);

            PixelCanvas fresh;
            chart.chart.build(fresh);
            fresh.WorldSet(c.WorldLeft, c.WorldTop, c.WorldRight, c.WorldBottom);
            chart.chart.tick(fresh, 7);
            const QImage afresh = fresh.paint();
            EXPECT_TRUE(panned == afresh) << differences(panned, afresh);
        }
    }
}

// Random changes and pans (whole pixels mostly, parts of a pixel now and then),
// with the grid shown or not: after every pan the picture equals a full
// rebuild, and many whole-pixel pans moved the picture (a long line reaching
// out of the view makes a pan a full rebuild). Points and texts come
// and go, and rebuild whole while they are in view.
class PanInPart : public ::testing::TestWithParam<bool> {};

TEST_P(PanInPart, EqualsFullRebuild)
{
    const bool grid = GetParam();
    std::mt19937 rng(grid ? 4242 : 777);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    PixelCanvas c(400, 300);
    c.Resize(400, 300);
    c.WorldSet(-300, 500, 300, 50);  // 1.5 units a pixel, the axes in view
    c.GridVisible = grid;
    const int layers[] = {0, c.LayerOpen(QStringLiteral("a")), c.LayerOpen(QStringLiteral("b")),
                          c.LayerOpen(QStringLiteral("vessel"))};
    c.SetLayerBrushStyle(layers[2], bsSolid);
    c.SetLayerBrushFg(layers[2], 0x00C000);
    c.SetLayerPenWidth(layers[2], 2);
    c.SetAlwaysDrawnLayer(layers[3]);
    std::vector<long> made, extras;
    long wholePans = 0;
    auto near = [&] {
        return std::pair{uni(c.WorldLeft - 50, c.WorldRight + 50), uni(c.WorldBottom - 50, c.WorldTop + 50)};
    };
    for (int step = 0; step < 600; ++step) {
        const int layer = layers[pick(3)];
        auto any = [&] { return made.empty() ? -1L : made[pick(static_cast<int>(made.size()))]; };
        bool panned = false;
        switch (pick(16)) {
        case 0: case 1: {  // a line, now and then a long one
            const auto [x1, y1] = near();
            const double reach = pick(25) == 0 ? 400 : 40;
            made.push_back(c.DrawLine(x1, y1, x1 + uni(-reach, reach), y1 + uni(-reach, reach), layer));
            break;
        }
        case 2: { const auto [x, y] = near(); made.push_back(c.DrawCircle(x, y, uni(1, 30), layer)); break; }
        case 3: {
            const auto [x1, y1] = near();
            made.push_back(c.DrawRectangle(x1, y1, x1 + uni(-80, 80), y1 + uni(-80, 80), layer));
            break;
        }
        case 4: {
            const auto [x, y] = near();
            made.push_back(c.DrawPolyline({{x, y}, {x + uni(-40, 40), y + uni(-40, 40)}, {x + uni(-40, 40), y}}, layer,
                                          pick(2) == 0));
            break;
        }
        case 5: {  // track segments shorter than a pixel
            const auto [x, y] = near();
            for (int i = 0; i < 6; ++i)
                made.push_back(c.DrawLine(x + i * 0.9, y + i * 0.4, x + (i + 1) * 0.9, y + (i + 1) * 0.4, layer));
            break;
        }
        case 6: {  // the vessel's tick
            c.CadClearShapes(layers[3]);
            const double x = (c.WorldLeft + c.WorldRight) / 2, y = (c.WorldTop + c.WorldBottom) / 2;
            c.DrawLine(x - 10, y, x + 10, y, layers[3]);
            c.DrawCircle(x, y, 6, layers[3]);
            break;
        }
        case 7: c.ShapeDelete(any()); break;
        case 8: c.ShapeSelect(any(), pick(2) == 0); break;
        case 9: if (pick(6) == 0) c.SetLayerPenWidth(layer, pick(4)); break;
        case 10: {  // a point or a text for a while
            if (pick(4) != 0)
                break;
            const auto [x, y] = near();
            extras.push_back(pick(2) ? c.DrawPoint(x, y, layer) : c.TextAdd(layer, QStringLiteral("T"), x, y, 0));
            break;
        }
        case 11: for (long e : extras) c.ShapeDelete(e); extras.clear(); break;
        case 12: case 13: case 14: {
            const int dx = pick(5) == 0 ? pick(61) - 30 : pick(7) - 3, dy = pick(5) == 0 ? pick(41) - 20 : pick(7) - 3;
            c.WorldPanPixels(dx, dy);
            wholePans += extras.empty() && (dx != 0 || dy != 0);
            panned = true;
            break;
        }
        case 15:
            if (pick(3) == 0)
                c.WorldPan(uni(-5, 5), uni(-5, 5));
            else
                c.WorldPanRounded(uni(-20, 20), uni(-20, 20));
            panned = true;
            break;
        }
        if (panned || pick(4) == 0) {
            const QImage full = fullRebuildOf(c);
            ASSERT_TRUE(c.BackBuffer() == full) << "step " << step << ": " << differences(c.BackBuffer(), full);
        }
    }
    EXPECT_GT(c.Renderer().stats().scrolls, wholePans / 3);
    EXPECT_GT(wholePans, 40);
}

INSTANTIATE_TEST_SUITE_P(GridOrNot, PanInPart, ::testing::Bool());

// A survey followed tick after tick: a lawn-mower track of short segments with
// a 2-pixel pen running out of the view on both sides, depth labels along it,
// the vessel drawn again and the window panned by whole pixels after it (now
// and then dragged aside, and brought back at the next tick). Every
// frame equals the chart painted afresh (picture rebuilt whole, labels laid
// afresh), while the picture, the label image and the picture with the labels
// laid over it were moved along with the pans. Both ways of a scroll: with
// its list of the shapes below the checkpoint, and walking the shapes (a chart
// too large for the list).
void surveyTicksEqualTheChartPaintedAfresh()
{
    PixelCanvas c(300, 200);
    c.Resize(300, 200);
    c.WorldSet(0, 100, 150, 0);  // half a unit a pixel
    const int track = c.LayerOpen(QStringLiteral("track"));
    c.SetLayerPenWidth(track, 2);
    c.SetDepthLabelSettings(true, 3.0, QStringLiteral("Arial"), 9, 0x800000);
    for (int line = 0; line < 14; ++line) {
        const double y = 4 + line * 7.3;
        for (double x = -30; x < 190; x += 0.7) {
            const double y0 = y + 0.04 * x, y1 = y + 0.04 * (x + 0.7);
            c.DrawLine(x, y0, x + 0.7, y1, track);
            if (std::fmod(x + 30, 4.9) < 0.7)
                c.AddDepthLabel(x, y0, 5 + line + x / 100);
        }
    }
    const int vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
    c.SetAlwaysDrawnLayer(vessel);
    c.paint();
    const long scrolls = c.Renderer().stats().scrolls;
    double x = 75, y = 50;
    constexpr int kTicks = 160;
    for (int tick = 0; tick < kTicks; ++tick) {
        const double nx = x + (tick < 100 ? 0.37 : -0.41);
        const bool jump = tick % 25 == 20;  // now and then a fix far off, without a track mark
        const double ny = y + (tick % 40 < 10 ? 0.29 : 0.0) + (jump ? -12.0 : 0.0);
        if (!jump)
            c.DrawLine(x, y, nx, ny, track);
        if (tick % 3 == 0)
            c.AddDepthLabel(nx, ny, 9.5 + tick * 0.01);
        x = nx, y = ny;
        c.CadClearShapes(vessel);
        c.DrawLine(x - 4, y, x + 4, y, vessel);
        c.DrawCircle(x, y, 2.5, vessel);
        c.WorldPanRounded(x - (c.WorldLeft + c.WorldRight) / 2, y - (c.WorldTop + c.WorldBottom) / 2);
        if (tick % 25 == 12)
            c.WorldPanPixels(3, -9);  // dragged aside: the vessel moves on the client
        const QImage frame = c.paint();
        ASSERT_TRUE(c.BackBuffer() == fullRebuildOf(c)) << "tick " << tick << ": "
                                                          << differences(c.BackBuffer(), fullRebuildOf(c));
        const QImage fresh = freshFrame(c);
        ASSERT_TRUE(frame == fresh) << "tick " << tick << ": " << differences(frame, fresh);
    }
    EXPECT_GT(c.Renderer().stats().scrolls - scrolls, kTicks / 3);
    EXPECT_GT(c.DepthLabelImage().stats().moves, kTicks / 3);
}

TEST(Pan, SurveyTicksEqualTheChartPaintedAfresh)
{
    const std::size_t kept = skerra::canvas::ChartRenderer::keptCommittedLimit;
    for (const std::size_t limit : {kept, std::size_t{0}}) {
        SCOPED_TRACE(limit == 0 ? "walking the shapes" : "with the list of shapes below the checkpoint");
        skerra::canvas::ChartRenderer::keptCommittedLimit = limit;
        surveyTicksEqualTheChartPaintedAfresh();
        skerra::canvas::ChartRenderer::keptCommittedLimit = kept;
        if (HasFatalFailure())
            return;
    }
}
