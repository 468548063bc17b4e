#pragma once
// The survey engine's settings as the program's windows hold them: the settings
// window (grid, sensor, monitor echo), the offsets, navigation-settings, vessel-shape
// and latency windows, read afresh at every use so that a change shows at once. The
// sound-velocity window has no controls yet: no profile is in use. A window that
// does not exist answers with its defaults.

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
    const std::vector<std::string>* SoundVelocityProfile() const override { return nullptr; }

private:
    const TFNav& nav_;
};
