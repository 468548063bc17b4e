#include "devices/rtcm/RTCM3BaseStation.h"

#include "devices/rtcm/EcefToWgs84.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "platform/NumberText.h"

#include <cmath>

namespace skerra::rtcm {

bool IsNewBaseStation(const TRTCMBaseStation& found, const TRTCMBaseStation& last)
{
    constexpr double kMoved = 0.00001;
    const bool noneYet = last.Latitude == 0 && last.Longitude == 0;
    return found.StationId != last.StationId || noneYet || std::abs(found.Latitude - last.Latitude) > kMoved ||
           std::abs(found.Longitude - last.Longitude) > kMoved;
}

std::string BaseStationText(const TRTCMBaseStation& s)
{
    return "#" + std::to_string(s.StationId) + ": " + FormatFixed(s.Latitude, 8) + ", " +
           FormatFixed(s.Longitude, 8) + ", " + FormatFixed(s.Height, 2) + "m";
}

TRTCM3BaseStationFinder::TRTCM3BaseStationFinder()
    : Scanner([this](const TRTCM3Frame& frame) {
          if (frame.MessageNumber != 1005 && frame.MessageNumber != 1006) return;
          const auto arp = DecodeStationARP(frame.Payload);
          if (!arp || !IsPlausibleStationEcef(arp->X, arp->Y, arp->Z)) return;
          const TGeodeticPosition p = EcefToWgs84(arp->X, arp->Y, arp->Z);
          Found.push_back({arp->StationId, p.Latitude, p.Longitude, p.Height});
      })
{
}

std::vector<TRTCMBaseStation> TRTCM3BaseStationFinder::Push(std::string_view block)
{
    Found.clear();
    Scanner.Push(block);
    return std::move(Found);
}

}  // namespace skerra::rtcm
