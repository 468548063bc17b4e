#include "geodesy/LambertConformalConic.h"

#include <cmath>

namespace skerra {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2;
constexpr double kTwoPi = 2 * kPi;
constexpr double kMaxLatitude = 1.5707914786580854;  // pi/2 less one arc-second
constexpr double kWindow = 40000000;
constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 0.0033528106647474805;

constexpr int kLatitudeError = 1;
constexpr int kLongitudeError = 2;
constexpr int kEastingError = 4;
constexpr int kNorthingError = 8;

double eccentricity(double f) { return std::sqrt(2 * f - f * f); }

double tFunction(double phi, double e)
{
    const double es = e * std::sin(phi);
    return std::tan(kPi / 4 - phi / 2) / std::pow((1 - es) / (1 + es), e / 2);
}

double mFunction(double phi, double e)
{
    const double es = e * std::sin(phi);
    return std::cos(phi) / std::sqrt(1 - es * es);
}

// The checks are written so that a value that is not a number fails them.
bool validEllipsoid(double a, double f)
{
    if (!(a > 0) || !std::isfinite(a) || !(f > 0))
        return false;
    const double inverse = 1 / f;
    return inverse >= 250 && inverse <= 350;
}

bool validLatitude(double phi) { return phi >= -kMaxLatitude && phi <= kMaxLatitude; }
bool validCentralMeridian(double lambda0) { return lambda0 >= -kPi && lambda0 <= kTwoPi; }
bool finite(double v) { return std::isfinite(v); }

int positionErrors(double phi, double lambda)
{
    int bits = 0;
    if (!(phi >= -kHalfPi && phi <= kHalfPi))
        bits |= kLatitudeError;
    if (!(lambda >= -kPi && lambda <= kTwoPi))
        bits |= kLongitudeError;
    return bits;
}

// The constants of a one-parallel definition from its stored parameters.
void derive1SP(LCC1SPState& s)
{
    s.e = eccentricity(s.f);
    s.halfE = s.e / 2;
    s.n = std::sin(s.phi0);
    s.t0 = tFunction(s.phi0, s.e);
    const double m0 = mFunction(s.phi0, s.e);
    s.rho0 = s.a * s.k0 * m0 / s.n;
    s.rho0N = s.rho0;
}

// The equivalent one-parallel definition of a two-parallel one; returns n.
double derive2SP(LCC2SPState& s)
{
    const double e = eccentricity(s.f);
    const double t0 = tFunction(s.phi0, e);
    double n;
    double aF;  // a F, so that rho(phi) = aF t(phi)^n
    if (std::fabs(s.phi1 - s.phi2) > 0.0000000001) {
        const double m1 = mFunction(s.phi1, e), t1 = tFunction(s.phi1, e);
        const double m2 = mFunction(s.phi2, e), t2 = tFunction(s.phi2, e);
        n = std::log(m1 / m2) / std::log(t1 / t2);
        s.phiE = std::asin(n);
        const double mE = mFunction(s.phiE, e), tE = tFunction(s.phiE, e);
        s.k0E = (m1 / mE) * std::pow(tE / t1, n);
        aF = s.a * m2 / (n * std::pow(t2, n));
    } else {
        // One parallel: it is its own equivalent, with scale 1. The northing
        // origin stays on the origin latitude, as for two distinct parallels.
        n = std::sin(s.phi1);
        s.phiE = s.phi1;
        s.k0E = 1.0;
        aF = s.a * mFunction(s.phi1, e) / (n * std::pow(tFunction(s.phi1, e), n));
    }
    s.e = e;
    s.halfE = e / 2;
    const double rhoOrigin = aF * std::pow(t0, n);
    const double rhoE = aF * std::pow(tFunction(s.phiE, e), n);
    s.falseNorthingE = rhoOrigin - rhoE + s.falseNorthing;
    return n;
}

}  // namespace

LambertConformalConic::LambertConformalConic()
{
    one_ = LCC1SPState{kWgs84A, kWgs84F, 0, 0, 0, 0, 0, 0, kPi / 4, 0, 0, 0, 1.0, kWindow, kWindow};
    derive1SP(one_);
    two_ = LCC2SPState{kWgs84A, kWgs84F, 0, 0, 0, 0, 0,
                       40 * kPi / 180, 50 * kPi / 180, kPi / 4, 0, 0, 0, kWindow, kWindow};
    derive2SP(two_);
}

double LambertConformalConic::setup1SP(double a, double f, double phi0, double lambda0,
                                       double falseEasting, double falseNorthing, double k0)
{
    const bool valid = validEllipsoid(a, f) && validLatitude(phi0) && phi0 != 0
                       && validCentralMeridian(lambda0) && k0 >= 0.3 && k0 <= 3.0
                       && finite(falseEasting) && finite(falseNorthing);
    if (!valid)
        return one_.n;
    one_.a = a;
    one_.f = f;
    one_.phi0 = phi0;
    one_.lambda0 = lambda0 > kPi ? lambda0 - kTwoPi : lambda0;
    one_.falseEasting = falseEasting;
    one_.falseNorthing = falseNorthing;
    one_.k0 = k0;
    derive1SP(one_);
    return one_.n;
}

void LambertConformalConic::getParams1SP(double* a, double* f, double* phi0, double* lambda0,
                                         double* falseEasting, double* falseNorthing,
                                         double* k0) const
{
    *a = one_.a;
    *f = one_.f;
    *phi0 = one_.phi0;
    *lambda0 = one_.lambda0;
    *falseEasting = one_.falseEasting;
    *falseNorthing = one_.falseNorthing;
    *k0 = one_.k0;
}

int LambertConformalConic::geodeticToLCC(double phi, double lambda, double* easting,
                                         double* northing) const
{
    if (const int bits = positionErrors(phi, lambda))
        return bits;
    double rho;
    if (std::fabs(std::fabs(phi) - kHalfPi) > 0.0000000001) {
        rho = one_.rho0 * std::pow(tFunction(phi, one_.e) / one_.t0, one_.n);
    } else {
        if (phi * one_.n <= 0)
            return kLatitudeError;
        rho = 0;
    }
    double dLambda = lambda - one_.lambda0;
    if (dLambda > kPi)
        dLambda -= kTwoPi;
    if (dLambda < -kPi)
        dLambda += kTwoPi;
    const double theta = one_.n * dLambda;
    *easting = rho * std::sin(theta) + one_.falseEasting;
    *northing = one_.rho0N - rho * std::cos(theta) + one_.falseNorthing;
    return 0;
}

int LambertConformalConic::lccToGeodetic(double easting, double northing, double* phi,
                                         double* lambda) const
{
    int bits = 0;
    if (!(easting >= one_.falseEasting - one_.eastingWindow
          && easting <= one_.falseEasting + one_.eastingWindow))
        bits |= kEastingError;
    if (!(northing >= one_.falseNorthing - one_.northingWindow
          && northing <= one_.falseNorthing + one_.northingWindow))
        bits |= kNorthingError;
    if (bits)
        return bits;

    double dx = easting - one_.falseEasting;
    double dy = one_.rho0N - (northing - one_.falseNorthing);
    double rho = std::sqrt(dx * dx + dy * dy);
    if (one_.n < 0) {
        rho = -rho;
        dx = -dx;
        dy = -dy;
    }
    if (rho == 0) {
        *phi = one_.n > 0 ? kHalfPi : -kHalfPi;
        *lambda = one_.lambda0;
        return 0;
    }
    const double theta = std::atan2(dx, dy);
    const double lambdaPrime = theta / one_.n;
    const double t = one_.t0 * std::pow(rho / one_.rho0, 1 / one_.n);
    double lat = kHalfPi - 2 * std::atan(t);
    double previous = 0;
    int counter = 30;
    while (std::fabs(lat - previous) > 0.000000000485 && counter != 0) {
        previous = lat;
        const double es = one_.e * std::sin(lat);
        lat = kHalfPi - 2 * std::atan(t * std::pow((1 - es) / (1 + es), one_.e / 2));
        --counter;
    }
    if (counter == 0)
        return kNorthingError;

    double lon = lambdaPrime + one_.lambda0;
    if (std::fabs(lat) < 0.0000002)
        lat = 0;
    if (lat > kHalfPi)
        lat = kHalfPi;
    else if (lat < -kHalfPi)
        lat = -kHalfPi;
    if (lon > kPi)
        lon = lon - kPi < 0.0000035 ? kPi : lon - kTwoPi;
    if (lon < -kPi)
        lon = std::fabs(lon + kPi) < 0.0000035 ? -kPi : lon + kTwoPi;
    if (std::fabs(lon) < 0.0000002)
        lon = 0;
    if (lon > kPi)
        lon = kPi;
    else if (lon < -kPi)
        lon = -kPi;
    *phi = lat;
    *lambda = lon;
    return 0;
}

double LambertConformalConic::setup2SP(double a, double f, double phi0, double lambda0,
                                       double phi1, double phi2, double falseEasting,
                                       double falseNorthing)
{
    const bool valid = validEllipsoid(a, f) && validLatitude(phi0) && validLatitude(phi1)
                       && validLatitude(phi2) && !(phi1 == 0 && phi2 == 0) && phi1 != -phi2
                       && validCentralMeridian(lambda0) && finite(falseEasting)
                       && finite(falseNorthing);
    if (!valid)
        return one_.n;
    two_.a = a;
    two_.f = f;
    two_.phi0 = phi0;
    two_.phi1 = phi1;
    two_.phi2 = phi2;
    two_.lambda0 = lambda0 > kPi ? lambda0 - kTwoPi : lambda0;
    two_.falseEasting = falseEasting;
    two_.falseNorthing = falseNorthing;
    const double n = derive2SP(two_);
    applyEquivalent1SP();
    return n;
}

void LambertConformalConic::getParams2SP(double* a, double* f, double* phi0, double* lambda0,
                                         double* phi1, double* phi2, double* falseEasting,
                                         double* falseNorthing) const
{
    *a = two_.a;
    *f = two_.f;
    *phi0 = two_.phi0;
    *lambda0 = two_.lambda0;
    *phi1 = two_.phi1;
    *phi2 = two_.phi2;
    *falseEasting = two_.falseEasting;
    *falseNorthing = two_.falseNorthing;
}

void LambertConformalConic::applyEquivalent1SP()
{
    setup1SP(two_.a, two_.f, two_.phiE, two_.lambda0, two_.falseEasting, two_.falseNorthingE,
             two_.k0E);
}

int LambertConformalConic::geodeticToLCC2SP(double phi, double lambda, double* easting,
                                            double* northing)
{
    if (const int bits = positionErrors(phi, lambda))
        return bits;
    applyEquivalent1SP();
    return geodeticToLCC(phi, lambda, easting, northing);
}

int LambertConformalConic::lccToGeodetic2SP(double easting, double northing, double* phi,
                                            double* lambda)
{
    int bits = 0;
    if (!(easting >= two_.falseEasting - two_.eastingWindow
          && easting <= two_.falseEasting + two_.eastingWindow))
        bits |= kEastingError;
    if (!(northing >= two_.falseNorthingE - two_.northingWindow
          && northing <= two_.falseNorthingE + two_.northingWindow))
        bits |= kNorthingError;
    if (bits)
        return bits;
    applyEquivalent1SP();
    return lccToGeodetic(easting, northing, phi, lambda);
}

LambertConformalConic& lambertModule()
{
    static LambertConformalConic module;
    return module;
}

double LCCSetup1SP(double a, double f, double phi0, double lambda0, double falseEasting,
                   double falseNorthing, double k0)
{
    return lambertModule().setup1SP(a, f, phi0, lambda0, falseEasting, falseNorthing, k0);
}

void LCCGetParams1SP(double* a, double* f, double* phi0, double* lambda0, double* falseEasting,
                     double* falseNorthing, double* k0)
{
    lambertModule().getParams1SP(a, f, phi0, lambda0, falseEasting, falseNorthing, k0);
}

int GeodeticToLCC(double phi, double lambda, double* easting, double* northing)
{
    return lambertModule().geodeticToLCC(phi, lambda, easting, northing);
}

int LCCToGeodetic(double easting, double northing, double* phi, double* lambda)
{
    return lambertModule().lccToGeodetic(easting, northing, phi, lambda);
}

double LCCSetup2SP(double a, double f, double phi0, double lambda0, double phi1, double phi2,
                   double falseEasting, double falseNorthing)
{
    return lambertModule().setup2SP(a, f, phi0, lambda0, phi1, phi2, falseEasting, falseNorthing);
}

void LCCGetParams2SP(double* a, double* f, double* phi0, double* lambda0, double* phi1,
                     double* phi2, double* falseEasting, double* falseNorthing)
{
    lambertModule().getParams2SP(a, f, phi0, lambda0, phi1, phi2, falseEasting, falseNorthing);
}

int GeodeticToLCC2SP(double phi, double lambda, double* easting, double* northing)
{
    return lambertModule().geodeticToLCC2SP(phi, lambda, easting, northing);
}

int LCCToGeodetic2SP(double easting, double northing, double* phi, double* lambda)
{
    return lambertModule().lccToGeodetic2SP(easting, northing, phi, lambda);
}

}  // namespace skerra
