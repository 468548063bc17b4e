#include "NavSurveyView.h"

#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/TFNav.h"
#include "navigation/TfJoystick.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfWaterfal.h"
#include "platform/Contrast.h"
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

void NavSurveyView::KeepMessageWindowShown(bool keep)
{
    if (FMsg) FMsg->keepShown(keep);
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
    // The monitor's lime text where it reads, else black or white.
    skerra::setReadableBackground(palette, QPalette::Base, skerra::toQColor(colour), QColor(0, 255, 0));
    FGPS->MemoGPS->setPalette(palette);
}

void NavSurveyView::SetRealtimeButtonDown(bool down) { nav_.Realtime->setChecked(down); }

void NavSurveyView::SetRealtimeRunning(bool running) { nav_.ShowRealtimeRunning(running); }

void NavSurveyView::SetMapTimerEnabled(bool enabled) { runTimer(nav_.tMap, enabled); }

void NavSurveyView::SetEchogramTimerEnabled(bool enabled) { runTimer(nav_.tEchogram, enabled); }

void NavSurveyView::SetEchogramVisible(bool visible)
{
    if (fWaterfal) fWaterfal->setVisible(visible);
}

void NavSurveyView::SetGpsBoxColour(TColor colour)
{
    if (fRealtime) fRealtime->SetGroupColour(fRealtime->GPSGroupBox, colour);
}

void NavSurveyView::SetSpeedText(const QString& knots)
{
    if (fRealtime) fRealtime->Speed->setText(knots);
}

void NavSurveyView::SetGnssNumbers(const QString& fix, const QString& antenna, const QString& tide,
                                   const QString& satellites)
{
    if (!fRealtime) return;
    fRealtime->Fixed->setText(fix);
    fRealtime->LAntennaH->setText(antenna);
    fRealtime->LTideHt->setText(tide);
    fRealtime->SatelliteLabel->setText(satellites);
}

void NavSurveyView::ShowDepthFrames(bool high, bool low)
{
    if (fRealtime) fRealtime->ShowDepthFrames(high, low);
}

void NavSurveyView::SetDepthFrameColour(TColor colour)
{
    if (!fRealtime) return;
    fRealtime->SetGroupColour(fRealtime->DepthFrameHi, colour);
    fRealtime->SetGroupColour(fRealtime->DepthFrameLo, colour);
}

void NavSurveyView::SetDepthTexts(const QString& high, const QString& low)
{
    if (!fRealtime) return;
    fRealtime->lDepthHi->setText(high);
    fRealtime->lDepthLo->setText(low);
}

void NavSurveyView::ShrinkRealtimeWindow()
{
    if (fRealtime) fRealtime->ShrinkToNumbers();
}

void NavSurveyView::SetBatteryText(const QString& volts)
{
    if (fJoystick) fJoystick->pBattery->setText(volts);
}

void NavSurveyView::SetLatencyTexts(const QString& current, const QString& average)
{
    if (fLatency) fLatency->SetLatencyTexts(current, average);
}

// The panel asks for the width of its text.
void NavSurveyView::SetStatusPanelText(int panel, const QString& text) { nav_.ShowStatusPanelText(panel, text); }

void NavSurveyView::SetVesselPosition(double latitude, double longitude, double altitude)
{
    if (frmNTRIPSettings) frmNTRIPSettings->SetVesselPosition(latitude, longitude, altitude);
}
