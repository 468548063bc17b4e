#pragma once
// Sound-velocity and draft correction of the sounder's raw depths.
//
// The sounder measures with c = 1500 m/s; the true depth is raw x v / 1500 + draft,
// with v the single sound velocity, or, with a profile, the velocity at the raw
// depth rounded to whole metres. A depth the sounder type does not send stays 0.

#include "navigation/survey/SounderSentence.h"

#include <optional>
#include <string>
#include <vector>

namespace skerra::survey {

constexpr double kSounderVelocity = 1500.0;

double CorrectedDepth(double raw, double soundVelocity, double draft);

// The profile line for a raw depth: raw + 0.5 truncated towards zero, clamped to the
// column's first and last line.
struct ProfileIndex {
    std::size_t index = 0;
    bool clamped = false;  // the depth lay outside the column
};
ProfileIndex ProfileLine(double rawDepth, std::size_t columnSize);

struct CorrectedDepths {
    bool ok = false;
    double high = 0, low = 0;  // true depths, metres
    double velocityUsed = 0;   // the velocity applied to the primary depth
    bool outOfRange = false;   // not ok: a corrected depth is not a finite number
    std::string problem;       // why not ok, or a clamped profile look-up (ok stays true)
};

// profile: the sound-velocity column, or null for the single velocity. A raw depth
// that is not plausible (PlausibleRawDepth) is refused (not ok, outOfRange); so is
// one whose correction is not a finite number. A velocity that is not a positive
// number is never applied (not ok).
CorrectedDepths CorrectDepths(const SounderReading& reading, double soundVelocity, double draft,
                              const std::vector<std::string>* profile);

}  // namespace skerra::survey
