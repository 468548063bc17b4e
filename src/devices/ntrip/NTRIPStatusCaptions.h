#pragma once
// What the NTRIP window shows for each client status: the connect button's caption
// and the window's caption.

#include <QString>

namespace skerra::ntrip {

struct TStatusCaptions {
    QString Button;
    QString Window;
};

// Unknown statuses show as disconnected. `retrying`: a connection that ended (status 0
// or 4) will be tried again; the button then stops the retries.
TStatusCaptions CaptionsForStatus(int status, bool retrying = false);

// The counters' text: "###,###,###,##0" (12345 -> "12,345").
QString GroupedCount(long long value);

// The progress bar's position for a byte count: (bytes mod 5000) div 50.
int ProgressPosition(long long bytes);

}  // namespace skerra::ntrip
