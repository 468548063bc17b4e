#include "devices/serial/THalvekSerialGPS.h"

#include "devices/serial/NmeaSentenceParser.h"
#include "devices/serial/QtSerialLink.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/NumberText.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

constexpr int kDefaultPollInterval = 50;
constexpr int kDefaultIdleInterval = 10000;
constexpr int kDrainPollMs = 2;

}  // namespace

THalvekSerialGPS::THalvekSerialGPS(QObject* owner)
    : QObject(owner)
    , PollTimer(new QTimer(this))
    , IdleTimer(new QTimer(this))
    , FeedTimer_(new QTimer(this))
{
    PollTimer->setInterval(kDefaultPollInterval);
    IdleTimer->setInterval(kDefaultIdleInterval);
    FeedTimer_->setSingleShot(true);
    connect(PollTimer, &QTimer::timeout, this, &THalvekSerialGPS::PollTimerTick);
    connect(IdleTimer, &QTimer::timeout, this, &THalvekSerialGPS::IdleTimerTick);
    connect(FeedTimer_, &QTimer::timeout, this, [this] {
        skerra::guarded(parent(), [&] {
            if (Connected_) FeedCorrections(false);
        });
    });
}

THalvekSerialGPS::~THalvekSerialGPS()
{
    PollTimer->stop();
    IdleTimer->stop();
    FeedTimer_->stop();
    PollTimer->disconnect(this);
    IdleTimer->disconnect(this);
    FeedTimer_->disconnect(this);
    // No event while the object dies.
    OnConnect = nullptr;
    OnDisconnect = nullptr;
    OnIdle = nullptr;
    OnTimeout = nullptr;
    OnNewCommand = nullptr;
    OnSend = nullptr;
    OnPosition3DChange = nullptr;
    OnSpeedChange = nullptr;
    Close();
}

template <class Event, class... Args>
void THalvekSerialGPS::Raise(const Event& event, Args&&... args)
{
    // A copy, so a handler may reassign the event while it runs.
    const Event handler = event;
    if (!handler) return;
    skerra::guarded(parent(), [&] { handler(this, std::forward<Args>(args)...); });
}

// ---- opening and closing ---------------------------------------------------------

skerra::SerialLinkSettings THalvekSerialGPS::LinkSettings(QString& reason) const
{
    using skerra::SerialLinkSettings;
    SerialLinkSettings s;
    s.BaudRate = BaudRate;
    // The code is checked before the sum: a code near the int limits would overflow it.
    if (DataBits >= 1 && DataBits <= 4)
        s.DataBits = DataBits + 4;
    else
        reason = QStringLiteral("Invalid data bits code %1").arg(DataBits);
    switch (StopBits) {
    case 2: s.StopBits = SerialLinkSettings::Stop::OneAndHalf; break;
    case 3: s.StopBits = SerialLinkSettings::Stop::Two; break;
    default: s.StopBits = SerialLinkSettings::Stop::One; break;
    }
    switch (Parity) {
    case 0: s.ParityMode = SerialLinkSettings::Parity::None; break;
    case 1: s.ParityMode = SerialLinkSettings::Parity::Odd; break;
    case 2: s.ParityMode = SerialLinkSettings::Parity::Even; break;
    case 3: s.ParityMode = SerialLinkSettings::Parity::Mark; break;
    case 4: s.ParityMode = SerialLinkSettings::Parity::Space; break;
    default: s.ParityMode = SerialLinkSettings::Parity::Keep; break;
    }
    s.EnableDTR = EnableDTR;
    s.EnableRTS = EnableRTS;
    return s;
}

void THalvekSerialGPS::Open()
{
    if (Connected_) return;
    LastError_.clear();

    QString reason;
    const auto settings = LinkSettings(reason);
    const QString path = DevicePath(Port);
    if (reason.isEmpty() && path.isEmpty()) reason = QStringLiteral("no port chosen");
    if (!reason.isEmpty()) {
        LastError_ = reason;
        return;
    }
    auto link = MakeLink ? MakeLink() : std::make_unique<skerra::QtSerialLink>();
    if (!link || !link->Open(path, settings, reason)) {
        LastError_ = reason.isEmpty() ? QStringLiteral("Cannot open %1").arg(path) : reason;
        return;
    }
    Link_ = std::move(link);
    Relay_.SetLine(BaudRate > 0 ? BaudRate : 9600, BitsPerByte());

    Connected_ = true;
    Lines_.Clear();
    DataSinceIdleTick_ = false;
    OpenRawLog();
    PollTimer->start(PollInterval < 1 ? kDefaultPollInterval : PollInterval);
    IdleTimer->start(IdleInterval < 1 ? kDefaultIdleInterval : IdleInterval);
    IdleReported_ = false;
    Raise(OnConnect, Port);
}

void THalvekSerialGPS::Close() { CloseLink(true); }

void THalvekSerialGPS::CloseLink(bool drain)
{
    PollTimer->stop();
    IdleTimer->stop();
    FeedTimer_->stop();
    if (!Connected_) return;
    if (Link_) {
        if (drain) {
            FeedCorrections(true);
            DrainLink();
        }
        Link_->Close();
        Link_.reset();
    }
    Relay_.Clear();
    LogFile_.close();
    Connected_ = false;
    Fix_ = skerra::NmeaFix{};
    Raise(OnDisconnect, Port);
}

void THalvekSerialGPS::DeviceLost(const QString& reason)
{
    LastError_ = reason.isEmpty() ? QStringLiteral("Device lost") : reason;
    CloseLink(false);  // nothing more leaves a device that is gone
}

// Waits, at most MaxCloseDrainMs, until what was written has left the line: closing
// earlier cuts a command short, or lets its tail go out with the settings the driver
// puts back on close.
void THalvekSerialGPS::DrainLink()
{
    QElapsedTimer waited;
    waited.start();
    Link_->Flush(MaxCloseDrainMs);
    while (waited.elapsed() < MaxCloseDrainMs) {
        QString reason;
        if (Link_->Lost(reason) || Relay_.BacklogMs(NowMs(), UnsentBytes()) <= 0) break;
        QThread::msleep(kDrainPollMs);
    }
}

qint64 THalvekSerialGPS::NowMs() const { return Clock ? Clock() : skerra::tickCountMs(); }

qint64 THalvekSerialGPS::UnsentBytes() const
{
    return Link_ ? Link_->PendingOutput() + Link_->DriverOutput() : 0;
}

// Start bit, data bits, parity bit (also when the port keeps the driver's parity)
// and stop bits.
double THalvekSerialGPS::BitsPerByte() const
{
    const int data = std::clamp(DataBits + 4, 5, 8);
    const int parity = Parity == 0 ? 0 : 1;
    const double stop = StopBits == 2 ? 1.5 : StopBits == 3 ? 2.0 : 1.0;
    return 1 + data + parity + stop;
}

// ---- writing ---------------------------------------------------------------------

qint64 THalvekSerialGPS::WriteBytes(const char* data, qint64 size)
{
    if (!Connected_ || !Link_ || size <= 0) return 0;
    // Whole blocks only: a command or a correction message cut short is garbage
    // to the device. One block always fits into an empty queue.
    const qint64 pending = Link_->PendingOutput();
    if (pending > 0 && pending + size > MaxPendingOutput) return 0;
    return Link_->Write(data, size);
}

void THalvekSerialGPS::Send(const std::string& text)
{
    if (!Connected_ || !Link_) return;
    const auto size = static_cast<qint64>(text.size());
    if (size > 0) {
        const qint64 unsent = UnsentBytes();
        if (WriteBytes(text.data(), size) != size) return;
        Relay_.Written(size, NowMs(), unsent);
    }
    Raise(OnSend, text);
}

qint64 THalvekSerialGPS::WriteRaw(const QByteArray& data)
{
    if (!Connected_ || !Link_ || data.isEmpty()) return 0;
    Relay_.Push(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), NowMs());
    FeedCorrections(false);
    return data.size();
}

// Hands the queued corrections to the port as the relay allows; `all` hands over
// every one that can still go out in time (before closing).
void THalvekSerialGPS::FeedCorrections(bool all)
{
    while (Link_) {
        const qint64 now = NowMs();
        const qint64 unsent = UnsentBytes();
        const QByteArray* unit = Relay_.Next(now, unsent, all);
        if (!unit) break;
        if (Link_->Write(unit->constData(), unit->size()) != unit->size()) break;
        Relay_.TakeNext(now, unsent);
    }
    if (!all && Link_ && !Relay_.Empty())
        FeedTimer_->start(static_cast<int>(std::max<qint64>(1, Relay_.MsUntilRoom(NowMs(), UnsentBytes()))));
}

// ---- reading ---------------------------------------------------------------------

void THalvekSerialGPS::PollTimerTick()
{
    skerra::guarded(parent(), [&] {
        if (!Connected_ || !Link_) return;
        FeedCorrections(false);
        std::array<char, 16384> buffer;
        qint64 total = 0;
        while (total < MaxReadPerTick && Link_) {
            const qint64 want = std::min<qint64>(buffer.size(), MaxReadPerTick - total);
            const qint64 got = Link_->Read(buffer.data(), want);
            if (got <= 0) break;
            Lines_.Append(buffer.data(), static_cast<std::size_t>(got));
            total += got;
        }
        if (total > 0) {
            DataSinceIdleTick_ = true;
            IdleReported_ = false;
            ProcessLines();
        }
        // Whatever the device sent before it went away has been delivered above. A tick
        // inside a line handler leaves this to the tick around it, which first delivers
        // the lines appended here.
        QString reason;
        if (!Processing_ && Connected_ && Link_ && total < MaxReadPerTick && Link_->Lost(reason))
            DeviceLost(reason);
    });
}

void THalvekSerialGPS::ProcessLines()
{
    // A handler that runs a nested event loop (a modal box) lets the poll timer tick
    // again: that tick only appends, and this loop picks its lines up in order.
    if (Processing_) return;
    Processing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{Processing_};

    std::string line;
    while (Connected_ && Lines_.NextLine(line)) {
        WriteLogLine(line);
        Raise(OnNewCommand, line);
        if (!Connected_ || line[0] != '$') continue;
        const auto changes = skerra::ParseSentence(line, Fix_);
        if (changes.Position)
            Raise(OnPosition3DChange, Fix_.Latitude, Fix_.Longitude, Fix_.Altitude);
        if (changes.Speed && Connected_) Raise(OnSpeedChange, Fix_.Speed);
    }
    Lines_.CapPending();
}

void THalvekSerialGPS::IdleTimerTick()
{
    skerra::guarded(parent(), [&] {
        if (!Connected_) return;
        if (DataSinceIdleTick_) {
            DataSinceIdleTick_ = false;
            IdleReported_ = false;
        } else if (!IdleReported_) {
            IdleReported_ = true;
            Raise(OnIdle);
        }
    });
}

// ---- raw log ---------------------------------------------------------------------

void THalvekSerialGPS::OpenRawLog()
{
    LogFile_.close();
    if (!LogNMEA || LogFileName.empty()) return;
    LogFile_.setFileName(QString::fromStdString(LogFileName));
    // A log that cannot be opened leaves logging off until the next Open.
    (void)LogFile_.open(QIODevice::WriteOnly | QIODevice::Append);
}

void THalvekSerialGPS::WriteLogLine(const std::string& line)
{
    if (!LogNMEA || !LogFile_.isOpen()) return;
    QByteArray text;
    text.reserve(static_cast<qsizetype>(line.size()) + 32);
    if (LogTimeStamp) {
        text += skerra::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
        text += ' ';
    }
    text.append(line.data(), static_cast<qsizetype>(line.size()));
    text += '\n';
    LogFile_.write(text);
    LogFile_.flush();
}

// ---- port names ------------------------------------------------------------------

QString THalvekSerialGPS::PortName(int port)
{
    return QStringLiteral("COM") + QString::number(port);
}

int THalvekSerialGPS::PortNumberFromName(const QString& name)
{
    QString rest = name.toUpper();
    if (rest.startsWith(QLatin1String("COM"))) rest.remove(0, 3);
    const int number = skerra::StrToIntDef(rest.toStdString(), 1);
    return number < 1 ? 1 : number;
}

int THalvekSerialGPS::ValidBaudRate(int baud)
{
    static constexpr int kRates[] = {110,   300,   600,   1200,  2400,   4800,  9600,
                                     14400, 19200, 38400, 57600, 115200, 230400};
    return std::find(std::begin(kRates), std::end(kRates), baud) != std::end(kRates) ? baud
                                                                                     : 9600;
}

QString THalvekSerialGPS::DevicePath(const QString& port)
{
    const QString name = port.trimmed();
    if (name.isEmpty()) return {};
    if (name.startsWith(QLatin1Char('/'))) return name;
    static const QRegularExpression comPort(QStringLiteral("^COM([0-9]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = comPort.match(name);
    if (match.hasMatch()) {
        const int number = skerra::StrToIntDef(match.captured(1).toStdString(), 0);
        if (number >= 1) return QStringLiteral("/dev/ttyS") + QString::number(number - 1);
    }
    return QStringLiteral("/dev/") + name;
}
