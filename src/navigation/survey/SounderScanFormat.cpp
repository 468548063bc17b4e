#include "SounderScanFormat.h"

namespace skerra::survey {

const skerra::ScanFormat* SounderScanFormat::For(const std::string& text)
{
    if (text_ != text) {
        text_ = text;
        problem_.clear();
        format_ = skerra::ScanFormat::Compile(text, kMaxValues, &problem_);
    }
    return format_ ? &*format_ : nullptr;
}

}  // namespace skerra::survey
