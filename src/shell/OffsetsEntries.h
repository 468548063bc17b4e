#pragma once
// The survey offsets as the surveyor typed them, and their settings-file section
// "ECHOSOUNDER_OFFSETS". Values are stored as typed; nothing is converted here.

#include <string>

namespace skerra {
class IniFile;
}

struct OffsetsEntries {
    std::string offsetA;        // transducer draft, metres
    std::string offsetB;        // transducer to GNSS antenna, metres
    std::string offsetC;        // antenna height above the water, metres
    std::string soundVelocity;  // m/s
    std::string tideHeight;     // metres
    std::string location;
    std::string surveyBoat;
    std::string surveyor;
};

// Reads every entry; a missing key gives "".
OffsetsEntries ReadStoredOffsets(const skerra::IniFile& ini);

// Writes the entries and the confirmation time, all together (one replacement of the
// file). Raises skerra::IniWriteError when the file cannot be written.
void StoreOffsets(skerra::IniFile& ini, const OffsetsEntries& entries, const std::string& time);
