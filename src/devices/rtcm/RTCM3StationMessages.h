#pragma once
// Decoders of the RTCM 3 messages that describe a reference station:
// 1005/1006 (antenna reference point, 1006 with antenna height) and
// 1007/1008/1033 (antenna and receiver descriptors).

#include <optional>
#include <string>
#include <string_view>

namespace skerra::rtcm {

struct TRTCMStationARP {
    int MessageNumber = 0;        // 1005 or 1006
    int StationId = 0;
    int ItrfYear = 0;             // realization year minus 2000 as sent (6 bits)
    bool GPS = false;
    bool GLONASS = false;
    bool Galileo = false;
    bool NonPhysical = false;     // reference-station indicator: 0 physical, 1 virtual/computed
    double X = 0, Y = 0, Z = 0;   // ECEF metres
    std::optional<double> AntennaHeight;  // metres, 1006 only
};

// 1005 or 1006 from its payload (19 bytes at least, 21 for the 1006 height);
// nothing for another message number or a payload too short.
std::optional<TRTCMStationARP> DecodeStationARP(std::string_view payload);

// A counted string is set only when its count is 1..31 and its bytes are present;
// a count of 0 (or a string cut off by the payload's end) leaves it empty.
struct TRTCMStationDescriptors {
    int MessageNumber = 0;        // 1007, 1008 or 1033
    int StationId = 0;
    std::optional<std::string> AntennaDescriptor;
    std::optional<int> SetupId;
    std::optional<std::string> AntennaSerial;      // 1008, 1033
    std::optional<std::string> ReceiverType;       // 1033
    std::optional<std::string> ReceiverFirmware;   // 1033
    std::optional<std::string> ReceiverSerial;     // 1033
};

std::optional<TRTCMStationDescriptors> DecodeStationDescriptors(std::string_view payload);

}  // namespace skerra::rtcm
