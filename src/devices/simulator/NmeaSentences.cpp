#include "devices/simulator/NmeaSentences.h"

#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>

namespace skerra::sim {
namespace {

// Zero-padded decimal of at least `width` digits.
std::string padded(long long value, int width)
{
    std::string digits = IntToStr(value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

// A fixed-point number with `width` digits before the point, zero padded.
std::string paddedFixed(double value, int width, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    const auto dot = text.find('.');
    const int whole = static_cast<int>(dot == std::string::npos ? text.size() : dot);
    if (whole < width) text.insert(0, width - whole, '0');
    return text;
}

std::string coordinate(double degrees, int degreeDigits, char positive, char negative)
{
    const double a = std::fabs(degrees);
    long long whole = static_cast<long long>(a);
    double minutes = (a - whole) * 60;
    // Rounding to the written precision may carry into the degrees.
    if (FormatFixed(minutes, 7) == "60.0000000") {
        ++whole;
        minutes = 0;
    }
    return padded(whole, degreeDigits) + paddedFixed(minutes, 2, 7) + ','
           + (degrees < 0 ? negative : positive);
}

// "hhmmss.ss" of the epoch.
std::string timeField(double time)
{
    // Hundredths are what is written; round once so 59.999 s never prints as 60.00.
    const double rounded = std::round(time * 100) / 100;
    const UtcTime t = UtcFromUnixSeconds(rounded);
    return padded(t.Hour, 2) + padded(t.Minute, 2) + paddedFixed(t.Second, 2, 2);
}

std::string dateField(double time)
{
    const UtcTime t = UtcFromUnixSeconds(std::round(time * 100) / 100);
    return padded(t.Day, 2) + padded(t.Month, 2) + padded(t.Year % 100, 2);
}

// A course or heading, 0.00 to 359.99 as written.
std::string bearing(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360;
    if (d >= 359.995) d = 0;
    return FormatFixed(d, 2);
}

// RMC and VTG mode indicator.
char modeOf(int quality)
{
    switch (quality) {
    case 0: return 'N';
    case 2: return 'D';
    case 4: return 'R';
    case 5: return 'F';
    default: return 'A';
    }
}

}  // namespace

std::string WithChecksum(std::string_view body)
{
    std::uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<std::uint8_t>(c);
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(body.size() + 4);
    out += '$';
    out += body;
    out += '*';
    out += hex[sum >> 4];
    out += hex[sum & 15];
    return out;
}

UtcTime UtcFromUnixSeconds(double seconds)
{
    const double dayLength = 86400;
    long long days = static_cast<long long>(std::floor(seconds / dayLength));
    const double inDay = seconds - days * dayLength;
    UtcTime t;
    t.Hour = static_cast<int>(inDay / 3600);
    t.Minute = static_cast<int>((inDay - t.Hour * 3600) / 60);
    t.Second = inDay - t.Hour * 3600 - t.Minute * 60;

    // Civil date from a day count (proleptic Gregorian calendar).
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    t.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.Year = static_cast<int>(yoe + era * 400 + (t.Month <= 2 ? 1 : 0));
    return t;
}

std::string NmeaLatitude(double degrees) { return coordinate(degrees, 2, 'N', 'S'); }
std::string NmeaLongitude(double degrees) { return coordinate(degrees, 3, 'E', 'W'); }

std::string GgaSentence(const GnssEpoch& e)
{
    std::string s = "GNGGA," + timeField(e.Time) + ',';
    if (e.FixQuality == 0) {
        s += ",,,,0," + padded(e.Satellites, 2) + ",99.99,,M,,M,,";
        return WithChecksum(s);
    }
    s += NmeaLatitude(e.Latitude) + ',' + NmeaLongitude(e.Longitude) + ',';
    s += IntToStr(e.FixQuality) + ',' + padded(e.Satellites, 2) + ',' + FormatFixed(e.Hdop, 2) + ',';
    s += FormatFixed(e.Altitude, 3) + ",M," + FormatFixed(e.GeoidSeparation, 3) + ",M,";
    if (e.FixQuality == 1)
        s += ',';
    else
        s += FormatFixed(e.CorrectionAge, 1) + ",0001";
    return WithChecksum(s);
}

std::string RmcSentence(const GnssEpoch& e)
{
    std::string s = "GNRMC," + timeField(e.Time) + ',';
    if (e.FixQuality == 0) {
        s += "V,,,,,,," + dateField(e.Time) + ",,,N";
        return WithChecksum(s);
    }
    s += "A," + NmeaLatitude(e.Latitude) + ',' + NmeaLongitude(e.Longitude) + ',';
    s += FormatFixed(e.SpeedKnots, 3) + ',' + bearing(e.Course) + ',' + dateField(e.Time) + ",,,";
    s += modeOf(e.FixQuality);
    return WithChecksum(s);
}

std::string VtgSentence(const GnssEpoch& e)
{
    if (e.FixQuality == 0) return WithChecksum("GNVTG,,T,,M,,N,,K,N");
    std::string s = "GNVTG," + bearing(e.Course) + ",T,,M," + FormatFixed(e.SpeedKnots, 3) + ",N,"
                    + FormatFixed(e.SpeedKnots * 1.852, 3) + ",K,";
    s += modeOf(e.FixQuality);
    return WithChecksum(s);
}

std::string HdtSentence(const GnssEpoch& e)
{
    return WithChecksum("GNHDT," + bearing(e.Heading) + ",T");
}

}  // namespace skerra::sim
