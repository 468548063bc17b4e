#pragma once
// Tells the NTRIP log how many corrections the line to a receiver had to drop to keep
// them fresh: a line when the dropping starts, a figure for every minute while it goes
// on, and a line when a whole minute passed without a drop. `Status` is a short figure
// while the dropping goes on, for the window's status line.

#include "devices/serial/CorrectionRelayCounts.h"

#include <QtGlobal>

#include <string>

namespace skerra::ntrip {

class TCorrectionDropReport {
public:
    static constexpr qint64 PeriodMs = 60000;

    // `port` names the line in the texts: "GPS port", "Output port".
    explicit TCorrectionDropReport(std::string port);

    // Starts afresh from these totals (a new connection, another port); nothing is said.
    void Start(const CorrectionRelayCounts& counts);
    // The line to log now, or empty. `nowMs`: milliseconds of the clock; a clock set back
    // starts the running minute again.
    std::string Update(const CorrectionRelayCounts& counts, qint64 nowMs);
    // While frames are being dropped, how many: so far in the first minute, then in the
    // last whole minute. Empty otherwise.
    const std::string& Status() const { return Status_; }
    bool Dropping() const { return Dropping_; }

private:
    // "Dropped n of m frames" since the running minute started, and `when`.
    std::string StatusText(const CorrectionRelayCounts& counts, const char* when) const;

    std::string Port_;
    bool Dropping_ = false;
    bool FirstPeriod_ = false;  // the dropping started less than a minute ago
    CorrectionRelayCounts Last_;         // at the last update
    CorrectionRelayCounts PeriodStart_;  // at the start of the running minute
    qint64 PeriodStartMs_ = 0;
    std::string Status_;
};

}  // namespace skerra::ntrip
