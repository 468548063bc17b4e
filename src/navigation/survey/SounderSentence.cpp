#include "SounderSentence.h"

#include "navigation/survey/SounderScanFormat.h"
#include "platform/ScanFormat.h"

#include <algorithm>
#include <array>

namespace skerra::survey {
namespace {

enum class Values { High, HighBattery, Low, HighLow };

struct SounderType {
    std::string_view name;
    std::string_view token1, token2;  // both must occur; empty: not needed
    Values values;
};

constexpr std::array<SounderType, 8> kTypes{{
    {"Halvek SMT", "SMT", "", Values::HighBattery},
    {"NMEA DPT", "DPT", "", Values::High},
    {"NMEA DBT", "DBT", "", Values::High},
    {"Halvek XDR HI", "XDHI", "", Values::High},
    {"Halvek XDR LO", "XDHI", "XDLO", Values::Low},
    {"Halvek XDR H/L", "XDHI", "XDLO", Values::HighLow},
    {"ODC HI", ",B,", "", Values::High},
    {"OTHER", "", "", Values::High},
}};

const SounderType* findType(std::string_view name)
{
    for (const auto& t : kTypes)
        if (t.name == name) return &t;
    return nullptr;
}

bool hasToken(std::string_view line, std::string_view token) { return token.empty() || line.find(token) != line.npos; }

std::size_t needed(Values v) { return v == Values::HighBattery || v == Values::HighLow ? 2 : 1; }

}  // namespace

SounderReading ReadSounderLine(std::string_view line, std::string_view type, const skerra::ScanFormat* format)
{
    SounderReading r;
    const SounderType* t = findType(type);
    if (!t || !hasToken(line, t->token1) || !hasToken(line, t->token2)) return r;
    r.accepted = true;
    r.lowOnly = t->values == Values::Low;
    r.hasLow = t->values == Values::Low || t->values == Values::HighLow;

    std::array<double, SounderScanFormat::kMaxValues> v{};
    const std::size_t count = format ? std::size_t(std::max(format->Scan(line, v.data()), 0)) : 0;
    switch (t->values) {
    case Values::High:
        if (count >= 1) r.rawHigh = v[0];
        break;
    case Values::HighBattery:
        if (count >= 1) r.rawHigh = v[0];
        if (count >= 2) {
            r.battery = v[1];
            r.hasBattery = true;
        }
        break;
    case Values::Low:
        if (count >= 1) r.rawLow = v[0];
        break;
    case Values::HighLow:
        if (count >= 1) r.rawHigh = v[0];
        if (count >= 2) r.rawLow = v[1];
        break;
    }
    r.parsed = count >= needed(t->values);
    return r;
}

bool SounderTypeHasLowDepth(std::string_view type)
{
    return type == "Halvek XDR LO" || type == "Halvek XDR H/L";
}

}  // namespace skerra::survey
