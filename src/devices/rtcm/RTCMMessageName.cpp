#include "devices/rtcm/RTCMMessageName.h"

#include <array>
#include <string_view>

namespace skerra::rtcm {

namespace {

struct TNamedMessage {
    int Number;
    std::string_view Name;
};

constexpr std::array<TNamedMessage, 23> kNamedMessages{{
    {1001, "GPS L1 Observations"},
    {1002, "GPS L1 Extended Observations"},
    {1003, "GPS L1/L2 Observations"},
    {1004, "GPS L1/L2 Extended Observations"},
    {1005, "Station ARP (Antenna Reference Point)"},
    {1006, "Station ARP with Height"},
    {1007, "Antenna Descriptor"},
    {1008, "Antenna Descriptor & Serial"},
    {1009, "GLONASS L1 Observations"},
    {1010, "GLONASS L1 Extended Observations"},
    {1011, "GLONASS L1/L2 Observations"},
    {1012, "GLONASS L1/L2 Extended Observations"},
    {1013, "System Parameters"},
    {1019, "GPS Ephemeris"},
    {1020, "GLONASS Ephemeris"},
    {1029, "Text String (Unicode)"},
    {1030, "GPS Network RTK Residual"},
    {1031, "GLONASS Network RTK Residual"},
    {1032, "Physical Reference Station Position"},
    {1033, "Receiver & Antenna Descriptors"},
    {1230, "GLONASS Code-Phase Biases"},
    {4072, "u-blox Proprietary"},
    {4073, "u-blox Proprietary"},
}};

// Multiple-signal messages: base + 1 .. base + 7 are MSM1 .. MSM7 of one system.
struct TMsmSystem {
    int Base;
    std::string_view System;
    std::string_view Msm7Suffix;
};

constexpr std::array<TMsmSystem, 7> kMsmSystems{{
    {1070, "GPS", " (Full GPS)"},
    {1080, "GLONASS", " (Full GLONASS)"},
    {1090, "Galileo", " (Full Galileo)"},
    {1100, "SBAS", ""},
    {1110, "QZSS", ""},
    {1120, "BeiDou", " (Full BeiDou)"},
    {1130, "NavIC", ""},
}};

}  // namespace

std::string RTCMMessageName(int messageNumber)
{
    for (const auto& named : kNamedMessages)
        if (named.Number == messageNumber)
            return std::string(named.Name);
    for (const auto& msm : kMsmSystems) {
        const int n = messageNumber - msm.Base;
        if (n >= 1 && n <= 7) {
            std::string name = std::string(msm.System) + " MSM" + std::to_string(n);
            if (n == 7)
                name += msm.Msm7Suffix;
            return name;
        }
    }
    return "Unknown";
}

}  // namespace skerra::rtcm
