#include "NavSurveyView.h"

#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/TFNav.h"
#include "navigation/TfWaterfal.h"
#include "platform/Colour.h"
#include "shell/TFGPS.h"
#include "shell/TFMsg.h"
#include "shell/TfLatency.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

void runTimer(QTimer* timer, bool enabled)
{
    if (enabled)
        timer->start();
    else
        timer->stop();
}

}  // namespace

void NavSurveyView::AddMessageLine(const QString& text, bool showWindow)
{
    if (FMsg) FMsg->addStatusLine(text, showWindow);
}

// Device lines are 8-bit text.
void NavSurveyView::AddGnssMonitorLine(const std::string& line)
{
    if (FGPS) FGPS->AddGpsMonitorLine(QString::fromLatin1(line));
}

void NavSurveyView::AddSensorMonitorLine(const std::string& line)
{
    if (FGPS) FGPS->AddSensorMonitorLine(QString::fromLatin1(line));
}

void NavSurveyView::SetGnssMonitorColour(TColor colour)
{
    if (!FGPS) return;
    QPalette palette = FGPS->MemoGPS->palette();
    palette.setColor(QPalette::Base, skerra::toQColor(colour));
    FGPS->MemoGPS->setPalette(palette);
}

void NavSurveyView::SetRealtimeButtonDown(bool down) { nav_.Realtime->setChecked(down); }

void NavSurveyView::SetRealtimeRunning(bool running) { nav_.ShowRealtimeRunning(running); }

void NavSurveyView::SetMapTimerEnabled(bool enabled) { runTimer(nav_.tMap, enabled); }

void NavSurveyView::SetEchogramTimerEnabled(bool enabled) { runTimer(nav_.tEchogram, enabled); }

// The echogram window draws nothing yet: it is only hidden (stop, sensor time-out),
// never brought up by a depth.
void NavSurveyView::SetEchogramVisible(bool visible)
{
    if (!visible && fWaterfal) fWaterfal->hide();
}

void NavSurveyView::SetLatencyTexts(const QString& current, const QString& average)
{
    if (fLatency) fLatency->SetLatencyTexts(current, average);
}

// The panel takes the width of its text.
void NavSurveyView::SetStatusPanelText(int panel, const QString& text)
{
    QLabel* label = nav_.StatusPanel(panel);
    if (!label) return;
    label->setText(text);
    label->setFixedWidth(label->fontMetrics().horizontalAdvance(text) + 20);
}

void NavSurveyView::SetVesselPosition(double latitude, double longitude, double altitude)
{
    if (frmNTRIPSettings) frmNTRIPSettings->SetVesselPosition(latitude, longitude, altitude);
}
