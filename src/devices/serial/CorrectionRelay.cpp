#include "devices/serial/CorrectionRelay.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace skerra {

namespace {

bool IsStationMessage(int type) { return type == 1005 || type == 1006; }

}  // namespace

CorrectionRelay::CorrectionRelay()
    : splitter_([this](const rtcm::TRTCM3Frame& frame) { Queue(frame.Bytes, frame.MessageNumber); },
                [this](std::string_view other) { Queue(other, OtherBytes); })
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
    planned_ = false;
    queuedBytes_ = 0;
    lineFreeAtMs_ = 0;
    types_.clear();
    splitter_.Reset();
}

void CorrectionRelay::Push(std::string_view bytes, qint64 nowMs)
{
    pushMs_ = nowMs;
    splitter_.Push(bytes);
}

void CorrectionRelay::Queue(std::string_view bytes, int type)
{
    units_.push_back({QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), pushMs_, type});
    queuedBytes_ += static_cast<qint64>(bytes.size());
    planned_ = false;
    ++counts_.Units;
    counts_.Bytes += bytes.size();
}

void CorrectionRelay::DropFront(qint64 nowMs)
{
    const auto size = units_.front().bytes.size();
    Note(units_.front().type, false, nowMs);
    queuedBytes_ -= size;
    units_.pop_front();
    ++counts_.DroppedUnits;
    counts_.DroppedBytes += static_cast<quint64>(size);
}

void CorrectionRelay::Note(int type, bool sent, qint64 nowMs)
{
    // About the last four frames of the type weigh most.
    constexpr double weight = 0.25;
    TypeRecord& record = types_[type];
    record.sentShare += weight * ((sent ? 1.0 : 0.0) - record.sentShare);
    if (sent) record.lastSentMs = nowMs;
}

double CorrectionRelay::TransmitMs(qint64 bytes) const { return static_cast<double>(bytes) * msPerByte_; }

double CorrectionRelay::DeadlineMs(const Unit& unit) const
{
    return static_cast<double>(unit.arrivedMs + MaxAgeMs - LineSlackMs);
}

double CorrectionRelay::BacklogMs(qint64 nowMs, qint64 queuedBelow) const
{
    return std::max({0.0, lineFreeAtMs_ - static_cast<double>(nowMs), TransmitMs(queuedBelow)});
}

bool CorrectionRelay::KeptFit(double startMs) const
{
    double at = startMs;
    for (const Unit& unit : units_) {
        if (!unit.keep) continue;
        at += TransmitMs(unit.bytes.size());
        if (at > DeadlineMs(unit)) return false;
    }
    return true;
}

// Round by round, one unit of each message type (the newest first); within a round
// a due station message first, then the type that got through least of late, then the
// one whose last unit went out longest ago.
std::vector<std::size_t> CorrectionRelay::KeepOrder(qint64 nowMs) const
{
    // round, not due, share sent, last sent, age in the queue
    using Key = std::tuple<int, bool, double, qint64, std::size_t>;
    std::vector<std::pair<Key, std::size_t>> ranked;
    ranked.reserve(units_.size());
    std::map<int, int> rounds;
    const TypeRecord fresh;
    for (std::size_t i = units_.size(); i-- > 0;) {
        const int type = units_[i].type;
        const auto found = types_.find(type);
        const TypeRecord& record = found == types_.end() ? fresh : found->second;
        const bool due = IsStationMessage(type) &&
                         (record.lastSentMs == fresh.lastSentMs || nowMs - record.lastSentMs >= StationDueMs);
        ranked.push_back({{rounds[type]++, !due, record.sentShare, record.lastSentMs, units_.size() - 1 - i}, i});
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::size_t> order;
    order.reserve(ranked.size());
    for (const auto& entry : ranked) order.push_back(entry.second);
    return order;
}

// Units that arrived together share their deadline: for each such group only its last
// kept unit can be late, so a candidate is checked against the groups, not every unit.
void CorrectionRelay::Plan(double startMs, qint64 nowMs)
{
    planned_ = true;
    for (Unit& unit : units_) unit.keep = true;
    if (KeptFit(startMs)) return;

    std::vector<std::size_t> groupOf(units_.size());
    std::vector<double> deadlines;
    for (std::size_t i = 0; i < units_.size(); ++i) {
        if (i == 0 || units_[i].arrivedMs != units_[i - 1].arrivedMs) deadlines.push_back(DeadlineMs(units_[i]));
        groupOf[i] = deadlines.size() - 1;
    }
    std::vector<qint64> keptBytes(deadlines.size(), 0);
    const auto fitsWith = [&](std::size_t group, qint64 bytes) {
        double at = startMs;
        for (std::size_t g = 0; g < deadlines.size(); ++g) {
            const qint64 kept = keptBytes[g] + (g == group ? bytes : 0);
            at += TransmitMs(kept);
            if (g >= group && kept > 0 && at > deadlines[g]) return false;
        }
        return true;
    };
    for (Unit& unit : units_) unit.keep = false;
    for (std::size_t i : KeepOrder(nowMs)) {
        const qint64 size = units_[i].bytes.size();
        if (!fitsWith(groupOf[i], size)) continue;
        keptBytes[groupOf[i]] += size;
        units_[i].keep = true;
    }
}

const QByteArray* CorrectionRelay::Next(qint64 nowMs, qint64 queuedBelow, bool all)
{
    if (units_.empty()) return nullptr;
    const double backlog = BacklogMs(nowMs, queuedBelow);
    const double startMs = static_cast<double>(nowMs) + backlog;
    if (!planned_ || !KeptFit(startMs)) Plan(startMs, nowMs);
    while (!units_.empty() && !units_.front().keep) DropFront(nowMs);
    if (units_.empty()) return nullptr;
    if (!all && backlog > static_cast<double>(HeadroomMs)) return nullptr;
    return &units_.front().bytes;
}

void CorrectionRelay::TakeNext(qint64 nowMs, qint64 queuedBelow)
{
    if (units_.empty()) return;
    const qint64 size = units_.front().bytes.size();
    Note(units_.front().type, true, nowMs);
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
