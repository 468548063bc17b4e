#pragma once
// How the receiver's fix quality changes over a survey: autonomous (1), then DGPS (2),
// RTK float (5) and RTK fixed (4) as corrections arrive, and later, from time to time,
// a short fall back to float or DGPS or a loss of the fix (0) followed by the same
// climb. Beside it, the spells in which the echo sounder loses the bottom. Both are
// the same for the same seed.

#include <cstdint>
#include <deque>
#include <random>

namespace skerra::sim {

class FixSchedule {
public:
    explicit FixSchedule(std::uint32_t seed);

    // The fix quality at survey time `t` seconds; t must not decrease between calls.
    int QualityAt(double t);

private:
    struct Segment {
        int Quality;
        double Duration;
    };
    void planMore();
    double uniform(double low, double high);

    std::mt19937 random_;
    std::deque<Segment> planned_;
    int quality_ = 1;
    double end_ = 0;  // end of the current segment
};

// Short spells in which the sounder loses the bottom and sends nothing.
class SounderDropouts {
public:
    explicit SounderDropouts(std::uint32_t seed);
    // True while the sounder is silent at survey time `t` (not decreasing).
    bool SilentAt(double t);

private:
    double uniform(double low, double high);
    std::mt19937 random_;
    double start_ = 0, end_ = 0;
};

}  // namespace skerra::sim
