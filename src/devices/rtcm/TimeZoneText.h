#pragma once
// The time-zone text of the correction-stream report: "GMT+03:00", "GMT-05:00",
// "GMT-00:30". The offset is the one in force at the report's time, daylight
// saving included; its sign is kept even when the whole hours are 0.

#include <string>

namespace skerra::rtcm {

// offsetMinutes: local time minus UTC, in minutes.
std::string TimeZoneText(int offsetMinutes);

}  // namespace skerra::rtcm
