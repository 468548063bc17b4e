#include "SurveyClock.h"

#include "platform/Clock.h"

std::int64_t SystemSurveyClock::TickMs() const { return skerra::tickCountMs(); }

QDateTime SystemSurveyClock::Now() const { return skerra::currentDateTime(); }
