#include "GridProjection.h"

#include "geodesy/TMScaleConvergence.h"
#include "platform/NumberText.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace skerra::survey {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Converts named texts to numbers; the first bad one names the problem.
class Numbers {
public:
    double operator()(const char* name, const std::string& text)
    {
        const auto v = skerra::tryParseDouble(text);
        if (!v && problem.empty()) problem = std::string("bad value in ") + name + ": '" + text + "'";
        return v.value_or(0.0);
    }
    std::string problem;
};

bool sameAngle(double a, double b) { return std::fabs(a - b) <= 1e-12; }

}  // namespace

GeodesyParameterTexts BuildParameterTexts(const GridSettingsTexts& s)
{
    GeodesyParameterTexts t;
    t.datum = "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 ";
    for (const std::string* e : {&s.semiMajorAxis, &s.flattening, &s.scalePpm, &s.rotationX, &s.rotationY,
                                 &s.rotationZ, &s.shiftX, &s.shiftY, &s.shiftZ})
        t.datum += (e == &s.semiMajorAxis ? "" : " ") + *e;
    t.ellipsoid = "6378137.0 0.0033528106647474 " + s.semiMajorAxis + " " + s.flattening;
    t.tm = s.centralMeridian + " " + s.referenceLatitude + " " + s.scaleFactor + " " + s.falseEasting + " "
        + s.falseNorthing;
    return t;
}

std::unique_ptr<GridProjection> GridProjection::Build(const GridSettingsTexts& s, std::string& problem)
{
    problem.clear();
    if (skerra::trimBlanks(s.semiMajorAxis).empty() || (!s.useLambert && skerra::trimBlanks(s.centralMeridian).empty())) {
        problem = "the grid is not configured (datum or projection empty)";
        return nullptr;
    }
    std::unique_ptr<GridProjection> p(new GridProjection);
    p->texts_ = BuildParameterTexts(s);
    p->lambert_ = s.useLambert;
    p->lambert1SP_ = s.lambert1SP;

    Numbers n;
    p->a_ = n("semi-major axis", s.semiMajorAxis);
    p->f_ = n("flattening", s.flattening);
    for (const auto& [name, text] : {std::pair{"scale (ppm)", &s.scalePpm}, {"rotation X", &s.rotationX},
                                     {"rotation Y", &s.rotationY}, {"rotation Z", &s.rotationZ},
                                     {"shift X", &s.shiftX}, {"shift Y", &s.shiftY}, {"shift Z", &s.shiftZ}})
        n(name, *text);
    if (n.problem.empty() && !geodesy::isUsable(geodesy::Ellipsoid{p->a_, p->f_}))
        n.problem = "bad value in the ellipsoid: semi-major axis " + s.semiMajorAxis + ", flattening " + s.flattening;

    if (!p->lambert_) {
        p->centralMeridian_ = n("central meridian", s.centralMeridian);
        n("reference latitude", s.referenceLatitude);
        p->scaleFactor_ = n("scale factor", s.scaleFactor);
        n("false easting", s.falseEasting);
        n("false northing", s.falseNorthing);
        if (n.problem.empty()) {
            p->tm_ = geodesy::WgsToGridConverter::fromTexts(p->texts_.datum, p->texts_.tm, p->texts_.ellipsoid);
            if (!p->tm_) n.problem = "bad value in the Transverse Mercator parameters";
        }
    } else {
        const double sp1 = n("Lambert standard parallel 1", s.lccStandardParallel1) * kDegree;
        const double sp2 = n("Lambert standard parallel 2", s.lccStandardParallel2) * kDegree;
        const double k0 = n("Lambert scale factor", s.lccScaleFactor);
        const double phi0 = n("Lambert latitude of origin", s.lccLatitudeOfOrigin) * kDegree;
        const double lambda0 = n("Lambert central meridian", s.lccCentralMeridian) * kDegree;
        const double fe = n("Lambert false easting", s.lccFalseEasting);
        const double fn = n("Lambert false northing", s.lccFalseNorthing);
        p->centralMeridian_ = lambda0 / kDegree;
        if (n.problem.empty()) {
            const auto datum = geodesy::parseDatumParameters(p->texts_.datum);
            if (datum) p->datum_.emplace(*datum);
            // The module keeps its previous definition when it rejects one: compare.
            double a, f, o, c, e, nn, k, q1, q2;
            if (p->lambert1SP_) {
                p->coneConstant_ = p->lcc_.setup1SP(p->a_, p->f_, phi0, lambda0, fe, fn, k0);
                p->lcc_.getParams1SP(&a, &f, &o, &c, &e, &nn, &k);
                if (!datum || !sameAngle(o, phi0) || !sameAngle(c, lambda0) || k != k0 || a != p->a_)
                    n.problem = "bad value in the Lambert (one parallel) parameters";
            } else {
                p->coneConstant_ = p->lcc_.setup2SP(p->a_, p->f_, phi0, lambda0, sp1, sp2, fe, fn);
                p->lcc_.getParams2SP(&a, &f, &o, &c, &q1, &q2, &e, &nn);
                if (!datum || !sameAngle(q1, sp1) || !sameAngle(q2, sp2) || !sameAngle(c, lambda0) || a != p->a_)
                    n.problem = "bad value in the Lambert (two parallels) parameters";
            }
        }
    }
    if (!n.problem.empty()) {
        problem = n.problem;
        return nullptr;
    }
    return p;
}

std::optional<GridFix> GridProjection::Project(double latitude, double longitude, double altitude)
{
    GridFix fix;
    if (!lambert_) {
        const auto grid = tm_->toGrid(latitude, longitude);
        if (!grid) return std::nullopt;
        fix.easting = double(grid->easting);
        fix.northing = double(grid->northing);
        fix.convergence = geodesy::tmScaleConvergence(a_, f_, latitude, longitude, centralMeridian_, scaleFactor_)
                              .convergence;
        return fix;
    }
    const auto local = datum_->toTargetGeodetic({latitude, longitude, altitude});
    if (!local) return std::nullopt;
    const double phi = double(local->latitude) * kDegree;
    const double lambda = double(local->longitude) * kDegree;
    const int error = lambert1SP_ ? lcc_.geodeticToLCC(phi, lambda, &fix.easting, &fix.northing)
                                  : lcc_.geodeticToLCC2SP(phi, lambda, &fix.easting, &fix.northing);
    if (error != 0) return std::nullopt;
    // Meridians converge on the cone's apex: true north lies n x (lambda - lambda0)
    // to the west of grid north east of the central meridian, as with TM.
    fix.convergence = -coneConstant_ * (double(local->longitude) - centralMeridian_);
    return fix;
}

}  // namespace skerra::survey
