#include "devices/serial/NmeaChecksum.h"

namespace skerra {
namespace {

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

NmeaChecksum CheckNmeaChecksum(std::string_view line)
{
    const auto star = line.find('*');
    if (star == std::string_view::npos) return NmeaChecksum::Absent;
    if (line.size() != star + 3) return NmeaChecksum::Invalid;
    const int high = hexDigitValue(line[star + 1]);
    const int low = hexDigitValue(line[star + 2]);
    if (high < 0 || low < 0) return NmeaChecksum::Invalid;

    std::size_t first = 0;
    if (!line.empty() && (line[0] == '$' || line[0] == '!')) first = 1;
    unsigned sum = 0;
    for (std::size_t i = first; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    return sum == static_cast<unsigned>(high * 16 + low) ? NmeaChecksum::Valid
                                                         : NmeaChecksum::Invalid;
}

}  // namespace skerra
