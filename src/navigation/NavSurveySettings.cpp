#include "NavSurveySettings.h"

#include "navigation/TFNav.h"
#include "shell/TFGPS.h"
#include "shell/TFShape.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "soundvelocity/TfSVP.h"

GridSettingsTexts NavSurveySettings::GridSettings() const { return FGPS ? FGPS->GridTexts() : GridSettingsTexts{}; }

SensorSettingsValues NavSurveySettings::SensorSettings() const
{
    return FGPS ? FGPS->SensorValues() : SensorSettingsValues{};
}

SurveyOffsetsTexts NavSurveySettings::Offsets() const
{
    return ::Offsets ? ::Offsets->ConfirmedOffsets() : SurveyOffsetsTexts{};
}

bool NavSurveySettings::OffsetsWindowVisible() const { return ::Offsets && ::Offsets->isVisible(); }

bool NavSurveySettings::EchoToMonitor() const
{
    return nav_.EchoSentences && FGPS && FGPS->isVisible() && FGPS->EchoSentences;
}

bool NavSurveySettings::LatencyWindowVisible() const { return fLatency && fLatency->isVisible(); }

NavigationDisplayValues NavSurveySettings::NavigationDisplay() const
{
    return Navset ? Navset->DisplayValues() : NavigationDisplayValues{};
}

VesselShapeTexts NavSurveySettings::VesselShape() const { return FShape ? FShape->ShapeTexts() : VesselShapeTexts{}; }

const std::vector<std::string>* NavSurveySettings::SoundVelocityProfile() const
{
    return fSVP ? fSVP->SoundVelocityColumnInUse() : nullptr;
}
