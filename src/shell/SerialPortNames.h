#pragma once
// The serial ports a port list offers: the system's ports by name ("ttyUSB0", which
// the device opens as /dev/ttyUSB0) and the stable names under /dev/serial/by-id/ as
// full paths, so a receiver keeps its name whichever USB socket it is plugged into.

#include <QStringList>

namespace skerra {

QStringList availableSerialPortNames(const QString& byIdFolder = QStringLiteral("/dev/serial/by-id"));

}  // namespace skerra
