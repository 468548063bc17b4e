#pragma once
// SurveyDevices over the program's two serial device objects, and the wiring of
// their events to the engine.

#include "navigation/survey/SurveyDevices.h"

#include <QString>

#include <functional>
#include <string>

class SurveyEngine;
class THalvekSerialGPS;

class SerialSurveyDevices : public SurveyDevices {
public:
    // Writes one device's port settings into its object: in the program the settings
    // window's "GPS Set" / "SBES Set" (port, line settings and the raw log's name),
    // the one place port settings are converted.
    // Returns the settings that kept the device's value.
    using PortSettingsApplier = std::function<QStringList(SurveyDevice)>;

    SerialSurveyDevices(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder, PortSettingsApplier applySettings);

    QStringList ApplyPortSettings(SurveyDevice device) override;
    bool Open(SurveyDevice device, QString& reason) override;
    void Close(SurveyDevice device) override;
    bool Connected(SurveyDevice device) const override;
    QString PortName(SurveyDevice device) const override;
    void Send(SurveyDevice device, const std::string& text) override;
    GnssFixValues GnssFix() const override;

private:
    THalvekSerialGPS& object(SurveyDevice device) const;

    THalvekSerialGPS& gnss_;
    THalvekSerialGPS& sounder_;
    PortSettingsApplier applySettings_;
};

// Sends the GNSS object's events (connect, disconnect, idle, time-out, send, line,
// position, speed) and the sounder's line event to the engine. The sounder's other
// events stay unassigned.
void ConnectSurveyEvents(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder, SurveyEngine& engine);
