#pragma once
// The reference station of a correction stream, found in its 1005/1006 messages
// block by block through the CRC-checked frame scanner (a frame split between blocks
// is found; a damaged one is not believed).

#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/rtcm/RTCMReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace skerra::rtcm {

// A station is new when none was reported yet (`last` at 0, 0), its id differs, or its latitude or longitude moved by more
// than 0.00001 degrees (the height is not compared).
bool IsNewBaseStation(const TRTCMBaseStation& found, const TRTCMBaseStation& last);

// "#<id>: <lat>, <lon>, <height>m", degrees with 8 decimals, height with 2.
std::string BaseStationText(const TRTCMBaseStation& station);

class TRTCM3BaseStationFinder {
public:
    TRTCM3BaseStationFinder();
    // The plausible stations announced in this block, in stream order.
    std::vector<TRTCMBaseStation> Push(std::string_view block);
    void Reset() { Scanner.Reset(); }

private:
    TRTCM3FrameScanner Scanner;
    std::vector<TRTCMBaseStation> Found;
};

}  // namespace skerra::rtcm
