#include "LatencyMeter.h"

#include "platform/NumberText.h"

void LatencyMeter::Add(std::int64_t milliseconds)
{
    ++count_;
    current_ = milliseconds;
    average_ += (double(milliseconds) - average_) / double(count_);
}

std::string LatencyMeter::CurrentText() const { return skerra::IntToStr(current_); }

std::string LatencyMeter::AverageText() const { return skerra::FormatFixed(average_, 1); }
