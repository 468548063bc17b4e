#include "DepthToColor.h"

#include <algorithm>
#include <cmath>

namespace {

int channel(double fraction) { return int(std::clamp(fraction * 255.0, 0.0, 255.0)); }

}  // namespace

TColor DepthToColor(double z, double zMin, double zMax)
{
    double range = zMax - zMin;
    if (range <= 0.0) range = 1.0;
    double t = (z - zMin) / range;
    if (!std::isfinite(t)) t = 0.0;
    t = std::clamp(t, 0.0, 1.0);
    int r = 0, g = 0, b = 0;
    if (t < 0.25) {
        r = 255;
        g = channel(t / 0.25);
    } else if (t < 0.5) {
        r = channel(1.0 - (t - 0.25) / 0.25);
        g = 255;
    } else if (t < 0.75) {
        g = 255;
        b = channel((t - 0.5) / 0.25);
    } else {
        g = channel(1.0 - (t - 0.75) / 0.25);
        b = 255;
    }
    return TColor(r | (g << 8) | (b << 16));
}
