// Throughput of RTCM 3 frame scanning (CRC-24Q included) over a synthetic stream of
// MSM-sized frames with text between them, whole and in 4095-byte receive blocks.

#include "devices/rtcm/Crc24q.h"
#include "devices/rtcm/RTCM3FrameScanner.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

using namespace skerra::rtcm;

namespace {

std::string makeStream(std::size_t frames)
{
    std::mt19937 random(7);
    std::string stream;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t length = 100 + random() % 500;
        std::string frame = {static_cast<char>(0xD3), static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
        frame += static_cast<char>(0x43);   // message 1077
        frame += static_cast<char>(0x50);
        for (std::size_t j = 2; j < length; ++j)
            frame += static_cast<char>(random() & 0xFF);
        const std::uint32_t crc = Crc24q(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
        frame += static_cast<char>(crc >> 16);
        frame += static_cast<char>(crc >> 8);
        frame += static_cast<char>(crc);
        stream += frame;
        if (i % 10 == 0)
            stream += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    }
    return stream;
}

const std::string& stream()
{
    static const std::string s = makeStream(2000);
    return s;
}

void BM_ScanWholeBuffer(benchmark::State& state)
{
    const std::string& data = stream();
    for (auto _ : state) {
        const auto counts = ScanRTCM3Frames(data, [](const TRTCM3Frame& f) { benchmark::DoNotOptimize(f.MessageNumber); });
        benchmark::DoNotOptimize(counts.Frames);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_ScanWholeBuffer);

void BM_ScanReceiveBlocks(benchmark::State& state)
{
    const std::string& data = stream();
    for (auto _ : state) {
        TRTCM3FrameScanner scanner([](const TRTCM3Frame& f) { benchmark::DoNotOptimize(f.MessageNumber); });
        for (std::size_t i = 0; i < data.size(); i += 4095)
            scanner.Push(std::string_view(data).substr(i, 4095));
        benchmark::DoNotOptimize(scanner.Counts().Frames);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_ScanReceiveBlocks);

}  // namespace
