// Serial bytes from a GNSS receiver or an echo sounder: cut into blocks of varying
// size, assembled into lines and parsed as NMEA sentences.
#include "devices/serial/NmeaSentenceParser.h"
#include "devices/serial/SerialLineAssembler.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::size_t block = 1 + data[0] % 64;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    std::size_t left = size - 1;

    skerra::SerialLineAssembler assembler;
    skerra::NmeaFix fix;
    std::string line;
    while (left > 0) {
        const std::size_t n = left < block ? left : block;
        assembler.Append(bytes, n);
        bytes += n;
        left -= n;
        while (assembler.NextLine(line)) {
            skerra::ParseSentence(line, fix);
            const auto fields = skerra::SplitFields(line, ',');
            if (fields.size() >= 2) skerra::ParseCoordinate(fields[0], fields[1]);
        }
        assembler.CapPending();
    }
    skerra::ParseSentence(assembler.Pending(), fix);
    return 0;
}
