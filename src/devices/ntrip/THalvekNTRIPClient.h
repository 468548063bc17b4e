#pragma once
// Fetches RTK corrections from an NTRIP caster and relays them, byte for byte, to the
// GNSS receiver; also fetches a caster's source table, keeps the last 8192 received
// bytes for the correction-stream report, counts bytes, sends the receiver position
// as a GGA sentence and retries a lost connection a limited number of times.
//
// All socket work runs in one TNTRIPWorkerThread per connection; every status change,
// data block and source table reaches this object on the user-interface thread, where
// all its methods are called and all its events are raised.

#include "devices/ntrip/CorrectionDropReport.h"
#include "devices/ntrip/NTRIPSocket.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class QTimer;
class TCorrectionSink;
class TNTRIPWorkerThread;

// NTRIPStatus values
enum NTRIPStatus { ntripDisconnected = 0, ntripConnecting = 1, ntripConnected = 2, ntripReceiving = 3, ntripError = 4 };

class THalvekNTRIPClient : public QObject {
    Q_OBJECT
public:
    using TStatusEvent = std::function<void(QObject* sender, int status, const std::string& message)>;
    using TDataEvent = std::function<void(QObject* sender, const char* data, int length)>;
    using TSourceTableEvent = std::function<void(QObject* sender, const std::vector<std::string>& mountPoints)>;
    using TLogEvent = std::function<void(QObject* sender, const std::string& message)>;

    explicit THalvekNTRIPClient(QObject* owner = nullptr);
    ~THalvekNTRIPClient() override;

    // Connection settings, copied into the worker when a connection starts.
    std::string Host;
    int Port = 2101;
    std::string Username;
    std::string Password;
    std::string MountPoint;          // empty asks for the source table
    int NtripVersion = 0;            // 0 NTRIP 1.0, 1 NTRIP 2.0, other: no request (raw stream)

    // Position for the GGA (degrees, south and west negative; metres). Set them through
    // SetPosition, or directly before Connect.
    double Latitude = 0;
    double Longitude = 0;
    double Altitude = 0;
    bool UseManualPosition = false;  // while set, SetPosition is ignored

    // Where received data is relayed (on this thread, only while the sink is open);
    // null: none. The sink must outlive the client or be unset first.
    TCorrectionSink* SerialPortHandle = nullptr;
    bool RelayToSerial = true;

    // Shared with the worker.
    std::atomic<int> Status{ntripDisconnected};
    std::atomic<bool> Connected{false};
    std::atomic<std::int64_t> BytesReceived{0};   // since the last Connect
    std::atomic<std::int64_t> BytesSent{0};       // GGA bytes since the last Connect
    std::atomic<int> ReconnectCount{0};       // attempts of the running retry sequence

    int MaxReconnect = 10;
    bool AutoReconnect = true;
    TNTRIPWorkerThread* Worker = nullptr;   // the current or last connection's thread, owned
    QTimer* ReconnectTimer = nullptr;       // 5000 ms, fires once per arming
    int GGAInterval = 10;                   // seconds between GGA sentences; <= 0: only the first

    std::vector<std::string> MountPoints;     // of the last source table, in table order
    std::vector<std::string> MountPointNMEA;  // parallel: "1" when the caster wants NMEA, else "0"

    TStatusEvent OnStatus;
    TDataEvent OnData;
    TSourceTableEvent OnSourceTable;
    TLogEvent OnLog;

    // Network time-outs; tests shorten them and replace the resolver.
    int ConnectTimeoutMs = 15000;
    int ReceiveTimeoutMs = 30000;
    skerra::ntrip::TResolver Resolver;

    void Connect();
    void Disconnect();
    // True while the client keeps a connection going: connected, making a connection
    // that will be retried, or waiting for its next attempt.
    bool Active() const;
    void FetchSourceTable();
    void SetSerialPortHandle(TCorrectionSink* sink);
    void WriteToSerial(const char* data, int length);
    // Logs how many corrections the GPS port drops while it drops them (see
    // TCorrectionDropReport); called after each relayed block and by the window's timer.
    void CheckRelay();
    // The latest figure of the GPS port's dropping while it goes on; empty otherwise.
    std::string RelayStatus() const { return RelayDrops.Status(); }
    void SetPosition(double latitude, double longitude, double altitude);
    void ParseSourceTable(const std::string& text);

    // The most recent received bytes (at most 8192, every byte value kept); not
    // cleared by Connect or Disconnect.
    std::string RecentData() const;

    static constexpr std::size_t kRecentDataSize = 8192;

private:
    friend class TNTRIPWorkerThread;

    void ReconnectTimerTick();
    void EndConnection();
    void Log(const std::string& message);
    // Raises an event; a handler's exception is shown and the caller goes on.
    template <class Event, class... Args>
    void Raise(const Event& event, const Args&... args);

    // Called by the worker.
    void AppendRecentData(const char* data, std::size_t length);
    struct TPosition {
        double Latitude = 0, Longitude = 0, Altitude = 0;
    };
    TPosition GGAPosition() const;
    void PublishPosition();

    // Run on the user-interface thread by the worker's hand-offs.
    // `connection` is the sequence number of the worker that handed the event over.
    void DeliverStatus(std::uint64_t connection, int status, const std::string& message, bool networkFailure);
    void DeliverData(const std::string& block);
    bool IsCurrentConnection(std::uint64_t connection) const;

    // Connections are told apart by number, never by the worker's address, which the
    // next worker may reuse.
    std::uint64_t ConnectionCount = 0;
    // Per connection: a closed GPS port is logged once.
    bool NotRelayedLogged = false;
    skerra::ntrip::TCorrectionDropReport RelayDrops{"GPS port"};

    mutable std::mutex SharedLock;   // guards RecentBytes and SharedPosition
    std::string RecentBytes;
    TPosition SharedPosition;
};
