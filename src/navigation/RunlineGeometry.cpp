#include "RunlineGeometry.h"

#include "platform/NumberText.h"

#include <cmath>

namespace {

constexpr double kShortestCrossedSegment = 0.001;  // shorter segments get no cross lines
constexpr double kShortestNormal = 0.001;
constexpr double kStationTolerance = 1e-9;         // of the segment's length

struct Vector {
    double x = 0, y = 0;
};

double length(Vector v) { return std::sqrt(v.x * v.x + v.y * v.y); }

double segmentLength(const RunlinePoint& a, const RunlinePoint& b)
{
    return length({b.first - a.first, b.second - a.second});
}

// The last station index k with k * S on the segment: k * S <= D within the tolerance.
double lastStation(double D, double S)
{
    double k = std::floor(D / S);
    while ((k + 1) * S <= D + kStationTolerance * D) k += 1;
    while (k > 0 && k * S > D + kStationTolerance * D) k -= 1;
    return k;
}

// Unit normal to the left of the direction of travel; (0, 0) for a segment of 0.001 m or less.
Vector leftNormal(const RunlinePoint& a, const RunlinePoint& b)
{
    const double D = segmentLength(a, b);
    if (D <= kShortestNormal) return {};
    return {-(b.second - a.second) / D, (b.first - a.first) / D};
}

std::vector<Vector> vertexNormals(const RunlinePolyline& route)
{
    const size_t n = route.size();
    std::vector<Vector> normals(n);
    normals.front() = leftNormal(route[0], route[1]);
    normals.back() = leftNormal(route[n - 2], route[n - 1]);
    for (size_t i = 1; i + 1 < n; ++i) {
        const Vector before = leftNormal(route[i - 1], route[i]);
        const Vector after = leftNormal(route[i], route[i + 1]);
        Vector mean{(before.x + after.x) / 2, (before.y + after.y) / 2};
        const double m = length(mean);
        if (m > kShortestNormal) mean = {mean.x / m, mean.y / m};
        normals[i] = mean;
    }
    return normals;
}

void addPerpendicularLines(const RunlinePolyline& route, double S, double L, std::vector<RunlinePolyline>& lines)
{
    for (size_t i = 0; i + 1 < route.size(); ++i) {
        const RunlinePoint& a = route[i];
        const RunlinePoint& b = route[i + 1];
        const double D = segmentLength(a, b);
        if (D < kShortestCrossedSegment) continue;
        const Vector n = leftNormal(a, b);
        const double last = lastStation(D, S);
        for (double k = 0; k <= last; k += 1) {
            const double t = std::min(k * S / D, 1.0);
            const RunlinePoint q{a.first + (b.first - a.first) * t, a.second + (b.second - a.second) * t};
            lines.push_back({{q.first + L * n.x, q.second + L * n.y}, {q.first - L * n.x, q.second - L * n.y}});
        }
    }
}

RunlinePolyline offsetRoute(const RunlinePolyline& route, const std::vector<Vector>& normals, double offset)
{
    RunlinePolyline line;
    line.reserve(route.size());
    for (size_t i = 0; i < route.size(); ++i)
        line.emplace_back(route[i].first + offset * normals[i].x, route[i].second + offset * normals[i].y);
    return line;
}

void addParallelLines(const RunlinePolyline& route, double S, double L, std::vector<RunlinePolyline>& lines)
{
    const double N = std::trunc(L / S);
    const std::vector<Vector> normals = vertexNormals(route);
    for (double k = 1; k <= N; k += 1) {
        lines.push_back(offsetRoute(route, normals, k * S));
        lines.push_back(offsetRoute(route, normals, -k * S));
    }
}

}  // namespace

double RunlineValue(const std::string& text, double fallback)
{
    const std::optional<double> value = skerra::tryParseDouble(text);
    return value && *value > 0 ? *value : fallback;
}

double RunlineCount(const RunlinePolyline& route, double S, double L, RunlineMode mode)
{
    if (route.size() < 2) return 0;
    if (mode == RunlineMode::Parallel) return 2 * std::trunc(L / S);
    double count = 0;
    for (size_t i = 0; i + 1 < route.size(); ++i) {
        const double D = segmentLength(route[i], route[i + 1]);
        if (D < kShortestCrossedSegment) continue;
        // Counted exactly only while the stations are few enough to step through.
        const double estimate = std::floor(D / S) + 1;
        count += estimate > kMaxRunlines ? estimate : lastStation(D, S) + 1;
    }
    return count;
}

std::optional<std::vector<RunlinePolyline>> runlines(const RunlinePolyline& route, double S, double L,
                                                    RunlineMode mode)
{
    std::vector<RunlinePolyline> lines;
    if (route.size() < 2) return lines;
    if (RunlineCount(route, S, L, mode) > kMaxRunlines) return std::nullopt;
    lines.push_back(route);
    if (mode == RunlineMode::Perpendicular)
        addPerpendicularLines(route, S, L, lines);
    else
        addParallelLines(route, S, L, lines);
    return lines;
}

std::string RunlinesLogText(const std::string& spacingText, const std::string& lengthText)
{
    return "Runlines generated - Spacing: " + spacingText + ", Length: " + lengthText;
}
