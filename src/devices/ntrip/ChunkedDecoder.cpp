#include "devices/ntrip/ChunkedDecoder.h"

#include <algorithm>

namespace skerra::ntrip {

namespace {
constexpr std::size_t kMaxLineLength = 1024;
constexpr std::size_t kMaxChunkSize = std::size_t{1} << 30;

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool TChunkedDecoder::EndSizeLine()
{
    std::size_t size = 0;
    std::size_t digits = 0;
    for (char c : Line) {
        const int v = hexValue(c);
        if (v < 0)
            break;
        size = size * 16 + static_cast<std::size_t>(v);
        if (size > kMaxChunkSize)
            return false;
        ++digits;
    }
    if (digits == 0)
        return false;
    Line.clear();
    Remaining = size;
    State = size == 0 ? TState::Trailer : TState::Data;
    return true;
}

bool TChunkedDecoder::Feed(std::string_view block, std::string& out)
{
    std::size_t i = 0;
    while (i < block.size() && State != TState::Done && State != TState::Broken) {
        switch (State) {
        case TState::SizeLine:
        case TState::Trailer: {
            const char c = block[i++];
            if (c == '\r')
                break;
            if (c != '\n') {
                Line += c;
                if (Line.size() > kMaxLineLength)
                    State = TState::Broken;
                break;
            }
            if (State == TState::Trailer) {
                if (Line.empty())
                    State = TState::Done;
                Line.clear();
            } else if (!EndSizeLine()) {
                State = TState::Broken;
            }
            break;
        }
        case TState::Data: {
            const std::size_t n = std::min(Remaining, block.size() - i);
            out.append(block.substr(i, n));
            i += n;
            Remaining -= n;
            if (Remaining == 0)
                State = TState::DataEnd;
            break;
        }
        case TState::DataEnd: {
            const char c = block[i++];
            if (c == '\n')
                State = TState::SizeLine;
            else if (c != '\r')
                State = TState::Broken;
            break;
        }
        default:
            break;
        }
    }
    return State != TState::Broken;
}

}  // namespace skerra::ntrip
