#pragma once
// The name under which the correction-stream report lists an RTCM 3 message number.

#include <string>

namespace skerra::rtcm {

// "GPS L1 Observations", "GPS MSM7 (Full GPS)", ...; "Unknown" for a number not in the table.
std::string RTCMMessageName(int messageNumber);

}  // namespace skerra::rtcm
