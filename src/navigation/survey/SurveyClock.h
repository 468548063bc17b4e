#pragma once
// The engine's clock: a monotonic millisecond tick for time-outs and latency, and
// local time for the texts. Tests and benchmarks put a fake one in.

#include <QDateTime>

#include <cstdint>

class SurveyClock {
public:
    virtual ~SurveyClock() = default;
    virtual std::int64_t TickMs() const = 0;  // never goes backwards
    virtual QDateTime Now() const = 0;        // local date and time
};

// skerra::tickCountMs and skerra::currentDateTime.
class SystemSurveyClock : public SurveyClock {
public:
    std::int64_t TickMs() const override;
    QDateTime Now() const override;
};
