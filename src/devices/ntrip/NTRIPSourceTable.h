#pragma once
// Reading a caster's source table: its stream (STR) records.

#include <string>
#include <string_view>
#include <vector>

namespace skerra::ntrip {

struct TSourceTableEntries {
    std::vector<std::string> MountPoints;   // in table order
    std::vector<std::string> NMEA;          // parallel: "1" when the caster wants a GGA, else "0"
};

// Lines end with CR LF, LF or CR. A line starting "STR;" names its mount point up to
// the next ';' (a line without one is skipped); the NMEA flag is field 11 of the
// record ("STR" being field 0), "0" when the record has fewer than 12 fields.
TSourceTableEntries ParseSourceTableText(std::string_view text);

}  // namespace skerra::ntrip
