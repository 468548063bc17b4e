// WGS84 (latitude, longitude) -> survey grid through the seven-parameter datum
// transformation and Transverse Mercator, per point, as the map timer and the
// KML import call it: the same parameter texts every time, a new position each.

#include "geodesy/GeodesyNumberText.h"
#include "geodesy/WGSToGrid.h"

#include <benchmark/benchmark.h>

#if SKERRA_WITH_PROJ
#include <proj.h>
#endif

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kDatum =
    "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 "
    "6378388 0.00336700336700337 -1.2 0.31 0.4 -0.96 -84.1 -101.8 -129.7";
const std::string kTM = "30 0 0.9996 500000 0";
const std::string kEllipsoid = "6378137.0 0.0033528106647474 6378388 0.00336700336700337";

struct Point {
    double lat, lon;
    std::string text;
};

const std::vector<Point>& points()
{
    static const std::vector<Point> all = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> lat(36, 42), lon(27, 33);
        std::vector<Point> v;
        for (int i = 0; i < 1024; ++i) {
            const double la = lat(random), lo = lon(random);
            v.push_back({la, lo, skerra::geodesy::formatGeneral(la) + " " + skerra::geodesy::formatGeneral(lo)});
        }
        return v;
    }();
    return all;
}

void BM_WGSToGridText(benchmark::State& state)
{
    const auto& pts = points();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(skerra::WGSToGrid(pts[i].text, kDatum, kTM, kEllipsoid));
        i = (i + 1) & 1023;
    }
}
BENCHMARK(BM_WGSToGridText);

void BM_WGSToGridNumeric(benchmark::State& state)
{
    const auto& pts = points();
    const auto converter = skerra::geodesy::WgsToGridConverter::fromTexts(kDatum, kTM, kEllipsoid);
    if (!converter) {
        state.SkipWithError("parameter texts not read");
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter->toGrid(pts[i].lat, pts[i].lon));
        i = (i + 1) & 1023;
    }
}
BENCHMARK(BM_WGSToGridNumeric);

#if SKERRA_WITH_PROJ
void BM_ProjTrans(benchmark::State& state)
{
    PJ_CONTEXT* context = proj_context_create();
    PJ* pipeline = proj_create(
        context,
        "+proj=pipeline +step +proj=cart +a=6378137 +f=0.0033528106647474"
        " +step +inv +proj=helmert +exact +convention=coordinate_frame +s=-1.2 +rx=0.31 +ry=0.4"
        " +rz=-0.96 +x=-84.1 +y=-101.8 +z=-129.7"
        " +step +inv +proj=cart +a=6378388 +f=0.00336700336700337"
        " +step +proj=tmerc +lat_0=0 +lon_0=30 +k_0=0.9996 +x_0=500000 +y_0=0"
        " +a=6378388 +f=0.00336700336700337");
    if (!pipeline) {
        state.SkipWithError("PROJ pipeline not created");
        proj_context_destroy(context);
        return;
    }
    const auto& pts = points();
    constexpr double kDeg = M_PI / 180;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            proj_trans(pipeline, PJ_FWD, proj_coord(pts[i].lon * kDeg, pts[i].lat * kDeg, 0, 0)));
        i = (i + 1) & 1023;
    }
    proj_destroy(pipeline);
    proj_context_destroy(context);
}
BENCHMARK(BM_ProjTrans);
#endif

}  // namespace
