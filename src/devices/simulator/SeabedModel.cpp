#include "devices/simulator/SeabedModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skerra::sim {

SeabedDepths SeabedAt(double east, double north)
{
    constexpr double twoPi = 2 * std::numbers::pi;
    const double slope = 13.0 - 0.012 * north;                       // deeper to the south
    const double swell = 1.8 * std::sin(twoPi * east / 420.0);
    const double dx = east - 330.0, dy = north + 120.0;
    const double shoal = -4.5 * std::exp(-(dx * dx + dy * dy) / (2 * 70.0 * 70.0));
    const double ripples = 0.12 * std::sin(twoPi * (0.8 * east + 0.6 * north) / 18.0);
    const double high = std::max(2.0, slope + swell + shoal + ripples);
    const double mud = 0.25 + 0.2 * std::sin(twoPi * (east - north) / 300.0) * std::sin(twoPi * north / 170.0);
    return {high, high + std::max(0.05, mud)};
}

}  // namespace skerra::sim
