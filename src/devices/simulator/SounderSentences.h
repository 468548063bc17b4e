#pragma once
// The echo-sounder lines, in each message type the settings window offers.
//
// The NMEA types carry a checksum. The Halvek and ODC types are plain text lines whose
// first fields have the fixed widths their scan formats expect:
//   "Halvek SMT"      $SMT,HF1,<depth>,<battery volts>
//   "Halvek XDR HI"   $XDHI,HF,<depth>
//   "Halvek XDR LO"   $XDHI,HF,<high depth>,$XDLO,LF,<low depth>   (H/L: the same line)
//   "ODC HI"          $ODC,<hhmmss.ss>,B,<ping>,<heave>,<sound velocity>,HF1,<depth>
// where the part before the depth of ODC is 42 characters.

#include <optional>
#include <string>
#include <string_view>

namespace skerra::sim {

enum class SounderType { Dpt, Dbt, Smt, XdrHi, XdrLo, XdrHiLo, OdcHi };

// One ping as the sounder reports it: depths below the transducer, metres.
struct Sounding {
    double Time = 0;     // UTC, seconds since 1970
    double High = 0;     // high-frequency depth
    double Low = 0;      // low-frequency depth
    double Battery = 0;  // volts (Halvek SMT)
    double Heave = 0;    // metres (ODC)
    long long Ping = 0;  // running ping number (ODC)
};

std::string SounderLine(SounderType type, const Sounding& s);

// The short name used on the command line ("dpt", "dbt", "smt", "xdr-hi", "xdr-lo",
// "xdr-hl", "odc") and the message type the settings window shows ("NMEA DPT", ...).
std::string_view SounderOptionName(SounderType type);
std::string_view SounderMessageType(SounderType type);
std::optional<SounderType> SounderTypeFromOptionName(std::string_view name);

inline constexpr SounderType AllSounderTypes[] = {SounderType::Dpt,   SounderType::Dbt,
                                                  SounderType::Smt,   SounderType::XdrHi,
                                                  SounderType::XdrLo, SounderType::XdrHiLo,
                                                  SounderType::OdcHi};

}  // namespace skerra::sim
