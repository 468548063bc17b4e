#pragma once
// Running totals of a correction relay since it was made.

#include <QtGlobal>

namespace skerra {

struct CorrectionRelayCounts {
    quint64 Units = 0;         // units queued: RTCM frames, or the bytes between them
    quint64 Bytes = 0;         // their bytes
    quint64 DroppedUnits = 0;  // units dropped because they could not leave in time
    quint64 DroppedBytes = 0;
};

}  // namespace skerra
