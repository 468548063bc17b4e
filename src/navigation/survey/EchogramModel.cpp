#include "EchogramModel.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

int EchogramModel::ClampDataWidth(int width) { return std::clamp(width, 1, kCapacity); }

void EchogramModel::Push(double depth)
{
    std::copy(depths_.begin() + 1, depths_.begin() + width_, depths_.begin());
    depths_[static_cast<std::size_t>(width_ - 1)] = depth;
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
        range.top = std::max(low - margin, 0.0);
        range.bottom = high + margin;
    }
    range.span = range.bottom - range.top;
    if (range.span <= 0) range.span = 1;
    return range;
}

int EchogramRow(double depth, const EchogramRange& range, int height)
{
    return static_cast<int>((depth - range.top) * height / range.span);
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
    const double step = EchogramGridStep(range.span);
    const int decimals = EchogramGridDecimals(step);
    std::vector<EchogramGridLine> lines;
    // Multiples counted as whole numbers: adding the step up would drift.
    const double first = std::ceil(range.top / step);
    for (double k = first;; ++k) {
        const double depth = k * step;
        if (depth > range.bottom + 1e-9 * range.span) break;
        lines.push_back({depth, skerra::FormatFixed(depth, decimals) + "m"});
    }
    return lines;
}
