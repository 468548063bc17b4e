#pragma once
// Reads big-endian bit fields out of an RTCM 3 payload (bit 0 is the most
// significant bit of the first byte). Fields past the end read as 0.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace skerra::rtcm {

class TRTCM3BitReader {
public:
    explicit TRTCM3BitReader(std::string_view payload) : Payload(payload) {}

    std::size_t BitCount() const { return Payload.size() * 8; }

    // An unsigned field of up to 64 bits starting at bit `position`.
    std::uint64_t Unsigned(std::size_t position, int bits) const
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bits; ++i) {
            const std::size_t bit = position + static_cast<std::size_t>(i);
            std::uint64_t b = 0;
            if (bit < BitCount()) {
                const auto byte = static_cast<std::uint8_t>(Payload[bit / 8]);
                b = (byte >> (7 - bit % 8)) & 1u;
            }
            value = (value << 1) | b;
        }
        return value;
    }

    // A two's-complement field of up to 64 bits.
    std::int64_t Signed(std::size_t position, int bits) const
    {
        const std::uint64_t raw = Unsigned(position, bits);
        if (bits < 64 && (raw >> (bits - 1)) & 1u)
            return static_cast<std::int64_t>(raw) - (std::int64_t{1} << bits);
        return static_cast<std::int64_t>(raw);
    }

private:
    std::string_view Payload;
};

}  // namespace skerra::rtcm
