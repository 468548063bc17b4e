#pragma once
// Test stand-ins for the survey engine's interfaces: a clock moved by hand, devices
// that open as told, settings as plain fields and a view that records.

#include "navigation/survey/SurveyClock.h"
#include "navigation/survey/SurveyDevices.h"
#include "navigation/survey/SurveySettingsSource.h"
#include "navigation/survey/SurveyView.h"

#include "platform/AppPaths.h"
#include "shell/SharedHeader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QString>

#include <cstdio>
#include <functional>

#include <map>
#include <string>
#include <vector>

namespace surveytest {

// "$" + body + "*hh" with the right checksum.
inline std::string nmea(const std::string& body)
{
    unsigned char sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return "$" + body + "*" + hex;
}

// A Transverse Mercator grid on WGS84, central meridian 27 E; Lambert edits for
// parallels 36 and 42 with origin 39 N.
inline GridSettingsTexts wgs84Grid()
{
    GridSettingsTexts g;
    g.semiMajorAxis = "6378137";
    g.flattening = "0.0033528106647474";
    g.scalePpm = g.rotationX = g.rotationY = g.rotationZ = g.shiftX = g.shiftY = g.shiftZ = "0";
    g.centralMeridian = "27";
    g.referenceLatitude = "0";
    g.scaleFactor = "0.9996";
    g.falseEasting = "500000";
    g.falseNorthing = "0";
    g.lccStandardParallel1 = "36";
    g.lccStandardParallel2 = "42";
    g.lccScaleFactor = "0.9996";
    g.lccLatitudeOfOrigin = "39";
    g.lccCentralMeridian = "27";
    g.lccFalseEasting = "500000";
    g.lccFalseNorthing = "0";
    return g;
}

struct FakeClock : SurveyClock {
    std::int64_t tick = 1000;
    QDateTime now = QDateTime(QDate(2026, 12, 10), QTime(10, 0));
    std::int64_t TickMs() const override { return tick; }
    QDateTime Now() const override { return now; }
    void Advance(std::int64_t ms)
    {
        tick += ms;
        now = now.addMSecs(ms);
    }
};

struct FakeDevices : SurveyDevices {
    bool gnssOpens = true, sounderOpens = true;
    bool gnssOpen = false, sounderOpen = false;
    GnssFixValues fix;
    std::vector<std::string> calls;
    std::function<void(SurveyDevice)> onClose;  // e.g. raise the disconnect event

    QStringList gnssUnset, sounderUnset;  // what the port settings leave unset
    QStringList ApplyPortSettings(SurveyDevice d) override
    {
        calls.push_back(std::string("apply ") + name(d));
        return d == SurveyDevice::Gnss ? gnssUnset : sounderUnset;
    }
    bool Open(SurveyDevice d, QString& reason) override
    {
        calls.push_back(std::string("open ") + name(d));
        bool& open = d == SurveyDevice::Gnss ? gnssOpen : sounderOpen;
        open = d == SurveyDevice::Gnss ? gnssOpens : sounderOpens;
        if (!open) reason = d == SurveyDevice::Gnss && gnssPort.isEmpty() ? QStringLiteral("no port chosen")
                                                                           : QStringLiteral("no such device");
        return open;
    }
    void Close(SurveyDevice d) override
    {
        calls.push_back(std::string("close ") + name(d));
        bool& open = d == SurveyDevice::Gnss ? gnssOpen : sounderOpen;
        const bool was = open;
        open = false;
        if (was && onClose) onClose(d);
    }
    bool Connected(SurveyDevice d) const override { return d == SurveyDevice::Gnss ? gnssOpen : sounderOpen; }
    QString gnssPort = QStringLiteral("COM3");
    QString PortName(SurveyDevice d) const override { return d == SurveyDevice::Gnss ? gnssPort : "COM4"; }
    void Send(SurveyDevice, const std::string&) override {}
    GnssFixValues GnssFix() const override { return fix; }
    static const char* name(SurveyDevice d) { return d == SurveyDevice::Gnss ? "gnss" : "sounder"; }
};

// A Transverse Mercator grid on WGS84 (central meridian 27 E), the sounder on
// NMEA DPT, draft 0.40 m, sound velocity 1530 m/s, tracks every 1 m.
struct FakeSettings : SurveySettingsSource {
    GridSettingsTexts grid;
    SensorSettingsValues sensor;
    SurveyOffsetsTexts offsets{"0.40", "1530", "1.20", "0.00"};
    bool offsetsVisible = false;
    bool echo = false;
    NavigationDisplayValues display;
    VesselShapeTexts vessel;
    bool latencyVisible = true;
    std::vector<std::string> profile;
    bool useProfile = false;

    FakeSettings()
    {
        grid = wgs84Grid();
        sensor.sensorEnabled = true;
        sensor.messageType = "NMEA DPT";
        sensor.scanFormat = "%*6s,%lf";
        display.trackDistance = "1";
        display.depthAlert = "2";
    }
    GridSettingsTexts GridSettings() const override { return grid; }
    SensorSettingsValues SensorSettings() const override { return sensor; }
    SurveyOffsetsTexts Offsets() const override { return offsets; }
    bool OffsetsWindowVisible() const override { return offsetsVisible; }
    bool EchoToMonitor() const override { return echo; }
    NavigationDisplayValues NavigationDisplay() const override { return display; }
    VesselShapeTexts VesselShape() const override { return vessel; }
    bool LatencyWindowVisible() const override { return latencyVisible; }
    const std::vector<std::string>* SoundVelocityProfile() const override { return useProfile ? &profile : nullptr; }
    std::string gnssPortChoice, sounderPortChoice;
    std::string PortChoice(SurveyDevice d) const override
    {
        return d == SurveyDevice::Gnss ? gnssPortChoice : sounderPortChoice;
    }
};

struct RecordingView : SurveyView {
    struct Message {
        QString text;
        bool shown;
    };
    std::vector<Message> messages;
    std::vector<std::string> gnssMonitor, sensorMonitor;
    TColor gnssMonitorColour = -1, gpsBoxColour = -1, depthFrameColour = -1;
    bool buttonDown = false, running = false, mapTimer = false, echogramTimer = false, echogram = false;
    bool frameHigh = false, frameLow = false, shrunk = false, messageWindowKept = false;
    QString depthHigh, depthLow, speed, battery, latencyCurrent, latencyAverage;
    std::map<int, QString> panels;
    int vesselPositions = 0;

    void AddMessageLine(const QString& text, bool show) override { messages.push_back({text, show}); }
    void KeepMessageWindowShown(bool keep) override { messageWindowKept = keep; }
    void AddGnssMonitorLine(const std::string& l) override { gnssMonitor.push_back(l); }
    void AddSensorMonitorLine(const std::string& l) override { sensorMonitor.push_back(l); }
    void SetGnssMonitorColour(TColor c) override { gnssMonitorColour = c; }
    void SetRealtimeButtonDown(bool d) override { buttonDown = d; }
    void SetRealtimeRunning(bool r) override { running = r; }
    void SetMapTimerEnabled(bool e) override { mapTimer = e; }
    void SetEchogramTimerEnabled(bool e) override { echogramTimer = e; }
    void SetEchogramVisible(bool v) override { echogram = v; }
    void SetGpsBoxColour(TColor c) override { gpsBoxColour = c; }
    void SetSpeedText(const QString& s) override { speed = s; }
    void ShowDepthFrames(bool h, bool l) override { frameHigh = h, frameLow = l; }
    void SetDepthFrameColour(TColor c) override { depthFrameColour = c; }
    void SetDepthTexts(const QString& h, const QString& l) override { depthHigh = h, depthLow = l; }
    void ShrinkRealtimeWindow() override { shrunk = true; }
    void SetBatteryText(const QString& v) override { battery = v; }
    void SetLatencyTexts(const QString& c, const QString& a) override { latencyCurrent = c, latencyAverage = a; }
    void SetStatusPanelText(int p, const QString& t) override { panels[p] = t; }
    void SetVesselPosition(double, double, double) override { ++vesselPositions; }

    int Count(const QString& prefix) const
    {
        int n = 0;
        for (const auto& m : messages) n += m.text.startsWith(prefix);
        return n;
    }
};

// The day's folders below a temporary data root, while the object lives.
struct TemporarySurveyRoot {
    QTemporaryDir dir;
    TemporarySurveyRoot()
    {
        skerra::setDataRootForTesting(dir.path() + "/");
        InitSharedHeaderGlobals();
        CreateDataFolders();
    }
    ~TemporarySurveyRoot() { skerra::setDataRootForTesting({}); }
};

inline QByteArray readFile(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace surveytest
