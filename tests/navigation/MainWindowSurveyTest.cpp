// The realtime survey through the program's own windows: the offsets window's
// confirmation starts it, the settings window's ports are two pseudo-terminals, the
// main window's Realtime button stops it. Every step waits for what it caused.

#include "MainWindowTestSupport.h"
#include "SurveyFakes.h"

#include "../devices/serial/SerialTestSupport.h"

#include "devices/ntrip/THalvekNTRIPClient.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "canvas/widget/THalvekCanvas.h"
#include "navigation/TFNav.h"
#include "navigation/TfRealtime.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/Colour.h"
#include "shell/TNavset.h"
#include "shell/ColourPicker.h"
#include "platform/IniFile.h"
#include "shell/TFMsg.h"
#include "shell/TOffsets.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using serialtest::PseudoTerminal;
using serialtest::waitUntil;
using surveytest::nmea;
using surveytest::readFile;

namespace {

class MainWindowSurveyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeSettings();
        program_.Open();
    }

    // Both ports on the terminals, the sounder on NMEA DPT, a TM grid on WGS84 with
    // central meridian 27 E, confirmed offsets.
    void writeSettings()
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        const struct {
            const char *section, *key;
            QString value;
        } entries[] = {
            {"GPS1 COMUNICATION SETTINGS", "Port No", gnssPty_.SlavePath},
            {"GPS1 COMUNICATION SETTINGS", "Baud Rate", "115200"},
            {"GPS1 COMUNICATION SETTINGS", "Delay", "10"},
            {"SENSOR COMUNICATION SETTINGS", "Port No", sounderPty_.SlavePath},
            {"SENSOR COMUNICATION SETTINGS", "Baud Rate", "115200"},
            {"SENSOR COMUNICATION SETTINGS", "Delay", "10"},
            {"SENSOR COMUNICATION SETTINGS", "Sensor Enabled", "1"},
            {"SENSOR COMUNICATION SETTINGS", "cSBESMessage", "NMEA DPT"},
            {"SENSOR COMUNICATION SETTINGS", "eSBESFormat", "%*6s,%lf"},
            {"GEODETIC_PARAMETERS", "SemiMajorAxis", "6378137"},
            {"GEODETIC_PARAMETERS", "InverseFlattening", "0.0033528106647474"},
            {"GEODETIC_PARAMETERS", "Central_Meridian", "27"},
            {"GEODETIC_PARAMETERS", "Reference_Latitude", "0"},
            {"GEODETIC_PARAMETERS", "Scale_Factor", "0.9996"},
            {"GEODETIC_PARAMETERS", "False_Easting", "500000"},
            {"GEODETIC_PARAMETERS", "False_Northing", "0"},
            {"GEODETIC_PARAMETERS", "Use Projection", "1"},
            {"ECHOSOUNDER_OFFSETS", "Offset A", "0.40"},
            {"ECHOSOUNDER_OFFSETS", "Offset B", "2.40"},
            {"ECHOSOUNDER_OFFSETS", "Offset C", "2.00"},
            {"ECHOSOUNDER_OFFSETS", "SV", "1500"},
            {"ECHOSOUNDER_OFFSETS", "Tide Height", "0.00"},
            {"ECHOSOUNDER_OFFSETS", "Surveyor", "Surveyor"},
            {"ECHOSOUNDER_OFFSETS", "SurveyBoat", "Boat"},
            {"ECHOSOUNDER_OFFSETS", "SurveyLocation", "Bay"},
        };
        for (const auto& e : entries) ini.WriteString(e.section, e.key, e.value);
        for (const char* key : {"X_Rotation", "Y_Rotation", "Z_Rotation", "X_Shift", "Y_Shift", "Z_Shift", "Scale_PPM"})
            ini.WriteString("GEODETIC_PARAMETERS", key, "0");
    }

    bool messageShown(const QString& text) const { return FMsg->statusLines().contains(text); }
    QByteArray eventLog() const { return readFile(TodaysEventLogPath()); }

    PseudoTerminal gnssPty_, sounderPty_;
    mainwindowtest::TemporaryProgram program_;
};

TEST_F(MainWindowSurveyTest, RealtimeRunsTheSurveyFromConfirmationToStop)
{
    // The offsets window comes up with the main window; its confirmation starts the survey.
    ASSERT_TRUE(Offsets->isVisible());
    Offsets->BitBtn1->click();
    ASSERT_TRUE(waitUntil([] { return FNav->ZGPS1->Connected() && FNav->ZSENSOR->Connected(); }))
        << FMsg->statusLines().join('\n').toStdString() << program_.boxes.join('\n').toStdString();
    const QString gnssPort = gnssPty_.SlavePath;
    EXPECT_TRUE(messageShown("Connected to GPS on " + gnssPort));
    EXPECT_TRUE(messageShown("ZSENSOR Open called on port: " + sounderPty_.SlavePath));
    EXPECT_EQ(LastStatusMessage, "Connected to GPS on " + gnssPort);
    EXPECT_TRUE(eventLog().contains("\tConnected to GPS on " + gnssPort.toUtf8()));
    EXPECT_TRUE(eventLog().contains("\tRealtime STARTED"));
    // The confirmation saved the layout before the survey started.
    EXPECT_TRUE(eventLog().contains("\tAuto-saved: " + QByteArray::fromStdString(LayoutFolder)));
    EXPECT_LT(eventLog().indexOf("\tAuto-saved: "), eventLog().indexOf("\tRealtime STARTED"));
    EXPECT_TRUE(FNav->Realtime->isChecked());
    EXPECT_EQ(FNav->Realtime->text(), "Stop");

    // The map timer waits for the first GNSS line; its ticks fill the position panels.
    EXPECT_FALSE(FNav->tMap->isActive());
    ASSERT_TRUE(gnssPty_.Write(nmea("GPGGA,120000.00,4000.00000,N,02730.00000,E,4,12,0.8,40.00,M,3.50,M,1.0,0001")
                               + "\r\n"));
    ASSERT_TRUE(waitUntil([] { return FNav->tMap->isActive(); }));
    QLabel* geographic = FNav->StatusPanel(0);
    QLabel* grid = FNav->StatusPanel(1);
    ASSERT_TRUE(waitUntil([&] { return !grid->text().isEmpty(); }));
    EXPECT_TRUE(geographic->text().startsWith(QString::fromUtf8("40°0'0.000\"N, 27°30'0.000\"E")))
        << geographic->text().toStdString();
    EXPECT_TRUE(grid->text().startsWith("E542")) << grid->text().toStdString();
    for (QLabel* panel : {geographic, grid})
        EXPECT_EQ(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()) + 20);

    // The NTRIP entry hands the open port and the receiver's position to its window.
    FNav->HalvekNTRIPClient1Click();
    EXPECT_TRUE(frmNTRIPSettings->isVisible());
    EXPECT_EQ(frmNTRIPSettings->GpsPortName, FNav->ZGPS1->PortName());
    EXPECT_DOUBLE_EQ(frmNTRIPSettings->Client->Latitude, 40.0);
    EXPECT_DOUBLE_EQ(frmNTRIPSettings->Client->Longitude, 27.5);

    // The start recorded the grid it projects with.
    EXPECT_TRUE(readFile(LogFolder + GetDateString() + " Geodesy.txt").contains("CM: 27, Ref Lat: 0, SF: 0.9996\r\n"));

    FNav->Realtime->click();
    EXPECT_FALSE(FNav->ZGPS1->Connected());
    EXPECT_FALSE(FNav->tMap->isActive());
    EXPECT_EQ(FNav->Realtime->text(), "Start");
    EXPECT_FALSE(FNav->Realtime->isChecked());
    EXPECT_FALSE(messageShown("Disconnected from GPS on " + gnssPort));  // a deliberate close is no fault
    const QByteArray events = eventLog();
    EXPECT_TRUE(events.contains("\tRealtime STOPPED"));
    EXPECT_LT(events.indexOf("Realtime STARTED"), events.indexOf("Realtime STOPPED"));
    EXPECT_TRUE(program_.boxes.isEmpty()) << program_.boxes.join('\n').toStdString();
}

// A stop leaves nothing that looks live: the depth alert's red goes, the chart's depth
// box empties, its position box and the numbers window say there is no reading. While
// the survey ran, a chart command's prompt outlived the map ticks.
TEST_F(MainWindowSurveyTest, StopShowsTheReadingsAsNoLongerCurrent)
{
    Navset->edDepthAlert1->setText("5");
    const TColor chartColour = Navset->fcadColor->colour();
    ASSERT_NE(chartColour, skerra::colors::Red);
    Offsets->BitBtn1->click();
    ASSERT_TRUE(waitUntil([] { return FNav->ZGPS1->Connected() && FNav->ZSENSOR->Connected(); }));
    ASSERT_TRUE(gnssPty_.Write(nmea("GPGGA,120000.00,4000.00000,N,02730.00000,E,4,12,0.8,40.00,M,3.50,M,1.0,0001")
                               + "\r\n"));
    ASSERT_TRUE(sounderPty_.Write(nmea("SDDPT,2.0,0.0") + "\r\n"));  // 2.40 m with the draft: an alert
    THalvekCanvas* chart = FNav->fcad;
    ASSERT_TRUE(waitUntil([&] { return chart->BackColor == skerra::colors::Red && chart->CurrentDepthValid; }));
    ASSERT_EQ(fRealtime->lDepthHi->text(), "2.40");

    FNav->bSelectTracksClick();
    const QString prompt = QStringLiteral("Draw polygon to select tracks (right-click to finish)");
    QLabel* geographic = FNav->StatusPanel(0);
    geographic->clear();
    ASSERT_TRUE(waitUntil([&] { return !geographic->text().isEmpty(); }));  // a map tick wrote its panels
    EXPECT_EQ(FNav->StatusPanel(TFNav::PromptPanel)->text(), prompt);

    FNav->Realtime->click();
    EXPECT_EQ(chart->BackColor, chartColour);
    EXPECT_FALSE(chart->CurrentDepthValid);
    EXPECT_FALSE(chart->CurrentSpeedValid);
    EXPECT_EQ(FNav->Survey().GGAOverlayText(), "Realtime stopped");
    EXPECT_EQ(FNav->Survey().LastFixQuality(), 0);
    for (QLabel* reading : {fRealtime->Fixed, fRealtime->Speed, fRealtime->SatelliteLabel, fRealtime->LAntennaH,
                            fRealtime->lDepthHi})
        EXPECT_EQ(reading->text(), "---") << reading->objectName().toStdString();
    for (QGroupBox* box : {fRealtime->GPSGroupBox, fRealtime->DepthFrameHi})
        EXPECT_EQ(box->palette().color(QPalette::Window), skerra::toQColor(skerra::colors::Silver))
            << box->objectName().toStdString();
    for (int panel : {0, 1}) EXPECT_EQ(FNav->StatusPanel(panel)->text(), "---") << panel;
}

// Closing the program during a survey stops it as the Stop button does: the day's event
// log has an end for the start, and no port fault.
TEST_F(MainWindowSurveyTest, ClosingDuringASurveyLogsItsStop)
{
    Offsets->BitBtn1->click();
    ASSERT_TRUE(waitUntil([] { return FNav->ZGPS1->Connected() && FNav->ZSENSOR->Connected(); }));
    ASSERT_TRUE(gnssPty_.Write(nmea("GPGGA,120000.00,4000.00000,N,02730.00000,E,4,12,0.8,40.00,M,3.50,M,1.0,0001")
                               + "\r\n"));
    ASSERT_TRUE(waitUntil([] { return FNav->tMap->isActive(); }));
    FNav->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(FNav->isVisible());
    const QByteArray events = eventLog();
    EXPECT_LT(events.indexOf("\tRealtime STARTED"), events.lastIndexOf("\tRealtime STOPPED"));
    EXPECT_GT(events.lastIndexOf("\tRealtime STOPPED"), events.lastIndexOf("\tAuto-saved: "));
    EXPECT_FALSE(events.contains("Disconnected from GPS"));
}

}  // namespace
