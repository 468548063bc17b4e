#pragma once
// Finds RTCM 3 frames in a byte stream: the preamble 0xD3, 6 reserved bits, a
// 10-bit payload length L, L payload bytes and the 3-byte CRC-24Q. Only frames
// whose CRC matches are delivered; a 0xD3 inside other data or a damaged frame is
// stepped over one byte at a time, so text, NMEA or binary between frames does no harm.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace skerra::rtcm {

struct TRTCM3Frame {
    std::string_view Payload;   // the L payload bytes, valid during the call only
    std::string_view Bytes;     // the whole frame: header, payload and CRC; as Payload
    int MessageNumber = 0;      // the payload's first 12 bits (0 for a payload under 2 bytes)
};

using TRTCM3FrameHandler = std::function<void(const TRTCM3Frame&)>;
// Bytes that belong to no valid frame, in stream order with the frames; valid during
// the call only.
using TRTCM3OtherBytesHandler = std::function<void(std::string_view)>;

struct TRTCM3ScanCounts {
    std::uint64_t Frames = 0;        // CRC-valid frames delivered
    std::uint64_t CrcRejected = 0;   // complete candidate frames whose CRC did not match
};

constexpr std::size_t kRTCM3HeaderSize = 3;
constexpr std::size_t kRTCM3CrcSize = 3;
constexpr std::size_t kRTCM3MaxFrameSize = kRTCM3HeaderSize + 1023 + kRTCM3CrcSize;

// Scans a complete buffer (such as a snapshot of the received data); a frame cut
// off at the end of the buffer is not delivered.
TRTCM3ScanCounts ScanRTCM3Frames(std::string_view buffer, const TRTCM3FrameHandler& onFrame);

// Scans a stream block by block: a frame split between blocks is delivered once
// its last byte arrives. Keeps at most one frame's worth of bytes between blocks.
// With `onOther`, every byte pushed is delivered exactly once, in order: as part of a
// frame or among the other bytes (those once it is sure they start no frame).
class TRTCM3FrameScanner {
public:
    explicit TRTCM3FrameScanner(TRTCM3FrameHandler onFrame, TRTCM3OtherBytesHandler onOther = {});

    void Push(std::string_view block);
    void Reset();

    const TRTCM3ScanCounts& Counts() const { return Totals; }
    std::size_t PendingBytes() const { return Pending.size(); }

private:
    TRTCM3FrameHandler OnFrame;
    TRTCM3OtherBytesHandler OnOther;
    std::string Pending;
    TRTCM3ScanCounts Totals;
};

}  // namespace skerra::rtcm
