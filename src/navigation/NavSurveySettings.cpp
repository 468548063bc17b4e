#include "NavSurveySettings.h"

#include "navigation/TFNav.h"
#include "platform/Colour.h"
#include "platform/StyleRegistry.h"
#include "shell/TFGPS.h"
#include "shell/TFShape.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "soundvelocity/TfSVP.h"

#include <QComboBox>

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
    NavigationDisplayValues values = Navset ? Navset->DisplayValues() : NavigationDisplayValues{};
    // A style for night work keeps the chart dark through the survey.
    if (const std::optional<QColor> chart = skerra::activeStyleChartColour())
        values.chartColour = skerra::fromQColor(*chart);
    return values;
}

VesselShapeTexts NavSurveySettings::VesselShape() const { return FShape ? FShape->ShapeTexts() : VesselShapeTexts{}; }

const std::vector<std::string>* NavSurveySettings::SoundVelocityProfile() const
{
    return fSVP ? fSVP->SoundVelocityColumnInUse() : nullptr;
}

std::string NavSurveySettings::PortChoice(SurveyDevice device) const
{
    if (!FGPS) return {};
    return (device == SurveyDevice::Gnss ? FGPS->Port : FGPS->SPort)->currentText().toStdString();
}
