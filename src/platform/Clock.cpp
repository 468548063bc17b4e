#include "Clock.h"

#include <QElapsedTimer>

namespace skerra {
namespace {
std::function<QDateTime()>& clockOverride()
{
    static std::function<QDateTime()> clock;
    return clock;
}
}  // namespace

QDateTime currentDateTime()
{
    if (auto& clock = clockOverride()) return clock();
    return QDateTime::currentDateTime();
}

void setClockForTesting(std::function<QDateTime()> clock) { clockOverride() = std::move(clock); }

qint64 tickCountMs()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.elapsed();
}

}  // namespace skerra
