#include "geodesy/TMScaleConvergence.h"

#include <cmath>

namespace skerra {
namespace geodesy {

namespace {

constexpr double kPi = 3.141592653589793;

}  // namespace

ScaleConvergence tmScaleConvergence(double a, double f, double latitude, double longitude,
                                    double centralMeridian, double k0)
{
    const double phi = latitude * kPi / 180;
    double omega = longitude * kPi / 180 - centralMeridian * kPi / 180;
    if (omega > kPi)
        omega -= 2 * kPi;
    else if (omega < -kPi)
        omega += 2 * kPi;

    const double e2 = (2 - f) * f;
    const double s = std::sin(phi), c = std::cos(phi);
    const double w = 1 - e2 * s * s;
    const double rho = a * (1 - e2) / std::pow(w, 1.5);
    const double nu = a / std::sqrt(w);
    const double psi = nu / rho;
    const double t = std::tan(phi);
    const double t2 = t * t, t4 = t2 * t2;
    const double psi2 = psi * psi, psi3 = psi2 * psi, psi4 = psi2 * psi2;
    const double c2 = c * c, c4 = c2 * c2, c6 = c4 * c2;
    const double w2 = omega * omega, w3 = w2 * omega, w4 = w2 * w2, w5 = w4 * omega;
    const double w6 = w3 * w3, w7 = w6 * omega;

    const double gamma1 = -omega * s;
    const double gamma2 = -(w3 / 3) * s * c2 * (2 * psi2 - psi);
    const double gamma3 = -(w5 / 15) * s * c4
                          * (psi4 * (11 - 24 * t2) - psi3 * (11 - 36 * t2) + 2 * psi2 * (1 - 7 * t2)
                             + psi * t2);
    const double gamma4 = -(w7 / 315) * s * c6 * (17 - 26 * t2 + 2 * t4);
    const double gamma = gamma1 + gamma2 + gamma3 + gamma4;

    const double k = k0 + k0 * (w2 / 2) * psi * c2
                     + k0 * (w4 / 24) * c4 * (4 * psi3 * (1 - 6 * t2) + psi2 * (1 + 24 * t2) - 4 * psi * t2)
                     + k0 * (w6 / 720) * c6 * (61 - 148 * t2 + 16 * t4);

    ScaleConvergence out;
    out.scaleFactor = std::isfinite(k) ? k : 0;
    out.convergence = std::isfinite(gamma) ? gamma * 180 / kPi : 0;
    return out;
}

}  // namespace geodesy

long double TMScaleConvergence(const std::string& what, double a, double f, double latitude,
                               double longitude, double centralMeridian, double /*referenceLatitude*/,
                               double k0, double /*falseEasting*/, double /*falseNorthing*/)
{
    const auto result = geodesy::tmScaleConvergence(a, f, latitude, longitude, centralMeridian, k0);
    if (what == "PtScFac")
        return result.scaleFactor;
    if (what == "GrdConv")
        return result.convergence;
    return 0;
}

}  // namespace skerra
