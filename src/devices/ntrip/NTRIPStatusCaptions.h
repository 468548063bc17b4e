#pragma once
// What the NTRIP window shows for each client status: the connect button's caption
// and the window's caption.

#include <QString>

namespace skerra::ntrip {

struct TStatusCaptions {
    QString Button;
    QString Window;
};

// Unknown statuses show as disconnected.
TStatusCaptions CaptionsForStatus(int status);

// The counters' text: "###,###,###,##0" (12345 -> "12,345").
QString GroupedCount(long long value);

// The progress bar's position for a byte count: (bytes mod 5000) div 50.
int ProgressPosition(long long bytes);

}  // namespace skerra::ntrip
