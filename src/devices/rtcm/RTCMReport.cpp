#include "devices/rtcm/RTCMReport.h"

#include "devices/rtcm/RTCM3BaseStation.h"

#include "devices/ntrip/GGASentence.h"
#include "devices/rtcm/EcefToWgs84.h"
#include "devices/rtcm/GreatCircle.h"
#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "devices/rtcm/RTCMMessageName.h"
#include "devices/rtcm/TimeZoneText.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>

namespace skerra::rtcm {

namespace {

using skerra::FormatFixed;
using skerra::IntToStr;

const std::string kRule(48, '=');
constexpr double kKilometre = 1000.0;
constexpr double kNoteDistance = 20000.0;
constexpr double kWarningDistance = 35000.0;

struct TSignals {
    bool GpsL1 = false, GpsL2 = false, GpsL5 = false;
    bool GlonassG1 = false, GlonassG2 = false;
    bool GalileoE1 = false, GalileoE5 = false;
    bool BeiDouB1 = false, BeiDouB2 = false;
    bool QZSS = false, SBAS = false, NavIC = false;

    bool GPS() const { return GpsL1 || GpsL2 || GpsL5; }
    bool GLONASS() const { return GlonassG1 || GlonassG2; }
    bool Galileo() const { return GalileoE1 || GalileoE5; }
    bool BeiDou() const { return BeiDouB1 || BeiDouB2; }
    bool Any() const { return GPS() || GLONASS() || Galileo() || BeiDou() || QZSS || SBAS || NavIC; }
};

// What the frames of one snapshot say; a later frame overwrites an earlier one.
struct TStreamSummary {
    int StationId = 0;
    int ItrfYear = 0;
    bool StationGPS = false, StationGLONASS = false, StationGalileo = false;
    bool ArpDecoded = false;
    bool NonPhysical = false;
    double X = 0, Y = 0, Z = 0;
    bool PositionDecoded = false;
    TGeodeticPosition Position;
    double AntennaHeight = 0;
    std::string AntennaDescriptor, AntennaSerial, ReceiverType, ReceiverFirmware, ReceiverSerial;
    int SetupId = 0;
    TSignals Signals;
    std::map<int, std::uint64_t> Counts;
    std::uint64_t Total = 0;
    std::uint64_t CrcErrors = 0;
    std::vector<std::string> Warnings;
};

bool within(int number, int first, int last) { return number >= first && number <= last; }

void noteSignals(TSignals& s, int number)
{
    if (number == 1001 || number == 1002) {
        s.GpsL1 = true;
    } else if (number == 1003 || number == 1004) {
        s.GpsL1 = s.GpsL2 = true;
    } else if (within(number, 1071, 1077)) {
        s.GpsL1 = s.GpsL2 = s.GpsL5 = true;
    } else if (number == 1009 || number == 1010) {
        s.GlonassG1 = true;
    } else if (number == 1011 || number == 1012 || within(number, 1081, 1087)) {
        s.GlonassG1 = s.GlonassG2 = true;
    } else if (within(number, 1091, 1097)) {
        s.GalileoE1 = s.GalileoE5 = true;
    } else if (within(number, 1121, 1127)) {
        s.BeiDouB1 = s.BeiDouB2 = true;
    } else if (within(number, 1101, 1107)) {
        s.SBAS = true;
    } else if (within(number, 1111, 1117)) {
        s.QZSS = true;
    } else if (within(number, 1131, 1137)) {
        s.NavIC = true;
    }
}

// A descriptor as one report line can hold it: control bytes (a line break would
// split the report) become "?", other bytes above 127 are read as Latin-1.
std::string printable(const std::string& raw)
{
    std::string text;
    for (const char c : raw) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
            text += '?';
        } else if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

void keep(std::string& target, const std::optional<std::string>& value)
{
    if (value)
        target = printable(*value);
}

void decodeArp(TStreamSummary& s, const TRTCMStationARP& arp)
{
    s.StationId = arp.StationId;
    s.ItrfYear = arp.ItrfYear;
    s.StationGPS = arp.GPS;
    s.StationGLONASS = arp.GLONASS;
    s.StationGalileo = arp.Galileo;
    s.ArpDecoded = true;
    s.NonPhysical = arp.NonPhysical;
    s.X = arp.X;
    s.Y = arp.Y;
    s.Z = arp.Z;
    if (IsPlausibleStationEcef(arp.X, arp.Y, arp.Z)) {
        s.Position = EcefToWgs84(arp.X, arp.Y, arp.Z);
        s.PositionDecoded = true;
    } else {
        s.Warnings.push_back("  WARNING: ECEF magnitude invalid - parsing may be incorrect!");
    }
    if (arp.AntennaHeight)
        s.AntennaHeight = *arp.AntennaHeight;
}

void decodeDescriptors(TStreamSummary& s, const TRTCMStationDescriptors& d)
{
    s.StationId = d.StationId;
    keep(s.AntennaDescriptor, d.AntennaDescriptor);
    keep(s.AntennaSerial, d.AntennaSerial);
    keep(s.ReceiverType, d.ReceiverType);
    keep(s.ReceiverFirmware, d.ReceiverFirmware);
    keep(s.ReceiverSerial, d.ReceiverSerial);
    if (d.MessageNumber == 1033 && d.SetupId)
        s.SetupId = *d.SetupId;
}

void decodeFrame(TStreamSummary& s, const TRTCM3Frame& frame)
{
    if (auto arp = DecodeStationARP(frame.Payload))
        decodeArp(s, *arp);
    else if (auto descriptors = DecodeStationDescriptors(frame.Payload))
        decodeDescriptors(s, *descriptors);
    noteSignals(s.Signals, frame.MessageNumber);
    ++s.Counts[frame.MessageNumber];
    ++s.Total;
}

struct TExtent {
    std::size_t Start, End;   // [Start, End) within the snapshot
};

// The frame a preamble at `p` announces, when the snapshot holds it whole.
std::optional<TExtent> candidateAt(std::string_view snapshot, std::size_t p)
{
    if (p + kRTCM3HeaderSize > snapshot.size() || static_cast<std::uint8_t>(snapshot[p]) != 0xD3)
        return std::nullopt;
    const std::size_t length = ((static_cast<std::uint8_t>(snapshot[p + 1]) & 0x03u) << 8) |
                               static_cast<std::uint8_t>(snapshot[p + 2]);
    const std::size_t end = p + kRTCM3HeaderSize + length + kRTCM3CrcSize;
    if (end > snapshot.size())
        return std::nullopt;
    return TExtent{p, end};
}

// Damaged frames: complete candidates that are not valid frames and sit in the frame
// sequence, that is, start where a frame ends or end where a frame starts. A stray
// 0xD3 elsewhere (inside the frame the snapshot's start or end cut, inside a damaged
// frame, in other data) is not a frame, whatever length it implies.
std::uint64_t countDamagedFrames(std::string_view snapshot, const std::vector<TExtent>& valid)
{
    std::uint64_t count = 0;
    std::size_t gapStart = 0;
    bool afterFrame = false;
    auto gapBefore = [&](std::size_t gapEnd) {
        std::size_t from = gapStart;
        while (afterFrame) {   // damaged frames following a frame
            const auto c = candidateAt(snapshot, from);
            if (!c || c->End > gapEnd)
                break;
            ++count;
            from = c->End;
        }
        if (gapEnd == snapshot.size())
            return;   // the snapshot's end cuts whatever follows
        std::size_t next = gapEnd;   // damaged frames leading up to a frame
        for (std::size_t p = next; p-- > from;) {
            if (const auto c = candidateAt(snapshot, p); c && c->End == next) {
                ++count;
                next = p;
            }
        }
    };
    for (const TExtent& frame : valid) {
        gapBefore(frame.Start);
        gapStart = frame.End;
        afterFrame = true;
    }
    gapBefore(snapshot.size());
    return count;
}

TStreamSummary summarise(std::string_view snapshot)
{
    TStreamSummary s;
    std::vector<TExtent> frames;
    ScanRTCM3Frames(snapshot, [&](const TRTCM3Frame& frame) {
        const auto start = static_cast<std::size_t>(frame.Payload.data() - snapshot.data()) - kRTCM3HeaderSize;
        frames.push_back({start, start + kRTCM3HeaderSize + frame.Payload.size() + kRTCM3CrcSize});
        decodeFrame(s, frame);
    });
    s.CrcErrors = countDamagedFrames(snapshot, frames);
    return s;
}

class TLines {
public:
    void Add(std::string line) { Lines.push_back(std::move(line)); }
    void Title(const std::string& title)
    {
        Add(title);
        Add(std::string(title.size(), '-'));
    }
    std::vector<std::string> Lines;
};

void addHeader(TLines& out, const TRTCMReportInput& input)
{
    out.Add("Skerra - RTCM Message Parser v1.0");
    out.Add(input.LocalTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + " " +
            TimeZoneText(input.UtcOffsetMinutes));
    out.Add("Buffer size: " + IntToStr(static_cast<long long>(input.Snapshot.size())) + " bytes");
    out.Add(kRule);
    out.Add("");
}

std::string stationSystems(const TStreamSummary& s)
{
    std::string words;
    for (const auto& [set, word] : {std::pair{s.StationGPS, "GPS"}, std::pair{s.StationGLONASS, "GLONASS"},
                                    std::pair{s.StationGalileo, "Galileo"}}) {
        if (!set)
            continue;
        if (!words.empty())
            words += ' ';
        words += word;
    }
    return words;
}

void addStation(TLines& out, const TStreamSummary& s)
{
    out.Title("ANTENNA REFERENCE POINT (ARP)");
    if (s.StationId > 0)
        out.Add("Station ID: " + IntToStr(s.StationId));
    if (s.ItrfYear > 0)
        out.Add("ITRF Realization: " + IntToStr(2000 + s.ItrfYear));
    if (const std::string systems = stationSystems(s); !systems.empty())
        out.Add("Station Systems: " + systems);
    if (s.ArpDecoded && !s.NonPhysical)
        out.Add("Reference Station: Physical (not virtual)");
    if (s.PositionDecoded) {
        out.Add("");
        out.Add("ECEF Coordinates:");
        out.Add("  X: " + FormatFixed(s.X, 4) + " m");
        out.Add("  Y: " + FormatFixed(s.Y, 4) + " m");
        out.Add("  Z: " + FormatFixed(s.Z, 4) + " m");
        out.Add("");
        out.Add("Geographic Coordinates (WGS84):");
        out.Add("  Latitude:  " + FormatFixed(s.Position.Latitude, 8) + " deg");
        out.Add("  Longitude: " + FormatFixed(s.Position.Longitude, 8) + " deg");
        out.Add("  Altitude:  " + FormatFixed(s.Position.Height, 3) + " m");
    }
    if (s.AntennaHeight > 0) {
        out.Add("");
        out.Add("Antenna Height (ARP to marker): " + FormatFixed(s.AntennaHeight, 4) + " m");
    }
}

void addLabelled(TLines& out, const char* label, const std::string& text)
{
    if (!text.empty())
        out.Add(label + text);
}

void addDescriptors(TLines& out, const TStreamSummary& s)
{
    if (!s.AntennaDescriptor.empty() || !s.AntennaSerial.empty()) {
        out.Add("");
        out.Title("ANTENNA DESCRIPTOR");
        addLabelled(out, "Antenna Type: ", s.AntennaDescriptor);
        addLabelled(out, "Antenna Serial: ", s.AntennaSerial);
        if (s.SetupId > 0)
            out.Add("Setup ID: " + IntToStr(s.SetupId));
    }
    if (!s.ReceiverType.empty() || !s.ReceiverFirmware.empty() || !s.ReceiverSerial.empty()) {
        out.Add("");
        out.Title("RECEIVER & ANTENNA DESCRIPTORS");
        addLabelled(out, "Receiver Type: ", s.ReceiverType);
        addLabelled(out, "Receiver Firmware: ", s.ReceiverFirmware);
        addLabelled(out, "Receiver Serial: ", s.ReceiverSerial);
    }
}

std::string systemLine(const char* system, std::initializer_list<std::pair<bool, const char*>> flags)
{
    std::string line = system;
    for (const auto& [set, name] : flags)
        if (set)
            line += std::string(name) + " ";
    if (line.back() == ' ')
        line.pop_back();
    return line;
}

void addSignals(TLines& out, const TSignals& s)
{
    if (!s.Any())
        return;
    out.Add("");
    out.Title("SIGNALS AVAILABLE");
    if (s.GPS())
        out.Add(systemLine("GPS: ", {{s.GpsL1, "L1"}, {s.GpsL2, "L2"}, {s.GpsL5, "L5"}}));
    if (s.GLONASS())
        out.Add(systemLine("GLONASS: ", {{s.GlonassG1, "G1"}, {s.GlonassG2, "G2"}}));
    if (s.Galileo())
        out.Add(systemLine("Galileo: ", {{s.GalileoE1, "E1"}, {s.GalileoE5, "E5"}}));
    if (s.BeiDou())
        out.Add(systemLine("BeiDou: ", {{s.BeiDouB1, "B1"}, {s.BeiDouB2, "B2"}}));
    if (s.QZSS)
        out.Add("QZSS");
    if (s.SBAS)
        out.Add("SBAS");
    if (s.NavIC)
        out.Add("NavIC/IRNSS");
}

void addVessel(TLines& out, const TRTCMReportVessel& v, const TGeodeticPosition& base)
{
    out.Add("");
    out.Title("VESSEL POSITION (sent to VRS)");
    out.Add("  Latitude:  " + FormatFixed(v.Latitude, 8) + " deg");
    out.Add("  Longitude: " + FormatFixed(v.Longitude, 8) + " deg");
    out.Add("  Altitude:  " + FormatFixed(v.Altitude, 1) + " m");
    out.Add(std::string("  Manual Position: ") + (v.UseManualPosition ? "Yes" : "No"));
    out.Add("  GGA Lat: " + skerra::ntrip::FormatGGALatitude(v.Latitude) + (v.Latitude >= 0 ? " N" : " S"));
    out.Add("  GGA Lon: " + skerra::ntrip::FormatGGALongitude(v.Longitude) + (v.Longitude >= 0 ? " E" : " W"));
    if (v.Latitude == 0 && v.Longitude == 0) {
        out.Add("");
        out.Add("(Vessel position not available - cannot calculate distance)");
    } else {
        out.Add("");
        out.Title("DISTANCE TO BASE STATION");
        out.Add("");
        const double d = GreatCircleDistance(v.Latitude, v.Longitude, base.Latitude, base.Longitude);
        const double bearing = InitialBearing(v.Latitude, v.Longitude, base.Latitude, base.Longitude);
        for (auto& line : DistanceToBaseLines(d, bearing))
            out.Add(std::move(line));
    }
}

void addMessages(TLines& out, const TStreamSummary& s)
{
    out.Add("");
    out.Title("RTCM MESSAGES RECEIVED");
    for (const auto& [number, count] : s.Counts)
        out.Add("  " + IntToStr(number) + " - " + RTCMMessageName(number) + " (x" +
                IntToStr(static_cast<long long>(count)) + ")");
    out.Add("");
    out.Add(kRule);
    out.Add("Total: " + IntToStr(static_cast<long long>(s.Total)) + " RTCM messages parsed");
    if (s.CrcErrors > 0)
        out.Add("CRC errors: " + IntToStr(static_cast<long long>(s.CrcErrors)));
}

}  // namespace

std::vector<std::string> DistanceToBaseLines(double metres, double bearingDegrees)
{
    std::vector<std::string> lines;
    if (metres < kKilometre)
        lines.push_back("Distance to Base: " + FormatFixed(metres, 1) + " m");
    else
        lines.push_back("Distance to Base: " + FormatFixed(metres / kKilometre, 2) + " km");
    lines.push_back("Bearing to Base: " + FormatFixed(bearingDegrees, 1) + " deg");
    if (metres > kWarningDistance) {
        lines.push_back("");
        lines.push_back("WARNING: Distance > 35 km - RTK accuracy may be degraded!");
    } else if (metres > kNoteDistance) {
        lines.push_back("");
        lines.push_back("NOTE: Distance > 20 km - Consider using closer base station");
    }
    return lines;
}

TRTCMReport BuildRTCMReport(const TRTCMReportInput& input)
{
    const TStreamSummary s = summarise(input.Snapshot);
    TLines out;
    addHeader(out, input);
    for (const auto& warning : s.Warnings)
        out.Add(warning);
    addStation(out, s);
    addDescriptors(out, s);
    addSignals(out, s.Signals);
    if (s.PositionDecoded)
        addVessel(out, input.Vessel, s.Position);
    addMessages(out, s);

    TRTCMReport report;
    report.Lines = std::move(out.Lines);
    report.LastBase = input.LastBase;
    const TRTCMBaseStation station{s.StationId, s.Position.Latitude, s.Position.Longitude, s.Position.Height};
    if (s.PositionDecoded && IsNewBaseStation(station, input.LastBase)) {
        report.BaseLogLine = "Base " + BaseStationText(station);
        report.LastBase = station;
    }
    return report;
}

}  // namespace skerra::rtcm
