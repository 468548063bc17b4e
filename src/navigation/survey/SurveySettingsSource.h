#pragma once
// The values the survey engine reads from the settings, offsets, navigation,
// vessel-shape, latency and sound-velocity windows. The main window answers from
// the windows' controls (with the windows' own defaults while a window is missing);
// tests answer from plain fields.

#include "platform/Colour.h"
#include "shell/SurveySettingsValues.h"

#include <string>
#include <vector>

// The navigation settings window. Edits stay texts: the engine converts them and
// reports a bad one once.
struct NavigationDisplayValues {
    TColor vesselColour = 0x800000;      // VesselColor
    TColor chartColour = 0xFFFFFF;       // fcadColor, the chart background
    TColor trackFixColour = 0x008000;    // ColorTracklines1: fix quality 4
    TColor trackFloatColour = 0x00FFFF;  // ColorTracklines0: fix quality 5, 2, 3
    std::string vesselWidth = "2";       // VesselWidth, integer
    std::string trackWidth = "2";        // TrackWidth, integer
    std::string trackDistance = "20";    // TrackDistance, metres
    std::string depthAlert = "0.5";      // edDepthAlert1, metres
    bool lineOrDot = false;              // cLineOrDot: track marks as lines
};

// The vessel-shape window's edits; an empty edit keeps the value in force.
struct VesselShapeTexts {
    std::string ringCount = "2";          // edAmount, integer
    std::string ringInterval = "10";      // edInterval, metres
    std::string firstRingRadius = "10";   // edRadious, metres
    std::string bowArrow = "100";         // edBArrow, metres
    std::string sideArrow = "10";         // edLArrow, metres
};

class SurveySettingsSource {
public:
    virtual ~SurveySettingsSource() = default;
    virtual GridSettingsTexts GridSettings() const = 0;
    virtual SensorSettingsValues SensorSettings() const = 0;
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
};
