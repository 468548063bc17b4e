#pragma once
// WGS84 positions to the survey grid as the settings window defines it: the datum
// transformation, then Transverse Mercator or Lambert Conformal Conic with one or
// two standard parallels, with the grid convergence at the point.
//
// Built once from the settings window's texts. The nine datum edits and only the
// selected projection's edits must be numbers; what is wrong is said in words.
// The convergence is the angle added to a true bearing to get the grid bearing,
// the same convention for both projections.

#include "geodesy/DatumTransformation.h"
#include "geodesy/LambertConformalConic.h"
#include "geodesy/WGSToGrid.h"
#include "shell/SurveySettingsValues.h"

#include <memory>
#include <optional>
#include <string>

namespace skerra::survey {

struct GridFix {
    double easting = 0, northing = 0;  // metres
    double convergence = 0;            // degrees
};

// The parameter texts in force: the datum, ellipsoid and projection texts.
struct GeodesyParameterTexts {
    std::string datum, ellipsoid, tm;
};

GeodesyParameterTexts BuildParameterTexts(const GridSettingsTexts& settings);

class GridProjection {
public:
    // Nothing, with `problem` saying why, when the settings are not complete and valid.
    static std::unique_ptr<GridProjection> Build(const GridSettingsTexts& settings, std::string& problem);

    // Nothing when the position cannot be projected.
    std::optional<GridFix> Project(double latitude, double longitude, double altitude);

    const GeodesyParameterTexts& Texts() const { return texts_; }
    bool Lambert() const { return lambert_; }

private:
    GridProjection() = default;

    GeodesyParameterTexts texts_;
    bool lambert_ = false;
    bool lambert1SP_ = false;
    double a_ = 0, f_ = 0;
    double centralMeridian_ = 0;  // degrees
    double scaleFactor_ = 1;
    double coneConstant_ = 0;     // Lambert n
    std::optional<geodesy::WgsToGridConverter> tm_;
    std::optional<geodesy::DatumTransformation> datum_;
    LambertConformalConic lcc_;
};

}  // namespace skerra::survey
