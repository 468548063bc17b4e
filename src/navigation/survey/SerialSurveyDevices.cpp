#include "SerialSurveyDevices.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/survey/SurveyEngine.h"

SerialSurveyDevices::SerialSurveyDevices(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder,
                                         PortSettingsApplier applySettings)
    : gnss_(gnss), sounder_(sounder), applySettings_(std::move(applySettings))
{
}

THalvekSerialGPS& SerialSurveyDevices::object(SurveyDevice device) const
{
    return device == SurveyDevice::Gnss ? gnss_ : sounder_;
}

QStringList SerialSurveyDevices::ApplyPortSettings(SurveyDevice device)
{
    return applySettings_ ? applySettings_(device) : QStringList();
}

bool SerialSurveyDevices::Open(SurveyDevice device, QString& reason)
{
    THalvekSerialGPS& gps = object(device);
    gps.Open();
    if (!gps.Connected()) reason = gps.LastError();
    return gps.Connected();
}

void SerialSurveyDevices::Close(SurveyDevice device) { object(device).Close(); }

bool SerialSurveyDevices::Connected(SurveyDevice device) const { return object(device).Connected(); }

QString SerialSurveyDevices::PortName(SurveyDevice device) const { return object(device).PortName(); }

void SerialSurveyDevices::Send(SurveyDevice device, const std::string& text) { object(device).Send(text); }

GnssFixValues SerialSurveyDevices::GnssFix() const
{
    return {gnss_.GetFixQuality(), gnss_.GetSatellites(), gnss_.GetCourse()};
}

void ConnectSurveyEvents(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder, SurveyEngine& engine)
{
    // The serial object raises its events under its own exception guard.
    gnss.OnConnect = [&engine](QObject*, const QString& port) { engine.OnGnssConnect(port); };
    gnss.OnDisconnect = [&engine](QObject*, const QString& port) { engine.OnGnssDisconnect(port); };
    gnss.OnIdle = [&engine](QObject*) { engine.OnGnssIdle(); };
    gnss.OnTimeout = [&engine](QObject*) { engine.OnGnssTimeout(); };
    gnss.OnSend = [&engine](QObject*, const std::string& text) { engine.OnGnssSend(text); };
    gnss.OnNewCommand = [&engine](QObject*, const std::string& line) { engine.OnGnssLine(line); };
    gnss.OnPosition3DChange = [&engine](QObject*, double lat, double lon, double alt) {
        engine.OnGnssPosition(lat, lon, alt);
    };
    gnss.OnSpeedChange = [&engine](QObject*, double kmh) { engine.OnGnssSpeed(kmh); };
    sounder.OnNewCommand = [&engine](QObject*, const std::string& line) { engine.OnSensorLine(line); };
}
