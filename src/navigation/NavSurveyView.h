#pragma once
// What the survey engine shows, on the program's windows: the message window, the
// settings window's monitors, the main window's Realtime button, timers and status
// panels, the realtime numbers window, the battery panel, the latency window, the
// echogram window and the NTRIP dialog.

#include "navigation/survey/SurveyView.h"

class TFNav;

class NavSurveyView : public SurveyView {
public:
    explicit NavSurveyView(TFNav& nav) : nav_(nav) {}

    void AddMessageLine(const QString& text, bool showWindow) override;
    void KeepMessageWindowShown(bool keep) override;
    void AddGnssMonitorLine(const std::string& line) override;
    void AddSensorMonitorLine(const std::string& line) override;
    void SetGnssMonitorColour(TColor colour) override;

    void SetRealtimeButtonDown(bool down) override;
    void SetRealtimeRunning(bool running) override;

    void SetMapTimerEnabled(bool enabled) override;
    void SetEchogramTimerEnabled(bool enabled) override;
    void SetEchogramVisible(bool visible) override;

    void SetGpsBoxColour(TColor colour) override;
    void SetSpeedText(const QString& knots) override;
    void SetGnssNumbers(const QString& fix, const QString& antenna, const QString& tide,
                        const QString& satellites) override;
    void ShowDepthFrames(bool high, bool low) override;
    void SetDepthFrameColour(TColor colour) override;
    void SetDepthTexts(const QString& high, const QString& low) override;
    void ShrinkRealtimeWindow() override;
    void SetBatteryText(const QString& volts) override;

    void SetLatencyTexts(const QString& current, const QString& average) override;
    void SetStatusPanelText(int panel, const QString& text) override;
    void SetVesselPosition(double latitude, double longitude, double altitude) override;

private:
    TFNav& nav_;
};
