// Sound-velocity casts: the input is a cast file. Format detection, the three steps
// and the graph editor's reading run over it; every detected format must be usable,
// a finished column must have a line per metre within the accepted SVs, and the
// list-line reader must agree with the C library's sscanf on plain decimal lines.
#include "soundvelocity/CastExtraction.h"
#include "soundvelocity/CastFormatDetection.h"
#include "soundvelocity/ListLineFields.h"
#include "soundvelocity/MetreAveraging.h"
#include "soundvelocity/SvpGraphModel.h"
#include "soundvelocity/VelocityColumn.h"

#include "platform/NumberText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace svp = skerra::svp;

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Lines of digits, signs, dots, commas and blanks, with no digit run long enough to
// leave the int range: there sscanf and the list-line reader must agree.
bool plainDecimal(const std::string& line)
{
    int run = 0;
    for (char c : line) {
        if (c >= '0' && c <= '9') {
            if (++run > 9) return false;
            continue;
        }
        run = 0;
        if (c != '+' && c != '-' && c != '.' && c != ',' && c != ' ' && c != '\t') return false;
    }
    return true;
}

void compareWithSscanf(const std::string& line)
{
    if (!plainDecimal(line)) return;
    int depth = 0, hits = 0;
    double sv = 0;
    int expected = std::sscanf(line.c_str(), "%d,%lf,%d", &depth, &sv, &hits);
    if (expected < 0) expected = 0;
    const svp::LineFields ours = svp::ReadSlot(line);
    bool same = ours.count == expected;
    if (same && expected >= 1) same = ours.depth == depth;
    if (same && expected >= 2) same = ours.sv == sv;
    if (same && expected >= 3) same = ours.hits == hits;
    if (!same) fail("list line differs from sscanf", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const int maxDepth = 1 + data[0] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }

    const svp::DetectedFormat detected = svp::DetectCastFormat(lines);
    std::string problem;
    auto format = svp::CompileCastFormat(detected.found ? detected.format : "%*23s %lf,%lf", &problem, true);
    if (!format) fail("detected format refused", detected.format + " " + problem);
    if (detected.found) svp::DetectionReport(detected, false);

    int asked = 0;
    const auto extracted = svp::ExtractSamples(lines, *format, detected.svFirst, [&](double, long long) {
        ++asked;
        return true;
    });
    if (asked > 1) fail("asked more than once", std::to_string(asked));
    for (const std::string& line : lines) compareWithSscanf(line);

    // Steps 2 and 3 over the samples, and over the raw lines as if typed by hand.
    const std::vector<std::string>& rawLines = lines;
    for (const std::vector<std::string>* input : {&extracted.samples, &rawLines}) {
        const auto averaged = svp::AverageByMetre(*input, maxDepth);
        if (averaged.size() != size_t(maxDepth) + 1) fail("averaged size", std::to_string(averaged.size()));
        for (const std::vector<std::string>* source : {&averaged, input}) {
            const svp::ColumnResult column = svp::BuildColumn(*source, maxDepth);
            if (column.status != svp::ColumnResult::Status::Ok) continue;
            if (column.lines.size() != size_t(maxDepth) + 1) fail("column size", std::to_string(column.lines.size()));
            for (const std::string& l : column.lines) {
                const auto v = skerra::tryParseDouble(l);
                if (!v || *v <= 1299.995 || *v >= 1700.005) fail("column line", l);
            }
        }
    }

    svp::SvpGraphModel graph;
    graph.PlotWidth = 700;
    graph.PlotHeight = 500;
    graph.ReadPoints(lines);
    graph.CalculateRanges();
    graph.SVGridLines();
    graph.DepthGridLines();
    graph.ZoomAt(300, 200, (size & 1) != 0);
    graph.SVGridLines();
    graph.DepthGridLines();
    graph.FindPointAt(300, 200);
    graph.SaveToStrings();
    return 0;
}
