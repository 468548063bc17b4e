#pragma once
// A SerialLink on QSerialPort.

#include "devices/serial/SerialLink.h"

#include <QSerialPort>

namespace skerra {

class QtSerialLink final : public SerialLink {
public:
    bool Open(const QString& path, const SerialLinkSettings& settings, QString& reason) override;
    void Close() override;
    qint64 Read(char* data, qint64 size) override;
    qint64 Write(const char* data, qint64 size) override;
    qint64 PendingOutput() const override;
    qint64 DriverOutput() const override;
    bool Flush(int timeoutMs) override;
    bool Lost(QString& reason) const override;

private:
    bool configure(const SerialLinkSettings& settings, QString& reason);
    void noteError(QSerialPort::SerialPortError error);
    bool hungUp() const;

    QSerialPort port_;
    bool lost_ = false;
    QString lostReason_;
};

}  // namespace skerra
