#pragma once
// Where the survey engine shows what happens: the message window, the settings
// window's monitors, the realtime, latency and echogram windows, the status bar,
// the Realtime button, the timers the main window owns and the NTRIP dialog.
// Every method has an empty default, so a view implements what it shows.

#include "platform/Colour.h"

#include <QString>

#include <string>

class SurveyView {
public:
    virtual ~SurveyView() = default;

    // A line of the message window's memo; showWindow: bring the window up first.
    virtual void AddMessageLine(const QString& /*text*/, bool /*showWindow*/) {}
    // Keep: the message window stays up (it does not hide itself) until told otherwise.
    virtual void KeepMessageWindowShown(bool /*keep*/) {}
    // A received line for the settings window's GNSS or sounder monitor.
    virtual void AddGnssMonitorLine(const std::string& /*line*/) {}
    virtual void AddSensorMonitorLine(const std::string& /*line*/) {}
    virtual void SetGnssMonitorColour(TColor /*colour*/) {}

    // The Realtime button: Down state; running: caption "Stop" and the green tool
    // bar, else "Start" and the standard colours.
    virtual void SetRealtimeButtonDown(bool /*down*/) {}
    virtual void SetRealtimeRunning(bool /*running*/) {}

    // Timers of the main window.
    virtual void SetMapTimerEnabled(bool /*enabled*/) {}
    virtual void SetEchogramTimerEnabled(bool /*enabled*/) {}
    virtual void SetEchogramVisible(bool /*visible*/) {}

    // The realtime window.
    virtual void SetGpsBoxColour(TColor /*colour*/) {}
    virtual void SetSpeedText(const QString& /*knots*/) {}
    // Fix quality, antenna height, tide ("-" while the offsets window is open), satellites.
    virtual void SetGnssNumbers(const QString& /*fix*/, const QString& /*antenna*/, const QString& /*tide*/,
                                const QString& /*satellites*/) {}
    virtual void ShowDepthFrames(bool /*high*/, bool /*low*/) {}
    virtual void SetDepthFrameColour(TColor /*colour*/) {}
    virtual void SetDepthTexts(const QString& /*high*/, const QString& /*low*/) {}
    // Sounder disabled: the realtime window without depth frames (client height 191).
    virtual void ShrinkRealtimeWindow() {}
    virtual void SetBatteryText(const QString& /*volts*/) {}

    // The latency window's two edits.
    virtual void SetLatencyTexts(const QString& /*current*/, const QString& /*average*/) {}
    // A status-bar panel (0 geographic position, 1 grid position).
    virtual void SetStatusPanelText(int /*panel*/, const QString& /*text*/) {}
    // The NTRIP dialog's position for the caster.
    virtual void SetVesselPosition(double /*latitude*/, double /*longitude*/, double /*altitude*/) {}
};
