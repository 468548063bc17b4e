#pragma once
// One serial device: the GNSS receiver or the echo sounder.
//
// The component opens a port with the settings in its public members, polls it from
// the user-interface thread with a timer, cuts the bytes into text lines, writes every
// line to an optional raw log and raises OnNewCommand for each. NMEA sentences among
// the lines are read as well (GGA, RMC, VTG), keeping the latest position, fix
// quality, satellites, speed and course, and raising OnPosition3DChange and
// OnSpeedChange when they change - always after the line's OnNewCommand.
//
// Ports are named: an absolute path is used as it is, "COMn" (older settings) is
// /dev/ttyS(n-1), any other name is looked up under /dev/. A component whose port is
// not named opens nothing.
//
// Everything, events included, runs on the user-interface thread. The component is
// the only writer to its port: other users (the NTRIP relay) hand it their bytes
// through WriteRaw on that thread.

#include "devices/serial/CorrectionRelay.h"
#include "devices/serial/NmeaFix.h"
#include "devices/serial/SerialLineAssembler.h"
#include "devices/serial/SerialLink.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QTimer;

class THalvekSerialGPS : public QObject {
    Q_OBJECT
public:
    using ConnectEvent = std::function<void(QObject* sender, const QString& port)>;
    using NotifyEvent = std::function<void(QObject* sender)>;
    using LineEvent = std::function<void(QObject* sender, const std::string& line)>;
    using PositionEvent =
        std::function<void(QObject* sender, double latitude, double longitude, double altitude)>;
    using SpeedEvent = std::function<void(QObject* sender, double speedKmh)>;
    using LinkFactory = std::function<std::unique_ptr<skerra::SerialLink>()>;
    using MsClock = std::function<qint64()>;

    static constexpr qint64 MaxReadPerTick = 64 * 1024;
    static constexpr qint64 MaxPendingOutput = 64 * 1024;
    // Close waits at most this long for what was written to leave the line.
    static constexpr int MaxCloseDrainMs = 400;

    explicit THalvekSerialGPS(QObject* owner = nullptr);
    ~THalvekSerialGPS() override;

    // Port settings, read by Open only. An empty Port: no port chosen.
    QString Port;
    int BaudRate = 9600;
    int DataBits = 4;        // code: data bits = code + 4 (4 = 8 bits)
    int StopBits = 1;        // 1 one, 2 one and a half, 3 two; any other value one
    int Parity = 0;          // 0 none, 1 odd, 2 even, 3 mark, 4 space; other: unchanged
    std::uint8_t Priority = 3;  // kept for the settings window; not used here
    int PollInterval = 50;   // ms; below 1 means 50
    bool LogNMEA = false;
    bool LogTimeStamp = false;
    bool EnableDTR = false;
    bool EnableRTS = false;
    std::string LogFileName;
    int IdleInterval = 10000;  // ms; below 1 means 10000
    std::string TimeFormat = "hhnnsszzz";   // kept for the main window; not used here
    std::string DateFormat = "YYYY-MM-DD";  // as TimeFormat

    // Events; each may stay unassigned. OnTimeout is never raised.
    ConnectEvent OnConnect;
    ConnectEvent OnDisconnect;
    NotifyEvent OnIdle;
    NotifyEvent OnTimeout;
    LineEvent OnNewCommand;
    LineEvent OnSend;
    PositionEvent OnPosition3DChange;
    SpeedEvent OnSpeedChange;

    // Opens and configures the port; OnConnect on success. A port that cannot be
    // opened (or none chosen) leaves the component closed and silent; LastError()
    // says why.
    void Open();
    // Stops the timers; when open, hands the corrections that can still go out in
    // time to the port and waits, at most MaxCloseDrainMs, until what was written has
    // left the line; then closes the port and the raw log, zeroes the parsed values
    // and raises OnDisconnect.
    void Close();
    // Writes the text's bytes as they are (no line ending added), ahead of queued
    // corrections; OnSend when they were accepted.
    void Send(const std::string& text);
    // Queues raw bytes (corrections relayed to the receiver) and returns their count;
    // 0 while closed. No correction leaves the line more than a second after it came
    // here: when the stream outruns the port, whole frames are dropped (and counted)
    // instead, the loss spread over the message types (see CorrectionRelay).
    qint64 WriteRaw(const QByteArray& data);
    // Correction units (frames, or bytes between frames) dropped since the component
    // was made.
    quint64 DroppedBlocks() const { return Relay_.DroppedUnits(); }
    // Correction units and bytes queued and dropped since the component was made.
    const skerra::CorrectionRelayCounts& CorrectionCounts() const { return Relay_.Counts(); }
    // Bytes of corrections queued and not yet handed to the port.
    qint64 QueuedCorrectionBytes() const { return Relay_.QueuedBytes(); }

    bool Connected() const { return Connected_; }
    QString PortName() const { return Port; }
    QString LastError() const { return LastError_; }

    static QString PortName(int port);                 // "COM" + number
    static int PortNumberFromName(const QString& name);  // "COM7" -> 7; no number -> 1
    static int ValidBaudRate(int baud);                  // a standard rate, else 9600
    static QString DevicePath(const QString& port);      // name -> device file

    int GetFixQuality() const { return Fix_.FixQuality; }
    int GetSatellites() const { return Fix_.Satellites; }
    double GetCourse() const { return Fix_.Course; }
    double GetLatitude() const { return Fix_.Latitude; }
    double GetLongitude() const { return Fix_.Longitude; }
    double GetAltitude() const { return Fix_.Altitude; }

    // Received text not yet ended by a line feed.
    std::string LineBuffer() const { return Lines_.Pending(); }

    QTimer* PollTimer = nullptr;
    QTimer* IdleTimer = nullptr;

    // Tests put a fake link here; the default is QSerialPort.
    LinkFactory MakeLink;
    // Tests put a clock here (monotonic milliseconds); the default is the tick count.
    MsClock Clock;

    void PollTimerTick();
    void IdleTimerTick();

private:
    skerra::SerialLinkSettings LinkSettings(QString& reason) const;
    void OpenRawLog();
    void ProcessLines();
    void WriteLogLine(const std::string& line);
    qint64 WriteBytes(const char* data, qint64 size);
    void DeviceLost(const QString& reason);
    void FeedCorrections(bool all);
    void DrainLink();
    void CloseLink(bool drain);
    qint64 NowMs() const;
    qint64 UnsentBytes() const;
    double BitsPerByte() const;
    template <class Event, class... Args>
    void Raise(const Event& event, Args&&... args);

    std::unique_ptr<skerra::SerialLink> Link_;
    bool Connected_ = false;
    skerra::NmeaFix Fix_;
    skerra::SerialLineAssembler Lines_;
    QFile LogFile_;
    QString LastError_;
    bool DataSinceIdleTick_ = false;
    bool IdleReported_ = false;
    bool Processing_ = false;
    skerra::CorrectionRelay Relay_;
    QTimer* FeedTimer_ = nullptr;  // hands queued corrections over once the line has room
};
