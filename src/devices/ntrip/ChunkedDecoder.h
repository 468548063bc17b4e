#pragma once
// Undoes HTTP/1.1 chunked transfer coding ("<hex size>[;ext]CRLF <data> CRLF ...
// 0 CRLF [trailer] CRLF"), block by block, as an NTRIP 2.0 caster sends its stream.

#include <cstddef>
#include <string>
#include <string_view>

namespace skerra::ntrip {

class TChunkedDecoder {
public:
    // Appends the decoded bytes of `block` to `out`. Returns false once the coding is
    // broken; Finished() tells that the last chunk and its trailer have arrived.
    bool Feed(std::string_view block, std::string& out);

    bool Finished() const { return State == TState::Done; }
    bool Failed() const { return State == TState::Broken; }

private:
    enum class TState { SizeLine, Data, DataEnd, Trailer, Done, Broken };
    bool EndSizeLine();

    TState State = TState::SizeLine;
    std::string Line;            // size or trailer line being read
    std::size_t Remaining = 0;   // data bytes left in the current chunk
};

}  // namespace skerra::ntrip
