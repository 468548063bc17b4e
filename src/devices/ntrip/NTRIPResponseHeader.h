#pragma once
// Classifies a caster's answer by its status line:
//   "ICY 200 OK"          NTRIP 1 correction stream (header lines up to a blank line skipped)
//   "SOURCETABLE 200 OK"  NTRIP 1 source table, after the blank line
//   "HTTP/1.x <code> ..." NTRIP 2: 200 with the content type "gnss/sourcetable" is a
//                         source table, any other 200 a stream, possibly chunked;
//                         another code is an error
// anything else is an unknown answer. Error answers are recognised as soon as their
// status line is there; a caster that sends "HTTP/1.0 401 Unauthorized" and closes
// without a line end is classified from what arrived (`closed`).

#include <cstddef>
#include <string>
#include <string_view>

namespace skerra::ntrip {

constexpr std::size_t kMaxResponseHeaderSize = 16 * 1024;

enum class TResponseKind {
    NeedMore,      // the header is not complete yet
    Stream,        // correction data follows
    SourceTable,   // a source table follows
    Error,         // an HTTP error code (HttpCode)
    Unknown,       // not an answer this client understands
};

struct TResponseHeader {
    TResponseKind Kind = TResponseKind::NeedMore;
    int HttpCode = 0;
    bool Chunked = false;
    std::size_t BodyOffset = 0;   // where the body starts in the received text
    // After "ICY 200 OK" the text received so far does not yet tell header lines from
    // data: pass the body through SkipIcyHeaderLines until it does.
    bool HeaderLinesPending = false;
    std::string StatusLine;       // the first line, without its line end
};

// `text` is everything received so far; `mountPointRequested` tells an HTTP 200 answer
// to a request for "/" (which can only be a source table) from a stream.
// After "ICY 200 OK": skips header lines ("Name: value") and one blank line from `pos`
// on; a byte that cannot start such a line (RTCM 3 starts with 0xD3) starts the data.
// Returns the offset of the data, or npos while the text does not tell yet.
std::size_t SkipIcyHeaderLines(std::string_view text, std::size_t pos);

TResponseHeader ClassifyResponse(std::string_view text, bool closed, bool mountPointRequested);

}  // namespace skerra::ntrip
