#pragma once
// Fits a world box to a client's aspect (width / height in pixels) about the
// box's centre: the box's height follows its width when it is wider than the
// aspect, else its width follows its height. A box without height counts as
// one unit high.

namespace skerra::canvas {

inline void growToAspect(double& minX, double& minY, double& maxX, double& maxY, double aspect)
{
    const double w = maxX - minX;
    const double h = maxY - minY;
    if (w / (h > 0.0 ? h : 1.0) > aspect) {
        const double cy = (minY + maxY) / 2.0;
        minY = cy - (w / aspect) / 2.0;
        maxY = cy + (w / aspect) / 2.0;
    } else {
        const double cx = (minX + maxX) / 2.0;
        minX = cx - (h * aspect) / 2.0;
        maxX = cx + (h * aspect) / 2.0;
    }
}

}  // namespace skerra::canvas
