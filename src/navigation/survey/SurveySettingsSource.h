#pragma once
// The values the survey engine reads from the settings, offsets, navigation,
// vessel-shape, latency and sound-velocity windows. The main window answers from
// the windows' controls (with the windows' own defaults while a window is missing);
// tests answer from plain fields.

#include "navigation/survey/SurveyDevices.h"
#include "shell/SurveySettingsValues.h"

#include <string>
#include <vector>

class SurveySettingsSource {
public:
    virtual ~SurveySettingsSource() = default;
    virtual GridSettingsTexts GridSettings() const = 0;
    virtual SensorSettingsValues SensorSettings() const = 0;
    // The offsets as last confirmed in the offsets window, never edits in progress.
    virtual SurveyOffsetsTexts Offsets() const = 0;
    virtual bool OffsetsWindowVisible() const = 0;
    // The settings window is visible and echoes received lines into its monitors.
    virtual bool EchoToMonitor() const = 0;
    virtual NavigationDisplayValues NavigationDisplay() const = 0;
    virtual VesselShapeTexts VesselShape() const = 0;
    virtual bool LatencyWindowVisible() const = 0;
    // The sound-velocity column (line i: the velocity at i metres) while a profile is
    // in use; null while the single sound velocity applies.
    virtual const std::vector<std::string>* SoundVelocityProfile() const = 0;
    // A device's port as the settings window names it, which the device may have refused.
    virtual std::string PortChoice(SurveyDevice /*device*/) const { return {}; }
};
