// The DXF import of a generated survey plan of 200,000 entities (about 40 MB)
// and of 1,000,000, against GDAL's ogr2ogr converting the same file to CSV.
// Both run as child processes and are measured alike: wall time, and peak
// resident memory from wait4. Goals: the import at least twice as fast as
// ogr2ogr; at 200,000 entities no more memory than it, at 1,000,000 a peak of
// at most 180 MiB (the chart itself then holds a million shapes).

#include "DxfDrawingGenerator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The drawing of that many entities, written once per run.
std::string drawing(int entities)
{
    static std::map<int, std::string> written;
    auto it = written.find(entities);
    if (it != written.end())
        return it->second;
    std::string p = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                    "/skerra-bench-survey-plan-" + std::to_string(entities) + ".dxf";
    if (writeSurveyPlanDxf(p, entities) == 0) {
        std::fprintf(stderr, "cannot write %s\n", p.c_str());
        std::exit(1);
    }
    return written[entities] = p;
}

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

// Runs argv with standard output to /dev/null; wall time and peak RSS.
ChildRun runChild(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return {};
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void measure(benchmark::State& state, const std::vector<std::string>& args)
{
    double peak = 0;
    for (auto _ : state) {
        const ChildRun run = runChild(args);
        if (!run.ok) {
            state.SkipWithError((args[0] + " failed or is missing").c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMiB);
    }
    state.counters["peak_rss_MiB"] = peak;
}

void BM_SkerraDxfImport(benchmark::State& state)
{
    measure(state, {SKERRA_DXF_PROBE, drawing(static_cast<int>(state.range(0)))});
}

void BM_Ogr2OgrCsv(benchmark::State& state)
{
    measure(state, {"ogr2ogr", "-f", "CSV", "/vsistdout/", drawing(static_cast<int>(state.range(0)))});
}

}  // namespace

BENCHMARK(BM_SkerraDxfImport)->ArgName("entities")->Arg(200000)->Arg(1000000)->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ogr2OgrCsv)->ArgName("entities")->Arg(200000)->Arg(1000000)->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(3);
