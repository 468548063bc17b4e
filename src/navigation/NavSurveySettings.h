#pragma once
// The survey engine's settings as the program's windows hold them: the settings
// window (grid, sensor, monitor echo), the offsets, navigation-settings, vessel-shape,
// sound-velocity and latency windows, read afresh at every use so that a change shows
// at once. A window that does not exist answers with its defaults (no sound-velocity
// window: no profile in use).

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
    NavigationDisplayValues NavigationDisplay() const override;
    VesselShapeTexts VesselShape() const override;
    bool LatencyWindowVisible() const override;
    const std::vector<std::string>* SoundVelocityProfile() const override;
    std::string PortChoice(SurveyDevice device) const override;

private:
    const TFNav& nav_;
};
