#include "devices/rtcm/TimeZoneText.h"

#include "platform/NumberText.h"

#include <cstdlib>

namespace skerra::rtcm {

namespace {

std::string twoDigits(int value)
{
    std::string text = skerra::IntToStr(value);
    return text.size() < 2 ? "0" + text : text;
}

}  // namespace

std::string TimeZoneText(int offsetMinutes)
{
    const int magnitude = std::abs(offsetMinutes);
    return std::string("GMT") + (offsetMinutes < 0 ? "-" : "+") + twoDigits(magnitude / 60) + ":" +
           twoDigits(magnitude % 60);
}

}  // namespace skerra::rtcm
