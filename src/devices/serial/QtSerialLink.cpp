#include "devices/serial/QtSerialLink.h"

#include <QElapsedTimer>

#include <algorithm>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace skerra {
namespace {

QSerialPort::StopBits toQt(SerialLinkSettings::Stop stop)
{
    switch (stop) {
    case SerialLinkSettings::Stop::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case SerialLinkSettings::Stop::Two: return QSerialPort::TwoStop;
    case SerialLinkSettings::Stop::One: break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::Parity toQt(SerialLinkSettings::Parity parity)
{
    switch (parity) {
    case SerialLinkSettings::Parity::Odd: return QSerialPort::OddParity;
    case SerialLinkSettings::Parity::Even: return QSerialPort::EvenParity;
    case SerialLinkSettings::Parity::Mark: return QSerialPort::MarkParity;
    case SerialLinkSettings::Parity::Space: return QSerialPort::SpaceParity;
    case SerialLinkSettings::Parity::None:
    case SerialLinkSettings::Parity::Keep: break;
    }
    return QSerialPort::NoParity;
}

}  // namespace

bool QtSerialLink::Open(const QString& path, const SerialLinkSettings& settings, QString& reason)
{
    Close();
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        reason = port_.errorString();
        return false;
    }
    if (!configure(settings, reason)) {
        port_.close();
        return false;
    }
    // A pseudo-terminal or an adapter without modem lines refuses these; the data
    // path works all the same.
    port_.setDataTerminalReady(settings.EnableDTR);
    port_.setRequestToSend(settings.EnableRTS);
    port_.clear(QSerialPort::AllDirections);
    port_.clearError();
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { noteError(error); });
    return true;
}

void QtSerialLink::noteError(QSerialPort::SerialPortError error)
{
    if (lost_) return;
    if (error == QSerialPort::ResourceError) {
        lost_ = true;
        lostReason_ = port_.errorString();
    } else if (error == QSerialPort::ReadError && hungUp()) {
        // A read that found the end of the stream: the other end has gone.
        lost_ = true;
        lostReason_ = QStringLiteral("Device disconnected");
    }
}

bool QtSerialLink::hungUp() const
{
    pollfd p{static_cast<int>(port_.handle()), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool QtSerialLink::configure(const SerialLinkSettings& settings, QString& reason)
{
    bool ok = port_.setBaudRate(settings.BaudRate)
              && port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.DataBits))
              && port_.setStopBits(toQt(settings.StopBits))
              && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (ok && settings.ParityMode != SerialLinkSettings::Parity::Keep)
        ok = port_.setParity(toQt(settings.ParityMode));
    if (!ok) reason = port_.errorString();
    return ok;
}

void QtSerialLink::Close()
{
    QObject::disconnect(&port_, &QSerialPort::errorOccurred, &port_, nullptr);
    if (port_.isOpen()) port_.close();
    lost_ = false;
    lostReason_.clear();
}

qint64 QtSerialLink::Read(char* data, qint64 size)
{
    if (!port_.isOpen()) return 0;
    return std::max<qint64>(0, port_.read(data, size));
}

qint64 QtSerialLink::Write(const char* data, qint64 size)
{
    if (!port_.isOpen() || lost_) return 0;
    return std::max<qint64>(0, port_.write(data, size));
}

qint64 QtSerialLink::PendingOutput() const
{
    return port_.isOpen() ? port_.bytesToWrite() : 0;
}

qint64 QtSerialLink::DriverOutput() const
{
    if (!port_.isOpen()) return 0;
    int queued = 0;
    if (::ioctl(static_cast<int>(port_.handle()), TIOCOUTQ, &queued) != 0) return 0;
    return std::max(queued, 0);
}

bool QtSerialLink::Flush(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (port_.isOpen() && !lost_ && port_.bytesToWrite() > 0 && clock.elapsed() < timeoutMs)
        port_.waitForBytesWritten(static_cast<int>(timeoutMs - clock.elapsed()));
    return !port_.isOpen() || port_.bytesToWrite() == 0;
}

bool QtSerialLink::Lost(QString& reason) const
{
    if (lost_) reason = lostReason_;
    return lost_;
}

}  // namespace skerra
