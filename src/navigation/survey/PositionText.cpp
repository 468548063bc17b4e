#include "PositionText.h"

#include "platform/NumberText.h"

#include <cmath>

namespace skerra::survey {
namespace {

std::string dms(double value, char positive, char negative)
{
    const long long ms = std::llround(std::fabs(value) * 3600.0 * 1000.0);  // thousandths of a second
    const long long degrees = ms / 3600000;
    const long long minutes = ms / 60000 % 60;
    const double seconds = double(ms % 60000) / 1000.0;
    return skerra::IntToStr(degrees) + "\u00B0" + skerra::IntToStr(minutes) + "'" + skerra::FormatFixed(seconds, 3)
        + "\"" + (value >= 0 ? positive : negative);
}

}  // namespace

std::string DmsText(double latitude, double longitude)
{
    return dms(latitude, 'N', 'S') + ", " + dms(longitude, 'E', 'W');
}

std::string GridPositionText(double easting, double northing)
{
    return "E" + skerra::FormatFixed(easting, 2) + ", N" + skerra::FormatFixed(northing, 2);
}

}  // namespace skerra::survey
