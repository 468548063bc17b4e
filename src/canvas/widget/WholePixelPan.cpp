#include "canvas/widget/WholePixelPan.h"

#include "canvas/widget/PixelMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace skerra::canvas {

namespace {

// How far from whole a pixel offset of the window may be from its coordinates' rounding alone.
double roundingOf(double a, double b, double c, double d, double scale)
{
    const double largest = std::max({std::abs(a), std::abs(b), std::abs(c), std::abs(d)});
    return 1e-9 + 8.0 * std::numeric_limits<double>::epsilon() * largest * scale;
}

std::optional<int> wholePixels(double offset, double tolerance, int size)
{
    const double whole = std::round(offset);
    if (!(std::abs(offset - whole) <= tolerance) || !(std::abs(whole) < size))
        return std::nullopt;
    return static_cast<int>(whole);
}

}  // namespace

std::optional<QPoint> wholePixelPan(const WorldWindow& from, const WorldWindow& to, int width, int height,
                                    double reach)
{
    const PixelMapping a = PixelMapping::make(from.left, from.right, from.top, from.bottom, width, height);
    const PixelMapping b = PixelMapping::make(to.left, to.right, to.top, to.bottom, width, height);
    const double toleranceX = roundingOf(from.left, from.right, to.left, to.right, a.kx);
    const double toleranceY = roundingOf(from.top, from.bottom, to.top, to.bottom, a.ky);
    if (!(std::abs(b.kx - a.kx) * (width + reach) <= toleranceX)
        || !(std::abs(b.ky - a.ky) * (height + reach) <= toleranceY))
        return std::nullopt;
    const std::optional<int> dx = wholePixels((from.left - to.left) * a.kx, toleranceX, width);
    const std::optional<int> dy = wholePixels((to.top - from.top) * a.ky, toleranceY, height);
    if (!dx || !dy)
        return std::nullopt;
    return QPoint(*dx, *dy);
}

}  // namespace skerra::canvas
