#include "geodesy/DatumTransformation.h"

#include "geodesy/Geocentric.h"
#include "geodesy/GeodesyNumberText.h"

namespace skerra {
namespace geodesy {

namespace {

HelmertParameters helmertFrom(const double* v)
{
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

void appendHelmert(std::string& text, const HelmertParameters& p)
{
    for (long double v : {p.ppm, p.rx, p.ry, p.rz, p.tx, p.ty, p.tz}) {
        text += ' ';
        appendGeneral(text, v);
    }
}

}  // namespace

std::optional<DatumParameters> parseDatumParameters(std::string_view text)
{
    double v[18];
    if (NumberScanner(text).read(v, 18) != 18)
        return std::nullopt;
    return DatumParameters{{v[0], v[1]}, helmertFrom(v + 2), {v[9], v[10]}, helmertFrom(v + 11)};
}

DatumTransformation::DatumTransformation(const DatumParameters& parameters)
    : parameters_(parameters),
      sourceToWgs84_(parameters.sourceToWgs84),
      targetToWgs84_(parameters.targetToWgs84)
{
}

std::optional<GeocentricPosition> DatumTransformation::toTargetGeocentric(
    const GeodeticPosition& position) const
{
    const auto source = geodeticToGeocentric(position, parameters_.source);
    if (!source)
        return std::nullopt;
    return targetToWgs84_.reverse(sourceToWgs84_.forward(*source));
}

std::optional<GeodeticPosition> DatumTransformation::toTargetGeodetic(
    const GeodeticPosition& position) const
{
    const auto target = toTargetGeocentric(position);
    if (!target)
        return std::nullopt;
    return geocentricToGeodetic(*target, parameters_.target);
}

std::optional<GeodeticSolution> DatumTransformation::toTargetSolution(
    const GeodeticPosition& position) const
{
    const auto target = toTargetGeocentric(position);
    if (!target)
        return std::nullopt;
    return solveGeodetic(*target, parameters_.target);
}

}  // namespace geodesy

std::string TransformDatum(const std::string& mode, const std::string& position,
                           const std::string& datum)
{
    using namespace geodesy;
    double blh[3];
    if (NumberScanner(position).read(blh, 3) != 3)
        return kFailureText;
    const auto parameters = parseDatumParameters(datum);
    if (!parameters)
        return kFailureText;

    std::string step = GeodeticToGeocentric(blh[0], blh[1], blh[2], parameters->source.a,
                                            parameters->source.f);
    appendHelmert(step, parameters->sourceToWgs84);
    std::string wgs = HelmertTransform("WGS", step);
    appendHelmert(wgs, parameters->targetToWgs84);
    const std::string local = HelmertTransform("Local", wgs);

    double xyz[3];
    if (NumberScanner(local).read(xyz, 3) != 3)
        return kFailureText;  // a failed step ("0") is not a coordinate triple
    if (mode == "XYZ")
        return local;
    return GeocentricToGeodetic(xyz[0], xyz[1], xyz[2], parameters->target.a, parameters->target.f);
}

}  // namespace skerra
