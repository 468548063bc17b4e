#include "SvpGraphModel.h"

#include "ListLineFields.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace skerra::svp {
namespace {

constexpr double kPixelLimit = 1e6;
constexpr int kHitRadius = 8;
constexpr double kMinZoomSpan = 5;
constexpr double kFlatSpanPad = 0.5;

int toPixel(double offset)
{
    if (!(offset == offset)) return 0;  // NaN
    return static_cast<int>(std::trunc(std::clamp(offset, -kPixelLimit, kPixelLimit)));
}

// A step that keeps the lines within kMaxGridLines.
double boundedStep(double step, double span)
{
    while (span / step > kMaxGridLines) step *= 10;
    return step;
}

std::string label(double value) { return skerra::FormatFixed(value, 0); }

}  // namespace

void SvpGraphModel::ReadPoints(const std::vector<std::string>& lines)
{
    Points.clear();
    for (const std::string& line : lines) {
        const LineFields f = ReadSlot(line);
        if (f.count < 2) continue;
        Points.push_back({f.depth, f.sv, f.count == 3 ? f.hits : 1, false});
    }
}

std::vector<std::string> SvpGraphModel::SaveToStrings() const
{
    std::vector<std::string> lines;
    lines.reserve(Points.size());
    for (const TSVPPoint& p : Points) {
        const GridRowTexts row = GridRow(p);
        lines.push_back(row[0] + ',' + row[1] + ',' + row[2]);
    }
    return lines;
}

void SvpGraphModel::CalculateRanges()
{
    if (Points.empty()) return;
    double minSV = 1600, maxSV = 1300, minDepth = 10000, maxDepth = 0;
    for (const TSVPPoint& p : Points) {
        minSV = std::min(minSV, p.SV);
        maxSV = std::max(maxSV, p.SV);
        minDepth = std::min(minDepth, double(p.Depth));
        maxDepth = std::max(maxDepth, double(p.Depth));
    }
    double span = maxSV - minSV;
    if (span < 10) span = 10;
    const double pad = span * 0.05;
    MinSV = minSV - pad;
    MaxSV = maxSV + pad;
    MinDepth = minDepth;
    MaxDepth = maxDepth;
}

int SvpGraphModel::SVToX(double sv) const
{
    if (MaxSV == MinSV) return MarginLeft;
    return MarginLeft + toPixel((sv - MinSV) / (MaxSV - MinSV) * (PlotWidth - MarginLeft - MarginRight));
}

int SvpGraphModel::DepthToY(double depth) const
{
    if (MaxDepth == MinDepth) return MarginTop;
    return MarginTop + toPixel((depth - MinDepth) / (MaxDepth - MinDepth) * (PlotHeight - MarginTop - MarginBottom));
}

double SvpGraphModel::XToSV(int x) const
{
    const int w = PlotWidth - MarginLeft - MarginRight;
    if (w == 0) return MinSV;
    return MinSV + (x - MarginLeft) * (MaxSV - MinSV) / w;
}

double SvpGraphModel::YToDepth(int y) const
{
    const int h = PlotHeight - MarginTop - MarginBottom;
    if (h == 0) return MinDepth;
    return MinDepth + (y - MarginTop) * (MaxDepth - MinDepth) / h;
}

int SvpGraphModel::FindPointAt(int x, int y) const
{
    for (size_t i = 0; i < Points.size(); ++i) {
        const long long px = SVToX(Points[i].SV), py = DepthToY(Points[i].Depth);
        if (std::llabs(x - px) < kHitRadius && std::llabs(y - py) < kHitRadius) return static_cast<int>(i);
    }
    return -1;
}

bool SvpGraphModel::PointInLasso(int x, int y) const
{
    if (LassoPoints.size() < 3) return false;
    int crossings = 0;
    const QPoint* j = &LassoPoints.back();
    for (const QPoint& i : LassoPoints) {
        if ((i.y() > y) != (j->y() > y)) {
            // 64-bit intermediate: plot pixels stay far below 2^31, their products may not.
            const long long xc = i.x() + static_cast<long long>(j->x() - i.x()) * (y - i.y()) / (j->y() - i.y());
            if (x < xc) ++crossings;
        }
        j = &i;
    }
    return crossings % 2 == 1;
}

int SvpGraphModel::SelectInLasso()
{
    for (TSVPPoint& p : Points) p.Selected = PointInLasso(SVToX(p.SV), DepthToY(p.Depth));
    return SelectedCount();
}

int SvpGraphModel::SelectedCount() const
{
    return static_cast<int>(std::count_if(Points.begin(), Points.end(), [](const TSVPPoint& p) { return p.Selected; }));
}

bool SvpGraphModel::DragTo(int x)
{
    if (DragIndex < 0 || DragIndex >= static_cast<int>(Points.size())) return false;
    const double sv = XToSV(x);
    if (!(sv >= kLowestDragSV && sv <= kHighestDragSV)) return false;
    Points[static_cast<size_t>(DragIndex)].SV = sv;
    Modified = true;
    return true;
}

void SvpGraphModel::ZoomAt(int px, int py, bool wheelForward)
{
    if (MaxSV == MinSV) MinSV -= kFlatSpanPad, MaxSV += kFlatSpanPad;
    if (MaxDepth == MinDepth) MinDepth -= kFlatSpanPad, MaxDepth += kFlatSpanPad;
    const double sv0 = XToSV(px), d0 = YToDepth(py);
    const double factor = wheelForward ? 0.9 : 1.1;
    const double newSV = std::max((MaxSV - MinSV) * factor, kMinZoomSpan);
    const double newD = std::max((MaxDepth - MinDepth) * factor, kMinZoomSpan);
    const double fx = (sv0 - MinSV) / (MaxSV - MinSV);
    const double fy = (d0 - MinDepth) / (MaxDepth - MinDepth);
    MinSV = sv0 - fx * newSV;
    MaxSV = sv0 + (1 - fx) * newSV;
    MinDepth = d0 - fy * newD;
    MaxDepth = d0 + (1 - fy) * newD;
}

void SvpGraphModel::DeleteSelected()
{
    std::erase_if(Points, [](const TSVPPoint& p) { return p.Selected; });
    Modified = true;
    LassoPoints.clear();
}

std::vector<GridLine> SvpGraphModel::SVGridLines() const
{
    std::vector<GridLine> lines;
    if (!std::isfinite(MinSV) || !std::isfinite(MaxSV) || !std::isfinite(MaxSV - MinSV)) return lines;
    const double step = boundedStep(10, MaxSV - MinSV);
    for (double v = std::floor(MinSV / step) * step; v <= MaxSV && lines.size() <= kMaxGridLines + 1; v += step) {
        const int x = SVToX(v);
        if (x >= MarginLeft && x <= PlotWidth - MarginRight) lines.push_back({v, x, label(v)});
    }
    return lines;
}

std::vector<GridLine> SvpGraphModel::DepthGridLines() const
{
    std::vector<GridLine> lines;
    const double span = MaxDepth - MinDepth;
    if (!std::isfinite(MinDepth) || !std::isfinite(MaxDepth) || !std::isfinite(span)) return lines;
    const double step = boundedStep(span > 500 ? 100 : span > 200 ? 50 : 10, span);
    for (double d = std::floor(MinDepth / step) * step; d <= MaxDepth && lines.size() <= kMaxGridLines + 1; d += step) {
        const int y = DepthToY(d);
        if (y >= MarginTop && y <= PlotHeight - MarginBottom) lines.push_back({d, y, label(d) + "m"});
    }
    return lines;
}

std::string SvpGraphModel::StatusText(int x, int y) const
{
    return "SV: " + skerra::FormatFixed(XToSV(x), 1) + " m/s  Depth: " + skerra::FormatFixed(YToDepth(y), 1)
        + " m  (Drag point to edit SV)";
}

GridRowTexts GridRow(const TSVPPoint& point)
{
    return {skerra::IntToStr(point.Depth), skerra::FormatFixed(point.SV, 2), skerra::IntToStr(point.Hits)};
}

std::vector<TSVPPoint> ReadGridRows(const std::vector<GridRowTexts>& rows)
{
    std::vector<TSVPPoint> points;
    for (const GridRowTexts& row : rows) {
        const auto depth = skerra::tryParseInt(row[0]);
        const auto sv = skerra::tryParseDouble(row[1]);
        if (!depth || !sv) continue;
        points.push_back({*depth, *sv, skerra::tryParseInt(row[2]).value_or(1), false});
    }
    return points;
}

GridRowTexts NewRow(const std::vector<TSVPPoint>& points)
{
    if (points.empty()) return {"0", "1500.00", "0"};
    const TSVPPoint& last = points.back();
    return {skerra::IntToStr(static_cast<long long>(last.Depth) + 1), skerra::FormatFixed(last.SV, 2), "0"};
}

std::string DeleteSelectedCaption(int selected) { return "Delete Selected (" + skerra::IntToStr(selected) + ")"; }

}  // namespace skerra::svp
