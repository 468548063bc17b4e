// GNSS lines as the survey reads them: the receiver's own parser (position, fix
// quality, speed, course), the survey's HDT, RMC, VTG and GGA readings with the RTK
// heights, and the projection of every position onto a Transverse Mercator and a
// Lambert grid. Whatever the survey would log of the sentences must be a finite number.
#include "devices/serial/NmeaSentenceParser.h"
#include "navigation/survey/GnssSentences.h"
#include "navigation/survey/GridProjection.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

void mustBeFinite(double value)
{
    if (!std::isfinite(value)) std::abort();
}

GridSettingsTexts grid(bool lambert)
{
    GridSettingsTexts g;
    g.semiMajorAxis = "6378388";
    g.flattening = "0.0033670033670034";
    g.scalePpm = "-1.5";
    g.rotationX = "0.1";
    g.rotationY = "-0.2";
    g.rotationZ = "0.3";
    g.shiftX = "-87";
    g.shiftY = "-98";
    g.shiftZ = "-121";
    g.centralMeridian = "27";
    g.referenceLatitude = "0";
    g.scaleFactor = "0.9996";
    g.falseEasting = "500000";
    g.falseNorthing = "0";
    g.useLambert = lambert;
    g.lccStandardParallel1 = "36";
    g.lccStandardParallel2 = "42";
    g.lccScaleFactor = "0.9996";
    g.lccLatitudeOfOrigin = "39";
    g.lccCentralMeridian = "27";
    g.lccFalseEasting = "500000";
    g.lccFalseNorthing = "0";
    return g;
}

void project(double latitude, double longitude, double altitude)
{
    static const auto grids = [] {
        std::string problem;
        std::array<std::unique_ptr<skerra::survey::GridProjection>, 2> g{
            skerra::survey::GridProjection::Build(grid(false), problem),
            skerra::survey::GridProjection::Build(grid(true), problem)};
        if (!g[0] || !g[1]) std::abort();
        return g;
    }();
    // The survey refuses a grid position that is not finite; here the sanitizers watch
    // the projection of every position the parser accepts.
    for (const auto& g : grids) (void)g->Project(latitude, longitude, altitude);
}

void readLine(std::string_view line, skerra::NmeaFix& fix)
{
    using namespace skerra::survey;
    const skerra::NmeaChanges changes = skerra::ParseSentence(line, fix);
    for (const double v : {fix.Latitude, fix.Longitude, fix.Altitude, fix.Speed, fix.Course}) mustBeFinite(v);
    if (changes.Position) project(fix.Latitude, fix.Longitude, fix.Altitude);

    if (const auto heading = HdtHeading(line)) mustBeFinite(*heading);
    if (const auto knots = RmcSpeedKnots(line)) mustBeFinite(*knots);
    if (const auto knots = VtgSpeedKnots(line)) mustBeFinite(*knots);
    if (const auto gga = GgaHeightValues(line)) {
        mustBeFinite(gga->altitude);
        for (const double offset : {0.0, 1.2, -3.5})
            if (const auto rtk = RtkHeightsFromGga(*gga, offset)) {
                mustBeFinite(rtk->antennaHeight);
                mustBeFinite(rtk->tide);
            }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    skerra::NmeaFix fix;
    while (!text.empty()) {
        const auto end = text.find('\n');
        readLine(text.substr(0, end), fix);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return 0;
}
