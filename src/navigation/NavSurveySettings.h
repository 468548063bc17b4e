#pragma once
// The survey engine's settings as the program's windows hold them: the settings
// window (grid, sensor, monitor echo), the offsets window and the latency window.
// The navigation-settings and vessel-shape windows have no controls yet: their values
// are the engine's defaults. A window that does not exist answers with its defaults
// (no sound-velocity window: no profile in use).

#include "navigation/survey/SurveySettingsSource.h"

class TFNav;

class NavSurveySettings : public SurveySettingsSource {
public:
    explicit NavSurveySettings(const TFNav& nav) : nav_(nav) {}

    GridSettingsTexts GridSettings() const override;
    SensorSettingsValues SensorSettings() const override;
    SurveyOffsetsTexts Offsets() const override;
    bool OffsetsWindowVisible() const override;
    bool EchoToMonitor() const override;
    NavigationDisplayValues NavigationDisplay() const override { return {}; }
    VesselShapeTexts VesselShape() const override { return {}; }
    bool LatencyWindowVisible() const override;
    const std::vector<std::string>* SoundVelocityProfile() const override;

private:
    const TFNav& nav_;
};
