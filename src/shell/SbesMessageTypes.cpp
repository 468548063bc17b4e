#include "SbesMessageTypes.h"

#include <array>

namespace skerra {

namespace {

using F = LowFrequencyFrame;

// List order; lookups compare with every name, so the order of the list is free.
constexpr std::array kTypes{
    SbesMessageType{"Halvek SMT", "%*8s,%lf,%lf", F::Hidden},
    SbesMessageType{"NMEA DPT", "%*6s,%lf", F::Hidden},
    SbesMessageType{"NMEA DBT", "%*6s,%*lf,%*1s,%lf", F::Hidden},
    SbesMessageType{"Halvek XDR HI", "%*8s,%lf", F::Hidden},
    SbesMessageType{"Halvek XDR LO", "%*8s,%*lf,%*8s,%lf", F::Shown},
    SbesMessageType{"Halvek XDR H/L", "%*8s,%lf,%*8s,%lf", F::Shown},
    SbesMessageType{"ODC HI", "%*42s,%lf", F::Hidden},
    SbesMessageType{"OTHER", "", F::Unchanged},
};

}  // namespace

QStringList sbesMessageTypeNames()
{
    QStringList names;
    for (const auto& t : kTypes) names << QString::fromLatin1(t.name);
    return names;
}

std::optional<SbesMessageType> sbesMessageType(const QString& text)
{
    for (const auto& t : kTypes)
        if (text == QLatin1String(t.name)) return t;
    return std::nullopt;
}

}  // namespace skerra
