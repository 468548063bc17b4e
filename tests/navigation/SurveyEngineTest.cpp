// The survey engine with stand-in devices, settings and view and a clock moved by
// hand, on the real chart core, in a temporary data root.

#include "SurveyFakes.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "navigation/NavLayers.h"
#include "navigation/survey/GridProjection.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/AppPaths.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

using namespace surveytest;

namespace {

class SurveyEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureNavLayers(chart_);
        engine_ = std::make_unique<SurveyEngine>(devices_, settings_, view_, chart_, clock_);
    }
    QByteArray eventLog() const { return readFile(TodaysEventLogPath()); }
    void start()
    {
        engine_->RealtimeClicked(true);
        engine_->OnGnssConnect("COM3");
    }
    // A position 40 N 27.5 E moved `metres` north, with a fix quality.
    void fixAt(double metres, int quality)
    {
        devices_.fix.fixQuality = quality;
        engine_->OnGnssPosition(40.0 + metres / 111000.0, 27.5, 10.0);
        engine_->OnGnssLine(nmea("GPRMC,120000,A,4000.0,N,02730.0,E,5.0,0.0,101226,,"));
        engine_->MapTick();
    }
    int shapesOn(const char* layer) const
    {
        return int(chart_.ShapesOnLayer(chart_.LayerFindByName(QString::fromLatin1(layer))).size());
    }

    TemporarySurveyRoot root_;
    FakeClock clock_;
    FakeDevices devices_;
    FakeSettings settings_;
    RecordingView view_;
    THalvekCanvasCore chart_;
    std::unique_ptr<SurveyEngine> engine_;
};

TEST_F(SurveyEngineTest, PortReportsGoThreeWaysWithTheirEffects)
{
    start();
    engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,1,08,1.0,10.0,M,30.0,M,,"));
    ASSERT_TRUE(view_.mapTimer);
    const int vesselLayer = chart_.LayerFindByName(QStringLiteral("~~Halvek Vessel"));

    const struct {
        const char* text;
        bool shown;
        std::function<void()> raise;
        std::function<void()> effects;
    } reports[] = {
        {"Connected to GPS on COM3", false, [&] { engine_->OnGnssConnect("COM3"); },
         [&] {
             EXPECT_TRUE(view_.buttonDown);
             EXPECT_EQ(engine_->State().VesselLayerId, vesselLayer);
         }},
        {"GPS is idle!", true,
         [&] {
             engine_->OnGnssPosition(40.0, 27.5, 12.0);
             engine_->OnGnssIdle();
         },
         [&] {
             EXPECT_FALSE(view_.mapTimer);
             EXPECT_EQ(engine_->State().GpsLatitude, 0.0);
             EXPECT_EQ(engine_->State().GpsLongitude, 0.0);
             EXPECT_EQ(engine_->State().GpsAltitude, 12.0);  // the altitude stays
             EXPECT_EQ(view_.gpsBoxColour, 0x0000FF);
         }},
        {"GPS Timeout!", true, [&] { engine_->OnGnssTimeout(); },
         [&] { EXPECT_EQ(view_.gnssMonitorColour, 0x0000FF); }},
        {"Command sent to device: $PXCMD,1", true, [&] { engine_->OnGnssSend("$PXCMD,1"); }, [] {}},
        {"Sensor TimeOut.", true,
         [&] {
             clock_.Advance(SurveyEngine::kSensorTimeoutMs + 1);
             EXPECT_TRUE(engine_->SensorWatchTick());
             EXPECT_FALSE(engine_->SensorWatchTick());  // once per silence
         },
         [&] {
             EXPECT_EQ(view_.depthFrameColour, 0x0000FF);
             EXPECT_FALSE(view_.echogram);
             EXPECT_TRUE(engine_->State().SensorTimedOut);
         }},
        {"Disconnected from GPS on COM3", true,
         [&] {
             engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,1,08,1.0,10.0,M,30.0,M,,"));
             engine_->OnGnssDisconnect("COM3");
         },
         [&] {
             EXPECT_FALSE(view_.mapTimer);
             EXPECT_FALSE(view_.buttonDown);
         }},
    };
    for (const auto& r : reports) {
        const std::size_t before = view_.messages.size();
        r.raise();
        ASSERT_EQ(view_.messages.size(), before + 1) << r.text;
        EXPECT_EQ(view_.messages.back().text, r.text);
        EXPECT_EQ(view_.messages.back().shown, r.shown) << r.text;
        EXPECT_EQ(engine_->State().LastStatusMessage, r.text);
        EXPECT_TRUE(eventLog().endsWith(QByteArray("\t") + r.text)) << r.text;
        r.effects();
    }
}

TEST_F(SurveyEngineTest, StartAndStop)
{
    engine_->RealtimeClicked(true);
    EXPECT_EQ(devices_.calls,
              (std::vector<std::string>{"apply gnss", "apply sounder", "open gnss", "open sounder"}));
    EXPECT_TRUE(view_.running);
    EXPECT_TRUE(view_.echogramTimer);
    EXPECT_FALSE(view_.mapTimer);  // the first sentence starts the map
    EXPECT_EQ(view_.messages.back().text, "ZSENSOR Open called on port: COM4");
    EXPECT_FALSE(eventLog().contains("ZSENSOR"));
    EXPECT_TRUE(eventLog().endsWith("\tRealtime STARTED"));
    EXPECT_EQ(engine_->State().RealtimeState, 1);
    EXPECT_NE(engine_->State().GpsStartTick, 0);

    engine_->OnGnssLine("$GPZDA,120000.00,10,12,2026,00,00*00");  // any line starts the map
    EXPECT_TRUE(view_.mapTimer);

    devices_.onClose = [&](SurveyDevice d) {
        if (d == SurveyDevice::Gnss) engine_->OnGnssDisconnect("COM3");
    };
    engine_->RealtimeClicked(false);
    EXPECT_FALSE(view_.mapTimer);
    EXPECT_FALSE(view_.echogramTimer);
    EXPECT_FALSE(view_.running);
    EXPECT_EQ(engine_->State().RealtimeState, 0);
    EXPECT_EQ(engine_->State().GpsStartTick, 0);
    EXPECT_EQ(engine_->State().SensorStartTick, 0);
    EXPECT_TRUE(eventLog().endsWith("\tRealtime STOPPED"));
    EXPECT_FALSE(eventLog().contains("Disconnected from GPS"));  // a deliberate close is no fault
    EXPECT_FALSE(view_.messageWindowKept);
    engine_->StopSurvey();  // the program closing: nothing more to stop
    EXPECT_EQ(eventLog().count("Realtime STOPPED"), 1);
}

// The Realtime button after a Stop looks the same whatever came before it.
TEST_F(SurveyEngineTest, AStopAfterADisconnectLeavesTheButtonAsAnyStop)
{
    start();
    engine_->OnGnssDisconnect("COM3");
    EXPECT_FALSE(view_.buttonDown);
    engine_->RealtimeClicked(true);  // the user's click on the raised "Stop" presses it
    EXPECT_EQ(engine_->State().RealtimeState, 0);
    EXPECT_FALSE(view_.running);
    EXPECT_FALSE(view_.buttonDown);
    EXPECT_FALSE(engine_->State().RealtimeButtonDown);
    EXPECT_FALSE(view_.messageWindowKept);
}

TEST_F(SurveyEngineTest, PortsThatDoNotOpenAreReported)
{
    devices_.gnssOpens = false;
    devices_.sounderOpens = false;
    engine_->RealtimeClicked(true);
    EXPECT_EQ(view_.Count("Cannot open GPS port COM3 (no such device)"), 1);
    EXPECT_TRUE(eventLog().contains("ZSENSOR Open failed: COM4 (no such device)"));
    EXPECT_TRUE(eventLog().endsWith("\tRealtime STARTED"));  // the run is logged all the same
    EXPECT_TRUE(view_.messageWindowKept);  // as long as the survey runs without a position
    engine_->OnGnssLine("$GPZDA,1*00");
    EXPECT_FALSE(view_.mapTimer);
    engine_->OnSensorLine("$SDDPT,10.00");
    EXPECT_TRUE(view_.messageWindowKept);

    engine_->RealtimeClicked(false);  // the next click stops
    EXPECT_FALSE(view_.messageWindowKept);
    EXPECT_EQ(engine_->State().RealtimeState, 0);
    EXPECT_TRUE(eventLog().endsWith("\tRealtime STOPPED"));

    settings_.sensor.sensorEnabled = false;
    devices_.calls.clear();
    devices_.gnssOpens = true;
    engine_->RealtimeClicked(true);
    EXPECT_EQ(devices_.calls, (std::vector<std::string>{"apply gnss", "apply sounder", "open gnss"}));
    EXPECT_TRUE(view_.shrunk);
}

TEST_F(SurveyEngineTest, NoChosenGnssPortIsReportedWithoutAPortName)
{
    devices_.gnssOpens = false;
    devices_.gnssPort.clear();
    engine_->RealtimeClicked(true);
    EXPECT_EQ(view_.Count("Cannot open GPS port (no port chosen)"), 1);
}

// The settings refused the chosen port (no such device file): the device kept none, and
// the report names the chosen one.
TEST_F(SurveyEngineTest, AChosenPortThatWasRefusedIsNamed)
{
    devices_.gnssOpens = false;
    devices_.sounderOpens = false;
    devices_.gnssPort.clear();
    settings_.gnssPortChoice = " /dev/ttyUSB7 ";
    settings_.sounderPortChoice = "/dev/ttyUSB8";
    engine_->RealtimeClicked(true);
    EXPECT_EQ(view_.Count("Cannot open GPS port /dev/ttyUSB7 (does not exist)"), 1);
    EXPECT_EQ(view_.Count("ZSENSOR Open failed: /dev/ttyUSB8 (does not exist)"), 1);
}

// A first start: no port chosen, the offsets empty. The port failure comes first, then
// one line names every setting still unset; the survey's lines do not repeat them.
TEST_F(SurveyEngineTest, AStartSumsUpTheUnsetSettingsInOneLineAfterThePortFailure)
{
    devices_.gnssOpens = devices_.sounderOpens = false;
    devices_.gnssPort.clear();
    devices_.gnssUnset = {"Port No"};
    devices_.sounderUnset = {"Port No", "Baud Rate 'abc'"};
    settings_.offsets.offsetA = settings_.offsets.soundVelocity = "";
    settings_.offsets.offsetC = "1,2";
    const QString summary = "Not set, previous values kept: GPS Set - Port No; SBES Set - Port No, Baud Rate 'abc'; "
                            "Offsets - transducer draft, sound velocity, antenna offset '1,2'";
    struct Case {
        const char* what;
        bool sensorEnabled;
        QString summary;
    };
    const Case cases[] = {
        {"with the sounder", true, summary},
        {"without the sounder", false,
         "Not set, previous values kept: GPS Set - Port No; "
         "Offsets - transducer draft, sound velocity, antenna offset '1,2'"},
    };
    for (const Case& c : cases) {
        view_.messages.clear();
        settings_.sensor.sensorEnabled = c.sensorEnabled;
        engine_->RealtimeClicked(true);
        std::vector<QString> texts;
        for (const auto& m : view_.messages) texts.push_back(m.text);
        const auto failure = std::find(texts.begin(), texts.end(), QString("Cannot open GPS port (no port chosen)"));
        const auto line = std::find(texts.begin(), texts.end(), c.summary);
        ASSERT_NE(failure, texts.end()) << c.what;
        ASSERT_NE(line, texts.end()) << c.what;
        EXPECT_LT(failure - texts.begin(), line - texts.begin()) << c.what;
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const QString& t) { return t.contains("Offsets"); }), 1)
            << c.what;
        engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,4,08,1.0,10.0,M,30.0,M,,"));
        EXPECT_EQ(view_.Count("Offsets: bad value in the antenna offset: '1,2'"), 0) << c.what;
        settings_.offsets.offsetC = "x";  // a new text is news
        engine_->OnGnssLine("$GPZDA*00");
        EXPECT_EQ(view_.Count("Offsets: bad value in the antenna offset: 'x'"), 1) << c.what;
        settings_.offsets.offsetC = "1,2";
        engine_->RealtimeClicked(false);
    }

    devices_.gnssUnset = devices_.sounderUnset = {};
    settings_.offsets = {"0.40", "1530", "1.20", "0.00"};
    view_.messages.clear();
    engine_->RealtimeClicked(true);
    for (const auto& m : view_.messages) EXPECT_FALSE(m.text.startsWith("Not set")) << m.text.toStdString();
}

TEST_F(SurveyEngineTest, BadSettingsAreReportedOncePerText)
{
    start();
    settings_.offsets.offsetC = "1,2";
    for (int i = 0; i < 5; ++i) engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,4,08,1.0,10.0,M,30.0,M,,"));
    EXPECT_EQ(view_.Count("Offsets: bad value in the antenna offset: '1,2'"), 1);
    EXPECT_DOUBLE_EQ(engine_->State().RtkTide, 40.0 - 1.2);  // the GGA step still ran, on the last good offset
    settings_.offsets.offsetC = "x";
    engine_->OnGnssLine("$GPZDA*00");
    EXPECT_EQ(view_.Count("Offsets: bad value in the antenna offset: 'x'"), 1);

    settings_.grid.centralMeridian = "";
    engine_->RealtimeClicked(false);
    start();
    for (int i = 0; i < 3; ++i) fixAt(i * 2.0, 4);
    EXPECT_EQ(view_.Count("Map: the grid is not configured"), 1);
    EXPECT_EQ(engine_->State().GridEasting, 0.0);
    EXPECT_EQ(shapesOn("track_fix") + shapesOn("~~Halvek Vessel"), 0);
}

TEST_F(SurveyEngineTest, DepthsNeedAUsableSoundVelocity)
{
    start();
    settings_.offsets.soundVelocity = "0";
    engine_->OnGnssLine("$GPZDA*00");  // copies the offsets
    engine_->OnSensorLine("$SDDPT,10.00,0.0*45");
    engine_->OnSensorLine("$SDDPT,11.00,0.0*45");
    EXPECT_EQ(view_.depthHigh, "--.-");
    EXPECT_EQ(view_.Count("Sounder: the sound velocity 0 m/s is not usable"), 1);
    EXPECT_TRUE(readFile(CoordinatesCsvPath).isEmpty());
    EXPECT_EQ(engine_->State().TrueDepthHigh, 0.0);
}

// A scan format the safe scanner refuses: reported once with its reason, no sounding
// logged; a usable one logs again.
TEST_F(SurveyEngineTest, ARefusedScanFormatIsReportedOnceAndLogsNothing)
{
    start();
    settings_.sensor.scanFormat = "%*6s,%n";
    for (int i = 0; i < 3; ++i) engine_->OnSensorLine("$SDDPT,10.00,0.0*45");
    EXPECT_EQ(view_.Count("Sounder: The scan format \"%*6s,%n\" cannot be used"), 1);
    EXPECT_EQ(view_.depthHigh, "--.-");
    EXPECT_TRUE(readFile(CoordinatesCsvPath).isEmpty());

    settings_.sensor.scanFormat = "%*6s,%lf";
    engine_->OnSensorLine("$SDDPT,10.00,0.0*45");
    EXPECT_EQ(view_.depthHigh, "10.60");
    EXPECT_FALSE(readFile(CoordinatesCsvPath).isEmpty());
}

// While the user draws a shape the view stays put; the vessel and its track go on.
TEST_F(SurveyEngineTest, WhileTheUserDrawsTheMapTicksWithoutFollowing)
{
    start();
    fixAt(0, 4);
    const double top = chart_.WorldTop;
    chart_.DrawingActive = true;
    fixAt(30, 4);
    EXPECT_EQ(chart_.WorldTop, top);
    EXPECT_EQ(shapesOn("track_fix"), 1);
    EXPECT_GT(shapesOn("~~Halvek Vessel"), 0);
    chart_.DrawingActive = false;
    fixAt(60, 4);
    EXPECT_GT(chart_.WorldTop, top);
}

TEST_F(SurveyEngineTest, DepthAlertTurnsTheChartRedWhileRealtimeIsDown)
{
    start();
    engine_->OnGnssLine("$GPZDA*00");
    settings_.display.chartColour = 0xEEEEEE;
    const struct {
        const char* line;
        const char* alert;
        TColor background;
    } steps[] = {
        {"$SDDPT,1.00", "2", 0x0000FF},   // 1.00 + 0.40 under 2 m
        {"$SDDPT,5.00", "2", 0xEEEEEE},   // deeper: the chart's own colour
        {"$SDDPT,1.00", "bad", 0xEEEEEE}, // a bad limit skips only the alert...
        {"$SDDPT,1.50", "bad", 0xEEEEEE},
        {"$SDDPT,1.50", "2.00", 0x0000FF},
    };
    for (const auto& s : steps) {
        settings_.display.depthAlert = s.alert;
        engine_->OnSensorLine(s.line);
        EXPECT_EQ(chart_.BackColor, s.background) << s.line << " " << s.alert;
    }
    EXPECT_EQ(view_.Count("Navigation settings: bad value in the depth alert: 'bad'"), 1);
    EXPECT_EQ(view_.depthHigh, "1.93");  // ...and the depth is still taken

    engine_->OnGnssDisconnect("COM3");  // the Realtime button is up: no alert
    engine_->OnSensorLine("$SDDPT,5.00");
    EXPECT_EQ(chart_.BackColor, 0x0000FF);
}

TEST_F(SurveyEngineTest, MapTickWithoutPositionOrVesselLayerTouchesNothing)
{
    start();
    engine_->OnGnssLine("$GPZDA*00");
    engine_->MapTick();  // position 0,0: no projection, no vessel, no track
    EXPECT_EQ(engine_->State().GridEasting, 0.0);
    EXPECT_EQ(shapesOn("~~Halvek Vessel"), 0);
    EXPECT_FALSE(engine_->State().GGAOverlayText.empty());
    EXPECT_EQ(view_.vesselPositions, 0);

    fixAt(0, 4);
    EXPECT_EQ(shapesOn("~~Halvek Vessel"), 5 + 2);  // the arrow's five lines and two rings
    EXPECT_EQ(shapesOn("track_fix"), 0);            // the first fix sets the reference only
    settings_.display.trackDistance = "0";
    fixAt(0, 4);  // stationary with track distance 0: no mark
    EXPECT_EQ(shapesOn("track_fix"), 0);
    fixAt(2, 4);
    EXPECT_EQ(shapesOn("track_fix"), 1);

    // A chart without the vessel layer: the vessel step is skipped, nothing else is cleared.
    THalvekCanvasCore bare;
    SurveyEngine engine(devices_, settings_, view_, bare, clock_);
    engine.RealtimeClicked(true);
    engine.OnGnssConnect("COM3");
    EXPECT_LT(engine.State().VesselLayerId, 0);
    bare.DrawLine(0, 0, 1, 1, 0);
    engine.OnGnssPosition(40.0, 27.5, 0);
    engine.MapTick();
    EXPECT_EQ(bare.ShapesOnLayer(0).size(), 1u);
}

}  // namespace

namespace {

TEST_F(SurveyEngineTest, ALogThatCannotBeWrittenIsReportedOncePerEpisode)
{
    const QString csv = QString::fromStdString(CoordinatesCsvPath);
    const auto block = [&](bool blocked) {
        for (int i = 0; i <= 99; ++i) {
            const QString name = QString::fromStdString(i ? SurveyCsvFile::FallbackName(CoordinatesCsvPath, i) : CoordinatesCsvPath);
            if (blocked) {
                QDir().mkpath(name);
            } else {
                QDir(name).removeRecursively();
            }
        }
    };
    start();
    engine_->OnGnssLine("$GPZDA*00");
    block(true);
    engine_->OnSensorLine("$SDDPT,10.00");
    engine_->OnSensorLine("$SDDPT,11.00");
    EXPECT_EQ(view_.Count("Survey log not written: "), 1);
    block(false);
    engine_->OnSensorLine("$SDDPT,12.00");
    EXPECT_EQ(readFile(CoordinatesCsvPath).count('\n'), 2);  // header and the one line
    engine_->RealtimeClicked(false);  // closes the log
    QFile::remove(csv);
    block(true);
    engine_->RealtimeClicked(true);
    engine_->OnSensorLine("$SDDPT,13.00");
    EXPECT_EQ(view_.Count("Survey log not written: "), 2);  // a new episode
}

}  // namespace

namespace {

TEST_F(SurveyEngineTest, DepthLabelsOnlyWhileTheSounderIsCurrent)
{
    start();
    fixAt(0, 4);
    EXPECT_TRUE(chart_.DepthLabels.empty());  // no depth yet
    engine_->OnSensorLine("$SDDPT,10.00");
    const struct {
        double north;
        std::size_t labels;
    } steps[] = {{1, 1}, {5, 1}, {12, 2}, {13, 2}, {23, 3}};
    for (const auto& s : steps) {
        fixAt(s.north, 4);
        EXPECT_EQ(chart_.DepthLabels.size(), s.labels) << s.north;
    }
    EXPECT_DOUBLE_EQ(chart_.DepthLabels.back().depth, 10.60);
    chart_.ClearDepthLabels();
    fixAt(24, 4);  // a cleared chart takes a label again at once
    EXPECT_EQ(chart_.DepthLabels.size(), 1u);

    clock_.Advance(SurveyEngine::kSensorTimeoutMs + 1);
    engine_->SensorWatchTick();
    fixAt(60, 4);
    EXPECT_EQ(chart_.DepthLabels.size(), 1u);  // a stale depth is not labelled
    EXPECT_EQ(engine_->GGAOverlayText().find("Depth"), std::string::npos);
}

TEST_F(SurveyEngineTest, SensorWatchReportsOncePerSilence)
{
    // Ticks on both sides of 2^32: the watch must not wrap at 32 bits.
    for (std::int64_t startTick : {std::int64_t{1000}, std::int64_t{0xFFFFFFFFLL - 2000}}) {
        clock_.tick = startTick;
        start();
        clock_.Advance(SurveyEngine::kSensorTimeoutMs);
        EXPECT_FALSE(engine_->SensorWatchTick()) << startTick;  // 5000 ms: not yet
        clock_.Advance(1);
        EXPECT_TRUE(engine_->SensorWatchTick()) << startTick;  // 5001 ms
        clock_.Advance(60000);
        EXPECT_FALSE(engine_->SensorWatchTick()) << startTick;  // once per silence

        engine_->OnSensorLine("$SDDPT,10.00");  // the next depth arms the watch again
        EXPECT_TRUE(view_.echogram);
        clock_.Advance(SurveyEngine::kSensorTimeoutMs);
        EXPECT_FALSE(engine_->SensorWatchTick()) << startTick;
        clock_.Advance(1);
        EXPECT_TRUE(engine_->SensorWatchTick()) << startTick;
        EXPECT_FALSE(view_.echogram);
        engine_->RealtimeClicked(false);
    }
}

TEST_F(SurveyEngineTest, EchogramTakesEachNewDepthOnce)
{
    start();
    EXPECT_FALSE(engine_->TakeEchogramDepth());  // nothing new
    engine_->OnSensorLine("$SDDPT,10.00");
    engine_->OnSensorLine("$SDDPT,12.00");  // only the latest of a tick counts
    const std::optional<double> depth = engine_->TakeEchogramDepth();
    ASSERT_TRUE(depth);
    EXPECT_EQ(*depth, engine_->State().TrueDepthHigh);
    EXPECT_GT(*depth, 11.0);
    EXPECT_FALSE(engine_->TakeEchogramDepth());

    devices_.sounderOpen = false;  // a closed sounder draws nothing, and the mark goes
    engine_->OnSensorLine("$SDDPT,13.00");
    EXPECT_FALSE(engine_->TakeEchogramDepth());
    devices_.sounderOpen = true;
    EXPECT_FALSE(engine_->TakeEchogramDepth());

    // A sounder that sends only the low-frequency depth: the echogram draws that one.
    settings_.sensor.messageType = "Halvek XDR LO";
    settings_.sensor.scanFormat = "%*8s,%*lf,%*8s,%lf";
    engine_->OnSensorLine("$SDXDHI_,0.0,$SDXDLO_,20.00");
    const std::optional<double> low = engine_->TakeEchogramDepth();
    ASSERT_TRUE(low);
    EXPECT_DOUBLE_EQ(*low, 20.0 * 1530 / 1500 + 0.40);
}

}  // namespace

namespace {

TEST_F(SurveyEngineTest, EveryStartLogsTheGridItProjectsWithAndALogFailureDoesNotStopIt)
{
    settings_.grid.centralMeridian = "27";
    const QString path = QString::fromStdString(LogFolder) + "2026-12-10 Geodesy.txt";
    engine_->RealtimeClicked(true);
    EXPECT_TRUE(readFile(path.toStdString()).contains("CM: 27, Ref Lat: "));
    EXPECT_EQ(engine_->State().TMParams.rfind("27 ", 0), 0u);  // the same snapshot
    engine_->RealtimeClicked(false);

    QFile::remove(path);
    QDir().mkpath(path);  // a folder where the log should be
    engine_->RealtimeClicked(true);
    EXPECT_EQ(view_.Count("Geodesy log could not be written: "), 1);
    EXPECT_EQ(engine_->State().RealtimeState, 1);
    EXPECT_EQ(devices_.calls.back(), "open sounder");
}

}  // namespace

namespace {

// A fix is projected when it arrives: a sounding logs it with its own grid position,
// whether the map has ticked since or not.
TEST_F(SurveyEngineTest, ASoundingLogsTheFixBeforeItWithThatFixsGridPosition)
{
    start();
    engine_->OnGnssLine("$GPZDA*00");
    std::string problem;
    auto grid = skerra::survey::GridProjection::Build(settings_.grid, problem);
    ASSERT_TRUE(grid);
    engine_->OnGnssPosition(40.0, 27.5, 10.0);
    engine_->MapTick();
    engine_->OnGnssPosition(40.001, 27.501, 10.0);  // no tick after this fix
    engine_->OnSensorLine("$SDDPT,10.00");
    const auto expected = grid->Project(40.001, 27.501, 10.0);
    const QList<QByteArray> fields = readFile(CoordinatesCsvPath).split('\n')[1].split(',');
    EXPECT_EQ(fields[1], "40.001");
    EXPECT_EQ(fields[3].toStdString(), skerra::FormatFixed(expected->easting, 2));
    EXPECT_EQ(fields[4].toStdString(), skerra::FormatFixed(expected->northing, 2));
    const QList<QByteArray> xyz = readFile(XyzFolder + StartDate + " Simple XYZ.csv").split('\n');
    EXPECT_EQ(xyz[1].toStdString(), skerra::FormatFixed(expected->easting, 2) + "," +
                                        skerra::FormatFixed(expected->northing, 2) + ",-10.60\r");
}

// Each report that loses the position: soundings keep the last fix in the coordinate
// CSV with fix quality 0 and write no XYZ line; the screen says that there is no fix
// and the report stays up; the next fix (for the idle receiver, the same position
// again) brings everything back.
TEST_F(SurveyEngineTest, APositionLostByAReportLogsNoXyzLineUntilTheNextFix)
{
    int second = 0;  // each GGA a new epoch at the same place
    const auto stillGga = [&] {
        return nmea("GPGGA,1200" + std::to_string(10 + ++second) + ".00,4000.0000,N,02730.0000,E,4,08,1.0,10.0,M,30.0,M,,");
    };
    const struct {
        const char* report;
        std::function<void()> raise;
    } reports[] = {
        {"disconnect", [&] { engine_->OnGnssDisconnect("COM3"); }},
        {"idle", [&] { engine_->OnGnssIdle(); }},
        {"time-out", [&] { engine_->OnGnssTimeout(); }},
    };
    const std::string xyz = XyzFolder + StartDate + " Simple XYZ.csv";
    start();
    for (const auto& r : reports) {
        devices_.fix.fixQuality = 4;
        engine_->OnGnssLine(stillGga());
        engine_->OnGnssPosition(40.0, 27.5, 10.0);
        engine_->MapTick();
        engine_->OnSensorLine("$SDDPT,10.00");
        const qsizetype xyzLines = readFile(xyz).count('\n');
        EXPECT_FALSE(view_.messageWindowKept) << r.report;

        r.raise();
        engine_->OnSensorLine("$SDDPT,11.00");
        EXPECT_EQ(readFile(xyz).count('\n'), xyzLines) << r.report;
        const QList<QByteArray> csv = readFile(CoordinatesCsvPath).split('\n');
        const QList<QByteArray> fields = csv[csv.size() - 2].split(',');
        EXPECT_EQ(fields[1], "40") << r.report;  // the last fix, said as stale
        EXPECT_EQ(fields[14], "0") << r.report;
        EXPECT_EQ(view_.gpsBoxColour, skerra::colors::Red) << r.report;
        EXPECT_EQ(engine_->GGAOverlayText().rfind("No Fix | ", 0), 0u) << r.report;
        EXPECT_EQ(engine_->LastFixQuality(), 0) << r.report;
        EXPECT_TRUE(view_.messageWindowKept) << r.report;

        engine_->OnGnssLine(stillGga());  // the receiver talks again from where it was
        engine_->OnSensorLine("$SDDPT,12.00");
        EXPECT_EQ(readFile(xyz).count('\n'), xyzLines + 1) << r.report;
        EXPECT_FALSE(view_.messageWindowKept) << r.report;
    }
}

// A reading whose computed value is not a finite number is refused like one that does
// not parse: nothing of it is kept or logged, and it is reported once a run.
TEST_F(SurveyEngineTest, ValuesThatOverflowToInfinityAreRefused)
{
    const struct {
        const char* name;
        std::function<void()> bad, good;
        std::function<bool()> untouched;
        const char* report;
    } cases[] = {
        {"corrected depth", [&] { engine_->OnSensorLine("$SDDPT,1.7e308"); },
         [&] { engine_->OnSensorLine("$SDDPT,10.00"); },
         [&] { return std::isfinite(engine_->State().TrueDepthHigh) && !engine_->TakeEchogramDepth(); },
         "Sounder: an impossible depth was refused: '$SDDPT,1.7e308'"},
        {"speed", [&] { engine_->OnGnssSpeed(std::numeric_limits<double>::infinity()); },
         [&] { engine_->OnGnssSpeed(9.26); }, [&] { return view_.speed == "5.0"; },
         "GPS: a speed that is not a finite number was refused"},
        {"RTK antenna height",
         [&] { engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,4,08,1.0,1.7e308,M,1.7e308,M,,")); },
         [&] { engine_->OnGnssLine(nmea("GPGGA,120000.00,4000.0,N,02730.0,E,4,08,1.0,10.0,M,30.0,M,,")); },
         [&] { return engine_->State().RtkAntennaHeight == 40.0; },
         "GPS: an RTK antenna height that is not a finite number was refused"},
    };
    start();
    engine_->OnGnssPosition(40.0, 27.5, 10.0);  // the speed shows with a current fix
    for (const auto& c : cases) {
        c.good();
        engine_->TakeEchogramDepth();
        const QByteArray logged = readFile(CoordinatesCsvPath);
        c.bad();
        c.bad();
        EXPECT_TRUE(c.untouched()) << c.name;
        EXPECT_EQ(view_.Count(c.report), 1) << c.name;
        EXPECT_EQ(readFile(CoordinatesCsvPath), logged) << c.name;
        c.good();
        c.bad();  // a new run of refusals is reported again
        EXPECT_EQ(view_.Count(c.report), 2) << c.name;
    }
    EXPECT_FALSE(readFile(CoordinatesCsvPath).toUpper().contains("INF"));
}

}  // namespace
