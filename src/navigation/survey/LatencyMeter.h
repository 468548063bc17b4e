#pragma once
// The map tick's run time for the latency window: the last one and the running
// mean, in milliseconds of the monotonic clock.

#include <cstdint>
#include <string>

class LatencyMeter {
public:
    void Add(std::int64_t milliseconds);
    std::int64_t Current() const { return current_; }
    double Average() const { return average_; }
    long long Count() const { return count_; }
    std::string CurrentText() const;  // integer
    std::string AverageText() const;  // one decimal

private:
    long long count_ = 0;
    double average_ = 0;
    std::int64_t current_ = 0;
};
