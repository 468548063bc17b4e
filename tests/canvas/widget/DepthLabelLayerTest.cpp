// The depth labels kept drawn between paints: after any sequence of changes the
// painted canvas equals that of a canvas in the same state painted afresh.

#include "CanvasPixels.h"

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/OverlayPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <ostream>
#include <vector>

using namespace skerra::canvas;

namespace {

using Step = std::function<void(PixelCanvas&)>;

// A chart under the labels, so that they are laid over shapes.
void chartUnder(PixelCanvas& c)
{
    c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 10, 0x000080);
    c.SetLayerBrushStyle(0, bsSolid);
    c.SetLayerBrushFg(0, 0x80C0FF);
    c.DrawRectangle(20, 20, 120, 90, 0);
    c.DrawLine(0, 150, 300, 40, 0);
}

void addRow(PixelCanvas& c, double y, int count, double depth)
{
    for (int i = 0; i < count; ++i)
        c.AddDepthLabel(10 + i * 25.0, y, depth + i * 0.37);
}

struct Case {
    const char* name;
    std::vector<Step> steps;  // the cached canvas is painted after each
    long rebuildsAtMost;      // of the cached image, over all paints
};

void PrintTo(const Case& k, std::ostream* os) { *os << k.name; }

class CachedLabels : public testing::TestWithParam<Case> {};

TEST_P(CachedLabels, EqualTheLabelsDrawnAfresh)
{
    const Case& k = GetParam();
    PixelCanvas cached(300, 220), fresh(300, 220);
    chartUnder(cached);
    chartUnder(fresh);
    cached.paint();
    for (const Step& step : k.steps) {
        step(cached);
        step(fresh);
        cached.paint();
        cached.paint();  // nothing changed: the image is kept
    }
    const QImage withCache = cached.paint();
    EXPECT_EQ(withCache, fresh.paint());
    EXPECT_EQ(fresh.DepthLabelImage().stats().rebuilds, 1);
    EXPECT_LE(cached.DepthLabelImage().stats().rebuilds, k.rebuildsAtMost);
    EXPECT_NE(withCache, [] {
        PixelCanvas none(300, 220);
        chartUnder(none);
        return none.paint();
    }()) << "some label is drawn";
}

const Step addFirstRow = [](PixelCanvas& c) { addRow(c, 100, 12, 4.04); };

INSTANTIATE_TEST_SUITE_P(
    Changes, CachedLabels,
    testing::Values(
        Case{"labels added one at a time, drawn onto the image",
             {addFirstRow, [](PixelCanvas& c) { c.AddDepthLabel(150, 60, 7.25); },
              [](PixelCanvas& c) { c.AddDepthLabel(155, 62, 8.25); },  // overlaps the one before
              [](PixelCanvas& c) { c.AddDepthLabel(-40, 60, 1.5); },   // in the margin, half shown
              [](PixelCanvas& c) { c.AddDepthLabel(900, 60, 1.5); }},  // far off
             2},
        Case{"a label too near is refused; a smaller spacing takes it",
             {addFirstRow, [](PixelCanvas& c) { c.AddDepthLabel(12, 102, 9.9); },
              [](PixelCanvas& c) {
                  c.SetDepthLabelSettings(true, 1.0, QStringLiteral("Arial"), 10, 0x000080);
                  c.AddDepthLabel(12, 102, 9.9);
              }},
             2},
        Case{"the same settings again keep the image",
             {addFirstRow,
              [](PixelCanvas& c) { c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 10, 0x000080); }},
             2},
        Case{"colour, size and face changed",
             {addFirstRow,
              [](PixelCanvas& c) { c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 10, 0x0000FF); },
              [](PixelCanvas& c) { c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 14, 0x0000FF); },
              [](PixelCanvas& c) {
                  c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Courier New"), 14, 0x0000FF);
              }},
             5},
        Case{"switched off, added to while off, switched on",
             {addFirstRow, [](PixelCanvas& c) { c.DepthLabelsVisible = false; },
              [](PixelCanvas& c) { addRow(c, 160, 5, 20.5); }, [](PixelCanvas& c) { c.DepthLabelsVisible = true; }},
             4},
        Case{"view panned, zoomed and resized",
             {addFirstRow, [](PixelCanvas& c) { c.WorldPan(13, -7); },
              [](PixelCanvas& c) { c.WorldSet(50, 250, 180, 20); }, [](PixelCanvas& c) { c.Resize(260, 240); }},
             5},
        Case{"cleared and labelled again",
             {addFirstRow, [](PixelCanvas& c) { c.ClearDepthLabels(); }, [](PixelCanvas& c) { addRow(c, 60, 4, 2); }},
             4},
        Case{"a label changed in the list itself",
             {addFirstRow, [](PixelCanvas& c) { c.DepthLabels[3].depth = 99.9; },
              [](PixelCanvas& c) { c.DepthLabels.back().x += 20; }},
             4},
        Case{"cap reached, the oldest 1,000 dropped",
             {[](PixelCanvas& c) {
                  c.SetDepthLabelSettings(true, 0.0, QStringLiteral("Arial"), 10, 0x000080);
                  for (int i = 0; i < 10000; ++i)
                      c.AddDepthLabel(i % 100 * 3.0, i / 100 * 2.2, i % 97 * 0.5);
              },
              [](PixelCanvas& c) { c.AddDepthLabel(150, 110, 33.3); },
              [](PixelCanvas& c) { c.AddDepthLabel(40, 40, 44.4); }},
             3}),
    [](const testing::TestParamInfo<Case>& info) { return "case" + std::to_string(info.index); });

// The map timer's tick: the chart's top redrawn, a label added, the boxes fed.
// The label image is drawn onto, never rebuilt.
TEST(CachedLabels, MapTicksOnlyAddToTheImage)
{
    PixelCanvas c(300, 220);
    chartUnder(c);
    addRow(c, 100, 12, 4.04);
    c.paint();
    const long rebuilds = c.DepthLabelImage().stats().rebuilds;
    const int vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
    for (int tick = 0; tick < 20; ++tick) {
        c.SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 10, 0x000080);
        c.CadClearShapes(vessel);
        c.DrawCircle(20 + tick * 12, 180, 5, vessel);
        c.AddDepthLabel(20 + tick * 12, 170, 10 + tick * 0.1);
        c.SetCurrentDepth(10 + tick * 0.1, 0, true);
        c.Refresh();
        c.paint();
    }
    EXPECT_EQ(c.DepthLabelImage().stats().rebuilds, rebuilds);
    EXPECT_EQ(c.DepthLabelImage().stats().appends, 20);
}

// Labels added while a distance is measured (then the labels are drawn over the
// measure, not laid over the picture beforehand) are in the frames after it.
TEST(CachedLabels, LabelsAddedWhileMeasuringStayAfterwards)
{
    PixelCanvas c(300, 220);
    chartUnder(c);
    addRow(c, 100, 6, 4.04);
    c.paint();
    c.StartDistanceMeasure(50, 50);
    c.UpdateDistanceMeasure(200, 150, 180.3, 56.3);
    c.AddDepthLabel(150, 60, 7.77);
    c.paint();
    c.EndDistanceMeasure();
    c.AddDepthLabel(220, 30, 8.88);
    ASSERT_EQ(c.paint(), freshFrame(c));
    ASSERT_EQ(c.paint(), freshFrame(c));
}

// The window panned by whole pixels (the vessel followed): the image is moved
// and only the edges are drawn again, with the labels at and beyond the edges,
// some cut by them, some added between pans. Every frame equals the labels
// drawn afresh. Labels larger than their reach beyond the edges, and a pan
// wider than the client, are drawn whole again instead.
TEST(CachedLabels, WholePixelPansMoveTheImage)
{
    const struct {
        int fontSize;
        bool moved;
    } fonts[] = {{9, true}, {20, true}, {40, false}};
    const QPoint pans[] = {{1, 0},  {0, 1},   {-1, 0}, {0, -1}, {3, -2},  {-7, 5},  {37, 0},
                           {0, 23}, {-60, 0}, {0, -45}, {130, -90}, {2, 2}, {-1, -1},
                           {250, 0}};  // the last one wider than the client: drawn whole
    for (const auto& font : fonts) {
        PixelCanvas c(240, 180);
        c.SetDepthLabelSettings(true, 0.0, QStringLiteral("Arial"), font.fontSize, 0x000080);
        std::mt19937 rng(77);
        auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
        for (int i = 0; i < 400; ++i)  // over the window and past its edges
            c.AddDepthLabel(uni(-120, 360), uni(-100, 280), uni(1, 60));
        c.DrawLine(0, 0, 240, 180, 0);
        c.paint();
        for (const QPoint& pan : pans) {
            c.WorldPanPixels(pan.x(), pan.y());
            if (pan.x() % 2 != 0)
                c.AddDepthLabel(c.WorldLeft + uni(-10, 250), c.WorldBottom + uni(-10, 190), uni(1, 60));
            ASSERT_EQ(c.paint(), freshFrame(c)) << "font " << font.fontSize << ", pan " << pan.x() << "," << pan.y();
        }
        const auto& stats = c.DepthLabelImage().stats();
        if (font.moved) {
            EXPECT_EQ(stats.rebuilds, 2);
            EXPECT_EQ(stats.scrolls, static_cast<long>(std::size(pans)) - 1);
        } else {
            EXPECT_EQ(stats.scrolls, 0);
        }
    }
}

// Single labels panned by whole pixels near the client's left edge, where a
// label drawn again lands a pixel off the moved one: the faint pixel that the
// anti-aliased edge of its last digit puts just past the text's box, and a
// label that comes in from beyond the reach before any other label was drawn
// (larger than the largest drawn so far), are laid as in a fresh frame.
TEST(CachedLabels, PansNearTheEdgeEqualAFreshFrame)
{
    const struct {
        const char* name;
        double x, y, depth;
    } cases[] = {
        {"the pixel past the last digit", -19.9, 66.9, 123.4},
        {"a label coming in from beyond the reach", -29.9, 172.9, 12.3},
    };
    for (const auto& k : cases) {
        PixelCanvas c(200, 150);
        c.SetDepthLabelSettings(true, 0.0, QStringLiteral("Arial"), 8, 0x800000);
        c.AddDepthLabel(k.x, k.y, k.depth);
        c.paint();
        for (const QPoint pan : {QPoint(19, 9), QPoint(-27, 29), QPoint(-12, 27)}) {
            c.WorldPanPixels(pan.x(), pan.y());
            const QImage frame = c.paint(), fresh = freshFrame(c);
            EXPECT_TRUE(frame == fresh) << k.name << ", pan " << pan.x() << "," << pan.y() << ": "
                                        << differences(frame, fresh);
        }
    }
}

// Dense piles of labels of several sizes (some far beyond the edges, some
// larger than any label in view) under random whole-pixel pans, one seed
// after another: every frame equals a fresh one, pixel for pixel.
TEST(CachedLabels, RandomPansOverPilesOfLabelsEqualAFreshFrame)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        PixelCanvas c(200, 150);
        c.SetDepthLabelSettings(true, 0.0, QStringLiteral("Arial"), pick(7, 12), 0x800000);
        for (int pile = 0; pile < 6; ++pile) {
            const double cx = uni(-120, 320), cy = uni(-80, 230), spread = uni(1, 15);
            for (int i = 0; i < 25; ++i)
                c.AddDepthLabel(cx + uni(-spread, spread), cy + uni(-spread, spread),
                                pick(0, 9) == 0 ? uni(100, 1000) : uni(0, 40));
        }
        c.paint();
        for (int step = 0; step < 8; ++step) {
            c.WorldPanPixels(pick(-30, 30), pick(-30, 30));
            const QImage frame = c.paint(), fresh = freshFrame(c);
            ASSERT_TRUE(frame == fresh) << "seed " << seed << ", pan " << step << ": " << differences(frame, fresh);
        }
        EXPECT_GT(c.DepthLabelImage().stats().scrolls, 0) << "seed " << seed;
    }
}

// Random changes of the chart under a screenful of labels, painted now and
// then: the canvas always equals the picture rebuilt whole with the labels
// laid afresh (and the scale bar, the only other overlay here). Without texts
// on the chart the rows to lay again come from the renderer; with them, from
// comparing the pictures.
class CachedLabelsOverAChangingChart : public testing::TestWithParam<bool> {};

TEST_P(CachedLabelsOverAChangingChart, EqualAFreshFrame)
{
    const bool withTexts = GetParam();
    std::mt19937 rng(4242);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    PixelCanvas c(240, 180);
    c.WorldSet(0, 750, 1000, 0);
    c.Resize(240, 180);
    c.SetDepthLabelSettings(true, 0.0, QStringLiteral("Arial"), 9, 0x000080);
    for (int i = 0; i < 600; ++i)
        c.AddDepthLabel(uni(0, 1000), uni(0, 750), uni(1, 60));
    const int layers[] = {0, c.LayerOpen(QStringLiteral("track")), c.LayerOpen(QStringLiteral("vessel"))};
    c.SetLayerPenWidth(layers[2], 3);
    std::vector<long> made;
    auto any = [&] { return made.empty() ? -1L : made[pick(static_cast<int>(made.size()))]; };
    long paints = 0;
    auto expectFreshFrame = [&](int step) {
        ASSERT_EQ(c.paint(), freshFrame(c)) << "step " << step;
        ++paints;
    };
    for (int step = 0; step < 300; ++step) {
        const int layer = layers[pick(3)];
        const double x = uni(0, 1000), y = uni(0, 750);
        switch (pick(12)) {
        case 0: made.push_back(c.DrawLine(x, y, x + uni(-80, 80), y + uni(-80, 80), layer)); break;
        case 1: made.push_back(c.DrawLine(x, y, x + 0.5, y + 0.3, layer)); break;
        case 2: made.push_back(c.DrawCircle(x, y, uni(1, 40), layer)); break;
        case 3: made.push_back(c.DrawPolyline({{x, y}, {x + uni(-60, 60), y + uni(-60, 60)}, {x + 30, y}}, layer, pick(2) == 0)); break;
        case 4:
            if (withTexts)
                made.push_back(c.TextAdd(layer, QStringLiteral("T%1").arg(step), x, y, 0));
            break;
        case 5: c.CadClearShapes(layers[2]); made.push_back(c.DrawCircle(x, y, 6, layers[2])); break;
        case 6: if (!made.empty()) c.ShapeDelete(any()); break;
        case 7: c.SetLayerPenFg(layer, pick(2) ? 0xFF0000 : 0x00A000); break;
        case 8: c.SetShapePenWidth(any(), pick(4)); break;
        case 9: if (pick(6) == 0) c.WorldPan(uni(-40, 40), uni(-40, 40)); break;
        case 10: c.AddDepthLabel(x, y, uni(1, 60)); break;
        case 11: if (THShape* s = c.FindShape(any())) s->Visible = !s->Visible; break;
        }
        c.Refresh();
        if (pick(2) == 0)
            expectFreshFrame(step);
        else if (pick(4) == 0)
            c.BackBuffer();  // a picture made but not painted
    }
    EXPECT_GT(c.Renderer().stats().tailRebuilds, 50);
    if (!withTexts) {
        EXPECT_LT(c.DepthLabelImage().stats().rowsCompared, paints * 180 / 2) << "mostly the renderer's rows";
    }
}

INSTANTIATE_TEST_SUITE_P(TextsOrNot, CachedLabelsOverAChangingChart, testing::Bool());

// Laid over the chart, the image gives the labels drawn straight onto it, up
// to the rounding of blending twice (one level of a colour channel).
TEST(CachedLabels, LookAsIfDrawnStraightOntoTheChart)
{
    PixelCanvas c(300, 220);
    chartUnder(c);
    addRow(c, 100, 12, 4.04);
    c.AddDepthLabel(150, 100, 8.25);
    c.AddDepthLabel(-30, 30, 1.25);  // cut by the left edge
    const QImage under = c.picture();
    QImage straight = under.copy(), laid = under.copy();
    {
        QPainter p(&straight);
        GdiPainter g(p);
        DrawDepthLabels(g, clientMapping(c), c);
    }
    {
        QPainter p(&laid);
        DepthLabelLayer().paint(p, c, c);
    }
    int inked = 0, worst = 0;
    for (int y = 0; y < laid.height(); ++y)
        for (int x = 0; x < laid.width(); ++x) {
            const QRgb a = straight.pixel(x, y), b = laid.pixel(x, y);
            inked += b != under.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 1);
    EXPECT_GT(inked, 200);
}

}  // namespace


