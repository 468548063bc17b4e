// Seconds of a correction stream through the relay onto a line that carries half of
// it, the port draining at line speed: the work the relay does on the user-interface
// thread to choose what to keep. The worst case is a flood of the smallest frames
// (six bytes) at 115200 baud, some 2,000 of them queued at once.

#include "devices/rtcm/Crc24q.h"
#include "devices/serial/CorrectionRelay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

std::string frame(int type, std::size_t size)
{
    std::string bytes(size, '\x55');
    bytes[0] = '\xD3';
    bytes[1] = static_cast<char>((size - 6) >> 8);
    bytes[2] = static_cast<char>(size - 6);
    bytes[3] = static_cast<char>(type >> 4);
    bytes[4] = static_cast<char>((type & 0xF) << 4);
    const std::uint32_t crc = skerra::rtcm::Crc24q(reinterpret_cast<const std::uint8_t*>(bytes.data()), size - 3);
    bytes[size - 3] = static_cast<char>(crc >> 16);
    bytes[size - 2] = static_cast<char>(crc >> 8);
    bytes[size - 1] = static_cast<char>(crc);
    return bytes;
}

// `frameSize`-byte frames of eight types at twice what a `baud` line carries, a block
// every 10 ms, for ten seconds.
void RelayOverAFullLine(benchmark::State& state)
{
    const int baud = static_cast<int>(state.range(0));
    const auto frameSize = static_cast<std::size_t>(state.range(1));
    const double bytesPerMs = baud / 10.0 / 1000;
    std::int64_t units = 0;
    for (auto _ : state) {
        skerra::CorrectionRelay relay;
        relay.SetLine(baud, 10);
        double unsent = 0, credit = 0;
        int type = 0;
        for (qint64 now = 0; now < 10000; now += 10) {
            unsent = std::max(0.0, unsent - 10 * bytesPerMs);
            std::string block;
            for (credit += 2 * bytesPerMs * 10; credit >= static_cast<double>(frameSize); credit -= static_cast<double>(frameSize))
                block += frame(1070 + type++ % 8, frameSize);
            relay.Push(block, now);
            while (const QByteArray* unit = relay.Next(now, static_cast<qint64>(unsent))) {
                unsent += static_cast<double>(unit->size());
                relay.TakeNext(now, static_cast<qint64>(unsent) - unit->size());
                ++units;
            }
        }
        benchmark::DoNotOptimize(relay.Counts());
    }
    state.counters["units handed over"] = benchmark::Counter(static_cast<double>(units), benchmark::Counter::kAvgIterations);
}
BENCHMARK(RelayOverAFullLine)->Args({9600, 250})->Args({115200, 250})->Args({115200, 6})->Unit(benchmark::kMillisecond);

}  // namespace
