#include "devices/ntrip/THalvekNTRIPClient.h"

#include "devices/ntrip/NTRIPRequest.h"
#include "devices/ntrip/NTRIPSourceTable.h"
#include "devices/ntrip/TCorrectionSink.h"
#include "devices/ntrip/TNTRIPWorkerThread.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"

#include <QTimer>

namespace {
constexpr int kReconnectIntervalMs = 5000;

qint64 nowMs() { return skerra::currentDateTime().toMSecsSinceEpoch(); }
}

THalvekNTRIPClient::THalvekNTRIPClient(QObject* owner) : QObject(owner)
{
    ReconnectTimer = new QTimer(this);
    ReconnectTimer->setInterval(kReconnectIntervalMs);
    connect(ReconnectTimer, &QTimer::timeout, this, [this] { skerra::guarded(this, [&] { ReconnectTimerTick(); }); });
}

THalvekNTRIPClient::~THalvekNTRIPClient()
{
    // Nothing reaches the owner any more while the object goes away.
    OnStatus = nullptr;
    OnData = nullptr;
    OnSourceTable = nullptr;
    OnLog = nullptr;
    Disconnect();
}

template <class Event, class... Args>
void THalvekNTRIPClient::Raise(const Event& event, const Args&... args)
{
    // A copy, so a handler may reassign the event while it runs.
    const Event handler = event;
    if (handler)
        skerra::guarded(parent(), [&] { handler(this, args...); });
}

void THalvekNTRIPClient::Log(const std::string& message)
{
    Raise(OnLog, message);
}

void THalvekNTRIPClient::EndConnection()
{
    if (Worker) {
        Worker->Stop();
        Worker->wait();
        delete Worker;
        Worker = nullptr;
    }
    Connected = false;
    Status = ntripDisconnected;
    Log("Disconnected");
}

void THalvekNTRIPClient::Connect()
{
    if (Connected || Worker) {
        ReconnectTimer->stop();
        EndConnection();
    }
    if (Host.empty()) {
        Log("Error: Caster address is empty");
        return;
    }
    using skerra::ntrip::HasControlCharacters;
    if (HasControlCharacters(Host) || HasControlCharacters(MountPoint) || HasControlCharacters(Username) ||
        HasControlCharacters(Password)) {
        Log("Error: Caster settings contain control characters");
        return;
    }
    BytesReceived = 0;
    BytesSent = 0;
    ReconnectTimer->stop();
    Log("Connecting to " + Host + ":" + std::to_string(Port));
    PublishPosition();
    NotRelayedLogged = false;
    RelayDrops.Start(SerialPortHandle ? SerialPortHandle->RelayCounts() : skerra::CorrectionRelayCounts{});
    Worker = new TNTRIPWorkerThread(this, NtripVersion, ++ConnectionCount);
    Worker->start();
}

bool THalvekNTRIPClient::Active() const
{
    return Connected || ReconnectTimer->isActive() || (AutoReconnect && Status == ntripConnecting);
}

void THalvekNTRIPClient::Disconnect()
{
    AutoReconnect = false;
    ReconnectTimer->stop();
    ReconnectCount = 0;  // the retries are over: the next sequence counts from one
    EndConnection();
}

void THalvekNTRIPClient::FetchSourceTable()
{
    MountPoint.clear();
    AutoReconnect = false;
    Connect();
}

void THalvekNTRIPClient::SetSerialPortHandle(TCorrectionSink* sink)
{
    SerialPortHandle = sink;
    RelayDrops.Start(sink ? sink->RelayCounts() : skerra::CorrectionRelayCounts{});
    Log("Serial port handle set");
}

void THalvekNTRIPClient::WriteToSerial(const char* data, int length)
{
    if (length < 1)
        return;
    if (!SerialPortHandle || !SerialPortHandle->IsOpen()) {
        if (!NotRelayedLogged)
            Log("Corrections not relayed: GPS port closed");
        NotRelayedLogged = true;
        return;
    }
    SerialPortHandle->WriteRaw(data, length);
    CheckRelay();
}

void THalvekNTRIPClient::CheckRelay()
{
    if (!SerialPortHandle) return;
    const std::string line = RelayDrops.Update(SerialPortHandle->RelayCounts(), nowMs());
    if (!line.empty()) Log(line);
}

void THalvekNTRIPClient::SetPosition(double latitude, double longitude, double altitude)
{
    if (UseManualPosition)
        return;
    Latitude = latitude;
    Longitude = longitude;
    Altitude = altitude;
    PublishPosition();
}

void THalvekNTRIPClient::PublishPosition()
{
    std::lock_guard lock(SharedLock);
    SharedPosition = {Latitude, Longitude, Altitude};
}

THalvekNTRIPClient::TPosition THalvekNTRIPClient::GGAPosition() const
{
    std::lock_guard lock(SharedLock);
    return SharedPosition;
}

void THalvekNTRIPClient::ParseSourceTable(const std::string& text)
{
    auto entries = skerra::ntrip::ParseSourceTableText(text);
    MountPoints = std::move(entries.MountPoints);
    MountPointNMEA = std::move(entries.NMEA);
    Log("Source table parsed: " + std::to_string(MountPoints.size()) + " mount points");
    Raise(OnSourceTable, MountPoints);
}

std::string THalvekNTRIPClient::RecentData() const
{
    std::lock_guard lock(SharedLock);
    return RecentBytes;
}

void THalvekNTRIPClient::AppendRecentData(const char* data, std::size_t length)
{
    std::lock_guard lock(SharedLock);
    if (length >= kRecentDataSize) {
        RecentBytes.assign(data + (length - kRecentDataSize), kRecentDataSize);
        return;
    }
    RecentBytes.append(data, length);
    if (RecentBytes.size() > kRecentDataSize)
        RecentBytes.erase(0, RecentBytes.size() - kRecentDataSize);
}

bool THalvekNTRIPClient::IsCurrentConnection(std::uint64_t connection) const
{
    return Worker && Worker->Sequence == connection;
}

void THalvekNTRIPClient::DeliverStatus(std::uint64_t connection, int status, const std::string& message,
                                       bool networkFailure)
{
    // A lost connection re-arms the timer; so does a network failure of an attempt that
    // the timer itself started. Refused credentials or mount points end the sequence.
    // Armed before the status goes out, so its handler sees a retry coming; a handler
    // that ends this connection or starts another stops the timer.
    const bool below = ReconnectCount < MaxReconnect;
    if (IsCurrentConnection(connection) && AutoReconnect && below &&
        (status == ntripDisconnected || (status == ntripError && networkFailure && ReconnectCount > 0)))
        ReconnectTimer->start();
    Raise(OnStatus, status, message);
    if (!IsCurrentConnection(connection))
        return;  // the handler ended this connection or started another
    Log(message);
}

void THalvekNTRIPClient::DeliverData(const std::string& block)
{
    if (RelayToSerial)
        WriteToSerial(block.data(), static_cast<int>(block.size()));
    Raise(OnData, block.data(), static_cast<int>(block.size()));
}

void THalvekNTRIPClient::ReconnectTimerTick()
{
    ReconnectTimer->stop();
    if (!AutoReconnect || ReconnectCount >= MaxReconnect)
        return;
    ++ReconnectCount;
    Log("Reconnect attempt " + std::to_string(ReconnectCount) + "/" + std::to_string(MaxReconnect));
    Connect();
}
