// Opening a layout file of a million track shapes the way the program's Open
// command does: merged into the chart widget of 1000 x 800 pixels that shows
// the survey's standard layers, then painted with the whole chart in view.
// Each figure is the median of three child processes of their own (each with
// its own application object); the file is written by another child.
//   open_ms      wall time from the load's start to the end of the paint;
//   open_cpu_ms  CPU time of the same;
//   load_ms      the load alone (wall).

#include "support/SurveyTrack.h"
#include "support/ProcessMemory.h"
#include "support/QtBenchmarkMain.h"
#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/LayoutFile.h"
#include "platform/SkerraApplication.h"

#include <QCoreApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <string>

#include <unistd.h>

namespace {

constexpr std::size_t kShapes = 1000000;

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

QString scratchPath()
{
    const char* base = QDir("/dev/shm").exists() ? "/dev/shm" : "/tmp";
    return QString::fromLatin1(base) + "/skerra-bench-open-" + QString::number(getpid()) + ".qmt";
}

struct Figures {
    double open = -1, openCpu = -1, load = -1;
};

Figures open(const QString& path)
{
    int argc = 1;
    char name[] = "layout_open_bench";
    char* argv[] = {name, nullptr};
    skerra::SkerraApplication app(argc, argv);
    THalvekCanvas canvas;
    canvas.resize(1000, 800);
    for (const char* layer : {"~~Halvek Vessel", "track_fix", "track_float", "track_nofix", "halvek_usershape"})
        canvas.LayerOpen(QString::fromLatin1(layer));
    canvas.show();
    canvas.repaint();
    QCoreApplication::processEvents();
    Figures f;
    const double wall = wallSeconds(), cpu = cpuSeconds();
    if (!CadLoad(canvas, path, LayoutLoadMode::Merge).ok)
        return f;
    f.load = wallSeconds() - wall;
    canvas.WorldExtents();
    canvas.repaint();
    QCoreApplication::processEvents();
    f.open = wallSeconds() - wall;
    f.openCpu = cpuSeconds() - cpu;
    return f;
}

bool writeSurvey(const QString& path)
{
    bool ok = false;
    return benchsupport::runInChild([&] {
        THalvekCanvasModel chart;
        const int fix = chart.LayerOpen("track_fix");
        const int noFix = chart.LayerOpen("track_nofix");
        double lastE = 499000.0, lastN = 4499000.0;
        for (std::size_t i = 0; i < kShapes; ++i) {
            double e, n;
            benchsupport::trackPoint(i, e, n);
            if (i % 3 != 0)
                chart.DrawLine(lastE, lastN, e, n, fix);
            else
                chart.DrawPoint(e, n, noFix);
            lastE = e;
            lastN = n;
        }
        return CadSave(chart, path).ok;
    }, ok) && ok;
}

void BM_OpenLayoutInTheChartWidget(benchmark::State& state)
{
    const QString path = scratchPath();
    if (!writeSurvey(path)) {
        state.SkipWithError("the layout could not be written");
        return;
    }
    for (auto _ : state) {
        std::array<Figures, 3> runs;
        for (Figures& run : runs)
            if (!benchsupport::runInChild([&] { return open(path); }, run) || run.open < 0) {
                state.SkipWithError("the opening process failed");
                QFile::remove(path);
                return;
            }
        auto median = [&runs](double Figures::*field) {
            std::array<double, 3> v{runs[0].*field, runs[1].*field, runs[2].*field};
            std::sort(v.begin(), v.end());
            return v[1];
        };
        state.counters["open_ms"] = median(&Figures::open) * 1e3;
        state.counters["open_cpu_ms"] = median(&Figures::openCpu) * 1e3;
        state.counters["load_ms"] = median(&Figures::load) * 1e3;
    }
    QFile::remove(path);
}
BENCHMARK(BM_OpenLayoutInTheChartWidget)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchsupport::runQtBenchmarks(argc, argv); }
