#pragma once
// Lines and group-code/value pairs of an ASCII DXF drawing.
//
// A line is the bytes up to the next line feed (the last line needs none). The
// reader hands out each line trimmed of blanks, tabs and carriage returns at
// both ends, as a view that stays valid until the next read. A UTF-8
// byte-order mark at the start is passed over, and rewind() goes back to the
// first byte after it for the next pass. A line longer than MaxLineLength
// ends the input for the pass: nothing sensible is that long, and holding it
// would cost memory without bound.

#include "chartfiles/DxfByteSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Removes blanks, tabs and carriage returns (nothing else) from both ends.
void TrimBlanks(std::string& text);
std::string_view TrimBlanks(std::string_view text);

class DxfLineReader {
public:
    static constexpr std::size_t MaxLineLength = std::size_t{1} << 20;

    explicit DxfLineReader(DxfByteSource& source);

    // Back to the start of the drawing (after the byte-order mark); false when
    // the source cannot go there.
    bool rewind();

    // The next line, trimmed; false at the end of the input.
    bool next(std::string_view& line);
    // The next line as it stands, without its line feed; false at the end.
    bool nextRaw(std::string_view& line);
    // The line the last next() gave.
    std::string_view current() const { return current_; }

    // Reads the pairs of one record: code line, value line, each trimmed. The
    // record ends at a code line that is exactly "0" (true: the next line is
    // the following record's type) or at the end of the input (false). For
    // every other pair, onPair(code, value, rawValue) is called, the code being
    // the code line's integer by the atol rule and rawValue the value line
    // before trimming.
    template <class F>
    bool readPairs(F&& onPair);
    // The same, dropping the pairs.
    bool skipPairs();

private:
    bool fill();

    DxfByteSource& source_;
    std::uint64_t origin_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // unread bytes are buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool sourceDone_ = false;
    bool stopped_ = false;   // end of input reached for this pass
    std::string_view current_;
};

int dxfGroupCode(std::string_view codeLine);

template <class F>
bool DxfLineReader::readPairs(F&& onPair)
{
    std::string_view code;
    std::string_view raw;
    for (;;) {
        if (!next(code))
            return false;
        if (code == "0")
            return true;
        const int group = dxfGroupCode(code);
        if (!nextRaw(raw))
            return false;
        onPair(group, TrimBlanks(raw), raw);
    }
}
