#include "devices/serial/CorrectionRelay.h"

#include <algorithm>
#include <cmath>

namespace skerra {

CorrectionRelay::CorrectionRelay()
    : splitter_([this](const rtcm::TRTCM3Frame& frame) { Queue(frame.Bytes); },
                [this](std::string_view other) { Queue(other); })
{
}

void CorrectionRelay::SetLine(int baudRate, double bitsPerByte)
{
    msPerByte_ = std::max(bitsPerByte, 1.0) * 1000.0 / std::max(baudRate, 1);
    Clear();
}

void CorrectionRelay::Clear()
{
    units_.clear();
    queuedBytes_ = 0;
    lineFreeAtMs_ = 0;
    splitter_.Reset();
}

void CorrectionRelay::Push(std::string_view bytes, qint64 nowMs)
{
    pushMs_ = nowMs;
    splitter_.Push(bytes);
    const double share = static_cast<double>(MaxAgeMs - LineSlackMs - HeadroomMs);
    while (units_.size() > 1 && TransmitMs(queuedBytes_) > share) DropFront();
}

void CorrectionRelay::Queue(std::string_view bytes)
{
    units_.push_back({QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), pushMs_});
    queuedBytes_ += static_cast<qint64>(bytes.size());
}

void CorrectionRelay::DropFront()
{
    queuedBytes_ -= units_.front().bytes.size();
    units_.pop_front();
    ++dropped_;
}

double CorrectionRelay::TransmitMs(qint64 bytes) const { return static_cast<double>(bytes) * msPerByte_; }

double CorrectionRelay::BacklogMs(qint64 nowMs, qint64 queuedBelow) const
{
    return std::max({0.0, lineFreeAtMs_ - static_cast<double>(nowMs), TransmitMs(queuedBelow)});
}

const QByteArray* CorrectionRelay::Next(qint64 nowMs, qint64 queuedBelow, bool all)
{
    const double backlog = BacklogMs(nowMs, queuedBelow);
    while (!units_.empty()) {
        const Unit& unit = units_.front();
        const double leavesAt = static_cast<double>(nowMs) + backlog + TransmitMs(unit.bytes.size());
        if (leavesAt > static_cast<double>(unit.arrivedMs + MaxAgeMs - LineSlackMs)) {
            DropFront();
            continue;
        }
        if (!all && backlog > static_cast<double>(HeadroomMs)) return nullptr;
        return &unit.bytes;
    }
    return nullptr;
}

void CorrectionRelay::TakeNext(qint64 nowMs, qint64 queuedBelow)
{
    if (units_.empty()) return;
    const qint64 size = units_.front().bytes.size();
    queuedBytes_ -= size;
    units_.pop_front();
    Written(size, nowMs, queuedBelow);
}

void CorrectionRelay::Written(qint64 bytes, qint64 nowMs, qint64 queuedBelow)
{
    lineFreeAtMs_ = static_cast<double>(nowMs) + BacklogMs(nowMs, queuedBelow) + TransmitMs(bytes);
}

qint64 CorrectionRelay::MsUntilRoom(qint64 nowMs, qint64 queuedBelow) const
{
    if (units_.empty()) return -1;
    const double wait = BacklogMs(nowMs, queuedBelow) - static_cast<double>(HeadroomMs);
    return wait > 0 ? static_cast<qint64>(std::ceil(wait)) : 0;
}

}  // namespace skerra
