#include "DxfDrawingGenerator.h"

#include <cstdio>
#include <random>

namespace {

class Writer {
public:
    explicit Writer(std::FILE* f) : f_(f) {}
    void text(int code, const char* value) { std::fprintf(f_, "%3d\r\n%s\r\n", code, value); }
    void real(int code, double value) { std::fprintf(f_, "%3d\r\n%.6f\r\n", code, value); }
    void integer(int code, int value) { std::fprintf(f_, "%3d\r\n%6d\r\n", code, value); }
    void point(int code, double x, double y)
    {
        real(code, x);
        real(code + 10, y);
        text(code + 20, "0.0");
    }

private:
    std::FILE* f_;
};

const char* const kLayers[] = {"SURVEY_LINES", "BATHYMETRY", "QUAY_WALL", "BUOYS", "TEXT_LABELS", "0"};
const char* const kBlocks[] = {"BUOY", "BOLLARD", "NORTH_ARROW", "LIGHT"};

void header(Writer& w)
{
    w.text(0, "SECTION");
    w.text(2, "HEADER");
    w.text(9, "$ACADVER");
    w.text(1, "AC1009");
    w.text(0, "ENDSEC");
    w.text(0, "SECTION");
    w.text(2, "TABLES");
    w.text(0, "TABLE");
    w.text(2, "LAYER");
    w.integer(70, 6);
    for (int i = 0; i < 6; ++i) {
        w.text(0, "LAYER");
        w.text(2, kLayers[i]);
        w.integer(70, 0);
        w.integer(62, i + 1);
        w.text(6, "CONTINUOUS");
    }
    w.text(0, "ENDTAB");
    w.text(0, "ENDSEC");
}

void blocks(Writer& w, std::mt19937& rng)
{
    std::uniform_real_distribution<double> d(-2.0, 2.0);
    w.text(0, "SECTION");
    w.text(2, "BLOCKS");
    for (const char* name : kBlocks) {
        w.text(0, "BLOCK");
        w.text(8, "0");
        w.text(2, name);
        w.integer(70, 0);
        w.point(10, 0.0, 0.0);
        for (int i = 0; i < 6; ++i) {
            w.text(0, "LINE");
            w.text(8, "0");
            w.point(10, d(rng), d(rng));
            w.point(11, d(rng), d(rng));
        }
        w.text(0, "ENDBLK");
        w.text(8, "0");
    }
    w.text(0, "ENDSEC");
}

}  // namespace

std::uint64_t writeSurveyPlanDxf(const std::string& path, int entities, std::uint32_t seed)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> east(495000.0, 505000.0);
    std::uniform_real_distribution<double> north(4495000.0, 4505000.0);
    std::uniform_real_distribution<double> step(-25.0, 25.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> kind(0, 99);
    Writer w(f);
    header(w);
    blocks(w, rng);
    w.text(0, "SECTION");
    w.text(2, "ENTITIES");
    char label[32];
    for (int i = 0; i < entities; ++i) {
        const double x = east(rng);
        const double y = north(rng);
        const char* layer = kLayers[i % 5];
        const int k = kind(rng);
        if (k < 35) {
            w.text(0, "LINE");
            w.text(8, layer);
            w.point(10, x, y);
            w.point(11, x + step(rng), y + step(rng));
        } else if (k < 45) {
            w.text(0, "POLYLINE");
            w.text(8, layer);
            w.integer(66, 1);
            w.point(10, 0.0, 0.0);
            w.integer(70, k % 2);
            double vx = x, vy = y;
            for (int v = 0; v < 10; ++v) {
                w.text(0, "VERTEX");
                w.text(8, layer);
                w.point(10, vx, vy);
                vx += step(rng);
                vy += step(rng);
            }
            w.text(0, "SEQEND");
            w.text(8, layer);
        } else if (k < 55) {
            w.text(0, "ARC");
            w.text(8, layer);
            w.point(10, x, y);
            w.real(40, 1.0 + 50.0 * unit(rng));
            w.real(50, 360.0 * unit(rng));
            w.real(51, 360.0 * unit(rng));
        } else if (k < 65) {
            w.text(0, "CIRCLE");
            w.text(8, layer);
            w.point(10, x, y);
            w.real(40, 1.0 + 50.0 * unit(rng));
        } else if (k < 80) {
            w.text(0, "POINT");
            w.text(8, "BATHYMETRY");
            w.point(10, x, y);
        } else if (k < 95) {
            std::snprintf(label, sizeof label, "%.2f", 2.0 + 30.0 * unit(rng));
            w.text(0, "TEXT");
            w.text(8, "TEXT_LABELS");
            w.point(10, x, y);
            w.real(40, 2.5);
            w.text(1, label);
            w.real(50, 90.0 * unit(rng));
        } else {
            w.text(0, "INSERT");
            w.text(8, "BUOYS");
            w.text(2, kBlocks[k % 4]);
            w.point(10, x, y);
            w.real(41, 1.0);
            w.real(42, 1.0);
            w.real(50, 360.0 * unit(rng));
        }
    }
    w.text(0, "ENDSEC");
    w.text(0, "EOF");
    const bool ok = std::ferror(f) == 0;
    const long size = std::ftell(f);
    if (std::fclose(f) != 0 || !ok || size < 0)
        return 0;
    return static_cast<std::uint64_t>(size);
}
