#pragma once
// Cuts the bytes received from a serial device into text lines.
//
// A line ends with a line feed; it is delivered trimmed of leading and trailing
// bytes up to 32 (blanks and control characters, so CR and LF go), and lines that
// trim to nothing are skipped. NUL bytes are dropped where they stand. Text without
// a line feed is bounded: pending text longer than CapLength is cut to its last
// KeepLength bytes, and the rest of that broken line, up to the next line feed, is
// dropped so that no fragment is ever delivered as a line.

#include <cstddef>
#include <string>

namespace skerra {

class SerialLineAssembler {
public:
    static constexpr std::size_t CapLength = 4096;
    static constexpr std::size_t KeepLength = 2048;

    void Clear();
    void Append(const char* data, std::size_t size);

    // The next complete non-empty line, false when no line feed is pending.
    bool NextLine(std::string& line);

    // Bounds the pending text; call after taking the lines of an append.
    void CapPending();

    // Received text not yet ended by a line feed (after the lines were taken).
    std::string Pending() const { return buffer_.substr(start_); }

private:
    void compact();

    std::string buffer_;
    std::size_t start_ = 0;      // buffer_ before start_ has been taken
    bool dropUntilNewline_ = false;
};

}  // namespace skerra
