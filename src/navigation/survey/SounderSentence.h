#pragma once
// The echo sounder's message types and the reading of one line by its type and the
// user's scan format.

#include <string>
#include <string_view>

namespace skerra {
class ScanFormat;
}

namespace skerra::survey {

struct SounderReading {
    bool accepted = false;       // the type is known and the line has its token(s)
    bool parsed = false;         // the format read as many numbers as the type needs
    double rawHigh = 0, rawLow = 0;  // metres
    double battery = 0;          // volts ("Halvek SMT")
    bool hasBattery = false;
    bool lowOnly = false;        // "Halvek XDR LO": the low depth is the primary one
    bool hasLow = false;         // the type reads a low-frequency depth
    bool hasHigh() const { return !lowOnly; }
    double PrimaryRaw() const { return lowOnly ? rawLow : rawHigh; }
};

// Reads `line` as a sentence of the message type `type` ("NMEA DPT", "Halvek SMT",
// ...) with the checked scan format `format` (SounderScanFormat). Without a format
// (the user's was refused) an accepted line reads as not parsed.
SounderReading ReadSounderLine(std::string_view line, std::string_view type, const skerra::ScanFormat* format);

// The type sends a low-frequency depth ("Halvek XDR LO", "Halvek XDR H/L").
bool SounderTypeHasLowDepth(std::string_view type);

}  // namespace skerra::survey
