#include "LatencyColour.h"

#include "platform/NumberText.h"

namespace skerra {

namespace {

std::optional<long long> readMilliseconds(const QString& text)
{
    return tryParseIntOrHex(text.toStdString());
}

}  // namespace

std::optional<TColor> latencyColour(const QString& current, const QString& tolerance)
{
    const std::optional<long long> latency = readMilliseconds(current);
    const std::optional<long long> limit = readMilliseconds(tolerance);
    if (!latency || !limit) return std::nullopt;
    return *latency < *limit ? colors::Lime : colors::Red;
}

}  // namespace skerra
