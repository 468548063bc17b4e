#include "devices/serial/NmeaSentenceParser.h"

#include "devices/serial/NmeaChecksum.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace skerra {
namespace {

constexpr double kKnotsToKmh = 1.852;

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

double realOrZero(std::string_view field)
{
    return StrToFloatDef(field, 0);
}

int integerOrZero(std::string_view field)
{
    return tryParseInt(field).value_or(0);
}

// Stores a new speed; true when it differs from the kept one. A speed that is not a
// finite number (a huge knots field times 1.852) is refused: the kept one stays.
bool updateSpeed(double speed, NmeaFix& fix)
{
    if (!std::isfinite(speed) || speed == fix.Speed) return false;
    fix.Speed = speed;
    return true;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view text, char delimiter)
{
    std::vector<std::string_view> fields;
    fields.reserve(24);
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::optional<double> ParseCoordinate(std::string_view value, std::string_view hemisphere)
{
    if (value.empty() || hemisphere.size() != 1) return std::nullopt;
    const char h = hemisphere[0];
    int degreeDigits = 0;
    double limit = 0;
    if (h == 'N' || h == 'S') {
        degreeDigits = 2;
        limit = 90;
    } else if (h == 'E' || h == 'W') {
        degreeDigits = 3;
        limit = 180;
    } else {
        return std::nullopt;
    }

    // Exactly two whole-minute digits stand before the '.'.
    const auto dot = value.find('.');
    if (dot == std::string_view::npos || dot != static_cast<std::size_t>(degreeDigits) + 2)
        return std::nullopt;
    const auto degreeText = value.substr(0, degreeDigits);
    const auto minuteText = value.substr(degreeDigits);
    if (!allDigits(degreeText) || !allDigits(minuteText.substr(0, 2))
        || !allDigits(minuteText.substr(3)))
        return std::nullopt;

    const auto degrees = tryParseInt(degreeText);
    const auto minutes = tryParseDouble(minuteText);
    if (!degrees || !minutes || *minutes >= 60) return std::nullopt;
    const double result = *degrees + *minutes / 60.0;
    if (result > limit) return std::nullopt;
    return (h == 'S' || h == 'W') ? -result : result;
}

NmeaChanges ParseGGA(std::string_view sentence, NmeaFix& fix)
{
    const auto f = SplitFields(sentence, ',');
    if (f.size() < 10) return {};

    if (!f[6].empty()) fix.FixQuality = integerOrZero(f[6]);
    if (!f[7].empty()) fix.Satellites = integerOrZero(f[7]);

    // Without a fix, or with a damaged coordinate, the last position stands.
    const bool northSouth = f[3] == "N" || f[3] == "S";
    const bool eastWest = f[5] == "E" || f[5] == "W";
    if (!northSouth || !eastWest) return {};
    const auto latitude = ParseCoordinate(f[2], f[3]);
    const auto longitude = ParseCoordinate(f[4], f[5]);
    if (!latitude.has_value() || !longitude.has_value()) return {};
    // Fix quality 0 is no fix, whatever the position fields hold: some receivers fill
    // them with zeros, others keep sending their last position.
    if (fix.FixQuality == 0) return {};

    const double altitude = f[9].empty() ? fix.Altitude : realOrZero(f[9]);
    NmeaChanges changes;
    if (*latitude != fix.Latitude || *longitude != fix.Longitude || altitude != fix.Altitude) {
        fix.Latitude = *latitude;
        fix.Longitude = *longitude;
        fix.Altitude = altitude;
        changes.Position = true;
    }
    return changes;
}

NmeaChanges ParseRMC(std::string_view sentence, NmeaFix& fix)
{
    const auto f = SplitFields(sentence, ',');
    if (f.size() < 8) return {};
    NmeaChanges changes;
    if (!f[7].empty()) changes.Speed = updateSpeed(realOrZero(f[7]) * kKnotsToKmh, fix);
    if (f.size() > 8 && !f[8].empty()) fix.Course = realOrZero(f[8]);
    return changes;
}

NmeaChanges ParseVTG(std::string_view sentence, NmeaFix& fix)
{
    const auto f = SplitFields(sentence, ',');
    if (f.size() < 8) return {};
    NmeaChanges changes;
    if (!f[1].empty()) fix.Course = realOrZero(f[1]);
    if (!f[7].empty()) changes.Speed = updateSpeed(realOrZero(f[7]), fix);
    return changes;
}

NmeaChanges ParseSentence(std::string_view line, NmeaFix& fix)
{
    if (line.empty() || line[0] != '$') return {};
    if (CheckNmeaChecksum(line) == NmeaChecksum::Invalid) return {};

    const auto sentence = line.substr(0, line.find('*'));
    if (sentence.size() <= 5) return {};
    const auto type = sentence.substr(3, 3);
    if (type == "GGA") return ParseGGA(sentence, fix);
    if (type == "RMC") return ParseRMC(sentence, fix);
    if (type == "VTG") return ParseVTG(sentence, fix);
    return {};  // ZDA, GSA and every other type are not read here
}

}  // namespace skerra
