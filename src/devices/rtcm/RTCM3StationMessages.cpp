#include "devices/rtcm/RTCM3StationMessages.h"

#include "devices/rtcm/RTCM3BitReader.h"

#include <cstdint>

namespace skerra::rtcm {

namespace {

constexpr double kCoordinateScale = 0.0001;  // metres per unit of the ECEF and height fields
constexpr std::size_t kArpPayloadSize = 19;
constexpr std::size_t kArpWithHeightPayloadSize = 21;
constexpr int kMaxStringLength = 31;

int messageNumber(const TRTCM3BitReader& bits) { return static_cast<int>(bits.Unsigned(0, 12)); }
int stationId(const TRTCM3BitReader& bits) { return static_cast<int>(bits.Unsigned(12, 12)); }

// Reads the counted strings of 1007/1008/1033 byte by byte.
class TCountedStrings {
public:
    explicit TCountedStrings(std::string_view payload, std::size_t start) : Payload(payload), Pos(start) {}

    bool AtEnd() const { return Pos >= Payload.size(); }

    std::optional<int> Byte()
    {
        if (AtEnd())
            return std::nullopt;
        return static_cast<std::uint8_t>(Payload[Pos++]);
    }

    // A count byte and its characters. Returns false when the payload ends before the
    // count or the characters, or the count is beyond the format's limit: the rest of
    // the payload cannot be trusted then.
    bool Next(std::optional<std::string>& target)
    {
        const auto count = Byte();
        if (!count || *count > kMaxStringLength || Payload.size() - Pos < static_cast<std::size_t>(*count))
            return false;
        if (*count > 0)
            target = std::string(Payload.substr(Pos, static_cast<std::size_t>(*count)));
        Pos += static_cast<std::size_t>(*count);
        return true;
    }

private:
    std::string_view Payload;
    std::size_t Pos;
};

}  // namespace

std::optional<TRTCMStationARP> DecodeStationARP(std::string_view payload)
{
    const TRTCM3BitReader bits(payload);
    const int number = messageNumber(bits);
    if ((number != 1005 && number != 1006) || payload.size() < kArpPayloadSize)
        return std::nullopt;
    TRTCMStationARP arp;
    arp.MessageNumber = number;
    arp.StationId = stationId(bits);
    arp.ItrfYear = static_cast<int>(bits.Unsigned(24, 6));
    arp.GPS = bits.Unsigned(30, 1) != 0;
    arp.GLONASS = bits.Unsigned(31, 1) != 0;
    arp.Galileo = bits.Unsigned(32, 1) != 0;
    arp.NonPhysical = bits.Unsigned(33, 1) != 0;
    arp.X = static_cast<double>(bits.Signed(34, 38)) * kCoordinateScale;
    // 1 bit single-receiver oscillator, 1 reserved bit
    arp.Y = static_cast<double>(bits.Signed(74, 38)) * kCoordinateScale;
    // 2 bits quarter-cycle indicator
    arp.Z = static_cast<double>(bits.Signed(114, 38)) * kCoordinateScale;
    if (number == 1006 && payload.size() >= kArpWithHeightPayloadSize)
        arp.AntennaHeight = static_cast<double>(bits.Unsigned(152, 16)) * kCoordinateScale;
    return arp;
}

std::optional<TRTCMStationDescriptors> DecodeStationDescriptors(std::string_view payload)
{
    const TRTCM3BitReader bits(payload);
    const int number = messageNumber(bits);
    if ((number != 1007 && number != 1008 && number != 1033) || payload.size() < 3)
        return std::nullopt;
    TRTCMStationDescriptors result;
    result.MessageNumber = number;
    result.StationId = stationId(bits);

    TCountedStrings strings(payload, 3);
    if (!strings.Next(result.AntennaDescriptor))
        return result;
    result.SetupId = strings.Byte();
    if (number == 1007 || !result.SetupId)
        return result;
    if (!strings.Next(result.AntennaSerial) || number == 1008)
        return result;
    if (strings.Next(result.ReceiverType) && strings.Next(result.ReceiverFirmware))
        strings.Next(result.ReceiverSerial);
    return result;
}

}  // namespace skerra::rtcm
