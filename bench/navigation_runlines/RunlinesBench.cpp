// Runlines at the most lines the generator makes (100,000), on their own and drawn on
// the chart, and a refused spacing: each edit of the spacing lays the lines out anew.

#include "canvas/THalvekCanvasModel.h"
#include "navigation/RunlineGeometry.h"

#include <benchmark/benchmark.h>

namespace {

const RunlinePolyline kRoute{{0, 0}, {500, 200}, {900, 0}, {1400, 300}};

void BM_ParallelLinesAtTheCap(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(runlines(kRoute, 1, 50000, RunlineMode::Parallel));
}
BENCHMARK(BM_ParallelLinesAtTheCap)->Unit(benchmark::kMillisecond);

// About 100,000 cross lines over the route's 1,680 m.
void BM_PerpendicularLinesNearTheCap(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(runlines(kRoute, 0.017, 50, RunlineMode::Perpendicular));
}
BENCHMARK(BM_PerpendicularLinesNearTheCap)->Unit(benchmark::kMillisecond);

void BM_TinySpacingRefused(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(runlines(kRoute, 1e-9, 50, RunlineMode::Perpendicular));
}
BENCHMARK(BM_TinySpacingRefused);

// The generator's whole work on the chart: the layer emptied, then every line drawn.
void BM_CapDrawnOnTheChart(benchmark::State& state)
{
    THalvekCanvasModel chart;
    const int layer = chart.LayerOpen(QStringLiteral("Halvek_Runlines"));
    for (auto _ : state) {
        chart.CadClearShapes(layer);
        const std::optional<std::vector<RunlinePolyline>> lines = runlines(kRoute, 1, 50000, RunlineMode::Parallel);
        for (const RunlinePolyline& line : *lines) chart.DrawPolyline(line, layer, false);
    }
}
BENCHMARK(BM_CapDrawnOnTheChart)->Unit(benchmark::kMillisecond);

}  // namespace
