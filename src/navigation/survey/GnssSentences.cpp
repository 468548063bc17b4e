#include "GnssSentences.h"

#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"
#include "platform/NumberText.h"

#include <cmath>
#include <string>
#include <vector>

namespace skerra::survey {
namespace {

// The comma fields before the checksum; none when the checksum does not match.
std::optional<std::vector<std::string_view>> fields(std::string_view line)
{
    if (!skerra::NmeaChecksumAcceptable(line)) return std::nullopt;
    const auto star = line.find('*');
    return skerra::SplitFields(line.substr(0, star), ',');
}

std::optional<double> number(const std::vector<std::string_view>& f, std::size_t index)
{
    if (index >= f.size()) return std::nullopt;
    return skerra::tryParseDouble(f[index]);
}

std::optional<double> speedField(std::string_view line, std::size_t index)
{
    const auto f = fields(line);
    if (!f) return std::nullopt;
    const auto v = number(*f, index);
    if (!v) return 0.0;
    if (*v < 0) return std::nullopt;
    return *v;
}

}  // namespace

bool HasSentenceType(std::string_view line, std::string_view type) { return line.find(type) != line.npos; }

std::optional<double> HdtHeading(std::string_view line)
{
    const auto f = fields(line);
    return f ? number(*f, 1) : std::nullopt;
}

// $xxRMC,time,status,lat,N,lon,E,speed(knots),course,...
std::optional<double> RmcSpeedKnots(std::string_view line) { return speedField(line, 7); }

// $xxVTG,course,T,course,M,speed(knots),N,speed(km/h),K
std::optional<double> VtgSpeedKnots(std::string_view line) { return speedField(line, 5); }

// $xxGGA,time,lat,N,lon,E,quality,satellites,hdop,altitude,M,separation,M,...
GgaEpoch ReadGgaEpoch(std::string_view line, std::string_view previousTime)
{
    const auto f = fields(line);
    if (!f || f->size() < 7) return {};
    GgaEpoch epoch{GgaFix::NoFix, std::string((*f)[1])};
    const auto quality = skerra::tryParseInt((*f)[6]);
    const auto latitude = skerra::ParseCoordinate((*f)[2], (*f)[3]);
    const auto longitude = skerra::ParseCoordinate((*f)[4], (*f)[5]);
    if (!quality || *quality <= 0 || !latitude || !longitude) return epoch;
    const bool repeat = !epoch.time.empty() && epoch.time == previousTime;
    epoch.kind = repeat ? GgaFix::Repeat : GgaFix::NewFix;
    return epoch;
}

std::optional<GgaValues> GgaHeightValues(std::string_view line)
{
    const auto f = fields(line);
    if (!f) return std::nullopt;
    const auto time = number(*f, 1);
    const auto quality = f->size() > 6 ? skerra::tryParseInt((*f)[6]) : std::nullopt;
    const auto altitude = number(*f, 9);
    if (!time || !quality || !altitude) return std::nullopt;
    return GgaValues{*quality, *altitude, number(*f, 11)};
}

std::optional<RtkHeights> RtkHeightsFromGga(const GgaValues& gga, double antennaOffset)
{
    if (gga.fixQuality != 4) return std::nullopt;
    const double height = gga.altitude + gga.separation.value_or(0.0);
    const RtkHeights heights{height, height - antennaOffset};
    if (!std::isfinite(heights.antennaHeight) || !std::isfinite(heights.tide)) return std::nullopt;
    return heights;
}

}  // namespace skerra::survey
