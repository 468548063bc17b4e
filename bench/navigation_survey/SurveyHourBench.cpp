// A simulated survey hour through the survey engine: 10 Hz GNSS fixes and 10 Hz
// depth sentences, the map tick at every fix, on the real chart core and
// geodesy, with the survey logs in a temporary folder and a clock moved by hand.
//
// MapTick/start, MapTick/end: one map tick on a fresh survey and after an hour
//   of it. Goal: end / start <= 1.5. The _with_frame pair adds the frame the
//   chart then paints (1000 x 800), the vessel followed: goal end / start
//   <= 1.3, and no tick above 5 ms (max_tick_ms: the slowest tick, CPU time).
// DepthSentence: one sounder sentence: read, corrected, both log lines written
//   and flushed. AppendCloseTwoLines: the same two lines written alone the plain
//   way (open, append, close each file). Goal: DepthSentence within 2x.
// SurveyHour: the whole hour without painting. Counters: logged (coordinate
//   lines written, must equal sentences), km (track surveyed), MB_per_km
//   (growth of resident memory per surveyed kilometre).

#include "support/ProcessMemory.h"
#include "SurveyFakes.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "navigation/NavLayers.h"
#include "navigation/survey/SurveyEngine.h"
#include "navigation/survey/SurveyView.h"
#include "platform/AppPaths.h"
#include "shell/SharedHeader.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <numbers>

#include <time.h>
#include <unistd.h>

namespace {

using benchsupport::residentMB;

constexpr int kRateHz = 10;
constexpr int kHourSteps = 3600 * kRateHz;
constexpr double kSpeedMs = 5 * 1852.0 / 3600;  // 5 knots
constexpr double kLineLength = 1000, kLineSpacing = 20;
constexpr double kOriginLat = 38.45, kOriginLon = 27.05;

// One survey: the engine and everything around it, moved one step at a time
// along lawn-mower lines.
struct Survey {
    surveytest::TemporarySurveyRoot root;
    surveytest::FakeClock clock;
    surveytest::FakeDevices devices;
    surveytest::FakeSettings settings;
    SurveyView view;
    THalvekCanvasCore chart;
    std::unique_ptr<SurveyEngine> engine;
    QImage frame{1000, 800, QImage::Format_RGB32};
    long step = 0;
    long sentences = 0;
    char line[64];

    Survey()
    {
        devices.fix = {4, 14, 90};
        settings.display.lineOrDot = true;
        chart.Resize(1000, 800);
        chart.WorldSet(0, 500, 400, 0);
        EnsureNavLayers(chart);
        engine = std::make_unique<SurveyEngine>(devices, settings, view, chart, clock);
        engine->RealtimeClicked(true);
        engine->OnGnssConnect(QStringLiteral("COM1"));
        engine->OnGnssLine("$GPZDA*00");
    }

    // Along the survey: x east, y north in metres from the origin.
    void position(double travelled, double& x, double& y) const
    {
        const long leg = long(travelled / kLineLength);
        const double along = std::fmod(travelled, kLineLength);
        x = leg % 2 == 0 ? along : kLineLength - along;
        y = leg * kLineSpacing;
    }
    double km() const { return double(step) * kSpeedMs / kRateHz / 1000; }

    void fix()
    {
        ++step;
        clock.Advance(1000 / kRateHz);
        double x, y;
        position(double(step) * kSpeedMs / kRateHz, x, y);
        const double lat = kOriginLat + y / 111320.0;
        const double lon = kOriginLon + x / (111320.0 * std::cos(kOriginLat * std::numbers::pi / 180));
        engine->OnGnssPosition(lat, lon, 40.0);
        engine->OnGnssLine("$GPRMC,090000.00,A,3827.0,N,02703.0,E,5.0,90.0,101226,,,A*00");
    }
    void depth()
    {
        std::snprintf(line, sizeof line, "$SDDPT,%.2f,0.0", 10.0 + 5.0 * std::sin(double(step) / 500.0));
        engine->OnSensorLine(line);
        ++sentences;
    }
    void paint()
    {
        QPainter p(&frame);
        chart.PaintTo(p);
    }
    void run(long steps)
    {
        for (long i = 0; i < steps; ++i) {
            fix();
            engine->MapTick();
            depth();
        }
    }
};

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Each case keeps its survey between the benchmark's runs (the hour is surveyed
// once) and runs a fixed number of ticks, so "start" stays near the start.
Survey& cachedSurvey(bool endOfHour, bool withFrame)
{
    static std::unique_ptr<Survey> surveys[4];
    auto& s = surveys[int(endOfHour) * 2 + int(withFrame)];
    if (!s) {
        s = std::make_unique<Survey>();
        s->run(endOfHour ? kHourSteps : 10 * kRateHz);
        s->paint();
    }
    return *s;
}

void MapTick(benchmark::State& state, bool endOfHour, bool withFrame)
{
    Survey& s = cachedSurvey(endOfHour, withFrame);
    double slowest = 0;
    for (auto _ : state) {
        const double started = withFrame ? threadSeconds() : 0;
        s.fix();
        s.engine->MapTick();
        if (withFrame) {
            s.paint();
            slowest = std::max(slowest, threadSeconds() - started);
        }
    }
    if (withFrame) state.counters["max_tick_ms"] = slowest * 1e3;
    state.counters["shapes"] = double(s.chart.ShapeCount());
    state.counters["depth_labels"] = double(s.chart.DepthLabels.size());
}
BENCHMARK_CAPTURE(MapTick, start, false, false)->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MapTick, end, true, false)->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MapTick, start_with_frame, false, true)->Iterations(300)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MapTick, end_with_frame, true, true)->Iterations(300)->Unit(benchmark::kMicrosecond);

void DepthSentence(benchmark::State& state)
{
    Survey s;
    s.run(10 * kRateHz);
    for (auto _ : state) s.depth();
}
BENCHMARK(DepthSentence)->Unit(benchmark::kMicrosecond);

void AppendCloseTwoLines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString csv = dir.path() + "/c.csv", xyz = dir.path() + "/x.csv";
    const QByteArray csvLine =
        "2026-12-10 090000100,38.45,27.05,504366.12,4255816.37,-10.60,0.00,10.60,0.00,10,0,NMEA DPT,1530.00,0.40,4,"
        "41.50,0.00,40.30\r\n";
    const QByteArray xyzLine = "504366.12,4255816.37,-10.60\r\n";
    for (auto _ : state) {
        for (const auto& [path, bytes] : {std::pair{&csv, &csvLine}, std::pair{&xyz, &xyzLine}}) {
            QFile f(*path);
            f.open(QIODevice::WriteOnly | QIODevice::Append);
            f.write(*bytes);
            f.close();
        }
    }
}
BENCHMARK(AppendCloseTwoLines)->Unit(benchmark::kMicrosecond);

void SurveyHour(benchmark::State& state)
{
    for (auto _ : state) {
        Survey s;
        s.run(10 * kRateHz);
        const double before = residentMB();
        const double kmBefore = s.km();
        s.run(kHourSteps - 10 * kRateHz);
        const double grown = residentMB() - before;
        const QByteArray csv = [&] {
            QFile f(QString::fromStdString(CoordinatesCsvPath));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const long logged = long(csv.count('\n')) - 1;
        if (logged != s.sentences) state.SkipWithError("a sounding was not logged");
        state.counters["sentences"] = double(s.sentences);
        state.counters["logged"] = double(logged);
        state.counters["km"] = s.km();
        state.counters["MB_per_km"] = grown / (s.km() - kmBefore);
        state.counters["shapes"] = double(s.chart.ShapeCount());
    }
}
BENCHMARK(SurveyHour)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
