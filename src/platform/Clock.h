#pragma once
// The local clock, replaceable so tests can stand at midnight or at a year's end.

#include <QDateTime>
#include <functional>

namespace skerra {

QDateTime currentDateTime();                 // local time, milliseconds included
void setClockForTesting(std::function<QDateTime()> clock);  // empty function: the real clock

// Milliseconds from a monotonic clock (time-outs, latency); never goes backwards.
qint64 tickCountMs();

}  // namespace skerra
