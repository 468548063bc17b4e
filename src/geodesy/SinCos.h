#pragma once
// Sine and cosine of one angle in long double from a single tangent of the half
// angle. glibc's tanl costs about half of one sinl on x86, so this gives both
// values for less than the price of one, to within a few units in the last place.

#include <cmath>

namespace skerra::geodesy {

struct SinCos {
    long double sin;
    long double cos;
};

inline SinCos sinCos(long double x)
{
    const long double t = std::tan(x / 2);
    const long double t2 = t * t;
    const long double d = 1 / (1 + t2);
    return {2 * t * d, (1 - t2) * d};
}

// sin and cos of x + delta from those of x, for a tiny delta (|delta| < 1e-6).
inline SinCos sinCosShifted(const SinCos& x, long double delta)
{
    const long double d2 = delta * delta;
    const long double sinD = delta * (1 - d2 / 6);
    const long double cosD = 1 - d2 / 2;
    return {x.sin * cosD + x.cos * sinD, x.cos * cosD - x.sin * sinD};
}

}  // namespace skerra::geodesy
