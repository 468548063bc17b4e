// Making a million track shapes against the floor of a plain vector of records
// with the same fields (number, layer, pen colour, width, coordinates, bounds),
// each case in a child process of its own so that none inherits another's
// heap, each the median of three such processes:
//   ns_per_shape     CPU time of the making loop per shape;
//   floor_ns         the same for the records;
//   time_ratio       ns_per_shape / floor_ns                    (goal <= 1.2);
//   bytes_per_shape  resident bytes the chart grows by, per shape (goal <= 100);
//   floor_bytes      the same for the records.

#include "support/ProcessMemory.h"
#include "support/SurveyTrack.h"
#include "canvas/THalvekCanvasModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <vector>

namespace {

constexpr std::size_t kShapes = 1000000;

enum class Mark { Point, Line };

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Figures {
    double seconds = 0;
    double residentBytes = 0;
};

// The CPU time of loop and the resident bytes the process grew by while it
// ran (what it made is still alive when this returns).
template <class Loop>
Figures measured(Loop&& loop)
{
    const double before = benchsupport::residentMB();
    const double start = cpuSeconds();
    loop();
    Figures f;
    f.seconds = cpuSeconds() - start;
    f.residentBytes = (benchsupport::residentMB() - before) * 1e6;
    return f;
}

Figures makeShapes(Mark mark)
{
    THalvekCanvasModel chart;
    const int track = chart.LayerOpen("track_fix");
    chart.SetLayerPenFg(track, 0x00A000);
    chart.SetLayerPenWidth(track, 2);
    return measured([&] {
        double lastE = 499000.0, lastN = 4499000.0;
        for (std::size_t i = 0; i < kShapes; ++i) {
            double e, n;
            benchsupport::trackPoint(i, e, n);
            if (mark == Mark::Point)
                chart.DrawPoint(e, n, track);
            else
                chart.DrawLine(lastE, lastN, e, n, track);
            lastE = e;
            lastN = n;
        }
        benchmark::DoNotOptimize(chart.ShapeCount());
    });
}

struct PointRecord {
    long number;
    int layer;
    std::uint32_t pen;
    int width;
    double x, y;
    double minX, minY, maxX, maxY;
};

struct LineRecord {
    long number;
    int layer;
    std::uint32_t pen;
    int width;
    double x1, y1, x2, y2;
    double minX, minY, maxX, maxY;
};

Figures makeRecords(Mark mark)
{
    std::vector<PointRecord> points;
    std::vector<LineRecord> lines;
    return measured([&] {
        double lastE = 499000.0, lastN = 4499000.0;
        for (std::size_t i = 0; i < kShapes; ++i) {
            double e, n;
            benchsupport::trackPoint(i, e, n);
            const long number = static_cast<long>(i) + 1;
            if (mark == Mark::Point)
                points.push_back(PointRecord{number, 1, 0x00A000, 2, e, n, e - 3, n - 3, e + 3, n + 3});
            else
                lines.push_back(LineRecord{number, 1, 0x00A000, 2, lastE, lastN, e, n, std::min(lastE, e),
                                           std::min(lastN, n), std::max(lastE, e), std::max(lastN, n)});
            lastE = e;
            lastN = n;
        }
        benchmark::DoNotOptimize(points.data());
        benchmark::DoNotOptimize(lines.data());
    });
}

// The median of three child processes, by time; the resident bytes of the same runs' median.
template <class Work>
bool medianOfThree(Work&& work, Figures& median)
{
    std::array<Figures, 3> runs;
    for (Figures& run : runs)
        if (!benchsupport::runInChild(work, run))
            return false;
    auto middle = [](std::array<double, 3> v) {
        std::sort(v.begin(), v.end());
        return v[1];
    };
    median.seconds = middle({runs[0].seconds, runs[1].seconds, runs[2].seconds});
    median.residentBytes = middle({runs[0].residentBytes, runs[1].residentBytes, runs[2].residentBytes});
    return true;
}

void BM_MakeShapesAgainstRecords(benchmark::State& state)
{
    const auto mark = static_cast<Mark>(state.range(0));
    for (auto _ : state) {
        Figures shapes, records;
        if (!medianOfThree([mark] { return makeShapes(mark); }, shapes) ||
            !medianOfThree([mark] { return makeRecords(mark); }, records)) {
            state.SkipWithError("a measuring process failed");
            return;
        }
        state.counters["ns_per_shape"] = shapes.seconds * 1e9 / kShapes;
        state.counters["floor_ns"] = records.seconds * 1e9 / kShapes;
        state.counters["time_ratio"] = shapes.seconds / records.seconds;
        state.counters["bytes_per_shape"] = shapes.residentBytes / kShapes;
        state.counters["floor_bytes"] = records.residentBytes / kShapes;
    }
}
BENCHMARK(BM_MakeShapesAgainstRecords)
    ->ArgName("line")  // 0: DrawPoint, 1: DrawLine
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
