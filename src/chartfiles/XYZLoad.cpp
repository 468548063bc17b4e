#include "XYZLoad.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DepthToColor.h"
#include "chartfiles/XyzLines.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

namespace skerra::chartfiles {
namespace {

constexpr double kTiny = 1e-9;
constexpr double kNone = 1e30;

bool readPoints(const QString& fileName, std::vector<XyzPoint>& points)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r')) line.chop(1);
        if (auto p = ReadGridXyzLine(std::string_view(line.constData(), size_t(line.size())))) points.push_back(*p);
    }
    return true;
}

std::unique_ptr<THShape> cell(const XyzPoint& p, const GridSteps& s, TColor colour, int layerId)
{
    auto r = std::make_unique<THRectangle>(p.easting - s.cellX / 2, p.northing - s.cellY / 2,
                                           p.easting + s.cellX / 2, p.northing + s.cellY / 2);
    r->Z = p.z;
    r->SetPenFg(colour);
    r->SetPenWidth(0);
    r->BrushFg = colour;
    r->BrushStyle = bsSolid;
    r->SetLayerId(layerId);
    r->UpdateBounds();
    return r;
}

std::unique_ptr<THShape> point(const XyzPoint& p, TColor colour, int layerId)
{
    auto s = std::make_unique<THPoint>(p.easting, p.northing);
    s->Z = p.z;
    s->PointSize = 1;
    s->SetPenFg(colour);
    s->SetPenWidth(0);
    s->SetLayerId(layerId);
    s->UpdateBounds();
    return s;
}

}  // namespace

bool FindGridSteps(const std::vector<XyzPoint>& points, GridSteps& steps)
{
    if (points.size() <= 10) return false;
    const size_t m = std::min<size_t>(points.size(), 1000);
    double cellX = kNone, cellY = kNone;
    for (size_t i = 0; i < m; ++i)
        for (size_t j = i + 1; j < m && j < i + 50; ++j) {
            const double dx = std::fabs(points[j].easting - points[i].easting);
            const double dy = std::fabs(points[j].northing - points[i].northing);
            if (dx > kTiny && dx < cellX) cellX = dx;
            if (dy > kTiny && dy < cellY) cellY = dy;
        }
    if (!(cellX < 1e20 && cellY < 1e20)) return false;
    long good = 0, total = 0;
    const auto sample = [&](double d, double step) {
        if (!(d > kTiny)) return;
        const double q = d / step;
        ++total;
        if (std::fabs(q - std::floor(q + 0.5)) < 0.1) ++good;
    };
    for (size_t i = 0; i < m && total < 100; ++i)
        for (size_t j = i + 1; j < m && j < i + 10; ++j) {
            sample(std::fabs(points[j].easting - points[i].easting), cellX);
            sample(std::fabs(points[j].northing - points[i].northing), cellY);
        }
    if (total == 0 || good * 100 / total < 80) return false;
    steps = {cellX, cellY};
    return true;
}

}  // namespace skerra::chartfiles

int XYZLoad(THalvekCanvasModel& chart, const QString& fileName, int layerId, double zMin, double zMax)
{
    using namespace skerra::chartfiles;
    try {
        std::vector<XyzPoint> points;
        if (!readPoints(fileName, points) || points.empty()) return 0;
        if (zMin == 0.0 && zMax == 0.0) {
            zMin = 1e30;
            zMax = -1e30;
            for (const XyzPoint& p : points) {
                zMin = std::min(zMin, p.z);
                zMax = std::max(zMax, p.z);
            }
        }
        GridSteps steps;
        const bool grid = FindGridSteps(points, steps);
        for (const XyzPoint& p : points) {
            const TColor colour = DepthToColor(p.z, zMin, zMax);
            chart.AppendShape(grid ? cell(p, steps, colour, layerId) : point(p, colour, layerId));
        }
        chart.NeedsRedraw = true;
        chart.WorldExtents();
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}
