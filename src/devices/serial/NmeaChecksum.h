#pragma once
// The "*hh" checksum of an NMEA 0183 sentence: the exclusive or of every character
// between the leading '$' (or '!') and the '*', written as two hexadecimal digits.

#include <string_view>

namespace skerra {

enum class NmeaChecksum {
    Absent,   // the line has no '*'
    Valid,    // "*hh" ends the line and matches
    Invalid,  // a '*' without exactly two hex digits after it, or a wrong sum
};

NmeaChecksum CheckNmeaChecksum(std::string_view line);

// True when the line may be trusted: it carries no checksum or a matching one.
inline bool NmeaChecksumAcceptable(std::string_view line)
{
    return CheckNmeaChecksum(line) != NmeaChecksum::Invalid;
}

}  // namespace skerra
