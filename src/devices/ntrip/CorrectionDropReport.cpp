#include "devices/ntrip/CorrectionDropReport.h"

#include <utility>

namespace skerra::ntrip {

namespace {

std::string Frames(quint64 n) { return std::to_string(n) + (n == 1 ? " frame" : " frames"); }

std::string Bytes(quint64 n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

}  // namespace

TCorrectionDropReport::TCorrectionDropReport(std::string port) : Port_(std::move(port)) {}

void TCorrectionDropReport::Start(const CorrectionRelayCounts& counts)
{
    Dropping_ = false;
    Last_ = counts;
    PeriodStart_ = counts;
    Status_.clear();
}

std::string TCorrectionDropReport::Update(const CorrectionRelayCounts& counts, qint64 nowMs)
{
    // Totals that went backwards belong to another relay (the port was reopened).
    if (counts.Units < Last_.Units || counts.DroppedUnits < Last_.DroppedUnits) Start(counts);
    if (nowMs < PeriodStartMs_) PeriodStartMs_ = nowMs;  // the clock was set back
    const CorrectionRelayCounts before = Last_;
    Last_ = counts;
    if (!Dropping_) {
        if (counts.DroppedUnits == before.DroppedUnits) return {};
        Dropping_ = true;
        FirstPeriod_ = true;
        PeriodStart_ = before;
        PeriodStartMs_ = nowMs;
        Status_ = StatusText(counts, " so far");
        return Port_ + " overrun: " + Frames(counts.DroppedUnits - before.DroppedUnits) + " (" +
               Bytes(counts.DroppedBytes - before.DroppedBytes) +
               ") of corrections dropped to keep them under a second old";
    }
    if (nowMs - PeriodStartMs_ < PeriodMs) {
        if (FirstPeriod_) Status_ = StatusText(counts, " so far");
        return {};
    }
    FirstPeriod_ = false;
    Status_ = StatusText(counts, " in the last minute");
    const quint64 dropped = counts.DroppedUnits - PeriodStart_.DroppedUnits;
    const quint64 frames = counts.Units - PeriodStart_.Units;
    const quint64 bytes = counts.DroppedBytes - PeriodStart_.DroppedBytes;
    PeriodStart_ = counts;
    PeriodStartMs_ = nowMs;
    if (dropped == 0) {
        Dropping_ = false;
        Status_.clear();
        return Port_ + ": corrections no longer dropped";
    }
    const quint64 percent = frames > 0 ? (dropped * 100 + frames / 2) / frames : 100;
    return Port_ + " overrun: " + std::to_string(dropped) + " of " + Frames(frames) + " (" +
           std::to_string(percent) + " %, " + Bytes(bytes) + ") dropped in the last minute";
}

std::string TCorrectionDropReport::StatusText(const CorrectionRelayCounts& counts, const char* when) const
{
    return "Dropped " + std::to_string(counts.DroppedUnits - PeriodStart_.DroppedUnits) + " of " +
           Frames(counts.Units - PeriodStart_.Units) + when;
}

}  // namespace skerra::ntrip
