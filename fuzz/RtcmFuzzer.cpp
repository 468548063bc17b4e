// RTCM 3 correction streams: framed in blocks of varying size, every payload
// (CRC-valid frames and the raw input itself) decoded as a station message, and the
// whole input reported on as a snapshot of received data.
#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "devices/rtcm/RTCMReport.h"

#include <cstdint>
#include <string_view>

namespace {
void decode(std::string_view payload)
{
    skerra::rtcm::DecodeStationARP(payload);
    skerra::rtcm::DecodeStationDescriptors(payload);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::size_t block = 1 + data[0] % 200;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

    decode(stream);
    skerra::rtcm::ScanRTCM3Frames(stream, [](const skerra::rtcm::TRTCM3Frame& f) { decode(f.Payload); });
    skerra::rtcm::TRTCM3FrameScanner scanner([](const skerra::rtcm::TRTCM3Frame& f) { decode(f.Payload); });
    for (std::size_t pos = 0; pos < stream.size(); pos += block) scanner.Push(stream.substr(pos, block));

    skerra::rtcm::TRTCMReportInput report;
    report.Snapshot = stream;
    report.Vessel = {41.0, 29.0, 10.0, false};
    skerra::rtcm::BuildRTCMReport(report);
    return 0;
}
