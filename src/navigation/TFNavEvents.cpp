// Survey events: Add Event marks the next number at the vessel's grid position on the
// chart and in the day's event log; Reset Event restarts the numbering.

#include "navigation/TFNav.h"

#include "NavLayers.h"
#include "SurveyEvent.h"
#include "TfRealtime.h"
#include "canvas/widget/THalvekCanvas.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

#include <QLabel>

namespace {

std::string depthCaption(QLabel* label) { return label ? label->text().toStdString() : std::string("---"); }

}  // namespace

// The counter is stored before the label is placed: when the settings file refuses
// the write (the exception dialog shows it) nothing is marked, so a number is never
// given twice.
void TFNav::btEventAddClick()
{
    skerra::IniFile ini(skerra::settingsFilePath());
    const std::optional<int> next = NextEventNumber(ini);
    if (!next) {
        Survey().Report(QStringLiteral("Event not marked: the event number is at its limit. Reset the event number."));
        return;
    }
    const int number = *next;
    StoreEventNumber(ini, number);

    const SurveyState& state = Survey().State();
    EventLayerId = fcad->LayerFindByName(QStringLiteral("event_number"));
    fcad->AddEventLabel(state.GridEasting, state.GridNorthing, number);

    SurveyEventRecord event;
    event.number = number;
    event.dateTime = DateTimeText(skerra::currentDateTime());
    event.easting = state.GridEasting;
    event.northing = state.GridNorthing;
    event.depthHigh = depthCaption(fRealtime ? fRealtime->lDepthHi : nullptr);
    event.depthLow = depthCaption(fRealtime ? fRealtime->lDepthLo : nullptr);
    event.heading = state.GridHeading;
    const std::string logFile = TodaysEventLogPath();
    if (!AppendSurveyEvent(event, logFile)) ReportEventNotLogged(number, logFile);
}

// The label and the counter stay; the operator learns that the log lacks the entry.
void TFNav::ReportEventNotLogged(int number, const std::string& logFile)
{
    const QString text = QStringLiteral("Event ") + QString::fromStdString(skerra::IntToStr(number)) +
                         QStringLiteral(" not written to the event log ") + QString::fromStdString(logFile);
    ShowStatusPanelText(PromptPanel, text);
    Survey().Report(text);
}

void TFNav::btEventResetClick()
{
    if (!Confirmed(QStringLiteral("Event ID will restart from 1 again. Continue?"))) return;
    skerra::IniFile ini(skerra::settingsFilePath());
    StoreEventNumber(ini, 0);
    AppendAutoEvent("Event number was reset.", TodaysEventLogPath());
}
