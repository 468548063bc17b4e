#include "SerialSurveyDevices.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/survey/SurveyEngine.h"
#include "shell/SharedHeader.h"

SerialSurveyDevices::SerialSurveyDevices(THalvekSerialGPS& gnss, THalvekSerialGPS& sounder,
                                         SettingsProvider settings)
    : gnss_(gnss), sounder_(sounder), settings_(std::move(settings))
{
}

THalvekSerialGPS& SerialSurveyDevices::object(SurveyDevice device) const
{
    return device == SurveyDevice::Gnss ? gnss_ : sounder_;
}

std::string SerialSurveyDevices::RawLogFileName(SurveyDevice device)
{
    return LogFolder + GetDateString()
        + (device == SurveyDevice::Gnss ? " ZQB_GNSS_V3.log" : " ZQB_SBES_V3.log");
}

void SerialSurveyDevices::ApplyPortSettings(SurveyDevice device)
{
    THalvekSerialGPS& gps = object(device);
    if (settings_) {
        const SerialPortSettings s = settings_(device);
        gps.Port = s.port;
        gps.BaudRate = THalvekSerialGPS::ValidBaudRate(s.baudRate);
        gps.DataBits = s.dataBits;
        gps.StopBits = s.stopBits;
        gps.Parity = s.parity;
        gps.Priority = s.priority;
        gps.PollInterval = s.pollInterval;
        gps.LogNMEA = s.logNmea;
        gps.LogTimeStamp = s.logTimeStamp;
        gps.EnableDTR = s.enableDtr;
        gps.EnableRTS = s.enableRts;
    }
    gps.LogFileName = RawLogFileName(device);
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
