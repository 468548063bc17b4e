#pragma once
// A point in world coordinates: metres of the local grid, x (easting) to the
// right, y (northing) upwards. Kept in double precision everywhere: a float is
// only about half a metre fine at a northing of 4,500,000 m.

namespace skerra::canvas {

struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const WorldPoint&, const WorldPoint&) = default;
};

}  // namespace skerra::canvas
