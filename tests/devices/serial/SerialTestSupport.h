#pragma once
// Test helpers for the serial device: an event recorder, a fake link, a
// pseudo-terminal and a wait with a deadline.

#include "devices/serial/SerialLink.h"
#include "devices/serial/THalvekSerialGPS.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace serialtest {

// Runs the event loop until `done` holds or the deadline passes.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Every event of a component as one text each, in the order raised.
struct EventLog {
    std::vector<std::string> events;

    void Attach(THalvekSerialGPS& gps)
    {
        gps.OnConnect = [this](QObject*, const QString& port) { add("connect " + port.toStdString()); };
        gps.OnDisconnect = [this](QObject*, const QString& port) {
            add("disconnect " + port.toStdString());
        };
        gps.OnIdle = [this](QObject*) { add("idle"); };
        gps.OnTimeout = [this](QObject*) { add("timeout"); };
        gps.OnNewCommand = [this](QObject*, const std::string& line) { add("line " + line); };
        gps.OnSend = [this](QObject*, const std::string& text) { add("send " + text); };
        gps.OnPosition3DChange = [this](QObject*, double lat, double lon, double alt) {
            add("position " + QString::number(lat, 'f', 6).toStdString() + " "
                + QString::number(lon, 'f', 6).toStdString() + " "
                + QString::number(alt, 'f', 2).toStdString());
        };
        gps.OnSpeedChange = [this](QObject*, double kmh) {
            add("speed " + QString::number(kmh, 'f', 3).toStdString());
        };
    }
    void add(std::string e) { events.push_back(std::move(e)); }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind("line ", 0) == 0) out.push_back(e.substr(5));
        return out;
    }
    int count(std::string_view prefix) const
    {
        int n = 0;
        for (const auto& e : events) n += e.rfind(prefix, 0) == 0;
        return n;
    }
};

// What a FakeLink saw and what it will answer; shared with the test.
struct FakeLinkState {
    bool openResult = true;
    QString openReason;
    QString path;
    skerra::SerialLinkSettings settings;
    std::string incoming;   // bytes the "device" has sent
    std::string written;    // bytes the component wrote
    qint64 pendingOutput = 0;
    qint64 driverOutput = 0;         // the driver's output queue
    qint64 driverDrainsPerQuery = 0;  // how much of it leaves between two looks
    qint64 driverOutputAtClose = -1;
    bool lost = false;
    int closes = 0;
};

class FakeLink : public skerra::SerialLink {
public:
    explicit FakeLink(std::shared_ptr<FakeLinkState> state) : s_(std::move(state)) {}
    bool Open(const QString& path, const skerra::SerialLinkSettings& settings, QString& reason) override
    {
        s_->path = path;
        s_->settings = settings;
        reason = s_->openReason;
        return s_->openResult;
    }
    void Close() override
    {
        ++s_->closes;
        s_->driverOutputAtClose = s_->driverOutput;
    }
    qint64 Read(char* data, qint64 size) override
    {
        const auto n = std::min<qint64>(size, static_cast<qint64>(s_->incoming.size()));
        s_->incoming.copy(data, static_cast<std::size_t>(n));
        s_->incoming.erase(0, static_cast<std::size_t>(n));
        return n;
    }
    qint64 Write(const char* data, qint64 size) override
    {
        s_->written.append(data, static_cast<std::size_t>(size));
        return size;
    }
    qint64 PendingOutput() const override { return s_->pendingOutput; }
    qint64 DriverOutput() const override
    {
        const qint64 now = s_->driverOutput;
        s_->driverOutput = std::max<qint64>(0, now - s_->driverDrainsPerQuery);
        return now;
    }
    bool Lost(QString& reason) const override
    {
        if (s_->lost) reason = QStringLiteral("device gone");
        return s_->lost;
    }

private:
    std::shared_ptr<FakeLinkState> s_;
};

// The master side of a pseudo-terminal; the component opens SlavePath.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        SlavePath = QString::fromLocal8Bit(ptsname(master_));
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Writes everything, running the event loop while the terminal's queue is full.
    bool Write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(master_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                QEventLoop loop;
                QTimer::singleShot(1, &loop, &QEventLoop::quit);
                loop.exec();
            } else {
                return false;
            }
        }
        return true;
    }

    // At most `size` of the bytes the component has written; none when there are none.
    std::string Read(std::size_t size)
    {
        std::string out(size, '\0');
        const ssize_t n = ::read(master_, out.data(), size);
        out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return out;
    }

    // What the component has written so far.
    std::string ReadAvailable()
    {
        std::string out;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            out.append(buffer, static_cast<std::size_t>(n));
        }
        return out;
    }

    void CloseMaster()
    {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    QString SlavePath;

private:
    int master_ = -1;
};

}  // namespace serialtest
