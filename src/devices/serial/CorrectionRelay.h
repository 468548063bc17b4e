#pragma once
// Paces RTK corrections onto a serial line so that none reaches the receiver more than
// a second after it arrived: a late correction is worse than none.
//
// The stream is cut into units that are written or dropped whole: each RTCM 3 frame is
// one unit, and the bytes between frames (another format, or damaged data) make units
// of their own. A frame whose last bytes have not arrived yet waits for them. Units
// leave in the order they arrived.
//
// How long the line still needs for what it holds is the larger of two figures: the
// bytes the port reports unsent (its program buffer and the driver's output queue), and
// a model of the line that counts every byte written at the line's own speed - a line
// never sends faster than its baud rate, whatever its driver reports.
//
// Nothing is dropped while every queued unit can still leave the line in time behind
// the ones queued before it. When they cannot all make it, the relay chooses which to
// keep so that the loss is spread over the message types: one frame per type at a time,
// the types that got through least of late first (a running share of their frames that
// went out), and the station message (1005/1006) first of all once it has waited
// StationDueMs; the other units fill what the line has left. A unit that is not kept is
// dropped when it reaches the head of the queue - unless by then, with the line further
// on, it is kept after all.
//
// At most HeadroomMs of line is committed to the port ahead; the rest waits here, where
// it can still be dropped and where commands overtake it.
//
// Times are milliseconds of a monotonic clock, passed in by the caller.

#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/serial/CorrectionRelayCounts.h"

#include <QByteArray>
#include <QtGlobal>

#include <deque>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

namespace skerra {

class CorrectionRelay {
public:
    // The oldest a correction may be when its last byte leaves the line.
    static constexpr qint64 MaxAgeMs = 1000;
    // How far the line's real timing may lag the plan (device buffers, scheduling);
    // the plan keeps this much of the second in reserve.
    static constexpr qint64 LineSlackMs = 100;
    // At most this much of the line is committed to the port ahead; the rest waits
    // here, where it can still be dropped and where commands overtake it.
    static constexpr qint64 HeadroomMs = 250;
    // A station message (1005/1006) that has not gone out for this long is kept first.
    static constexpr qint64 StationDueMs = 2000;

    CorrectionRelay();
    CorrectionRelay(const CorrectionRelay&) = delete;
    CorrectionRelay& operator=(const CorrectionRelay&) = delete;

    // The line's speed: baud rate and bits on the line per byte (start, data, parity
    // and stop bits). Forgets what was queued and what the line held.
    void SetLine(int baudRate, double bitsPerByte);
    // Forgets the queue and the line (the port closed).
    void Clear();

    // Queues received bytes; nothing is dropped here.
    void Push(std::string_view bytes, qint64 nowMs);

    // The unit to hand to the port now, or null. `queuedBelow`: bytes the port holds and
    // has not sent yet. Units at the head that are not kept (see above) are dropped
    // first. With `all` the headroom is ignored (the port is about to close).
    const QByteArray* Next(qint64 nowMs, qint64 queuedBelow, bool all = false);
    // The unit Next returned was handed to the port; `queuedBelow` as given to Next.
    void TakeNext(qint64 nowMs, qint64 queuedBelow);
    // Other bytes (a command) were handed to the port.
    void Written(qint64 bytes, qint64 nowMs, qint64 queuedBelow);

    // Milliseconds the line needs to send what it holds.
    double BacklogMs(qint64 nowMs, qint64 queuedBelow) const;
    // Milliseconds the line needs for `bytes`.
    double TransmitMs(qint64 bytes) const;
    // When Next may have a unit to hand over while nothing new arrives: milliseconds
    // from now, or -1 when the queue is empty.
    qint64 MsUntilRoom(qint64 nowMs, qint64 queuedBelow) const;

    qint64 QueuedBytes() const { return queuedBytes_; }
    bool Empty() const { return units_.empty(); }
    // Units dropped since the relay was made.
    quint64 DroppedUnits() const { return counts_.DroppedUnits; }
    const CorrectionRelayCounts& Counts() const { return counts_; }

private:
    // The message type of bytes that are no RTCM 3 frame.
    static constexpr int OtherBytes = -1;
    struct Unit {
        QByteArray bytes;
        qint64 arrivedMs = 0;
        int type = OtherBytes;
        bool keep = true;  // by the latest plan
    };
    void Queue(std::string_view bytes, int type);
    void DropFront(qint64 nowMs);
    double DeadlineMs(const Unit& unit) const;
    // Marks the queued units to keep when the line is free from `startMs` on.
    void Plan(double startMs, qint64 nowMs);
    // The queue's indices in the order they are offered a place on the line.
    std::vector<std::size_t> KeepOrder(qint64 nowMs) const;
    // True when the units marked to keep, sent one after the other from `startMs`, all
    // leave in time.
    bool KeptFit(double startMs) const;

    std::deque<Unit> units_;
    bool planned_ = false;  // the units' marks hold for what is queued
    qint64 queuedBytes_ = 0;
    CorrectionRelayCounts counts_;
    // What the relay remembers of each message type it has handed over or dropped.
    struct TypeRecord {
        qint64 lastSentMs = std::numeric_limits<qint64>::min();  // never
        double sentShare = 1.0;  // running share of its units handed over
    };
    void Note(int type, bool sent, qint64 nowMs);
    std::map<int, TypeRecord> types_;
    double msPerByte_ = 10.0 / 9600 * 1000;
    double lineFreeAtMs_ = 0;  // when the line has sent what was written, by the model
    rtcm::TRTCM3FrameScanner splitter_;
    qint64 pushMs_ = 0;  // the arrival time of the bytes being split
};

}  // namespace skerra
