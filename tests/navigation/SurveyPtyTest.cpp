// A survey end to end: the GNSS receiver and the echo sounder on two
// pseudo-terminals, the real serial devices, chart core, geodesy and survey logs
// in a temporary data root. Every step waits for what it caused, never for time.

#include "SurveyFakes.h"

#include "../devices/serial/SerialTestSupport.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/NavLayers.h"
#include "navigation/survey/GridProjection.h"
#include "navigation/survey/SerialSurveyDevices.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/AppPaths.h"
#include "platform/NumberText.h"
#include "shell/PortSettings.h"
#include "shell/SharedHeader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace surveytest;
using serialtest::PseudoTerminal;
using serialtest::waitUntil;

namespace {

// A sentence as a device sends it.
std::string sentence(const std::string& body) { return nmea(body) + "\r\n"; }

// The UTC time field of the receiver's next epoch, a tenth of a second after the last.
std::string nextEpoch()
{
    static int tenths = 0;
    ++tenths;
    char time[16];
    std::snprintf(time, sizeof time, "12%02d%02d.%d0", tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
    return time;
}

// A GGA of a new epoch at 40 N 27.5 E moved `north` metres, with a fix quality.
std::string gga(double north, int quality)
{
    char minutes[32];
    std::snprintf(minutes, sizeof minutes, "%011.8f", north / 1852.0);
    return sentence("GPGGA," + nextEpoch() + ",40" + std::string(minutes) + ",N,02730.00000000,E,"
                + std::to_string(quality) + ",12,0.8,40.00,M,3.50,M,1.0,0001");
}

QList<QByteArray> linesOf(const std::string& path)
{
    QList<QByteArray> lines = readFile(path).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

class SurveyPtyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureNavLayers(chart_);
        settings_.display.depthAlert = "2";
        settings_.echo = true;  // every GNSS line reaches the monitor: a test can wait for it
        devices_ = std::make_unique<SerialSurveyDevices>(gnss_, sounder_, [this](SurveyDevice d) {
            applyPortTab(d);
            return QStringList();
        });
        engine_ = std::make_unique<SurveyEngine>(*devices_, settings_, view_, chart_, clock_);
        ConnectSurveyEvents(gnss_, sounder_, *engine_);
    }
    void TearDown() override
    {
        gnss_.Close();
        sounder_.Close();
        engine_.reset();
    }

    // What the settings window's "GPS Set" / "SBES Set" write into a device.
    void applyPortTab(SurveyDevice d)
    {
        const bool gnss = d == SurveyDevice::Gnss;
        THalvekSerialGPS& device = gnss ? gnss_ : sounder_;
        const skerra::PortTabTexts texts{gnss ? gnssPty_.SlavePath : sounderPty_.SlavePath,
                                         "115200", "8", "1", "None", "Normal", "10", gnss ? "True" : "False",
                                         "False", "False", "False"};
        const skerra::PortSetResult set = skerra::convertPortTab(
            texts, skerra::portFieldsOf(device), {{}, gnss ? " ZQB_GNSS_V3.log" : " ZQB_SBES_V3.log"});
        ASSERT_TRUE(set.failures.isEmpty()) << set.failures.join('\n').toStdString();
        skerra::applyPortFields(device, set.fields);
    }
    const SurveyState& state() const { return engine_->State(); }
    int shapesOn(const char* layer) const
    {
        return int(chart_.ShapesOnLayer(chart_.LayerFindByName(QString::fromLatin1(layer))).size());
    }
    std::string xyzPath() const { return XyzFolder + StartDate + " Simple XYZ.csv"; }

    void startSurvey()
    {
        engine_->RealtimeClicked(true);
        ASSERT_TRUE(waitUntil([&] { return view_.buttonDown && sounder_.Connected(); }));
    }
    // Sends one fix and waits until the engine has it.
    void sendFix(double north, int quality)
    {
        const double wanted = 40.0 + north / 1852.0 / 60.0;
        lastGga_ = gga(north, quality);
        ASSERT_TRUE(gnssPty_.Write(lastGga_));
        ASSERT_TRUE(waitUntil([&] {
            return std::fabs(state().GpsLatitude - wanted) < 1e-9 && gnss_.GetFixQuality() == quality;
        }));
    }
    // Sends one fix and runs a map tick once the engine has it.
    void fix(double north, int quality)
    {
        sendFix(north, quality);
        ASSERT_TRUE(engine_->MapTimerWanted());
        engine_->MapTick();
    }
    void depth(const std::string& metres, const std::function<bool()>& done)
    {
        ASSERT_TRUE(sounderPty_.Write(sentence("SDDPT," + metres + ",0.0")));
        ASSERT_TRUE(waitUntil(done)) << metres;
    }

    // Sends GNSS lines and waits until the engine has seen them all.
    void sendGnssLines(const std::string& lines)
    {
        const std::size_t seen = view_.gnssMonitor.size() + std::size_t(std::count(lines.begin(), lines.end(), '\n'));
        ASSERT_TRUE(gnssPty_.Write(lines));
        ASSERT_TRUE(waitUntil([&] { return view_.gnssMonitor.size() == seen; }));
    }

    TemporarySurveyRoot root_;
    PseudoTerminal gnssPty_, sounderPty_;
    THalvekSerialGPS gnss_, sounder_;
    std::string lastGga_;
    FakeClock clock_;  // the survey's ticks: moved by hand
    FakeSettings settings_;
    RecordingView view_;
    THalvekCanvasCore chart_;
    std::unique_ptr<SerialSurveyDevices> devices_;
    std::unique_ptr<SurveyEngine> engine_;
};

TEST_F(SurveyPtyTest, ASurveyMovesTheVesselAndLogsEverySounding)
{
    startSurvey();
    fix(0, 4);
    EXPECT_EQ(shapesOn("track_fix"), 0);  // the first tick sets the track reference only
    EXPECT_GT(shapesOn("~~Halvek Vessel"), 0);
    EXPECT_NE(state().GridEasting, 0.0);
    EXPECT_EQ(state().LastFixQuality, 4);
    EXPECT_EQ(engine_->GGAOverlayText().rfind("RTK Fix | ", 0), 0u);

    depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == 2; });
    const QList<QByteArray> csv = linesOf(CoordinatesCsvPath);
    EXPECT_EQ(csv[0] + "\n", QByteArray::fromStdString(
                                 "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),"
                                 "True Depth (Lo),Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,"
                                 "Transducer Draft,GPS, RTK Antenna Height,Manual Tide,RTK Tide\r\n"));
    const QList<QByteArray> fields = csv[1].chopped(1).split(',');
    ASSERT_EQ(fields.size(), 18);
    EXPECT_EQ(fields[7], "10.60");
    EXPECT_EQ(fields[12], "1530.00");
    EXPECT_EQ(fields[13], "0.40");
    EXPECT_EQ(fields[14], "4");
    EXPECT_EQ(fields[15], "43.50");
    const QList<QByteArray> xyz = linesOf(xyzPath());
    ASSERT_EQ(xyz.size(), 2);
    EXPECT_EQ(xyz[0], "Easting,Northing,Elevation\r");
    EXPECT_EQ(xyz[1], QByteArray::fromStdString(skerra::FormatFixed(state().GridEasting, 2) + ","
                                                + skerra::FormatFixed(state().GridNorthing, 2) + ",-10.60\r"));

    const struct {
        double north;
        int quality;
    } fixes[] = {{2, 4}, {4, 5}, {6, 2}, {8, 1}};
    for (const auto& f : fixes) fix(f.north, f.quality);
    EXPECT_EQ(shapesOn("track_fix"), 1);
    EXPECT_EQ(shapesOn("track_float"), 2);
    EXPECT_EQ(shapesOn("track_nofix"), 1);

    depth("1.00", [&] { return linesOf(CoordinatesCsvPath).size() == 3; });
    EXPECT_EQ(chart_.BackColor, 0x0000FF);
    depth("12.00", [&] { return linesOf(CoordinatesCsvPath).size() == 4; });
    EXPECT_EQ(chart_.BackColor, settings_.display.chartColour);
    EXPECT_EQ(linesOf(xyzPath()).size(), 4);

    engine_->RealtimeClicked(false);
    const QByteArray events = readFile(TodaysEventLogPath());
    EXPECT_TRUE(events.contains("\tRealtime STARTED"));
    EXPECT_TRUE(events.contains("\tRealtime STOPPED"));
    EXPECT_LT(events.indexOf("Realtime STARTED"), events.indexOf("Realtime STOPPED"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(LogFolder + GetDateString() + " ZQB_GNSS_V3.log")));
}

TEST_F(SurveyPtyTest, ADepthBeforeAnyFixIsLoggedWithoutAPosition)
{
    startSurvey();
    depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == 2; });
    const QList<QByteArray> fields = linesOf(CoordinatesCsvPath)[1].split(',');
    ASSERT_EQ(fields.size(), 18);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(fields[i], "") << i;  // no position yet: no 0,0 invented
    EXPECT_EQ(fields[7], "10.60");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(xyzPath())));  // no invented grid position

    fix(0, 4);
    depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == 3; });
    EXPECT_EQ(linesOf(xyzPath()).size(), 2);
}

}  // namespace

namespace {

// Easting and Northing of a coordinate CSV line, projected from its own Lat and Lon.
void expectOwnProjection(const QList<QByteArray>& fields, skerra::survey::GridProjection& grid)
{
    const auto at = [&](int i) { return skerra::tryParseDouble(fields[i].toStdString()); };
    const auto lat = at(1), lon = at(2), e = at(3), n = at(4);
    ASSERT_TRUE(lat && lon && e && n) << fields.join(',').toStdString();
    const auto p = grid.Project(*lat, *lon, 0);
    ASSERT_TRUE(p);
    EXPECT_NEAR(*e, p->easting, 0.01) << fields.join(',').toStdString();
    EXPECT_NEAR(*n, p->northing, 0.01) << fields.join(',').toStdString();
}

// Fixes and soundings interleaved, the map ticking only now and then: every sounding
// logs the fix it followed with that fix's own grid position. Then the GNSS link is
// cut: soundings go on into the coordinate CSV with fix quality 0, none into the XYZ
// file, and the screen says that there is no fix.
TEST_F(SurveyPtyTest, EverySoundingLogsItsOwnFixAndALostGnssPortStopsTheXyzFile)
{
    startSurvey();
    int lines = 1;
    for (int i = 0; i < 8; ++i) {
        sendFix(i * 7.5, 4);
        if (i % 3 == 0) engine_->MapTick();
        depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == std::size_t(lines + 1); });
        ++lines;
    }
    std::string problem;
    auto grid = skerra::survey::GridProjection::Build(wgs84Grid(), problem);
    ASSERT_TRUE(grid) << problem;
    const QList<QByteArray> csv = linesOf(CoordinatesCsvPath);
    for (qsizetype i = 1; i < csv.size(); ++i) expectOwnProjection(csv[i].chopped(1).split(','), *grid);
    const QList<QByteArray> xyz = linesOf(xyzPath());
    ASSERT_EQ(xyz.size(), csv.size());
    for (qsizetype i = 1; i < xyz.size(); ++i) {
        const QList<QByteArray> f = csv[i].split(',');
        EXPECT_EQ(xyz[i], f[3] + "," + f[4] + ",-10.60\r");
    }

    gnssPty_.CloseMaster();
    ASSERT_TRUE(waitUntil([&] { return !gnss_.Connected(); }));
    for (int i = 0; i < 3; ++i) {
        depth("11.00", [&] { return linesOf(CoordinatesCsvPath).size() == std::size_t(lines + 1); });
        ++lines;
    }
    EXPECT_EQ(linesOf(xyzPath()).size(), xyz.size());  // nothing after the disconnect
    const QList<QByteArray> last = linesOf(CoordinatesCsvPath).back().chopped(1).split(',');
    EXPECT_EQ(last[14], "0");
    expectOwnProjection(last, *grid);
    EXPECT_EQ(view_.gpsBoxColour, skerra::colors::Red);
    EXPECT_EQ(engine_->GGAOverlayText().rfind("No Fix | ", 0), 0u);
    EXPECT_TRUE(view_.messageWindowKept);  // the report stays up while the survey runs
    engine_->RealtimeClicked(false);
    EXPECT_FALSE(view_.messageWindowKept);
}

}  // namespace

namespace {

// A position that is not current never reaches the XYZ file: after a quality-0 dropout,
// during a silent link and while only repeats of the last GGA arrive, soundings go to
// the coordinate CSV with GPS 0 and no RTK heights, the screen says that there is no
// fix, and the next new fix brings the XYZ file back.
TEST_F(SurveyPtyTest, SoundingsWithoutACurrentFixNeverReachTheXyzFile)
{
    const struct {
        const char* name;
        std::function<void()> loseFix;
    } cases[] = {
        {"quality-0 dropout", [&] { sendGnssLines(sentence("GPGGA," + nextEpoch() + ",,,,,0,03,99.99,,M,,M,,")); }},
        {"silent link", [&] { clock_.Advance(SurveyEngine::kFixMaxAgeMs + 1); }},
        {"repeated sentences",
         [&] {
             for (int i = 0; i < 3; ++i) {
                 clock_.Advance(SurveyEngine::kFixMaxAgeMs / 2);
                 sendGnssLines(lastGga_ + lastGga_);  // byte for byte
             }
         }},
    };
    startSurvey();
    std::size_t csvLines = 1, xyzLines = 1;
    double north = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fix(north += 5, 4);
        depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == csvLines + 1; });
        ++csvLines;
        ASSERT_EQ(linesOf(xyzPath()).size(), ++xyzLines);

        c.loseFix();
        depth("11.00", [&] { return linesOf(CoordinatesCsvPath).size() == csvLines + 1; });
        ++csvLines;
        engine_->MapTick();
        EXPECT_EQ(linesOf(xyzPath()).size(), xyzLines);
        const QList<QByteArray> row = linesOf(CoordinatesCsvPath).back().chopped(1).split(',');
        EXPECT_EQ(row[14], "0");
        EXPECT_EQ(row[15], "");  // no RTK antenna height
        EXPECT_EQ(row[17], "");  // no RTK tide
        EXPECT_EQ(engine_->GGAOverlayText().rfind("No Fix | Spd: - kn", 0), 0u) << engine_->GGAOverlayText();
        EXPECT_EQ(view_.gpsBoxColour, skerra::colors::Red);
        EXPECT_FALSE(chart_.CurrentSpeedValid);
        EXPECT_FALSE(view_.messageWindowKept);  // nothing was reported to keep up

        fix(north += 5, 4);  // a new fix: current again
        depth("12.00", [&] { return linesOf(CoordinatesCsvPath).size() == csvLines + 1; });
        ++csvLines;
        const QList<QByteArray> xyz = linesOf(xyzPath());
        ASSERT_EQ(xyz.size(), ++xyzLines);
        const QList<QByteArray> last = linesOf(CoordinatesCsvPath).back().split(',');
        EXPECT_EQ(last[14], "4");
        EXPECT_EQ(xyz.back(), last[3] + "," + last[4] + "," + last[5] + "\r");
    }
}

// Depths that cannot be are refused whatever their form: nothing logged, no alarm, and
// one report for the run of them.
TEST_F(SurveyPtyTest, ImpossibleDepthsAreNeitherLoggedNorAlarmed)
{
    startSurvey();
    fix(0, 4);
    depth("10.00", [&] { return linesOf(CoordinatesCsvPath).size() == 2; });
    ASSERT_TRUE(engine_->TakeEchogramDepth());
    depth("-5", [&] { return view_.Count("Sounder: an impossible depth was refused") == 1; });
    EXPECT_NE(chart_.BackColor, skerra::colors::Red);  // a depth alert at 2 m: no alarm
    EXPECT_FALSE(engine_->TakeEchogramDepth());
    for (const char* impossible : {"99999999", "1e300", "1e-320", "11000.5"})
        ASSERT_TRUE(sounderPty_.Write(sentence(std::string("SDDPT,") + impossible + ",0.0")));
    depth("12.00", [&] { return linesOf(CoordinatesCsvPath).size() == 3; });
    EXPECT_EQ(linesOf(xyzPath()).size(), 3);
    EXPECT_EQ(view_.Count("Sounder: an impossible depth was refused"), 1);
    EXPECT_EQ(linesOf(CoordinatesCsvPath)[2].split(',')[7], "12.64");
}

}  // namespace
