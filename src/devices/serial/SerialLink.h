#pragma once
// The byte channel under a serial device: opened, read and written on the
// user-interface thread only. The program uses QtSerialLink; tests may put a fake
// in its place.

#include <QString>
#include <QtGlobal>

namespace skerra {

struct SerialLinkSettings {
    int BaudRate = 9600;
    int DataBits = 8;             // 5..8
    enum class Stop { One, OneAndHalf, Two } StopBits = Stop::One;
    enum class Parity { Keep, None, Odd, Even, Mark, Space } ParityMode = Parity::None;
    bool EnableDTR = false;
    bool EnableRTS = false;
};

class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens `path` in raw mode with the settings and discards whatever the driver
    // had queued. False with a reason when the port cannot be used. Lines a device
    // does not have (DTR and RTS on a pseudo-terminal) are not a failure.
    virtual bool Open(const QString& path, const SerialLinkSettings& settings,
                      QString& reason) = 0;
    virtual void Close() = 0;

    // Copies up to `size` received bytes; returns the count (0 when none).
    virtual qint64 Read(char* data, qint64 size) = 0;

    // Queues bytes for writing; returns how many were accepted.
    virtual qint64 Write(const char* data, qint64 size) = 0;

    // Bytes accepted but not yet handed to the driver.
    virtual qint64 PendingOutput() const = 0;

    // Bytes the driver holds and has not sent yet (its output queue); 0 when it
    // cannot tell.
    virtual qint64 DriverOutput() const { return 0; }

    // Waits at most `timeoutMs` for the accepted bytes to reach the driver; true
    // when none is left.
    virtual bool Flush(int timeoutMs) { (void)timeoutMs; return PendingOutput() == 0; }

    // True once the device is gone (unplugged, other end of a pseudo-terminal closed);
    // `reason` says why.
    virtual bool Lost(QString& reason) const = 0;
};

}  // namespace skerra
