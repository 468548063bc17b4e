#include "devices/ntrip/NTRIPResponseHeader.h"

#include <algorithm>
#include <cctype>

namespace skerra::ntrip {

namespace {

constexpr std::string_view kIcyOk = "ICY 200 OK";
constexpr std::string_view kSourceTableOk = "SOURCETABLE 200 OK";
constexpr std::string_view kHttp = "HTTP/1.";

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The end of the line starting at `from` (position of its '\n'), or npos.
std::size_t lineEnd(std::string_view text, std::size_t from) { return text.find('\n', from); }

bool isTokenChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

struct THeaderLines {
    bool Complete = false;     // the blank line was found
    std::size_t BodyOffset = 0;
    std::string ContentType;
    bool Chunked = false;
};

// Header lines "Name: value" from `pos` up to and including a blank line.
THeaderLines readHeaderLines(std::string_view text, std::size_t pos)
{
    THeaderLines result;
    while (pos < text.size()) {
        const std::size_t end = lineEnd(text, pos);
        if (end == std::string_view::npos)
            return result;
        const std::string_view line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) {
            result.Complete = true;
            result.BodyOffset = pos;
            return result;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string name = lowered(trimmed(line.substr(0, colon)));
        const std::string value = lowered(trimmed(line.substr(colon + 1)));
        if (name == "content-type")
            result.ContentType = value;
        else if (name == "transfer-encoding" && value.find("chunked") != std::string::npos)
            result.Chunked = true;
    }
    return result;
}

}  // namespace

std::size_t SkipIcyHeaderLines(std::string_view text, std::size_t pos)
{
    while (pos < text.size()) {
        if (text[pos] == '\n')
            return pos + 1;
        if (text[pos] == '\r') {
            if (pos + 1 >= text.size())
                return std::string_view::npos;
            return text[pos + 1] == '\n' ? pos + 2 : pos;
        }
        std::size_t i = pos;
        while (i < text.size() && isTokenChar(text[i]))
            ++i;
        if (i >= text.size())
            return std::string_view::npos;
        if (i == pos || text[i] != ':')
            return pos;
        const std::size_t end = lineEnd(text, i);
        if (end == std::string_view::npos)
            return std::string_view::npos;
        pos = end + 1;
    }
    return std::string_view::npos;
}

namespace {

int httpCode(std::string_view statusLine)
{
    // "HTTP/1.x NNN reason"
    const std::size_t space = statusLine.find(' ');
    if (space == std::string_view::npos || statusLine.size() < space + 4)
        return 0;
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(statusLine[i])))
            return 0;
        code = code * 10 + (statusLine[i] - '0');
    }
    return code;
}

}  // namespace

TResponseHeader ClassifyResponse(std::string_view text, bool closed, bool mountPointRequested)
{
    TResponseHeader result;
    const std::size_t firstEnd = lineEnd(text, 0);
    if (firstEnd == std::string_view::npos && !closed && text.size() < kMaxResponseHeaderSize)
        return result;
    const std::size_t afterStatus = firstEnd == std::string_view::npos ? text.size() : firstEnd + 1;
    const std::size_t statusEnd = firstEnd == std::string_view::npos ? text.size() : firstEnd;
    result.StatusLine = std::string(trimmed(text.substr(0, std::min(statusEnd, kMaxResponseHeaderSize))));
    const std::string_view status = result.StatusLine;

    auto finish = [&](TResponseKind kind, std::size_t bodyOffset) {
        result.Kind = kind;
        result.BodyOffset = std::min(bodyOffset, text.size());
        return result;
    };
    auto needMore = [&]() {
        if (closed)
            return finish(result.Kind == TResponseKind::NeedMore ? TResponseKind::Unknown : result.Kind, text.size());
        if (text.size() >= kMaxResponseHeaderSize)
            return finish(TResponseKind::Unknown, text.size());
        result.Kind = TResponseKind::NeedMore;
        return result;
    };

    if (status == kIcyOk) {
        // The stream counts as open at once: a caster may wait for the client's GGA
        // before it sends anything.
        const std::size_t body = SkipIcyHeaderLines(text, afterStatus);
        if (body != std::string_view::npos)
            return finish(TResponseKind::Stream, body);
        result.HeaderLinesPending = !closed;
        return finish(TResponseKind::Stream, afterStatus);
    }
    if (status == kSourceTableOk) {
        const THeaderLines lines = readHeaderLines(text, afterStatus);
        if (lines.Complete)
            return finish(TResponseKind::SourceTable, lines.BodyOffset);
        result.Kind = TResponseKind::SourceTable;
        return needMore();
    }
    if (status.substr(0, kHttp.size()) == kHttp) {
        result.HttpCode = httpCode(status);
        if (result.HttpCode == 0)
            return finish(TResponseKind::Unknown, text.size());
        if (result.HttpCode != 200)
            return finish(TResponseKind::Error, text.size());
        const THeaderLines lines = readHeaderLines(text, afterStatus);
        result.Chunked = lines.Chunked;
        const bool table = lines.ContentType.find("gnss/sourcetable") != std::string::npos || !mountPointRequested;
        result.Kind = table ? TResponseKind::SourceTable : TResponseKind::Stream;
        if (lines.Complete)
            return finish(result.Kind, lines.BodyOffset);
        return needMore();
    }
    return finish(TResponseKind::Unknown, text.size());
}

}  // namespace skerra::ntrip
