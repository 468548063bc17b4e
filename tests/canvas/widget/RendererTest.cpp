// The picture: culls of the shape pass, grid, scale bar, and the rebuild in
// part proven equal to a full rebuild.

#include "CanvasPixels.h"

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/GridPainter.h"
#include "canvas/widget/OverlayPainter.h"
#include "canvas/widget/ShapePainter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using skerra::canvas::ChartRenderer;

namespace {

constexpr int kSize = 200;
double wy(int py) { return kSize - py; }

QImage fullRebuildOf(const THalvekCanvasCore& canvas)
{
    ChartRenderer fresh;
    fresh.setAlwaysDrawnLayer(canvas.Renderer().alwaysDrawnLayer());
    fresh.renderAll(canvas);
    return fresh.image().copy();
}

// Every shape drawn in order as it draws itself: no culls, no thinning, no limit.
QImage everyShapeDrawn(const THalvekCanvasModel& m)
{
    QImage image(m.ClientWidth(), m.ClientHeight(), QImage::Format_RGB32);
    image.fill(skerra::toQColor(m.BackColor));
    QPainter p(&image);
    skerra::canvas::GdiPainter g(p);
    const auto map = skerra::canvas::PixelMapping::make(m.WorldLeft, m.WorldRight, m.WorldTop, m.WorldBottom,
                                                        m.ClientWidth(), m.ClientHeight());
    for (const THShape* s : m.Shapes())
        skerra::canvas::drawShape(g, *s, map, m.GetContrastColor(s->PenFg()));
    return image;
}

TEST(Renderer, OverlayChangesDoNotRebuildThePicture)
{
    PixelCanvas c;
    c.DrawLine(0, 0, 200, 200, 0);
    const QImage before = c.paint();
    const auto stats = c.Renderer().stats();
    c.SetCurrentDepth(12.34, 0, true);
    c.AddDepthLabel(100, 100, 5.5);
    c.StartDistanceMeasure(10, 10);
    c.UpdateDistanceMeasure(150, 150, 200, 45);
    c.Refresh();
    const QImage after = c.paint();
    EXPECT_NE(before, after);
    EXPECT_EQ(c.Renderer().stats().fullRebuilds, stats.fullRebuilds);
    EXPECT_EQ(c.Renderer().stats().tailRebuilds, stats.tailRebuilds);
}

TEST(Renderer, PointsCloserThanThreePixelsToTheLastDrawnAreSkipped)
{
    PixelCanvas c;
    c.SetLayerPenWidth(0, 0);
    for (int i = 0; i < 10; ++i)
        c.DrawPoint(10 + i, wy(50), 0);
    const QImage img = c.picture();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(rgbAt(img, 10 + i, 50), i % 3 == 0 ? kBlackRgb : kWhiteRgb) << i;
}

TEST(Renderer, OneTextPerCellTheFirstWins)
{
    PixelCanvas one;
    one.TextAdd(0, QStringLiteral("A"), 70, wy(70), 0);
    PixelCanvas two;
    two.TextAdd(0, QStringLiteral("A"), 70, wy(70), 0);
    two.TextAdd(0, QStringLiteral("B"), 90, wy(90), 0);  // the same 60 x 60 cell
    EXPECT_EQ(one.picture(), two.picture());

    PixelCanvas hidden;  // a text on a hidden layer takes no cell
    const int layer = hidden.LayerOpen(QStringLiteral("hidden"));
    hidden.TextAdd(layer, QStringLiteral("A"), 70, wy(70), 0);
    hidden.SetLayerVisible(layer, false);
    hidden.TextAdd(0, QStringLiteral("B"), 90, wy(90), 0);
    EXPECT_NE(hidden.picture(), one.picture());
    EXPECT_FALSE(inkBox(hidden.picture()).isNull());
}

TEST(Renderer, ShapesOnHiddenOrMissingLayersAreNotDrawn)
{
    PixelCanvas c;
    const int layer = c.LayerOpen(QStringLiteral("L"));
    c.DrawLine(0, 100, 200, 100, layer);
    const long stray = c.DrawLine(100, 0, 100, 200, layer);
    c.ShapeToLayer(stray, 57);
    c.SetLayerVisible(layer, false);
    EXPECT_TRUE(inkBox(c.picture()).isNull());
    c.SetLayerVisible(layer, true);
    EXPECT_EQ(inkBox(c.picture()), QRect(0, 100, 200, 1));
}

TEST(Renderer, PenOfTheBackgroundColourIsSwappedForTheDrawingOnly)
{
    PixelCanvas c;
    const long n = c.DrawLine(0, 100, 200, 100, 0);
    c.SetShapePenFg(n, 0xFFFFFF);
    EXPECT_EQ(rgbAt(c.picture(), 50, 100), kBlackRgb);
    EXPECT_EQ(c.GetShapePenFg(n), 0xFFFFFF);
}

TEST(Renderer, GridUnderOverOrNone)
{
    auto gridPixelOverBlackRectangle = [](int gridOnTop) {
        PixelCanvas c;
        c.GridVisible = true;
        c.GridAutoScale = false;
        c.GridSpacingX = c.GridSpacingY = 50;
        c.GridOnTop = gridOnTop;
        c.SetLayerBrushStyle(0, bsSolid);
        c.SetLayerBrushFg(0, 0);
        c.DrawRectangle(20, wy(20), 180, wy(180), 0);
        const QImage img = c.picture();
        // Column x = 100 is a grid line, the dots every other pixel.
        return std::max(rgbAt(img, 100, 60), rgbAt(img, 100, 61));
    };
    EXPECT_EQ(gridPixelOverBlackRectangle(0), kBlackRgb);
    EXPECT_EQ(gridPixelOverBlackRectangle(1), 0xC0C0C0u);
    EXPECT_EQ(gridPixelOverBlackRectangle(2), kBlackRgb);
}

TEST(Renderer, GridStepAndLabels)
{
    using skerra::canvas::formatGridLabel;
    using skerra::canvas::NiceGridStep;
    EXPECT_EQ(NiceGridStep(1000, 4), 200);
    EXPECT_EQ(NiceGridStep(2, 4), 0.5);
    EXPECT_EQ(NiceGridStep(0, 4), 1);
    EXPECT_EQ(formatGridLabel(400, 1), "400");
    EXPECT_EQ(formatGridLabel(1.5, 3), "1.5");
    EXPECT_EQ(formatGridLabel(0.125, 3), "0.125");
    EXPECT_EQ(formatGridLabel(-0.01, 1), "0");
}

TEST(Renderer, FineGridOverAWideWindowEnds)
{
    PixelCanvas c;
    c.GridVisible = true;
    c.GridAutoScale = false;
    c.GridSpacingX = c.GridSpacingY = 1e-9;
    c.WorldSet(-1e6, 1e6, 1e6, -1e6);
    EXPECT_NO_THROW(c.picture());  // coarsened, not a million million lines
}

TEST(Renderer, ScaleBarLabelTellsItsDrawnLength)
{
    struct Case {
        double worldWidth;
        const char* label;
        int pixels;
    };
    for (const Case k : {Case{1000, "100 m", 100}, Case{20000, "2.0 km", 100}, Case{1, "10 cm", 100},
                         Case{3000, "200 m", 66}}) {
        const auto bar = skerra::canvas::scaleBarFor(k.worldWidth, 1000);
        EXPECT_EQ(bar.label.toStdString(), k.label);
        EXPECT_EQ(bar.pixels, k.pixels);
    }
    for (double w = 0.37; w < 1e7; w *= 1.7) {
        const auto bar = skerra::canvas::scaleBarFor(w, 800);
        const double drawn = bar.pixels * w / 800;
        EXPECT_NEAR(drawn, bar.length, w / 800) << w;
        EXPECT_LE(bar.pixels, 150);
        EXPECT_GE(bar.pixels, 30);
    }
}

TEST(Renderer, InvertedOrEmptyWindowPaintsWithoutFailing)
{
    PixelCanvas c;
    c.GridVisible = true;
    c.DrawLine(0, 0, 100, 100, 0);
    c.DrawCircle(50, 50, 10, 0);
    c.WorldSet(100, 0, 100, 0);
    EXPECT_NO_THROW(c.paint());
    c.WorldSet(100, 0, 0, 100);
    EXPECT_NO_THROW(c.paint());
}

// The map timer's tick: the vessel layer is cleared and drawn again, a track
// segment is added, the pen is set again. After the first ticks only the top
// of the chart is redrawn, and the picture is that of a full rebuild.
TEST(Renderer, VesselTicksRedrawOnlyTheTop)
{
    PixelCanvas c(300, 300);
    const int vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
    const int track = c.LayerOpen(QStringLiteral("track_fix"));
    for (int i = 0; i < 500; ++i)
        c.DrawLine(i * 0.5, 10 + (i % 7), i * 0.5 + 0.5, 10 + ((i + 1) % 7), track);
    c.paint();
    for (int tick = 0; tick < 20; ++tick) {
        c.CadClearShapes(vessel);
        const double x = 100 + tick * 3;
        c.DrawLine(x - 5, 150, x + 5, 150, vessel);
        c.DrawLine(x, 145, x, 160, vessel);
        c.DrawCircle(x, 150, 4, vessel);
        c.SetLayerPenFg(vessel, 0xFF0000);
        c.DrawLine(x - 3, 100, x, 100, track);
        c.Refresh();
        c.paint();
        ASSERT_EQ(c.BackBuffer(), fullRebuildOf(c)) << "tick " << tick;
    }
    const auto& stats = c.Renderer().stats();
    EXPECT_LE(stats.fullRebuilds, 3);
    EXPECT_GE(stats.tailRebuilds, 17);
    EXPECT_LE(stats.lastTailLength, 10u);
}

// The renderer paints its pictures into buffers it keeps. A picture a caller
// still holds (as the depth-label layer holds the last one) stays as it was
// handed out, with texts or without, however many pictures follow.
TEST(Renderer, PicturesHandedOutStayAsTheyWere)
{
    for (const bool withText : {false, true}) {
        PixelCanvas c(120, 100);
        const int vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
        c.DrawLine(0, 20, 120, 20, 0);
        if (withText)
            c.TextAdd(0, QStringLiteral("Buoy"), 30, 60, 0);
        auto tick = [&](int i) {
            c.CadClearShapes(vessel);
            c.DrawCircle(20 + i * 7, 50, 5, vessel);
            c.Refresh();
            return c.BackBuffer();  // shared with the renderer
        };
        std::vector<QImage> held, asHandedOut;
        for (int i = 0; i < 6; ++i) {
            held.push_back(tick(i));
            asHandedOut.push_back(held.back().copy());
        }
        for (std::size_t i = 0; i < held.size(); ++i)
            EXPECT_EQ(held[i], asHandedOut[i]) << "picture " << i << (withText ? " with text" : "");
        EXPECT_EQ(c.BackBuffer(), fullRebuildOf(c));
    }
}

// A shape reached through FindShape and changed through the pointer (as the
// chart-file reader does), followed by Refresh: the next picture shows the
// change, whether the shape lay deep in the picture or at its top, and also
// when the pointer came through the model's interface.
TEST(Renderer, ChangesThroughFindShapeAreDrawn)
{
    struct Case {
        const char* name;
        bool oldShape;  // painted long ago rather than the last one added
        bool throughModel;
        void (*change)(THShape&);
    };
    const Case cases[] = {
        {"old hidden", true, false, [](THShape& s) { s.Visible = false; }},
        {"old moved by its fields", true, false, [](THShape& s) { static_cast<THLine&>(s).Y1 = 10; s.UpdateBounds(); }},
        {"recent hidden", false, false, [](THShape& s) { s.Visible = false; }},
        {"recent moved through the model", false, true, [](THShape& s) { s.Translate(0, 30); }},
        {"old hidden through the model", true, true, [](THShape& s) { s.Visible = false; }},
    };
    for (const Case& k : cases) {
        PixelCanvas c;
        const int vessel = c.LayerOpen(QStringLiteral("vessel"));
        const long old = c.DrawLine(0, 50, 200, 50, 0);
        c.paint();
        for (int tick = 0; tick < 3; ++tick) {  // the top of the picture is redrawn in part
            c.CadClearShapes(vessel);
            c.DrawCircle(100, 100, 5 + tick, vessel);
            c.DrawLine(0, 150 - tick, 200, 150 - tick, 0);
            c.paint();
        }
        const long recent = c.DrawLine(10, 120, 190, 120, 0);
        c.paint();
        const long n = k.oldShape ? old : recent;
        THalvekCanvasModel& model = c;
        THShape* s = k.throughModel ? model.FindShape(n) : c.FindShape(n);
        ASSERT_NE(s, nullptr);
        k.change(*s);
        c.Refresh();
        EXPECT_EQ(c.BackBuffer(), fullRebuildOf(c)) << k.name;
    }
}

// Random changes of every kind (also through FindShape pointers and the model
// interface), painted now and then: the picture always equals a full rebuild.
TEST(Renderer, RebuildInPartEqualsFullRebuild)
{
    std::mt19937 rng(12345);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    PixelCanvas c(240, 180);
    c.WorldSet(0, 1000, 1000, 0);
    c.Resize(240, 180);
    const int layers[] = {0, c.LayerOpen(QStringLiteral("a")), c.LayerOpen(QStringLiteral("b")),
                          c.LayerOpen(QStringLiteral("vessel"))};
    c.SetLayerBrushStyle(layers[2], bsSolid);
    c.SetLayerBrushFg(layers[2], 0x00C000);
    std::vector<long> made;
    for (int step = 0; step < 400; ++step) {
        const int layer = layers[pick(4)];
        auto any = [&] { return made.empty() ? -1L : made[pick(static_cast<int>(made.size()))]; };
        switch (pick(26)) {
        case 0: case 1: made.push_back(c.DrawLine(uni(0, 1000), uni(0, 1000), uni(0, 1000), uni(0, 1000), layer)); break;
        case 2: made.push_back(c.DrawPoint(uni(0, 1000), uni(0, 1000), layer)); break;
        case 3: made.push_back(c.DrawCircle(uni(0, 1000), uni(0, 1000), uni(1, 200), layer)); break;
        case 4: made.push_back(c.DrawRectangle(uni(0, 1000), uni(0, 1000), uni(0, 1000), uni(0, 1000), layer)); break;
        case 5: made.push_back(c.TextAdd(layer, QStringLiteral("T%1").arg(step), uni(0, 1000), uni(0, 1000), 0)); break;
        case 6: made.push_back(c.DrawPolyline({{uni(0, 1000), uni(0, 1000)}, {uni(0, 1000), uni(0, 1000)},
                                               {uni(0, 1000), uni(0, 1000)}}, layer, pick(2) == 0)); break;
        case 7: c.CadClearShapes(layers[3]); break;
        case 8: if (!made.empty()) c.ShapeDelete(made[pick(static_cast<int>(made.size()))]); break;
        case 9: c.SetLayerPenFg(layer, pick(2) ? 0xFF0000 : 0x0000FF); break;
        case 10: if (!made.empty()) c.SetShapePenWidth(made[pick(static_cast<int>(made.size()))], pick(4)); break;
        case 11: if (pick(8) == 0) c.WorldPan(uni(-50, 50), uni(-50, 50)); break;
        case 12: c.ShapeSelect(any(), pick(2) == 0); break;
        case 13: if (pick(2)) c.ShapeToFront(any()); else c.ShapeToBack(any()); break;
        case 14: c.SetLayerVisible(layer, !c.GetLayerVisible(layer)); break;
        case 15: if (THShape* s = c.FindShape(any())) s->Visible = !s->Visible; break;
        case 16: c.ShapeToLayer(any(), layers[pick(4)]); break;
        case 17: c.SetShapePenFg(any(), pick(2) ? 0x808080 : 0x00FF00); break;
        case 18: c.ShapeTranslate(any(), uni(-30, 30), uni(-30, 30)); break;
        case 19: c.SetLayerPenWidth(layer, pick(3)); break;
        case 20: if (pick(2)) c.CadDeselectShapes(); else c.LayerSelectShapes(layer, pick(2) == 0); break;
        case 21: { THalvekCanvasModel& m = c; made.push_back(m.DrawLine(uni(0, 1000), uni(0, 1000), uni(0, 1000), uni(0, 1000), layer)); break; }
        case 22: c.ShapePointInsert(any(), 1, uni(0, 1000), uni(0, 1000)); break;
        case 23: c.DeleteSelectedShapes(); break;
        case 24: case 25: {  // a run of track segments shorter than a pixel
            const double x = uni(0, 1000), y = uni(0, 1000);
            for (int i = 0; i < 6; ++i)
                made.push_back(c.DrawLine(x + i * 0.9, y + i * 0.4, x + (i + 1) * 0.9, y + (i + 1) * 0.4, layer));
            break;
        }
        }
        if (pick(3) == 0) {
            ASSERT_EQ(c.BackBuffer(), fullRebuildOf(c)) << "step " << step;
        }
    }
    EXPECT_GT(c.Renderer().stats().tailRebuilds, 20);
}

// A survey's track seen whole: segments far shorter than a pixel, on two
// layers in turn, some selected. Thinned, it paints the pixels of drawing every
// segment, and far fewer shapes are drawn.
TEST(Renderer, TrackOfShortSegmentsSeenWholeIsThinnedToTheSamePixels)
{
    for (const int penWidth : {0, 1, 2, 3}) {
        PixelCanvas c(200, 160);
        c.WorldSet(0, 16000, 20000, 0);  // 100 units a pixel
        const int fix = c.LayerOpen(QStringLiteral("track_fix"));
        const int flt = c.LayerOpen(QStringLiteral("track_float"));
        c.SetLayerPenFg(fix, 0x008000);
        c.SetLayerPenFg(flt, 0x00C0C0);
        c.SetLayerPenWidth(fix, penWidth);
        c.SetLayerPenWidth(flt, penWidth);
        std::mt19937 rng(99);
        std::normal_distribution<double> turn(0.0, 0.05);
        double x = 10000, y = 8000, heading = 0.3;
        constexpr int kSegments = 40000;
        for (int i = 0; i < kSegments; ++i) {
            heading += turn(rng);
            double nx = x + 7.0 * std::cos(heading), ny = y + 7.0 * std::sin(heading);
            if (nx < 1000 || nx > 19000 || ny < 1000 || ny > 15000) {  // turn back, well inside the window
                heading += 3.14159;
                nx = x + 7.0 * std::cos(heading);
                ny = y + 7.0 * std::sin(heading);
            }
            const long n = c.DrawLine(x, y, nx, ny, (i / 700) % 3 == 2 ? flt : fix);
            if (i % 1500 < 40)
                c.ShapeSelect(n, true);
            x = nx;
            y = ny;
        }
        const QImage thinned = c.picture();
        EXPECT_EQ(thinned, everyShapeDrawn(c)) << "pen width " << penWidth;
        EXPECT_LT(c.Renderer().stats().lastDrawn, kSegments / 5) << "pen width " << penWidth;
        EXPECT_GT(countColour(thinned, 0x008000), 100) << "the track shows, pen width " << penWidth;
    }
}

// More shapes in view than the limit: a plan imported, the vessel drawn, more
// imported over it, then the newest track marks. The newest shapes show; the
// vessel shows once its layer is named; redrawing in part still equals a full
// rebuild, also when where the newest shapes begin moves on.
TEST(Renderer, DrawingLimitNeverHidesTheVesselOrTheNewestTrack)
{
    PixelCanvas c(200, 200);
    const int plan = c.LayerOpen(QStringLiteral("plan"));
    const int later = c.LayerOpen(QStringLiteral("later plan"));
    const int vessel = c.LayerOpen(QStringLiteral("~~Halvek Vessel"));
    const int track = c.LayerOpen(QStringLiteral("track_fix"));
    c.SetLayerPenFg(plan, 0x808080);
    c.SetLayerPenFg(later, 0x0080FF);
    c.SetLayerPenFg(vessel, 0xFF0000);
    c.SetLayerPenFg(track, 0x00C000);
    constexpr unsigned kVesselRgb = 0x0000FF, kTrackRgb = 0x00C000, kLaterRgb = 0xFF8000;
    auto import = [&](int layer, int count, int rows, double bottom) {  // short lines in a band
        for (int i = 0; i < count; ++i) {
            const double x = i % 60 * 3, y = bottom + (i / 60) % rows;
            c.THalvekCanvasModel::DrawLine(x, y, x + 2, y, layer);
        }
        c.NeedsRedraw = true;
    };
    const QRect trackArea(0, 20, 200, 10);
    import(plan, ChartRenderer::kDrawLimit + 5000, 80, 10);  // pixel rows 110 .. 189
    c.DrawCircle(150, 150, 10, vessel);
    import(later, 2 * static_cast<int>(ChartRenderer::kNewestStep), 5, 100);  // rows 96 .. 100
    for (int k = 0; k < 10; ++k)
        c.DrawLine(20 + k * 5, 175, 24 + k * 5, 175, track);

    QImage img = c.picture();
    EXPECT_EQ(c.Renderer().stats().lastCounted, ChartRenderer::kDrawLimit);
    EXPECT_GT(countColour(img, kTrackRgb, trackArea), 30) << "the newest marks";
    EXPECT_EQ(countColour(img, kVesselRgb), 0) << "the limit cut the vessel off";

    c.SetAlwaysDrawnLayer(vessel);
    img = c.picture();
    EXPECT_GT(countColour(img, kVesselRgb), 40) << "the named vessel layer";
    EXPECT_EQ(img, fullRebuildOf(c));

    const long fullRebuilds = c.Renderer().stats().fullRebuilds;
    for (int tick = 0; tick < 4; ++tick) {
        c.CadClearShapes(vessel);
        c.DrawCircle(150 - tick * 5, 150, 10, vessel);
        c.DrawLine(70 + tick * 5, 175, 74 + tick * 5, 175, track);
        c.Refresh();
        ASSERT_EQ(c.BackBuffer(), fullRebuildOf(c)) << "tick " << tick;
    }
    EXPECT_LE(c.Renderer().stats().fullRebuilds, fullRebuilds + 1);

    EXPECT_GT(countColour(c.BackBuffer(), kLaterRgb), 100) << "the later plan's newest lines";

    // More shapes: the newest span moves up past the later plan, which falls under the limit.
    for (int i = 0; i < 2 * static_cast<int>(ChartRenderer::kNewestStep); ++i)
        c.DrawLine(100, 176, 100 + i % 3, 176, track);
    c.CadClearShapes(vessel);
    c.DrawCircle(130, 150, 10, vessel);
    ASSERT_EQ(c.BackBuffer(), fullRebuildOf(c));
    EXPECT_GT(countColour(c.BackBuffer(), kVesselRgb), 40);
    EXPECT_EQ(countColour(c.BackBuffer(), kLaterRgb), 0);
}

}  // namespace
