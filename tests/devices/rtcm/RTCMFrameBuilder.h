#pragma once
// Builds RTCM 3 payloads and frames for tests: big-endian bit fields, counted
// strings, and the frame around a payload with its CRC-24Q.

#include "devices/rtcm/Crc24q.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>

namespace skerra::rtcm::test {

class BitWriter {
public:
    void Put(std::uint64_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            if (Bits % 8 == 0)
                Bytes.push_back(0);
            if ((value >> i) & 1u)
                Bytes.back() = static_cast<char>(static_cast<std::uint8_t>(Bytes.back()) | (0x80u >> (Bits % 8)));
            ++Bits;
        }
    }
    void PutSigned(std::int64_t value, int bits) { Put(static_cast<std::uint64_t>(value) & ((std::uint64_t{1} << bits) - 1), bits); }
    void PutString(const std::string& text)
    {
        Put(text.size(), 8);
        for (char c : text)
            Put(static_cast<std::uint8_t>(c), 8);
    }
    std::string Bytes;
    std::size_t Bits = 0;
};

// Preamble, 6 zero bits, the 10-bit length, the payload and its CRC-24Q.
inline std::string frameOf(const std::string& payload)
{
    std::string frame;
    frame += static_cast<char>(0xD3);
    frame += static_cast<char>((payload.size() >> 8) & 0x03);
    frame += static_cast<char>(payload.size() & 0xFF);
    frame += payload;
    const std::uint32_t crc = Crc24q(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
    frame += static_cast<char>((crc >> 16) & 0xFF);
    frame += static_cast<char>((crc >> 8) & 0xFF);
    frame += static_cast<char>(crc & 0xFF);
    return frame;
}

// Geodetic (degrees, metres) to ECEF by the closed formula, the direction
// independent of the iterative conversion under test.
inline void GeodeticToEcef(double latDeg, double lonDeg, double h, double& x, double& y, double& z)
{
    const double a = 6378137.0, f = 1 / 298.257223563, e2 = 2 * f - f * f;
    const double lat = latDeg * std::numbers::pi / 180, lon = lonDeg * std::numbers::pi / 180;
    const double n = a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    x = (n + h) * std::cos(lat) * std::cos(lon);
    y = (n + h) * std::cos(lat) * std::sin(lon);
    z = (n * (1 - e2) + h) * std::sin(lat);
}

}  // namespace skerra::rtcm::test
