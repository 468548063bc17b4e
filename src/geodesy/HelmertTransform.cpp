#include "geodesy/HelmertTransform.h"

#include "geodesy/AngleConversion.h"
#include "geodesy/Geocentric.h"
#include "geodesy/GeodesyNumberText.h"
#include "geodesy/RowMatrix.h"

#include <cmath>

namespace skerra {
namespace geodesy {

HelmertTransformation::HelmertTransformation(const HelmertParameters& parameters)
{
    const long double wx = degToRad(parameters.rx / 3600);
    const long double wy = degToRad(parameters.ry / 3600);
    const long double wz = degToRad(parameters.rz / 3600);
    scale_ = parameters.ppm * 0.000001L + 1;
    const long double cx = std::cos(wx), sx = std::sin(wx);
    const long double cy = std::cos(wy), sy = std::sin(wy);
    const long double cz = std::cos(wz), sz = std::sin(wz);
    const long double r[3][3] = {
        {cy * cz, cx * sz + sx * sy * cz, sx * sz - cx * sy * cz},
        {-cy * sz, cx * cz - sx * sy * sz, sx * cz + cx * sy * sz},
        {sy, -sx * cy, cx * cy},
    };
    long double** m = MatrixCreate(3, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            rotation_[i][j] = r[i][j];
            m[i][j] = scale_ * r[i][j];
        }
    MatrixInvert(m, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            inverse_[i][j] = m[i][j];
    MatrixFree(m, 3);
    translation_[0] = parameters.tx;
    translation_[1] = parameters.ty;
    translation_[2] = parameters.tz;
}

GeocentricPosition HelmertTransformation::forward(const GeocentricPosition& p) const
{
    const long double in[3] = {p.x, p.y, p.z};
    long double out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = scale_ * (rotation_[i][0] * in[0] + rotation_[i][1] * in[1] + rotation_[i][2] * in[2])
                 + translation_[i];
    return {out[0], out[1], out[2]};
}

GeocentricPosition HelmertTransformation::reverse(const GeocentricPosition& p) const
{
    const long double d[3] = {p.x - translation_[0], p.y - translation_[1], p.z - translation_[2]};
    long double out[3];
    for (int i = 0; i < 3; ++i) {
        long double sum = 0;
        for (int k = 0; k < 3; ++k)
            sum += inverse_[i][k] * d[k];
        out[i] = sum;
    }
    return {out[0], out[1], out[2]};
}

}  // namespace geodesy

std::string HelmertTransform(const std::string& mode, const std::string& coordinatesAndParameters)
{
    double v[10];
    if (geodesy::NumberScanner(coordinatesAndParameters).read(v, 10) != 10)
        return geodesy::kFailureText;
    const geodesy::HelmertTransformation helmert({v[3], v[4], v[5], v[6], v[7], v[8], v[9]});
    const geodesy::GeocentricPosition in{v[0], v[1], v[2]};
    const auto out = mode == "WGS" ? helmert.forward(in) : helmert.reverse(in);
    if (!std::isfinite(out.x) || !std::isfinite(out.y) || !std::isfinite(out.z))
        return geodesy::kFailureText;
    return geodesy::geocentricText(out);
}

}  // namespace skerra
