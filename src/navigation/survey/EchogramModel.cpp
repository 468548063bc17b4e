#include "EchogramModel.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

int EchogramModel::ClampDataWidth(int width) { return std::clamp(width, 1, kCapacity); }

void EchogramModel::Push(double depth)
{
    std::copy(depths_.begin() + 1, depths_.begin() + width_, depths_.begin());
    depths_[static_cast<std::size_t>(width_ - 1)] = std::isfinite(depth) ? depth : 0;
}

EchogramRange EchogramModel::Range() const
{
    int valid = 0;
    double low = 0, high = 0;
    for (int i = 0; i < width_; ++i) {
        const double d = Depth(i);
        if (d <= 0) continue;
        low = valid == 0 ? d : std::min(low, d);
        high = valid == 0 ? d : std::max(high, d);
        ++valid;
    }
    EchogramRange range{kDefaultTop, kDefaultBottom, 0};
    if (valid > 3 && high > low) {
        const double margin = std::max(0.1 * (high - low), 0.3);
        // Depths near the largest double would give an infinite range: the default stays.
        if (std::isfinite(high + margin) && std::isfinite(high + margin - std::max(low - margin, 0.0))) {
            range.top = std::max(low - margin, 0.0);
            range.bottom = high + margin;
        }
    }
    range.span = range.bottom - range.top;
    if (range.span <= 0) range.span = 1;
    return range;
}

int EchogramRow(double depth, const EchogramRange& range, int height)
{
    // A depth far outside the range (one of the first soundings, drawn over the default
    // range) lies off the picture: kept within a few heights of it, as an int can hold it.
    const double row = (depth - range.top) * height / range.span;
    const double far = 4.0 * std::max(height, 1);
    return static_cast<int>(std::isnan(row) ? 0 : std::clamp(row, -far, far));
}

std::vector<int> EchogramModel::Rows(const EchogramRange& range, int height) const
{
    std::vector<int> rows(static_cast<std::size_t>(width_), 0);
    for (int i = 0; i < width_; ++i)
        if (Depth(i) > 0) rows[static_cast<std::size_t>(i)] = EchogramRow(Depth(i), range, height);
    return rows;
}

double EchogramGridStep(double span)
{
    const double rough = span / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double r = rough / magnitude;
    const double factor = r <= 1 ? 1 : r <= 2 ? 2 : r <= 2.5 ? 2.5 : r <= 5 ? 5 : 10;
    return magnitude * factor;
}

int EchogramGridDecimals(double step)
{
    constexpr int kMostDecimals = 9;
    double scaled = step;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals, scaled *= 10)
        if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) return decimals;
    return kMostDecimals;
}

std::vector<EchogramGridLine> EchogramGrid(const EchogramRange& range)
{
    std::vector<EchogramGridLine> lines;
    if (!std::isfinite(range.top) || !std::isfinite(range.span) || !(range.span > 0)) return lines;
    // Multiples counted as whole numbers: adding the step up would drift. Far below the
    // surface a narrow range needs more digits than a double holds; then the step grows
    // until the lines are few and their multiples exact.
    constexpr double kExactWhole = 9007199254740992.0;  // 2^53
    const double end = range.bottom + 1e-9 * range.span;
    double step = EchogramGridStep(range.span);
    double first = 0, count = 0;
    for (;; step *= 10) {
        if (!std::isfinite(step) || !(step > 0)) return lines;
        first = std::ceil(range.top / step);
        count = std::floor(end / step) - first + 1;
        if (count <= kMostEchogramGridLines && std::abs(first) + count < kExactWhole) break;
    }
    const int decimals = EchogramGridDecimals(step);
    for (int i = 0; i < count; ++i) {
        const double depth = (first + i) * step;
        lines.push_back({depth, skerra::FormatFixed(depth, decimals) + "m"});
    }
    return lines;
}
