#pragma once
// CRC-24Q, the checksum that closes every RTCM 3 frame (polynomial 0x1864CFB,
// initial value 0, no reflection, no final XOR).

#include <cstddef>
#include <cstdint>

namespace skerra::rtcm {

std::uint32_t Crc24q(const std::uint8_t* data, std::size_t length);

}  // namespace skerra::rtcm
