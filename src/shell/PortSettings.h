#pragma once
// The port tabs of the settings window ("GPS Set", "SBES Set") as conversions from
// the tab's texts into a serial device's fields. Every row converts on its own: a row
// whose text does not convert keeps the device's previous value and is reported, so
// one bad entry never shifts or silently replaces another. Nothing is clamped to a
// different port or baud rate. An empty port is taken as it is: no port chosen.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class THalvekSerialGPS;

namespace skerra {

// The list items of a port tab, in list order.
QStringList baudRateItems();
QStringList dataWidthItems();   // "5".."8"
QStringList stopBitsItems();    // "1", "1.5", "2"
QStringList parityItems();      // "Even", "Mark", "None", "Odd", "Space"
QStringList priorityItems();
QStringList delayItems();
QStringList trueFalseItems();   // "True", "False"

// The texts of one port tab.
struct PortTabTexts {
    QString port, baudRate, dataWidth, stopBits, parity, priority, delay, nmeaLog, logTime, enableDTR, enableRTS;
};

// The device fields a port tab sets (the names are the device's).
struct PortFields {
    QString Port;
    int BaudRate = 9600;
    int DataBits = 4;
    int StopBits = 1;
    int Parity = 0;
    std::uint8_t Priority = 3;
    int PollInterval = 50;
    bool LogNMEA = false;
    bool LogTimeStamp = false;
    bool EnableDTR = false;
    bool EnableRTS = false;
    std::string LogFileName;
};

PortFields portFieldsOf(const THalvekSerialGPS& device);
void applyPortFields(THalvekSerialGPS& device, const PortFields& fields);

// The poll period the device is given, in milliseconds: a shorter one only burns
// time, a longer one lets the port's buffer and the position lag grow.
constexpr int MinPollInterval = 10;
constexpr int MaxPollInterval = 1000;

struct PortSetChecks {
    // Whether a device file exists; the default asks the file system.
    std::function<bool(const QString& devicePath)> portExists;
    // Suffix of the raw log's name: " ZQB_GNSS_V3.log" or " ZQB_SBES_V3.log".
    std::string logSuffix;
};

struct PortSetResult {
    PortFields fields;
    QStringList failures;  // one line per row that kept its previous value
    // The same rows in short: the row's name, with the refused text when there was one
    // ("Port No", "Baud Rate '56000'").
    QStringList unsetRows;
};

// The rows in order: port, baud rate, data width, stop bits, parity, priority, delay,
// NMEA log, log time, DTR, RTS; then the raw log's name in the start day's LOG folder
// with today's date.
PortSetResult convertPortTab(const PortTabTexts& texts, const PortFields& previous, const PortSetChecks& checks);

// "True"/"False" in any letter case, or a number ("." decimals; non-zero is true).
std::optional<bool> parseBooleanText(const QString& text);

}  // namespace skerra
