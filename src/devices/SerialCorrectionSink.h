#pragma once
// Relays NTRIP corrections to a serial device through its raw write. The sink follows
// the device: while the port is closed nothing is written, and after a realtime stop
// and start the reopened port receives the corrections again.

#include "devices/ntrip/TCorrectionSink.h"

#include <QPointer>

class THalvekSerialGPS;

class SerialCorrectionSink : public TCorrectionSink {
public:
    explicit SerialCorrectionSink(THalvekSerialGPS* device);

    bool IsOpen() const override;
    void WriteRaw(const char* data, int length) override;
    skerra::CorrectionRelayCounts RelayCounts() const override;

private:
    QPointer<THalvekSerialGPS> device_;
};
