// A generated KML document of about 50 MB (named placemarks with points, line strings
// and polygons; fixed seed), read by the Import command's loader with the grid
// conversion of every point, by the loader alone, and by GDAL (ogr2ogr to CSV). Each
// reader runs as a child process, measured alike: wall time and peak resident memory
// (from wait4). The label of GDAL's run names the driver that read the file.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string& kmlFile()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "skerra-bench-50mb.kml";
        std::ofstream out(p, std::ios::binary);
        std::mt19937 random(20240611);
        std::uniform_real_distribution<double> lon(26.0, 30.0), lat(38.0, 42.0), step(-0.001, 0.001);
        char buf[64];
        const auto coord = [&](double x, double y, double z) {
            std::snprintf(buf, sizeof buf, "%.10f,%.10f,%.1f ", x, y, z);
            return std::string(buf);
        };
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
               "<Document><name>bench</name>\n";
        size_t written = 0;
        for (int i = 0; written < 50'000'000; ++i) {
            std::string s = "<Placemark><name>P" + std::to_string(i) + "</name><description>generated</description>\n";
            const double x = lon(random), y = lat(random);
            switch (i % 3) {
            case 0:
                s += "<Point><coordinates>" + coord(x, y, 0) + "</coordinates></Point>\n";
                break;
            case 1: {
                s += "<LineString><coordinates>\n";
                double cx = x, cy = y;
                for (int k = 0; k < 40; ++k, cx += step(random), cy += step(random)) s += coord(cx, cy, 0);
                s += "\n</coordinates></LineString>\n";
                break;
            }
            default: {
                s += "<Polygon><outerBoundaryIs><LinearRing><coordinates>\n";
                for (int k = 0; k < 30; ++k) s += coord(x + 0.01 * std::cos(k * 0.2), y + 0.01 * std::sin(k * 0.2), 5);
                s += coord(x + 0.01, y, 5) + "\n</coordinates></LinearRing></outerBoundaryIs></Polygon>\n";
            }
            }
            s += "</Placemark>\n";
            out << s;
            written += s.size();
        }
        out << "</Document></kml>\n";
        return p.string();
    }();
    return path;
}

struct Run {
    double seconds = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs a program with its output (standard output and error) going to a file, by
// default thrown away; times it and takes its peak memory.
Run runChild(std::vector<std::string> args, const char* outputPath = "/dev/null")
{
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void measure(benchmark::State& state, const std::vector<std::string>& args)
{
    long peak = 0;
    for (auto _ : state) {
        const Run run = runChild(args);
        if (run.status != 0) {
            state.SkipWithError("the reader failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakKb);
    }
    state.counters["peak_MB"] = double(peak) / 1024.0;
    state.counters["file_MB"] = double(std::filesystem::file_size(kmlFile())) / 1e6;
}

void BM_SkerraImportLoad(benchmark::State& state) { measure(state, {KML_IMPORT_CHILD, kmlFile()}); }
void BM_SkerraParseOnly(benchmark::State& state) { measure(state, {KML_IMPORT_CHILD, kmlFile(), "--parse"}); }

void BM_GdalOgr2ogrCsv(benchmark::State& state)
{
    // The driver GDAL picks for the file, from ogrinfo's report of the opening.
    const std::string log = (std::filesystem::temp_directory_path() / "skerra-bench-ogrinfo.log").string();
    runChild({"ogrinfo", "-ro", "-so", kmlFile()}, log.c_str());
    std::ifstream in(log);
    std::string line, driver = "unknown";
    while (std::getline(in, line))
        if (const auto at = line.find("using driver `"); at != std::string::npos)
            driver = line.substr(at + 14, line.find('\'', at + 14) - at - 14);
    state.SetLabel("driver " + driver);
    measure(state, {"ogr2ogr", "-f", "CSV", "/vsistdout/", kmlFile()});
}

BENCHMARK(BM_SkerraImportLoad)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SkerraParseOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GdalOgr2ogrCsv)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
