#include "DepthCorrection.h"

#include "navigation/survey/PlausibleDepth.h"
#include "platform/NumberText.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace skerra::survey {
namespace {

bool usableVelocity(double v) { return std::isfinite(v) && v > 0; }

struct Velocity {
    std::optional<double> value;
    bool clamped = false;
    std::size_t line = 0;
};

Velocity profileVelocity(const std::vector<std::string>& column, double raw)
{
    Velocity v;
    if (column.empty()) return v;
    const ProfileIndex at = ProfileLine(raw, column.size());
    v.clamped = at.clamped;
    v.line = at.index;
    v.value = skerra::tryParseDouble(column[at.index]);
    return v;
}

std::string lineText(std::size_t line) { return skerra::IntToStr(static_cast<long long>(line)); }

}  // namespace

double CorrectedDepth(double raw, double soundVelocity, double draft)
{
    return raw * soundVelocity / kSounderVelocity + draft;
}

ProfileIndex ProfileLine(double rawDepth, std::size_t columnSize)
{
    if (columnSize == 0) return {0, true};
    const double rounded = std::trunc(rawDepth + 0.5);
    if (!(rounded >= 0)) return {0, true};
    if (rounded > double(columnSize - 1)) return {columnSize - 1, true};
    return {static_cast<std::size_t>(rounded), false};
}

CorrectedDepths CorrectDepths(const SounderReading& reading, double soundVelocity, double draft,
                              const std::vector<std::string>* profile)
{
    CorrectedDepths out;
    for (const auto& [sent, raw] : {std::pair{reading.hasHigh(), reading.rawHigh}, std::pair{reading.hasLow, reading.rawLow}}) {
        if (sent && !PlausibleRawDepth(raw)) {
            out.outOfRange = true;
            out.problem = "an impossible depth was refused";
            return out;
        }
    }
    double vHigh = soundVelocity, vLow = soundVelocity;
    if (profile) {
        if (profile->empty()) {
            out.problem = "the sound-velocity profile is empty";
            return out;
        }
        for (const auto& [wanted, raw, velocity] :
             {std::tuple{reading.hasLow, reading.rawLow, &vLow}, std::tuple{reading.hasHigh(), reading.rawHigh, &vHigh}}) {
            if (!wanted) continue;
            const Velocity v = profileVelocity(*profile, raw);
            if (!v.value || !usableVelocity(*v.value)) {
                out.problem = "line " + lineText(v.line) + " of the sound-velocity profile is not a usable velocity";
                return out;
            }
            if (v.clamped)
                out.problem = "a depth of " + skerra::FormatFixed(raw, 2)
                    + " m lies outside the sound-velocity profile; line " + lineText(v.line) + " is used";
            *velocity = *v.value;
        }
    } else if (!usableVelocity(soundVelocity)) {
        out.problem = "the sound velocity " + skerra::FormatGeneral(soundVelocity) + " m/s is not usable";
        return out;
    }
    if (reading.hasHigh()) out.high = CorrectedDepth(reading.rawHigh, vHigh, draft);
    if (reading.hasLow) out.low = CorrectedDepth(reading.rawLow, vLow, draft);
    if (!std::isfinite(out.high) || !std::isfinite(out.low)) {
        out.high = out.low = 0;
        out.outOfRange = true;
        out.problem = "a depth too large to correct was refused";
        return out;
    }
    out.ok = true;
    out.velocityUsed = reading.lowOnly ? vLow : vHigh;
    return out;
}

}  // namespace skerra::survey
