#include "devices/ntrip/GGASentence.h"

#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>

namespace skerra::ntrip {

namespace {

constexpr long long kUnitsPerMinute = 10000;            // 4 decimals of minutes
constexpr long long kUnitsPerDegree = 60 * kUnitsPerMinute;

std::string padded(long long value, std::size_t width)
{
    std::string text = skerra::IntToStr(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

std::string degreesMinutes(double angle, std::size_t degreeDigits)
{
    const long long units = std::llround(std::fabs(angle) * static_cast<double>(kUnitsPerDegree));
    const long long degrees = units / kUnitsPerDegree;
    const long long minuteUnits = units % kUnitsPerDegree;
    return padded(degrees, degreeDigits) + padded(minuteUnits / kUnitsPerMinute, 2) + "." +
           padded(minuteUnits % kUnitsPerMinute, 4);
}

}  // namespace

std::string FormatGGALatitude(double latitude) { return degreesMinutes(latitude, 2); }

std::string FormatGGALongitude(double longitude) { return degreesMinutes(longitude, 3); }

std::string NMEAChecksum(std::string_view body)
{
    std::uint8_t sum = 0;
    for (char c : body)
        sum ^= static_cast<std::uint8_t>(c);
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[sum >> 4], kHex[sum & 15]};
}

std::string BuildGGASentence(int utcHour, int utcMinute, int utcSecond, double latitude, double longitude,
                             double altitude)
{
    std::string body = "GPGGA,";
    body += padded(utcHour, 2) + padded(utcMinute, 2) + padded(utcSecond, 2);
    body += "," + FormatGGALatitude(latitude) + (latitude >= 0 ? ",N," : ",S,");
    body += FormatGGALongitude(longitude) + (longitude >= 0 ? ",E," : ",W,");
    body += "1,10,1.0," + skerra::FormatFixed(altitude, 1) + ",M,0.0,M,,";
    return "$" + body + "*" + NMEAChecksum(body);
}

}  // namespace skerra::ntrip
