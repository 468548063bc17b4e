// One echo-sounder line as the survey reads it: by a message type and its scan format
// (the proposed one, or for "OTHER" a format taken from the input), corrected with the
// single sound velocity or a profile. Whatever the survey would log of an accepted
// reading - raw and true depths, elevations, battery - must be a finite number.
#include "navigation/survey/DepthCorrection.h"
#include "navigation/survey/PlausibleDepth.h"
#include "navigation/survey/SounderScanFormat.h"
#include "navigation/survey/SounderSentence.h"
#include "shell/SbesMessageTypes.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void mustBeFinite(double value)
{
    if (!std::isfinite(value)) std::abort();
}

const std::vector<std::string>& profile()
{
    static const std::vector<std::string> column = [] {
        std::vector<std::string> c;
        for (int metre = 0; metre < 50; ++metre) c.push_back(std::to_string(1480 + metre));
        return c;
    }();
    return column;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const QStringList types = skerra::sbesMessageTypeNames();
    const std::string type = types[data[0] % types.size()].toStdString();
    const bool useProfile = data[1] & 1;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);

    std::string format = skerra::sbesMessageType(QString::fromStdString(type))->format;
    if (format.empty()) {  // "OTHER": the user's own format
        const auto end = rest.find('\n');
        if (end == std::string_view::npos) return 0;
        format = std::string(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    skerra::survey::SounderScanFormat formats;
    const skerra::ScanFormat* scan = formats.For(format);
    const skerra::survey::SounderReading reading = skerra::survey::ReadSounderLine(rest, type, scan);
    if (!reading.accepted) return 0;
    mustBeFinite(reading.rawHigh);
    mustBeFinite(reading.rawLow);
    mustBeFinite(reading.battery);
    if (!reading.parsed) return 0;

    constexpr double kManualTide = 0.35, kDraft = 0.4;
    for (const double velocity : {1500.0, 1530.0, 1400.0}) {
        const skerra::survey::CorrectedDepths depths =
            skerra::survey::CorrectDepths(reading, velocity, kDraft, useProfile ? &profile() : nullptr);
        if (!depths.ok) continue;
        // Only plausible depths are corrected.
        for (const double raw : {reading.hasHigh() ? reading.rawHigh : 0.0, reading.hasLow ? reading.rawLow : 0.0})
            if (!skerra::survey::PlausibleRawDepth(raw)) std::abort();
        for (const double v : {depths.high, depths.low, depths.velocityUsed, kManualTide - depths.high,
                               kManualTide - depths.low})
            mustBeFinite(v);
    }
    return 0;
}
