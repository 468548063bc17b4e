#pragma once
// The track of a lawn-mower survey for the benchmarks: 2 m steps along 2 km
// lines 20 m apart, in metres of the grid.

#include <cstddef>

namespace benchsupport {

inline void trackPoint(std::size_t i, double& e, double& n)
{
    const std::size_t line = i / 1000, k = i % 1000;
    e = 499000.0 + ((line % 2 == 0) ? k * 2.0 : 2000.0 - k * 2.0);
    n = 4499000.0 + line * 20.0;
}

}  // namespace benchsupport
