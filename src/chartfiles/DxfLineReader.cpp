#include "chartfiles/DxfLineReader.h"

#include "chartfiles/DxfNumbers.h"

#include <cstring>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool isTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

void TrimBlanks(std::string& text)
{
    const std::string_view trimmed = TrimBlanks(std::string_view(text));
    if (trimmed.size() != text.size())
        text = std::string(trimmed);
}

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isTrimmed(text[b]))
        ++b;
    while (e > b && isTrimmed(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

int dxfGroupCode(std::string_view codeLine) { return dxfAtol(codeLine); }

DxfLineReader::DxfLineReader(DxfByteSource& source) : source_(source)
{
    buffer_.resize(kChunk);
    source_.seek(0);
    char head[3];
    std::size_t got = 0;
    while (got < 3) {
        const std::size_t n = source_.read(head + got, 3 - got);
        if (n == 0)
            break;
        got += n;
    }
    if (got == 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0)
        origin_ = 3;
    rewind();
}

bool DxfLineReader::rewind()
{
    begin_ = end_ = 0;
    sourceDone_ = false;
    stopped_ = !source_.seek(origin_);
    return !stopped_;
}

// Moves the unread bytes to the front and reads more after them; false when
// nothing more came.
bool DxfLineReader::fill()
{
    if (sourceDone_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() > MaxLineLength)
            return false;  // the caller sees an over-long line
        buffer_.resize(buffer_.size() * 2);
    }
    const std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (n == 0) {
        sourceDone_ = true;
        return false;
    }
    end_ += n;
    return true;
}

bool DxfLineReader::nextRaw(std::string_view& line)
{
    if (stopped_)
        return false;
    std::size_t searched = begin_;
    for (;;) {
        const char* start = buffer_.data() + searched;
        const void* lf = std::memchr(start, '\n', end_ - searched);
        if (lf) {
            const std::size_t at = static_cast<const char*>(lf) - buffer_.data();
            if (at - begin_ > MaxLineLength)
                break;
            line = std::string_view(buffer_.data() + begin_, at - begin_);
            begin_ = at + 1;
            return true;
        }
        if (end_ - begin_ > MaxLineLength)
            break;
        const std::size_t pending = end_ - begin_;
        if (!fill()) {
            if (!sourceDone_ || end_ == begin_)
                break;
            // The last line, without a line feed.
            line = std::string_view(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
        searched = begin_ + pending;
    }
    stopped_ = true;
    return false;
}

bool DxfLineReader::next(std::string_view& line)
{
    if (!nextRaw(line))
        return false;
    line = current_ = TrimBlanks(line);
    return true;
}

bool DxfLineReader::skipPairs()
{
    return readPairs([](int, std::string_view, std::string_view) {});
}
