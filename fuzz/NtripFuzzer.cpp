// A caster's reply: the header classified as it arrives, a chunked body decoded in
// blocks of varying size, and the text read as a source table.
#include "devices/ntrip/ChunkedDecoder.h"
#include "devices/ntrip/NTRIPResponseHeader.h"
#include "devices/ntrip/NTRIPSourceTable.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    const std::size_t block = 1 + flags % 32;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);

    for (std::size_t end = 0; end <= reply.size(); end += block) {
        const auto header = skerra::ntrip::ClassifyResponse(reply.substr(0, end), false, flags & 0x80);
        if (header.Kind != skerra::ntrip::TResponseKind::NeedMore && header.BodyOffset <= end)
            skerra::ntrip::SkipIcyHeaderLines(reply, header.BodyOffset);
    }
    skerra::ntrip::ClassifyResponse(reply, true, flags & 0x40);

    skerra::ntrip::TChunkedDecoder decoder;
    std::string body;
    for (std::size_t pos = 0; pos < reply.size() && !decoder.Failed(); pos += block)
        decoder.Feed(reply.substr(pos, block), body);

    skerra::ntrip::ParseSourceTableText(reply);
    return 0;
}
