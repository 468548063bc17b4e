// Resident memory of a process holding what the running program holds for its
// chart: the application object (offscreen platform), the chart widget of
// 1000 x 800 pixels with its pictures, and the model filled the way the map
// timer fills it: at every tick the vessel layer is cleared and drawn again,
// the track layer's pen is set, and one track mark is added (a line from the
// last track point, or a point); every so often a frame is painted.
//
// Counters (whole process, read from /proc/self/statm):
//   MB_start       the application object alone;
//   MB_empty_chart with the widget shown and painted, standard layers open;
//   MB_process     after the track marks and a full repaint;
//   bytes_per_shape (MB_process - MB_empty_chart) per track mark;
//   MB_peak        the highest resident size the process had (while vectors grow).
// Goal: MB_process at most 200 MB at 1,000,000 track shapes.
// Each case runs in a child process of its own (with its own application
// object), so that no case inherits the heap of another.

#include "support/ProcessMemory.h"
#include "support/QtBenchmarkMain.h"
#include "canvas/widget/THalvekCanvas.h"
#include "platform/SkerraApplication.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using benchsupport::residentMB;
using benchsupport::peakMB;

enum class Marks { Lines, Points, Alternating };

// The main window's chart with its standard layers, as the survey fills it.
struct SurveyWindow {
    THalvekCanvas canvas;
    int vessel = -1, track = -1;
    double e = 500000.0, n = 4500000.0;  // the vessel, metres of the grid
    double lastE = e, lastN = n;         // the last track point

    SurveyWindow()
    {
        canvas.resize(1000, 800);
        vessel = canvas.LayerOpen(QStringLiteral("~~Halvek Vessel"));
        track = canvas.LayerOpen(QStringLiteral("track_fix"));
        canvas.LayerOpen(QStringLiteral("track_float"));
        canvas.LayerOpen(QStringLiteral("track_nofix"));
        canvas.WorldSet(e - 1000.0, n + 800.0, e + 1000.0, n - 800.0);
        canvas.show();
        paint();
    }

    void paint()
    {
        canvas.repaint();
        QCoreApplication::processEvents();
    }

    void drawVessel()
    {
        canvas.CadClearShapes(vessel);
        canvas.SetLayerPenFg(vessel, 0x0000FF);
        canvas.SetLayerPenWidth(vessel, 2);
        for (int k = 0; k < 5; ++k)
            canvas.DrawLine(e, n, e + k, n + 10.0, vessel);
        canvas.DrawCircle(e, n, 10.0, vessel);
        canvas.DrawCircle(e, n, 20.0, vessel);
    }

    // A lawn-mower survey: 2 m steps along 2 km lines 20 m apart.
    void trackMark(std::size_t i, bool asLine)
    {
        const std::size_t perLine = 1000;
        const std::size_t line = i / perLine, k = i % perLine;
        e = 499000.0 + ((line % 2 == 0) ? k * 2.0 : 2000.0 - k * 2.0);
        n = 4499000.0 + line * 20.0;
        canvas.SetLayerPenFg(track, 0x00A000);
        canvas.SetLayerPenWidth(track, 2);
        if (asLine)
            canvas.DrawLine(e, n, lastE, lastN, track);
        else
            canvas.DrawPoint(e, n, track);
        lastE = e;
        lastN = n;
    }
};

struct Figures {
    double start = 0, emptyChart = 0, process = 0, peak = 0;
};

Figures measure(std::size_t count, Marks marks)
{
    int argc = 1;
    char name[] = "canvas_memory_bench";
    char* argv[] = {name, nullptr};
    skerra::SkerraApplication app(argc, argv);
    Figures f;
    f.start = residentMB();
    SurveyWindow window;
    f.emptyChart = residentMB();
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 1000 == 0) {
            window.drawVessel();
            window.paint();
        }
        const bool asLine = marks == Marks::Lines || (marks == Marks::Alternating && i % 2 == 1);
        window.trackMark(i, asLine);
    }
    window.canvas.WorldExtents();  // the whole survey in view: a full rebuild
    window.paint();
    f.process = residentMB();
    f.peak = peakMB();
    return f;
}

void BM_WholeProcessMemory(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto marks = static_cast<Marks>(state.range(1));
    for (auto _ : state) {
        Figures f;
        if (!benchsupport::runInChild([&] { return measure(count, marks); }, f)) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        state.counters["MB_start"] = f.start;
        state.counters["MB_empty_chart"] = f.emptyChart;
        state.counters["MB_process"] = f.process;
        state.counters["bytes_per_shape"] = (f.process - f.emptyChart) * 1e6 / static_cast<double>(count);
        state.counters["MB_peak"] = f.peak;
    }
}
BENCHMARK(BM_WholeProcessMemory)
    ->ArgNames({"shapes", "marks"})  // marks: 0 lines, 1 points, 2 alternating
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Args({1000000, 2})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::runQtBenchmarks(argc, argv); }
