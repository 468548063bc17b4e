// Lines per second through the line assembler and the NMEA parser, for a mixed
// GGA/RMC/VTG stream cut into reads as a poll tick gets them.
//
// A 230400-baud stream carries about 23,000 bytes per second, some 330 such lines.

#include "devices/ntrip/GGASentence.h"
#include "devices/serial/NmeaSentenceParser.h"
#include "devices/serial/SerialLineAssembler.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A sentence with its real checksum: a wrong one would be rejected before parsing.
std::string sentence(const std::string& body)
{
    return "$" + body + "*" + skerra::ntrip::NMEAChecksum(body) + "\r\n";
}

std::string mixedStream(int epochs)
{
    std::string stream;
    for (int i = 0; i < epochs; ++i) {
        const std::string t = std::to_string(120000 + i % 5000) + ".00";
        const std::string minutes = std::to_string(10 + i % 40) + "." + std::to_string(100000 + i);
        stream += sentence("GNGGA," + t + ",41" + minutes + ",N,093" + minutes +
                           ",W,4,12,0.9,278.161,M,-31.442,M,1.0,0133");
        stream += sentence("GNRMC," + t + ",A,41" + minutes + ",N,093" + minutes + ",W," +
                           std::to_string(i % 7) + ".148,124.888,180320,11.5985,E,D");
        stream += sentence("GNVTG,124.888,T,113.3,M,0.148," + std::to_string(i % 3) + ".274,K,D");
    }
    return stream;
}

void LineAssemblyAndParsing(benchmark::State& state)
{
    const int epochs = 1000;
    const std::string stream = mixedStream(epochs);
    const std::size_t readSize = static_cast<std::size_t>(state.range(0));
    std::int64_t lines = 0;
    std::int64_t positions = 0;
    for (auto _ : state) {
        skerra::SerialLineAssembler assembler;
        skerra::NmeaFix fix;
        std::string line;
        for (std::size_t at = 0; at < stream.size(); at += readSize) {
            const std::size_t n = std::min(readSize, stream.size() - at);
            assembler.Append(stream.data() + at, n);
            while (assembler.NextLine(line)) {
                const auto changes = skerra::ParseSentence(line, fix);
                positions += changes.Position;
                ++lines;
            }
            assembler.CapPending();
        }
    }
    // Every GGA moves the position: fewer means sentences were refused unread.
    if (positions * 3 != lines) state.SkipWithError("GGA sentences were not parsed");
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

// 1152 bytes: a 50 ms tick at 230400 baud; 65536: a full bounded read.
BENCHMARK(LineAssemblyAndParsing)->Arg(1152)->Arg(65536);

}  // namespace
