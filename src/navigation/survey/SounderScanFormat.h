#pragma once
// The user's scan format for echo-sounder lines, checked once per text with the
// program's safe scanner: at most two values, the most any message type reads.

#include "platform/ScanFormat.h"

#include <optional>
#include <string>

namespace skerra::survey {

class SounderScanFormat {
public:
    static constexpr int kMaxValues = 2;

    // The checked format for `text`, or null with the reason in Problem(). The text
    // is checked again only when it changes.
    const skerra::ScanFormat* For(const std::string& text);
    const std::string& Problem() const { return problem_; }

private:
    std::optional<std::string> text_;
    std::optional<skerra::ScanFormat> format_;
    std::string problem_;
};

}  // namespace skerra::survey
