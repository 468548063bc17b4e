// RTCM 3 correction streams: framed in blocks of varying size, every payload
// (CRC-valid frames and the raw input itself) decoded as a station message, and the
// whole input reported on as a snapshot of received data; the stream relayed to a
// serial line, where every byte that is not dropped goes out once and in order.
#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/serial/CorrectionRelay.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "devices/rtcm/RTCMReport.h"

#include <cstdint>
#include <cstdlib>
#include <string>
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
    std::string replayed;
    skerra::rtcm::TRTCM3FrameScanner scanner(
        [&](const skerra::rtcm::TRTCM3Frame& f) {
            decode(f.Payload);
            replayed += f.Bytes;
        },
        [&](std::string_view other) { replayed += other; });
    for (std::size_t pos = 0; pos < stream.size(); pos += block) scanner.Push(stream.substr(pos, block));
    if (replayed != stream.substr(0, stream.size() - scanner.PendingBytes())) std::abort();

    // A line of 9600 baud that never drains: units go out or are dropped, none twice.
    skerra::CorrectionRelay relay;
    relay.SetLine(9600, 10);
    qint64 now = 0, handedOver = 0;
    for (std::size_t pos = 0; pos < stream.size(); pos += block, now += 40) {
        relay.Push(stream.substr(pos, block), now);
        while (const QByteArray* unit = relay.Next(now, handedOver)) {
            handedOver += unit->size();
            relay.TakeNext(now, handedOver - unit->size());
        }
    }
    if (handedOver > static_cast<qint64>(stream.size())) std::abort();

    skerra::rtcm::TRTCMReportInput report;
    report.Snapshot = stream;
    report.Vessel = {41.0, 29.0, 10.0, false};
    skerra::rtcm::BuildRTCMReport(report);
    return 0;
}
