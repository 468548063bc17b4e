#include "devices/serial/SerialLineAssembler.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace skerra {
namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimBlanksAndControls(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

void SerialLineAssembler::Clear()
{
    buffer_.clear();
    start_ = 0;
    dropUntilNewline_ = false;
}

void SerialLineAssembler::Append(const char* data, std::size_t size)
{
    compact();
    const char* end = data + size;
    while (data < end) {
        const char* nul = static_cast<const char*>(std::memchr(data, '\0', end - data));
        const char* stop = nul ? nul : end;
        buffer_.append(data, stop);
        data = nul ? nul + 1 : end;
    }
}

bool SerialLineAssembler::NextLine(std::string& line)
{
    for (;;) {
        const auto feed = buffer_.find('\n', start_);
        if (feed == std::string::npos) return false;
        const std::string_view raw(buffer_.data() + start_, feed - start_);
        start_ = feed + 1;
        if (dropUntilNewline_) {
            dropUntilNewline_ = false;
            continue;
        }
        const auto trimmed = trimBlanksAndControls(raw);
        if (trimmed.empty()) continue;
        line.assign(trimmed);
        return true;
    }
}

void SerialLineAssembler::CapPending()
{
    compact();
    if (buffer_.size() <= CapLength || buffer_.find('\n') != std::string::npos) return;
    buffer_.erase(0, buffer_.size() - KeepLength);
    dropUntilNewline_ = true;
}

void SerialLineAssembler::compact()
{
    if (start_ == 0) return;
    buffer_.erase(0, start_);
    start_ = 0;
}

}  // namespace skerra
