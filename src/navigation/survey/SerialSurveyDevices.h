#pragma once
// SurveyDevices over the program's two serial device objects, and the wiring of
// their events to the engine.

#include "navigation/survey/SurveyDevices.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class SurveyEngine;
class THalvekSerialGPS;

// One port's settings as the settings window shows them.
struct SerialPortSettings {
    QString port = QStringLiteral("COM1");
    int baudRate = 9600;
    int dataBits = 4;  // code: data bits = code + 4
    int stopBits = 1;
    int parity = 0;
    std::uint8_t priority = 3;
    int pollInterval = 50;  // ms
    bool logNmea = false;
    bool logTimeStamp = false;
    bool enableDtr = false;
    bool enableRts = false;
};

class SerialSurveyDevices : public SurveyDevices {
public:
    // settings: the settings window's values for one device, read at every apply.
    using SettingsProvider = std::function<SerialPortSettings(SurveyDevice)>;

    SerialSurveyDevices(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder, SettingsProvider settings);

    // Copies the settings into the device object; the raw log is the day's
    // LOG folder + date + " ZQB_GNSS_V3.log" (GNSS) or " ZQB_SBES_V3.log" (sounder).
    void ApplyPortSettings(SurveyDevice device) override;
    bool Open(SurveyDevice device, QString& reason) override;
    void Close(SurveyDevice device) override;
    bool Connected(SurveyDevice device) const override;
    QString PortName(SurveyDevice device) const override;
    void Send(SurveyDevice device, const std::string& text) override;
    GnssFixValues GnssFix() const override;

    // The raw log's name for a device, with today's date.
    static std::string RawLogFileName(SurveyDevice device);

private:
    THalvekSerialGPS& object(SurveyDevice device) const;

    THalvekSerialGPS& gnss_;
    THalvekSerialGPS& sounder_;
    SettingsProvider settings_;
};

// Sends the GNSS object's events (connect, disconnect, idle, time-out, send, line,
// position, speed) and the sounder's line event to the engine. The sounder's other
// events stay unassigned.
void ConnectSurveyEvents(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder, SurveyEngine& engine);
