// The canvas model at 1,000, 100,000 and 1,000,000 shapes: the map timer's
// work (vessel layer cleared and redrawn, track marks added, layers restyled),
// lookup by number against a plain hash map, fitting the view, clearing a
// layer, deleting a 10 % selection, and the memory a track shape costs.

#include "canvas/ShapeAllocator.h"
#include "canvas/THalvekCanvasModel.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <unordered_map>
#include <unistd.h>

namespace {

// A chart as the survey leaves it: n track marks (lines and points) on a track
// layer, plus the vessel layer with its handful of shapes on top.
struct SurveyChart {
    THalvekCanvasModel canvas;
    int track = -1;
    int vessel = -1;
    double e = 500000.0, n = 4500000.0;

    explicit SurveyChart(std::size_t marks)
    {
        vessel = canvas.LayerOpen("~~Halvek Vessel");
        track = canvas.LayerOpen("track_fix");
        for (std::size_t i = 0; i < marks; ++i)
            addMark(i);
    }

    void addMark(std::size_t i)
    {
        const double x = e + i * 2.0;
        if (i % 2)
            canvas.DrawLine(x, n, x - 2.0, n, track);
        else
            canvas.DrawPoint(x, n, track);
    }

    // One map-timer tick: the vessel symbol redrawn, the layers restyled, one track mark.
    void tick(std::size_t i)
    {
        canvas.CadClearShapes(vessel);
        canvas.SetLayerPenFg(vessel, 0x0000FF);
        canvas.SetLayerPenWidth(vessel, 2);
        const double x = e + i * 0.5;
        for (int k = 0; k < 5; ++k)
            canvas.DrawLine(x, n, x + k, n + 10, vessel);
        canvas.DrawCircle(x, n, 10, vessel);
        canvas.DrawCircle(x, n, 20, vessel);
        canvas.SetLayerPenFg(track, 0x00FF00);
        canvas.SetLayerPenWidth(track, 1);
        canvas.DrawPoint(x, n, track);
    }
};

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

void BM_AddTrackMarks(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto chart = std::make_unique<SurveyChart>(0);
        state.ResumeTiming();
        for (std::size_t i = 0; i < n; ++i)
            chart->addMark(i);
        benchmark::DoNotOptimize(chart->canvas.ShapeCount());
        state.PauseTiming();
        chart.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddTrackMarks)->Apply(Sizes)->Iterations(3);

void BM_MapTimerTick(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state)
        chart.tick(i++);
}
BENCHMARK(BM_MapTimerTick)->Apply(Sizes);

void BM_ClearVesselLayer(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 7; ++k)
            chart.canvas.DrawLine(k, k, k + 1, k + 1, chart.vessel);
        chart.canvas.DrawPoint(i++, 0, chart.track);  // the vessel is not the last thing drawn
        chart.canvas.CadClearShapes(chart.vessel);
    }
}
BENCHMARK(BM_ClearVesselLayer)->Apply(Sizes);

std::vector<long> randomNumbers(long maxNumber, std::size_t count)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<long> pick(1, maxNumber);
    std::vector<long> numbers(count);
    for (long& v : numbers)
        v = pick(rng);
    return numbers;
}

void BM_FindShape(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    const auto numbers = randomNumbers(chart.canvas.NextShapeId() - 1, 1 << 16);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart.canvas.FindShape(numbers[i++ & 0xFFFF]));
    }
}
BENCHMARK(BM_FindShape)->Apply(Sizes)->Unit(benchmark::kNanosecond);

// The floor: a plain std::unordered_map from the same numbers to the same shapes.
void BM_FindShapeHashMapFloor(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    std::unordered_map<long, THShape*> plain;
    for (THShape* s : chart.canvas.Shapes())
        plain.emplace(s->ShapeNumber(), s);
    const auto numbers = randomNumbers(chart.canvas.NextShapeId() - 1, 1 << 16);
    std::size_t i = 0;
    for (auto _ : state) {
        auto it = plain.find(numbers[i++ & 0xFFFF]);
        benchmark::DoNotOptimize(it == plain.end() ? nullptr : it->second);
    }
}
BENCHMARK(BM_FindShapeHashMapFloor)->Apply(Sizes)->Unit(benchmark::kNanosecond);

void BM_WorldExtents(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        chart.canvas.WorldExtents();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WorldExtents)->Apply(Sizes);

void BM_ClearTrackLayer(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto chart = std::make_unique<SurveyChart>(n);
        state.ResumeTiming();
        chart->canvas.CadClearShapes(chart->track);
        state.PauseTiming();
        chart.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ClearTrackLayer)->Apply(Sizes)->Iterations(3);

void BM_DeleteTenPercentSelection(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto chart = std::make_unique<SurveyChart>(n);
        for (long number : randomNumbers(static_cast<long>(n), n / 10))
            chart->canvas.ShapeSelect(number, true);
        state.ResumeTiming();
        chart->canvas.CadClearSelectedShapes();
        state.PauseTiming();
        chart.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) / 10);
}
BENCHMARK(BM_DeleteTenPercentSelection)->Apply(Sizes)->Iterations(3);

void BM_RestyleTrackLayer(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    TColor colour = 1;
    for (auto _ : state)
        chart.canvas.SetLayerPenFg(chart.track, colour ^= 0x0000FF);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RestyleTrackLayer)->Apply(Sizes);

void BM_RestyleTrackLayerUnchanged(benchmark::State& state)
{
    SurveyChart chart(static_cast<std::size_t>(state.range(0)));
    chart.canvas.SetLayerPenFg(chart.track, 0x00FF00);
    for (auto _ : state)
        chart.canvas.SetLayerPenFg(chart.track, 0x00FF00);
}
BENCHMARK(BM_RestyleTrackLayerUnchanged)->Apply(Sizes)->Unit(benchmark::kNanosecond);

void BM_MemoryPerTrackShape(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        const long before = residentBytes();
        SurveyChart chart(n);
        const long after = residentBytes();
        state.counters["bytes_per_shape"] = static_cast<double>(after - before) / n;
        state.counters["MB_total"] = static_cast<double>(after - before) / 1e6;
        // What one track shape costs in its own object (the rest: number index, drawing order, layer list).
        state.counters["object_bytes_line"] = sizeof(THLine);
        state.counters["object_bytes_point"] = sizeof(THPoint);
        state.counters["MB_shape_slabs"] = static_cast<double>(skerra::canvas::ShapeAllocator::slabBytes()) / 1e6;
    }
}
BENCHMARK(BM_MemoryPerTrackShape)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
