// Chart rendering benchmarks (offscreen, 1000 x 800 pixels).
//
// MapTick/N: one map-timer tick on a chart of N track segments: the vessel
//   layer is cleared and drawn again, one track segment added, the pens set
//   again, the overlays fed, and a frame painted. Goal: MapTick/1M within 1.5x
//   of MapTick/1k.
// MapTickFollow/N: the map tick while following the vessel, on a survey of N
//   track segments seen whole: the vessel moves two pixels a tick (back and
//   forth, so the track stays in view) and the window follows it by whole
//   pixels (WorldPanRounded), which moves the picture. Goal: /40000 within
//   1.5x of /1000. Past 500,000 shapes (the drawing limit) every pan is a
//   full rebuild. "scrolled" is the share of ticks that moved the picture.
// PaintUnchanged/N: a paint when nothing in the chart changed (overlays only).
// MapTickDepthLabels/L: the map tick on a chart of 1k track segments with L
//   depth labels in view (0: labels switched off, so the tick adds none; else
//   switched on, the tick sets the label settings and offers a label, as the
//   map timer does). Each run starts from a chart built afresh. Goal: /10000
//   within 1.5x of /0.
// SurveyRebuild/1M: a full rebuild of the survey of a million track segments
//   seen whole (segments of under half a pixel); "drawn" counts the shapes
//   drawn after thinning, far below the 500,000 limit, so the whole track shows.
// FullRebuild/1M vs StraightPrimitives/1M: a full rebuild of a million mixed
//   shapes against drawing the same primitives straight with QPainter. Goal 2x.
// PanFrame/1M, ZoomFrame/1M: frame times while panning and zooming.

#include "canvas/widget/THalvekCanvasCore.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr int kWidth = 1000, kHeight = 800;

struct Chart : THalvekCanvasCore {
    int track = 0, vessel = 0;
    double vx = 0, vy = 0;
    bool labelling = true;  // depth labels switched on
    QImage frame{kWidth, kHeight, QImage::Format_RGB32};

    void paintFrame()
    {
        QPainter p(&frame);
        PaintTo(p);
    }
    void tick()
    {
        CadClearShapes(vessel);
        DrawLine(vx - 4, vy, vx + 4, vy, vessel);
        DrawLine(vx, vy - 6, vx, vy + 8, vessel);
        DrawCircle(vx, vy, 3, vessel);
        SetLayerPenFg(vessel, 0x0000C0);
        SetLayerPenWidth(vessel, 2);
        DrawLine(vx, vy, vx + 1.5, vy + 0.5, track);
        vx += 1.5;
        vy += 0.5;
        SetCurrentDepth(12.3 + std::fmod(vx, 1.0), 0, true);
        SetCurrentSpeed(4.2, true);
        if (labelling) {
            SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 12, 0x800000);
            AddDepthLabel(vx, vy, 12.3 + std::fmod(vx, 3.0));
        }
        Refresh();
        paintFrame();
    }
    // The tick with the window following the vessel.
    long followTicks = 0;
    void followTick()
    {
        const double step = (followTicks++ / 100) % 2 == 0 ? 40.0 : -40.0;  // 2 pixels at 20 m a pixel
        CadClearShapes(vessel);
        DrawLine(vx - 80, vy, vx + 80, vy, vessel);
        DrawLine(vx, vy - 120, vx, vy + 160, vessel);
        DrawCircle(vx, vy, 60, vessel);
        SetLayerPenFg(vessel, 0x0000C0);
        SetLayerPenWidth(vessel, 2);
        DrawLine(vx, vy, vx + step, vy + step / 4, track);
        vx += step;
        vy += step / 4;
        WorldPanRounded(vx - (WorldLeft + WorldRight) / 2, vy - (WorldTop + WorldBottom) / 2);
        SetCurrentDepth(12.3 + std::fmod(vx, 1.0), 0, true);
        SetCurrentSpeed(4.2, true);
        if (labelling) {
            SetDepthLabelSettings(true, 10.0, QStringLiteral("Arial"), 12, 0x800000);
            AddDepthLabel(vx, vy, 12.3 + std::fmod(vx, 3.0));
        }
        Refresh();
        paintFrame();
    }
};

// A survey of n track segments in lawn-mower lines over 20 x 16 km, shown whole.
std::unique_ptr<Chart> surveyChart(long n)
{
    auto c = std::make_unique<Chart>();
    c->Resize(kWidth, kHeight);
    c->WorldSet(0, 16000, 20000, 0);
    c->track = c->LayerOpen(QStringLiteral("track_fix"));
    c->vessel = c->LayerOpen(QStringLiteral("~~Halvek Vessel"));
    c->SetLayerPenFg(c->track, 0x008000);
    const long perLine = std::max(1L, n / 400);
    const double step = 20000.0 / perLine;
    for (long i = 0; i < n; ++i) {
        const long line = i / perLine, k = i % perLine;
        const double y = 20 + line * 40.0;
        const double x0 = (line % 2 == 0) ? k * step : 20000 - k * step;
        const double x1 = (line % 2 == 0) ? x0 + step : x0 - step;
        c->THalvekCanvasModel::DrawLine(x0, y, x1, y, c->track);
    }
    c->vx = 10000;
    c->vy = 8000;
    for (int i = 0; i < 3; ++i)  // first paints: the full rebuilds
        c->tick();
    return c;
}

Chart& cachedSurvey(long n)
{
    static std::map<long, std::unique_ptr<Chart>> charts;
    auto& c = charts[n];
    if (!c)
        c = surveyChart(n);
    return *c;
}

void MapTick(benchmark::State& state)
{
    Chart& c = cachedSurvey(state.range(0));
    for (auto _ : state)
        c.tick();
    state.counters["shapes"] = c.ShapeCount();
    state.counters["tail"] = static_cast<double>(c.Renderer().stats().lastTailLength);
}
BENCHMARK(MapTick)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void MapTickFollow(benchmark::State& state)
{
    static std::map<long, std::unique_ptr<Chart>> charts;
    auto& c = charts[state.range(0)];
    if (!c) {
        c = surveyChart(state.range(0));
        c->SetAlwaysDrawnLayer(c->vessel);
        c->labelling = !qEnvironmentVariableIsSet("NOLABELS");
        c->followTick();
    }
    const long scrollsBefore = c->Renderer().stats().scrolls;
    for (auto _ : state)
        c->followTick();
    state.counters["shapes"] = c->ShapeCount();
    state.counters["scrolled"] = benchmark::Counter(
        static_cast<double>(c->Renderer().stats().scrolls - scrollsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(MapTickFollow)->Arg(1000)->Arg(40000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void PaintUnchanged(benchmark::State& state)
{
    Chart& c = cachedSurvey(state.range(0));
    c.paintFrame();
    const long before = c.Renderer().stats().fullRebuilds + c.Renderer().stats().tailRebuilds;
    for (auto _ : state)
        c.paintFrame();
    const long after = c.Renderer().stats().fullRebuilds + c.Renderer().stats().tailRebuilds;
    state.counters["rebuilds"] = static_cast<double>(after - before);
}
BENCHMARK(PaintUnchanged)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void SurveyRebuild(benchmark::State& state)
{
    Chart& c = cachedSurvey(state.range(0));
    for (auto _ : state) {
        c.NeedsRedraw = true;
        benchmark::DoNotOptimize(c.BackBuffer().constBits());
    }
    state.counters["shapes"] = c.ShapeCount();
    state.counters["drawn"] = static_cast<double>(c.Renderer().stats().lastDrawn);
}
BENCHMARK(SurveyRebuild)->Arg(1000000)->Unit(benchmark::kMillisecond);

void MapTickDepthLabels(benchmark::State& state)
{
    const int labels = static_cast<int>(state.range(0));
    std::unique_ptr<Chart> c = surveyChart(1000);
    c->ClearDepthLabels();
    c->labelling = labels > 0;
    c->SetDepthLabelSettings(labels > 0, 10.0, QStringLiteral("Arial"), 12, 0x800000);
    // A grid of soundings over the whole window (16 x 20 km shown on 1000 x 800 pixels).
    for (int i = 0; i < labels; ++i)
        c->AddDepthLabel(100 + i % 125 * 127.0, 100 + i / 125 * 248.0, 5.0 + (i % 37) * 0.61);
    c->tick();
    const long rebuildsBefore = c->DepthLabelImage().stats().rebuilds;
    const long rowsBefore = c->DepthLabelImage().stats().rowsLaid;
    const long comparedBefore = c->DepthLabelImage().stats().rowsCompared;
    for (auto _ : state)
        c->tick();
    state.counters["rowsLaidPerTick"] = benchmark::Counter(
        static_cast<double>(c->DepthLabelImage().stats().rowsLaid - rowsBefore), benchmark::Counter::kAvgIterations);
    state.counters["rowsComparedPerTick"] = benchmark::Counter(
        static_cast<double>(c->DepthLabelImage().stats().rowsCompared - comparedBefore),
        benchmark::Counter::kAvgIterations);
    state.counters["labels"] = static_cast<double>(c->DepthLabels.size());
    state.counters["labelImageRebuilds"] = static_cast<double>(c->DepthLabelImage().stats().rebuilds - rebuildsBefore);
}
BENCHMARK(MapTickDepthLabels)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);

// ---- a million mixed shapes ----

struct Mixed {
    std::unique_ptr<Chart> chart;
    // The primitives a full rebuild draws, in pixels, for the straight drawing.
    struct Prim {
        int kind;  // 0 line, 1 point, 2 ellipse, 3 rectangle, 4 polyline
        QPoint a, b, c;
        QColor colour;
    };
    std::vector<Prim> prims;
};

// A million shapes over a 4 x 3.2 km area; the window shows the middle 40 %.
Mixed& mixedChart()
{
    static Mixed m;
    if (m.chart)
        return m;
    m.chart = std::make_unique<Chart>();
    Chart& c = *m.chart;
    c.Resize(kWidth, kHeight);
    const int layers[5] = {c.LayerOpen("lines"), c.LayerOpen("points"), c.LayerOpen("circles"),
                           c.LayerOpen("rectangles"), c.LayerOpen("polylines")};
    const TColor colours[5] = {0x202020, 0x0000C0, 0xC00000, 0x008000, 0x808000};
    for (int i = 0; i < 5; ++i)
        c.SetLayerPenFg(layers[i], colours[i]);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> X(0, 4000), Y(0, 3200), d(-15, 15), r(2, 12);
    for (long i = 0; i < 1000000; ++i) {
        const int kind = i % 20 < 8 ? 0 : i % 20 < 12 ? 1 : i % 20 < 14 ? 2 : i % 20 < 17 ? 3 : 4;
        const double x = X(rng), y = Y(rng);
        switch (kind) {
        case 0: c.THalvekCanvasModel::DrawLine(x, y, x + d(rng), y + d(rng), layers[0]); break;
        case 1: c.THalvekCanvasModel::DrawPoint(x, y, layers[1]); break;
        case 2: c.THalvekCanvasModel::DrawCircle(x, y, r(rng), layers[2]); break;
        case 3: c.THalvekCanvasModel::DrawRectangle(x, y, x + r(rng), y + r(rng), layers[3]); break;
        default:
            c.THalvekCanvasModel::DrawPolyline({{x, y}, {x + d(rng), y + d(rng)}, {x + d(rng), y + d(rng)}},
                                               layers[4], false);
        }
    }
    c.WorldSet(1200, 2240, 2800, 960);
    // The straight list: every shape in the window, mapped as the shapes map themselves.
    const double kx = kWidth / (c.WorldRight - c.WorldLeft), ky = kHeight / (c.WorldTop - c.WorldBottom);
    auto P = [&](double x, double y) { return QPoint(int((x - c.WorldLeft) * kx), int((c.WorldTop - y) * ky)); };
    for (const THShape* s : c.Shapes()) {
        const skerra::canvas::ShapeBounds b = s->Bounds();
        if (b.maxX < c.WorldLeft || b.minX > c.WorldRight || b.maxY < c.WorldBottom || b.minY > c.WorldTop)
            continue;
        Mixed::Prim p{};
        p.colour = skerra::toQColor(s->PenFg());
        if (auto* l = shape_cast<THLine>(s)) {
            p.kind = 0, p.a = P(l->X1, l->Y1), p.b = P(l->X2, l->Y2);
        } else if (auto* pt = shape_cast<THPoint>(s)) {
            p.kind = 1, p.a = P(pt->X, pt->Y);
        } else if (auto* ci = shape_cast<THCircle>(s)) {
            const int rx = int(ci->Radius * kx);
            p.kind = 2, p.a = P(ci->CX, ci->CY) - QPoint(rx, rx), p.b = P(ci->CX, ci->CY) + QPoint(rx, rx);
        } else if (auto* re = shape_cast<THRectangle>(s)) {
            p.kind = 3, p.a = P(re->X1, re->Y2), p.b = P(re->X2, re->Y1);
        } else if (auto* pl = shape_cast<THPolyline>(s)) {
            p.kind = 4, p.a = P(pl->Points[0].x, pl->Points[0].y), p.b = P(pl->Points[1].x, pl->Points[1].y),
            p.c = P(pl->Points[2].x, pl->Points[2].y);
        }
        m.prims.push_back(p);
    }
    return m;
}

void FullRebuild(benchmark::State& state)
{
    Mixed& m = mixedChart();
    for (auto _ : state) {
        m.chart->NeedsRedraw = true;
        benchmark::DoNotOptimize(m.chart->BackBuffer().constBits());
    }
    state.counters["drawnCandidates"] = static_cast<double>(m.prims.size());
}
BENCHMARK(FullRebuild)->Unit(benchmark::kMillisecond);

void StraightPrimitives(benchmark::State& state)
{
    Mixed& m = mixedChart();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        QColor current;
        for (const Mixed::Prim& prim : m.prims) {
            if (prim.colour != current) {
                current = prim.colour;
                p.setPen(QPen(current, 0, Qt::SolidLine, Qt::FlatCap));
            }
            switch (prim.kind) {
            case 0: p.drawLine(prim.a, prim.b); break;
            case 1: p.fillRect(QRect(prim.a, QSize(2, 2)), current); break;
            case 2: p.drawEllipse(QRect(prim.a, prim.b)); break;
            case 3: p.drawRect(QRect(prim.a, prim.b)); break;
            default: {
                const QPoint pts[3] = {prim.a, prim.b, prim.c};
                p.drawPolyline(pts, 3);
            }
            }
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(StraightPrimitives)->Unit(benchmark::kMillisecond);

void PanFrame(benchmark::State& state)
{
    Mixed& m = mixedChart();
    int i = 0;
    for (auto _ : state) {
        m.chart->WorldPan((i++ % 2 == 0) ? 5.0 : -5.0, 0.0);
        m.chart->paintFrame();
    }
}
BENCHMARK(PanFrame)->Unit(benchmark::kMillisecond);

void ZoomFrame(benchmark::State& state)
{
    Mixed& m = mixedChart();
    int i = 0;
    for (auto _ : state) {
        const double f = (i++ % 2 == 0) ? 0.1 : -1.0 / 9.0;
        m.chart->WorldZoom(0, f, 2000, 1600);
        m.chart->paintFrame();
    }
}
BENCHMARK(ZoomFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
