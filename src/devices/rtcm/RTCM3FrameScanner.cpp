#include "devices/rtcm/RTCM3FrameScanner.h"

#include "devices/rtcm/Crc24q.h"

#include <cstring>
#include <utility>

namespace skerra::rtcm {

namespace {

constexpr std::uint8_t kPreamble = 0xD3;

std::uint8_t byteAt(std::string_view buffer, std::size_t i)
{
    return static_cast<std::uint8_t>(buffer[i]);
}

bool crcMatches(std::string_view frame)
{
    const std::size_t covered = frame.size() - kRTCM3CrcSize;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.data());
    const std::uint32_t stored = (std::uint32_t{bytes[covered]} << 16) |
                                 (std::uint32_t{bytes[covered + 1]} << 8) | bytes[covered + 2];
    return Crc24q(bytes, covered) == stored;
}

int messageNumberOf(std::string_view payload)
{
    if (payload.size() < 2)
        return 0;
    return (byteAt(payload, 0) << 4) | (byteAt(payload, 1) >> 4);
}

// Delivers every complete valid frame and returns the offset from which the
// buffer still has to be kept (the start of a frame that is not complete yet).
// In a complete buffer (`complete`) nothing more will come: a candidate that runs
// past the end is stepped over, since a false preamble may announce a long frame
// and hide real frames behind it.
// Bytes before `end` that are not part of a frame go to `onOther`; `from` is where
// the first of them lies.
struct OtherBytes {
    std::string_view buffer;
    const TRTCM3OtherBytesHandler& onOther;
    std::size_t from = 0;

    std::size_t upTo(std::size_t end)
    {
        if (onOther && end > from)
            onOther(buffer.substr(from, end - from));
        from = end;
        return end;
    }
};

std::size_t scan(std::string_view buffer, const TRTCM3FrameHandler& onFrame, const TRTCM3OtherBytesHandler& onOther,
                 TRTCM3ScanCounts& counts, bool complete)
{
    OtherBytes other{buffer, onOther};
    std::size_t pos = 0;
    while (pos < buffer.size()) {
        const void* found = std::memchr(buffer.data() + pos, kPreamble, buffer.size() - pos);
        if (!found)
            return other.upTo(buffer.size());
        pos = static_cast<std::size_t>(static_cast<const char*>(found) - buffer.data());
        if (buffer.size() - pos < kRTCM3HeaderSize) {
            if (complete)
                return other.upTo(buffer.size());
            return other.upTo(pos);
        }
        const std::size_t length = ((byteAt(buffer, pos + 1) & 0x03u) << 8) | byteAt(buffer, pos + 2);
        const std::size_t total = kRTCM3HeaderSize + length + kRTCM3CrcSize;
        if (buffer.size() - pos < total) {
            if (!complete)
                return other.upTo(pos);
            ++pos;
            continue;
        }
        const std::string_view frame = buffer.substr(pos, total);
        if (!crcMatches(frame)) {
            ++counts.CrcRejected;
            ++pos;
            continue;
        }
        other.upTo(pos);
        TRTCM3Frame decoded;
        decoded.Bytes = frame;
        decoded.Payload = frame.substr(kRTCM3HeaderSize, length);
        decoded.MessageNumber = messageNumberOf(decoded.Payload);
        ++counts.Frames;
        if (onFrame)
            onFrame(decoded);
        pos += total;
        other.from = pos;
    }
    return other.upTo(pos);
}

}  // namespace

TRTCM3ScanCounts ScanRTCM3Frames(std::string_view buffer, const TRTCM3FrameHandler& onFrame)
{
    TRTCM3ScanCounts counts;
    scan(buffer, onFrame, {}, counts, true);
    return counts;
}

TRTCM3FrameScanner::TRTCM3FrameScanner(TRTCM3FrameHandler onFrame, TRTCM3OtherBytesHandler onOther)
    : OnFrame(std::move(onFrame)), OnOther(std::move(onOther))
{
}

void TRTCM3FrameScanner::Push(std::string_view block)
{
    if (Pending.empty()) {
        // Common case: scan the block in place and keep only an unfinished frame.
        const std::size_t keep = scan(block, OnFrame, OnOther, Totals, false);
        Pending.assign(block.substr(keep));
        return;
    }
    Pending.append(block);
    const std::size_t keep = scan(Pending, OnFrame, OnOther, Totals, false);
    Pending.erase(0, keep);
}

void TRTCM3FrameScanner::Reset()
{
    Pending.clear();
    Totals = {};
}

}  // namespace skerra::rtcm
