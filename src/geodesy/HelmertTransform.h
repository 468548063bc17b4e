#pragma once
// The seven-parameter similarity (Helmert) transformation between geocentric
// frames, coordinate-frame rotation convention, full rotation matrix
// R = R3(rz) R2(ry) R1(rx). One parameter set that takes a datum to WGS84 serves
// both directions: forward is s R X + T, reverse its exact inverse.

#include "geodesy/GeodesyTypes.h"

#include <string>

namespace skerra {
namespace geodesy {

// One parameter set with its scaled rotation and the inverse, prepared once.
class HelmertTransformation {
public:
    explicit HelmertTransformation(const HelmertParameters& parameters);

    GeocentricPosition forward(const GeocentricPosition& p) const;  // X' = s R X + T
    GeocentricPosition reverse(const GeocentricPosition& p) const;  // X = (s R)^-1 (X' - T)

private:
    long double scale_;
    long double rotation_[3][3];  // R
    long double inverse_[3][3];   // (s R)^-1, by MatrixInvert
    long double translation_[3];
};

}  // namespace geodesy

// mode "WGS" (exactly): forward; any other mode: reverse. The text holds
// X Y Z ppm rx ry rz tx ty tz; with fewer than ten numbers the result is "0".
std::string HelmertTransform(const std::string& mode, const std::string& coordinatesAndParameters);

}  // namespace skerra
