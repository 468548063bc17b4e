#pragma once
// Lambert Conformal Conic projection on an ellipsoid, with one standard parallel
// (origin latitude and scale factor) or two standard parallels.
//
// Numeric interface: doubles, angles in radians, lengths in metres, results
// through pointers, error bits as the int result (0 = success; outputs are
// written only on success):
//   1  latitude outside -pi/2..pi/2, or a pole that is not the apex of the cone
//   2  longitude outside -pi..2pi
//   4  easting outside FE +- the easting window
//   8  northing outside the accepted range, or the inverse did not converge
//
// The definition lives in module state: a set-up call validates and stores it
// (a rejected definition changes nothing and returns the n in force); until the
// first set-up the load-time definition holds (one parallel at 45 degrees on
// WGS84, k0 1, central meridian 0, no false origin; for two parallels 40 and 50
// degrees with origin 45 degrees).
//
// Use: set up first, then project. The map timer calls LCCSetup1SP (or
// LCCSetup2SP) with the survey's definition and only then GeodeticToLCC (or
// GeodeticToLCC2SP) in the same tick, so every position, the first one after
// start included, is projected with the survey's own definition. A set-up with
// unchanged values is cheap and leaves the state as it was.
//
// The two-parallel calls work through the equivalent one-parallel definition and
// overwrite the one-parallel state with it on every call. The state is not
// guarded: use the module from one thread (the user-interface thread).

namespace skerra {

struct LCC1SPState {
    double a, f, e, halfE;
    double n;      // cone constant, sin phi0
    double rho0;   // radius of the origin parallel
    double rho0N;  // the same radius, used for northings
    double t0;
    double phi0, lambda0;
    double falseNorthing, falseEasting;
    double k0;
    double eastingWindow, northingWindow;
};

struct LCC2SPState {
    double a, f, e, halfE;
    double phiE;            // latitude of the equivalent single parallel
    double k0E;             // scale factor of the equivalent definition
    double falseNorthingE;  // false northing of the equivalent definition
    double phi1, phi2, phi0, lambda0;
    double falseNorthing, falseEasting;
    double eastingWindow, northingWindow;
};

// One projection module: its state and operations. The program uses the one
// process-wide instance behind the free functions below; tests make their own.
class LambertConformalConic {
public:
    LambertConformalConic();  // the load-time definition

    double setup1SP(double a, double f, double phi0, double lambda0, double falseEasting,
                    double falseNorthing, double k0);
    void getParams1SP(double* a, double* f, double* phi0, double* lambda0, double* falseEasting,
                      double* falseNorthing, double* k0) const;
    int geodeticToLCC(double phi, double lambda, double* easting, double* northing) const;
    int lccToGeodetic(double easting, double northing, double* phi, double* lambda) const;

    double setup2SP(double a, double f, double phi0, double lambda0, double phi1, double phi2,
                    double falseEasting, double falseNorthing);
    void getParams2SP(double* a, double* f, double* phi0, double* lambda0, double* phi1,
                      double* phi2, double* falseEasting, double* falseNorthing) const;
    int geodeticToLCC2SP(double phi, double lambda, double* easting, double* northing);
    int lccToGeodetic2SP(double easting, double northing, double* phi, double* lambda);

    const LCC1SPState& state1SP() const { return one_; }
    const LCC2SPState& state2SP() const { return two_; }

private:
    void applyEquivalent1SP();

    LCC1SPState one_;
    LCC2SPState two_;
};

// The program's module instance.
LambertConformalConic& lambertModule();

double LCCSetup1SP(double a, double f, double phi0, double lambda0, double falseEasting,
                   double falseNorthing, double k0);
void LCCGetParams1SP(double* a, double* f, double* phi0, double* lambda0, double* falseEasting,
                     double* falseNorthing, double* k0);
int GeodeticToLCC(double phi, double lambda, double* easting, double* northing);
int LCCToGeodetic(double easting, double northing, double* phi, double* lambda);

double LCCSetup2SP(double a, double f, double phi0, double lambda0, double phi1, double phi2,
                   double falseEasting, double falseNorthing);
void LCCGetParams2SP(double* a, double* f, double* phi0, double* lambda0, double* phi1,
                     double* phi2, double* falseEasting, double* falseNorthing);
int GeodeticToLCC2SP(double phi, double lambda, double* easting, double* northing);
int LCCToGeodetic2SP(double easting, double northing, double* phi, double* lambda);

}  // namespace skerra
