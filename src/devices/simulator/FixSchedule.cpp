#include "devices/simulator/FixSchedule.h"

namespace skerra::sim {

FixSchedule::FixSchedule(std::uint32_t seed) : random_(seed)
{
    // A cold start: every stage is seen within the first minute.
    planned_ = {{1, 12}, {2, 12}, {5, 12}};
}

double FixSchedule::uniform(double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random_);
}

void FixSchedule::planMore()
{
    planned_.push_back({4, uniform(60, 150)});
    const double r = uniform(0, 1);
    if (r < 0.55) {
        planned_.push_back({5, uniform(5, 15)});
    } else if (r < 0.8) {
        planned_.push_back({2, uniform(4, 10)});
    } else {
        planned_.push_back({0, uniform(2, 5)});
        planned_.push_back({1, uniform(3, 6)});
        planned_.push_back({2, uniform(3, 6)});
        planned_.push_back({5, uniform(4, 8)});
    }
}

int FixSchedule::QualityAt(double t)
{
    while (t >= end_) {
        if (planned_.empty()) planMore();
        quality_ = planned_.front().Quality;
        end_ += planned_.front().Duration;
        planned_.pop_front();
    }
    return quality_;
}

SounderDropouts::SounderDropouts(std::uint32_t seed) : random_(seed ^ 0x5eabedu)
{
    start_ = uniform(40, 90);
    end_ = start_ + uniform(1, 3);
}

double SounderDropouts::uniform(double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random_);
}

bool SounderDropouts::SilentAt(double t)
{
    while (t >= end_) {
        start_ = end_ + uniform(60, 180);
        end_ = start_ + uniform(1, 3);
    }
    return t >= start_;
}

}  // namespace skerra::sim
