#pragma once
// Where the NTRIP client relays received corrections: normally the GNSS receiver's
// serial port. The main window wires it to the serial device's raw write. The client
// calls it on the user-interface thread only.

#include "devices/serial/CorrectionRelayCounts.h"

class TCorrectionSink {
public:
    virtual ~TCorrectionSink() = default;

    // True while the port behind the sink is open; a closed port is never written.
    virtual bool IsOpen() const = 0;
    virtual void WriteRaw(const char* data, int length) = 0;
    // What the sink queued and dropped because the port could not keep up (running totals).
    virtual skerra::CorrectionRelayCounts RelayCounts() const { return {}; }
};
