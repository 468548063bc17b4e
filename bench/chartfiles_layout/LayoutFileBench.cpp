// Layout files of a survey-like chart of a million shapes (track lines and
// points, and some shapes of every other kind), in memory-backed files.
//
// BM_SaveAndLoadAgainstZlib, in one run:
//   text_MB              size of the layout text;
//   save_MBps            CadSave, text megabytes per second (composing, deflating, writing);
//   deflate_MBps         zlib's deflate of the same text with the same parameters, into a
//                        buffer made beforehand (as the inflate's);
//   save_ratio           save_MBps / deflate_MBps            (goal >= 0.7);
//   load_MBps            CadLoad into an empty chart (reading, inflating, parsing, applying);
//   inflate_MBps         zlib's inflate of the same bytes;
//   load_ratio           load_MBps / inflate_MBps            (goal >= 0.7);
//   draw_ms, load_ms     building the same chart by drawing calls, and loading it:
//                        a load cannot be faster than making its shapes.
// Each figure is the best of three.
//
// BM_LoadMemory, each case in a child process of its own:
//   MB_drawn             resident size the chart adds when built by drawing calls;
//   MB_load_peak         highest resident size a load of its file adds;
//   peak_ratio           MB_load_peak / MB_drawn                 (goal <= 2).

#include "support/ProcessMemory.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/LayoutFile.h"
#include "chartfiles/LayoutWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using benchsupport::residentMB;
using benchsupport::peakMB;
using benchsupport::resetPeak;

constexpr std::size_t kShapes = 1000000;

QString scratchFile(const char* name)
{
    static const QString folder = [] {
        const char* base = QDir("/dev/shm").exists() ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/skerra-bench-qmt-XXXXXX";
        char* made = mkdtemp(pattern.data());
        return made ? QString::fromLocal8Bit(made) : QString::fromLatin1(base);
    }();
    return folder + "/" + QString::fromLatin1(name);
}

// A lawn-mower survey: track marks every 2 m along 2 km lines 20 m apart, fixed
// ones as lines, others as points; one shape in a thousand of another kind.
void drawSurvey(THalvekCanvasModel& c, std::size_t count)
{
    const int fix = c.LayerOpen("track_fix");
    const int noFix = c.LayerOpen("track_nofix");
    const int user = c.LayerOpen("halvek_usershape");
    c.SetLayerPenFg(fix, 0x00A000);
    c.SetLayerPenWidth(fix, 2);
    double lastE = 499000.0, lastN = 4499000.0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t line = i / 1000, k = i % 1000;
        const double e = 499000.0 + ((line % 2 == 0) ? k * 2.0 : 2000.0 - k * 2.0) + 0.123;
        const double n = 4499000.0 + line * 20.0 + 0.456;
        if (i % 1000 == 999) {
            switch ((i / 1000) % 8) {
            case 0: c.DrawCircle(e, n, 12.5, user); break;
            case 1: c.DrawRectangle(e, n, e + 30, n + 12, user); break;
            case 2: c.DrawTwoPointEllipse(e, n, e + 20, n + 10, user); break;
            case 3: c.DrawThreePointArc(e, n, e + 5, n + 5, e + 10, n, user); break;
            case 4: c.TextAdd(user, "Depth 12.34 m", e, n, 0); break;
            case 5: c.DrawPolyline({{e, n}, {e + 10, n}, {e + 10, n + 10}, {e, n + 10}}, user, true); break;
            default: c.DrawPolyline({{e, n}, {e + 3, n + 1}, {e + 6, n - 1}, {e + 9, n}, {e + 12, n + 2}}, user, false);
            }
        } else if (i % 3 != 0) {
            c.DrawLine(lastE, lastN, e, n, fix);
        } else {
            c.DrawPoint(e, n, noFix);
        }
        lastE = e;
        lastN = n;
    }
}

double seconds(const std::function<void()>& work)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Deflates into `out`, made ready beforehand (deflateBound bytes, its pages
// touched), as inflated() below: the reference pays for compressing alone.
std::size_t deflated(const std::string& text, std::vector<unsigned char>& out)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    const std::size_t produced = z.total_out;
    deflateEnd(&z);
    return produced;
}

std::size_t deflateBoundOf(std::size_t size)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    const std::size_t bound = deflateBound(&z, static_cast<uLong>(size));
    deflateEnd(&z);
    return bound;
}

std::size_t inflated(const unsigned char* data, std::size_t size, std::vector<char>& out)
{
    z_stream z{};
    inflateInit2(&z, 15);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_FINISH);
    const std::size_t produced = z.total_out;
    inflateEnd(&z);
    return produced;
}

void BM_SaveAndLoadAgainstZlib(benchmark::State& state)
{
    const QString path = scratchFile("survey.qmt");
    for (auto _ : state) {
        double text = 0, save = 0, deflate = 0, load = 0, inflate = 0, draw = 0;
        {
            THalvekCanvasModel chart;
            drawSurvey(chart, kShapes);
            const std::string layout = skerra::layout::composeLayoutText(chart, QDateTime::currentDateTime());
            text = static_cast<double>(layout.size()) / 1e6;
            save = seconds([&] {
                if (!CadSave(chart, path).ok)
                    state.SkipWithError("the save failed");
            });
            std::vector<unsigned char> out(deflateBoundOf(layout.size()));
            deflate = seconds([&] { benchmark::DoNotOptimize(deflated(layout, out)); });
        }
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        std::vector<char> out(static_cast<std::size_t>(text * 1e6) + 1024);
        inflate = seconds([&] {
            benchmark::DoNotOptimize(
                inflated(reinterpret_cast<const unsigned char*>(bytes.constData()) + 4, bytes.size() - 4, out));
        });
        load = seconds([&] {
            THalvekCanvasModel chart;
            if (!CadLoad(chart, path, LayoutLoadMode::Replace).ok)
                state.SkipWithError("the load failed");
        });
        draw = seconds([] {
            THalvekCanvasModel chart;
            drawSurvey(chart, kShapes);
        });
        state.counters["draw_ms"] = draw * 1e3;
        state.counters["load_ms"] = load * 1e3;
        state.counters["text_MB"] = text;
        state.counters["save_MBps"] = text / save;
        state.counters["deflate_MBps"] = text / deflate;
        state.counters["save_ratio"] = deflate / save;
        state.counters["load_MBps"] = text / load;
        state.counters["inflate_MBps"] = text / inflate;
        state.counters["load_ratio"] = inflate / load;
    }
    QFile::remove(path);
}
BENCHMARK(BM_SaveAndLoadAgainstZlib)->Iterations(1)->Unit(benchmark::kMillisecond);

// BM_LoadAgainstInflate, each figure the median of three child processes of
// their own, in CPU time:
//   load_ms              CadLoad of the file into an empty chart (the start-up reload);
//   inflate_ms           zlib's inflate of the same bytes into a buffer already written once;
//   load_ratio           inflate_ms / load_ms                     (goal >= 0.15).
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <class Work>
double medianInChildren(Work&& work)
{
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        double seconds = -1;
        if (!benchsupport::runInChild(work, seconds) || seconds < 0)
            return -1;
        runs.push_back(seconds);
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

void BM_LoadAgainstInflate(benchmark::State& state)
{
    const QString path = scratchFile("load.qmt");
    // The file is written by a child too: this process makes no shape, so the
    // children start with no chart memory of their parent's to copy on write.
    std::size_t textBytes = 0;
    if (!benchsupport::runInChild([&] {
            THalvekCanvasModel chart;
            drawSurvey(chart, kShapes);
            const std::size_t bytes = skerra::layout::composeLayoutText(chart, QDateTime::currentDateTime()).size();
            return CadSave(chart, path).ok ? bytes : std::size_t{0};
        }, textBytes) || textBytes == 0) {
        state.SkipWithError("the save failed");
        return;
    }
    for (auto _ : state) {
        const double load = medianInChildren([&] {
            THalvekCanvasModel chart;
            const double start = cpuSeconds();
            const bool ok = CadLoad(chart, path, LayoutLoadMode::Replace).ok;
            return ok ? cpuSeconds() - start : -1.0;
        });
        const double inflate = medianInChildren([&] {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return -1.0;
            const QByteArray bytes = file.readAll();
            std::vector<char> out(textBytes + 1024, 1);
            const double start = cpuSeconds();
            const std::size_t produced =
                inflated(reinterpret_cast<const unsigned char*>(bytes.constData()) + 4, bytes.size() - 4, out);
            return produced == textBytes ? cpuSeconds() - start : -1.0;
        });
        if (load < 0 || inflate < 0) {
            state.SkipWithError("a measuring process failed");
            break;
        }
        state.counters["load_ms"] = load * 1e3;
        state.counters["inflate_ms"] = inflate * 1e3;
        state.counters["load_ratio"] = inflate / load;
    }
    QFile::remove(path);
}
BENCHMARK(BM_LoadAgainstInflate)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---- memory ----

void BM_LoadMemory(benchmark::State& state)
{
    const QString path = scratchFile("memory.qmt");
    for (auto _ : state) {
        double written = 0, drawn = 0, loadPeak = 0;
        const bool ok = benchsupport::runInChild([&] {
            THalvekCanvasModel chart;
            drawSurvey(chart, kShapes);
            return CadSave(chart, path).ok ? 1.0 : 0.0;
        }, written) && written == 1.0 && benchsupport::runInChild([&] {
            const double before = residentMB();
            THalvekCanvasModel chart;
            drawSurvey(chart, kShapes);
            return residentMB() - before;
        }, drawn) && benchsupport::runInChild([&] {
            const double before = residentMB();
            resetPeak();
            THalvekCanvasModel chart;
            if (!CadLoad(chart, path, LayoutLoadMode::Replace).ok)
                return -1.0;
            return peakMB() - before;
        }, loadPeak) && loadPeak >= 0;
        if (!ok) {
            state.SkipWithError("a measuring process failed");
            break;
        }
        state.counters["MB_drawn"] = drawn;
        state.counters["MB_load_peak"] = loadPeak;
        state.counters["peak_ratio"] = loadPeak / drawn;
    }
    QFile::remove(path);
}
BENCHMARK(BM_LoadMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
