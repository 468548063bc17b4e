#include "LastGoodNumber.h"

#include "platform/NumberText.h"

namespace skerra {

bool LastGoodNumber::converts(const std::string& text) const
{
    if (kind_ == Kind::Real) return tryParseDouble(text).has_value();
    const std::optional<int> n = tryParseInt(text);
    return n && *n >= 0;
}

const std::string& LastGoodNumber::take(const QString& text)
{
    std::string candidate = text.toStdString();
    if (converts(candidate)) last_ = std::move(candidate);
    return last_;
}

}  // namespace skerra
