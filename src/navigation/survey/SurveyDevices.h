#pragma once
// The two serial devices of a survey as the engine sees them: the GNSS receiver and
// the echo sounder.

#include <QString>
#include <QStringList>

#include <string>

enum class SurveyDevice { Gnss, Sounder };

// What the GNSS device object holds from its last sentences.
struct GnssFixValues {
    int fixQuality = 0;  // GGA fix quality
    int satellites = 0;  // GGA satellites in use
    double course = 0;   // course over ground, degrees
};

class SurveyDevices {
public:
    virtual ~SurveyDevices() = default;
    // The settings window's port settings (its GPSSet or SensorSet button): port,
    // line settings and the raw log's name. Never fails: a setting that is not set or
    // not usable keeps the device's value and is returned, in short ("Baud Rate").
    virtual QStringList ApplyPortSettings(SurveyDevice device) = 0;
    // Opens the port; false with a reason when it did not open.
    virtual bool Open(SurveyDevice device, QString& reason) = 0;
    virtual void Close(SurveyDevice device) = 0;
    virtual bool Connected(SurveyDevice device) const = 0;
    virtual QString PortName(SurveyDevice device) const = 0;
    virtual void Send(SurveyDevice device, const std::string& text) = 0;
    virtual GnssFixValues GnssFix() const = 0;
};
