#include "devices/simulator/SounderSentences.h"

#include "devices/simulator/NmeaSentences.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace skerra::sim {
namespace {

constexpr double kFeetPerMetre = 1 / 0.3048;
constexpr double kFathomsPerMetre = 1 / 1.8288;

std::string depth(double metres) { return FormatFixed(metres, 2); }

std::string odcLine(const Sounding& s)
{
    const UtcTime t = UtcFromUnixSeconds(std::round(s.Time * 100) / 100);
    auto two = [](int v) { return std::string(v < 10 ? "0" : "") + IntToStr(v); };
    std::string seconds = FormatFixed(t.Second, 2);
    if (seconds.size() < 5) seconds.insert(0, "0");
    std::string ping = IntToStr(s.Ping % 100000000);
    ping.insert(0, 8 - ping.size(), '0');
    const double heave = std::clamp(s.Heave, -9.99, 9.99);
    std::string line = "$ODC," + two(t.Hour) + two(t.Minute) + seconds + ",B," + ping + ','
                       + (heave < 0 ? "-" : "+") + FormatFixed(std::fabs(heave), 2) + ",1500.0,HF1";
    return line + ',' + depth(s.High);
}

}  // namespace

std::string SounderLine(SounderType type, const Sounding& s)
{
    switch (type) {
    case SounderType::Dpt:
        return WithChecksum("SDDPT," + depth(s.High) + ",0.0");
    case SounderType::Dbt:
        return WithChecksum("SDDBT," + FormatFixed(s.High * kFeetPerMetre, 1) + ",f," + depth(s.High)
                            + ",M," + FormatFixed(s.High * kFathomsPerMetre, 1) + ",F");
    case SounderType::Smt:
        return "$SMT,HF1," + depth(s.High) + ',' + FormatFixed(s.Battery, 2);
    case SounderType::XdrHi:
        return "$XDHI,HF," + depth(s.High);
    case SounderType::XdrLo:
    case SounderType::XdrHiLo:
        return "$XDHI,HF," + depth(s.High) + ",$XDLO,LF," + depth(s.Low);
    case SounderType::OdcHi:
        return odcLine(s);
    }
    return {};
}

std::string_view SounderOptionName(SounderType type)
{
    switch (type) {
    case SounderType::Dpt: return "dpt";
    case SounderType::Dbt: return "dbt";
    case SounderType::Smt: return "smt";
    case SounderType::XdrHi: return "xdr-hi";
    case SounderType::XdrLo: return "xdr-lo";
    case SounderType::XdrHiLo: return "xdr-hl";
    case SounderType::OdcHi: return "odc";
    }
    return {};
}

std::string_view SounderMessageType(SounderType type)
{
    switch (type) {
    case SounderType::Dpt: return "NMEA DPT";
    case SounderType::Dbt: return "NMEA DBT";
    case SounderType::Smt: return "Halvek SMT";
    case SounderType::XdrHi: return "Halvek XDR HI";
    case SounderType::XdrLo: return "Halvek XDR LO";
    case SounderType::XdrHiLo: return "Halvek XDR H/L";
    case SounderType::OdcHi: return "ODC HI";
    }
    return {};
}

std::optional<SounderType> SounderTypeFromOptionName(std::string_view name)
{
    for (SounderType t : AllSounderTypes)
        if (SounderOptionName(t) == name) return t;
    return std::nullopt;
}

}  // namespace skerra::sim
