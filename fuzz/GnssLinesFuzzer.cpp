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
#include <utility>

namespace {

void mustBeFinite(double value)
{
    if (!std::isfinite(value)) std::abort();
}

// A Hayford ellipsoid with a seven-parameter shift, so the datum step does work.
GridSettingsTexts grid(bool lambert)
{
    GridSettingsTexts g;
    const std::pair<std::string GridSettingsTexts::*, const char*> texts[] = {
        {&GridSettingsTexts::semiMajorAxis, "6378388"},   {&GridSettingsTexts::flattening, "0.0033670033670034"},
        {&GridSettingsTexts::scalePpm, "-1.5"},           {&GridSettingsTexts::rotationX, "0.1"},
        {&GridSettingsTexts::rotationY, "-0.2"},          {&GridSettingsTexts::rotationZ, "0.3"},
        {&GridSettingsTexts::shiftX, "-87"},              {&GridSettingsTexts::shiftY, "-98"},
        {&GridSettingsTexts::shiftZ, "-121"},             {&GridSettingsTexts::centralMeridian, "33"},
        {&GridSettingsTexts::referenceLatitude, "0"},     {&GridSettingsTexts::scaleFactor, "1"},
        {&GridSettingsTexts::falseEasting, "500000"},     {&GridSettingsTexts::falseNorthing, "0"},
        {&GridSettingsTexts::lccStandardParallel1, "45"}, {&GridSettingsTexts::lccStandardParallel2, "33"},
        {&GridSettingsTexts::lccScaleFactor, "1"},        {&GridSettingsTexts::lccLatitudeOfOrigin, "-10"},
        {&GridSettingsTexts::lccCentralMeridian, "33"},   {&GridSettingsTexts::lccFalseEasting, "250000"},
        {&GridSettingsTexts::lccFalseNorthing, "100000"},
    };
    for (const auto& [field, text] : texts) g.*field = text;
    g.useLambert = lambert;
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

void readLine(std::string_view line, skerra::NmeaFix& fix, std::string& ggaTime)
{
    using namespace skerra::survey;
    // What a GGA says of the fix; only a new fix carries a position the parser takes.
    const GgaEpoch epoch = ReadGgaEpoch(line, ggaTime);
    if (epoch.kind != GgaFix::Damaged && HasSentenceType(line, "GGA")) ggaTime = epoch.time;
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
    std::string ggaTime;
    while (!text.empty()) {
        const auto end = text.find('\n');
        readLine(text.substr(0, end), fix, ggaTime);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return 0;
}
