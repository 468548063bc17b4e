#pragma once
// Reading the NMEA 0183 sentences GGA, RMC and VTG into an NmeaFix.
//
// Pure functions over a small state, so the serial device and its tests share them.
// Any two-character talker is accepted ("$GPGGA", "$GNGGA", "$INGGA" alike). A sentence
// that carries a checksum is read only when the checksum matches; one without a
// checksum is read as it is. Other sentence types (ZDA, GSA, HDT, ...) are ignored.
//
// A GGA without a usable position (empty fields, a damaged coordinate) or with fix
// quality 0 keeps the last position and raises no position change; its fix quality
// and satellites are still taken.

#include "devices/serial/NmeaFix.h"

#include <optional>
#include <string_view>
#include <vector>

namespace skerra {

// Dispatches one received line; lines not beginning with '$' change nothing.
NmeaChanges ParseSentence(std::string_view line, NmeaFix& fix);

// Fields between delimiters; n delimiters give n + 1 fields, an empty text one
// empty field. The views point into `text`.
std::vector<std::string_view> SplitFields(std::string_view text, char delimiter);

// An NMEA coordinate, "ddmm.mmmm" with hemisphere N or S, "dddmm.mmmm" with E or W,
// in signed degrees (S and W negative). Empty or malformed fields (missing or
// lower-case hemisphere, wrong digit count, minutes of 60 or more, degrees out of
// range) give no value.
std::optional<double> ParseCoordinate(std::string_view value, std::string_view hemisphere);

// The handlers, each taking the sentence without its "*hh" part.
NmeaChanges ParseGGA(std::string_view sentence, NmeaFix& fix);
NmeaChanges ParseRMC(std::string_view sentence, NmeaFix& fix);
NmeaChanges ParseVTG(std::string_view sentence, NmeaFix& fix);

}  // namespace skerra
