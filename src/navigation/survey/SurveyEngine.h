#pragma once
// The realtime survey: start and stop, the port reports, the GNSS and sounder
// sentences, the map tick and the two survey logs.
//
// The engine owns the survey state and reaches the world through narrow
// interfaces: the serial devices, the settings windows' values, a view for what
// is shown, the chart core (its drawing methods redraw in part) and a clock. The
// main window forwards its events and timer ticks here and adapts its widgets to
// the interfaces. Everything runs on the user-interface thread.
//
// Reports go three ways: LastStatusMessage (the state's and the program-wide one),
// a line of the message window and an entry in the day's event log. A problem with
// a setting or a file is reported once (per start, or per episode for the logs and
// for readings refused as not finite), never at every line or tick.

#include "canvas/widget/CanvasStatusSource.h"
#include "navigation/survey/LatencyMeter.h"
#include "navigation/survey/SurveyDevices.h"
#include "navigation/survey/SounderScanFormat.h"
#include "navigation/survey/SurveyCsvFile.h"
#include "navigation/survey/SurveyState.h"
#include "navigation/survey/VesselGeometry.h"
#include "platform/Colour.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <string>
#include <vector>
#include <utility>

class SurveyClock;
class SurveyDevices;
class SurveySettingsSource;
class SurveyView;
class THalvekCanvasCore;
struct GridSettingsTexts;
struct SensorSettingsValues;

namespace skerra::survey {
class GridProjection;
struct GgaValues;
struct GridFix;
struct SounderReading;
}

class SurveyEngine : public CanvasStatusSource {
public:
    // The coordinate CSV and the simple XYZ file are named now, from the start
    // day's folders (CoordinatesCsvPath, XyzFolder, StartDate).
    SurveyEngine(SurveyDevices& devices, const SurveySettingsSource& settings, SurveyView& view,
                 THalvekCanvasCore& chart, const SurveyClock& clock);
    ~SurveyEngine() override;

    // The Realtime button was clicked; buttonDown: its Down state after the click.
    // Starts when stopped, stops when started.
    void RealtimeClicked(bool buttonDown);
    // Stops a running survey as the Stop button does (the program closes).
    void StopSurvey();

    // The GNSS device's events. Each GGA position is projected onto the grid as it
    // arrives; a sounding logs that fix and its grid position. The position goes stale
    // until the next fix with the disconnect, idle and time-out reports, with a GGA
    // that is no fix (quality 0, no usable position) and when no new fix came for
    // kFixMaxAgeMs (a silent link, or only repeats of the last GGA): soundings then go
    // to the coordinate CSV with fix quality 0 and not to the simple XYZ file, and the
    // screen shows no fix.
    void OnGnssConnect(const QString& port);
    void OnGnssDisconnect(const QString& port);
    void OnGnssIdle();
    void OnGnssTimeout();
    void OnGnssSend(const std::string& text);
    void OnGnssLine(const std::string& line);
    void OnGnssPosition(double latitude, double longitude, double altitude);
    void OnGnssSpeed(double kmh);

    // The sounder's line event.
    void OnSensorLine(const std::string& line);
    // The echogram timer's sensor watch: after 5000 ms without a depth sentence
    // the echogram hides and "Sensor TimeOut." is reported, once per silence.
    // True when it timed out now.
    bool SensorWatchTick();
    void OnSensorTimeout();
    // The echogram timer's second step: the primary depth when a new one came
    // in since the last tick and the sounder is connected. Every call takes the
    // new-depth mark away, whether it returns a depth or not.
    std::optional<double> TakeEchogramDepth();

    // One tick of the map timer.
    void MapTick();
    // Whether the map timer should run; the view hears every change too.
    bool MapTimerWanted() const { return state_.MapTimerEnabled; }

    // The follow-vessel switch of the chart commands.
    void SetFollowVessel(bool follow) { state_.FollowVesselEnabled = follow; }

    // What the chart's position box reads.
    std::string GGAOverlayText() const override { return state_.GGAOverlayText; }
    int LastFixQuality() const override { return state_.LastFixQuality; }

    const SurveyState& State() const { return state_; }
    const LatencyMeter& Latency() const { return latency_; }
    const SurveyCsvFile& CoordinatesLog() const { return coordinates_; }
    const SurveyCsvFile& SimpleXyzLog() const { return simpleXyz_; }

    // A report the three ways; showWindow: bring the message window up first.
    void Report(const QString& text, bool showWindow = true);

    static constexpr std::int64_t kSensorTimeoutMs = 5000;
    // Receivers send 1 to 20 fixes a second: at 1 Hz one missed epoch is normal, two are not.
    static constexpr std::int64_t kFixMaxAgeMs = 2000;

private:
    void Start();
    void Stop();
    void ShowReadingsStopped();
    void SetMapTimer(bool enabled);
    void BuildProjection(const GridSettingsTexts& grid);
    // The offsets' texts into the survey's numbers. One that is no number keeps its
    // previous value; the run reports it once (a start in its summary line).
    struct OffsetProblem {
        std::string key, name, value, message;
    };
    std::vector<OffsetProblem> ReadOffsets();
    void CopyOffsets();
    // The port to name in an open failure; reason: the device's, or why the settings refused the port.
    QString FailedPort(SurveyDevice device, QString& reason) const;
    // One line after the port reports: every setting the start found unset or unusable.
    void ReportUnsetSettings(const QStringList& gnss, const QStringList& sounder,
                             const std::vector<OffsetProblem>& offsets);
    void ReportOnce(const std::string& key, const std::string& text);
    // Reported when a run of failures begins; `failing` holds whether one is under way.
    void ReportEpisode(bool& failing, bool ok, const std::string& text);
    void ReportLogFailure(bool& failing, const SurveyCsvFile& file, bool ok);

    // GNSS steps.
    void TakeRtkHeights(const skerra::survey::GgaValues& gga);
    void TakeGgaEpoch(const std::string& line);
    void RecoverPosition(const std::string& line);
    // The sounding fix is current: a fix came, nothing took it away, and it is no older
    // than kFixMaxAgeMs (an older one is marked stale here).
    bool PositionCurrent();
    // reported: a report said why; it then stays on screen while the survey runs.
    void MarkPositionStale(bool reported);
    void ShowSpeed(bool live);
    void KeepPositionReportShown(bool keep);
    std::optional<skerra::survey::GridFix> ProjectOntoGrid(double latitude, double longitude, double altitude);

    // Map tick steps.
    void UpdateStatusTexts(int fixQuality, int satellites);
    bool ProjectPosition();
    void FollowVessel();
    void DrawVessel();
    void DrawTrackMark(int fixQuality);
    void PlaceDepthLabel();
    void UpdateDepthSpeedBox(bool sensorEnabled, bool positionCurrent);
    void SetLayerPen(int layer, TColor colour, int width);
    int VesselLayer();
    std::optional<int> WidthFrom(const std::string& text, const char* name);

    // Depth steps.
    std::optional<double> DepthAlertLimit();
    void ApplyDepthAlert(std::optional<double> limit);
    void WriteSurveyLogs(const skerra::survey::SounderReading& reading, const std::string& messageType,
                         double velocityUsed, double draft);

    SurveyDevices& devices_;
    const SurveySettingsSource& settings_;
    SurveyView& view_;
    THalvekCanvasCore& chart_;
    const SurveyClock& clock_;

    SurveyState state_;
    int lastShownFixQuality_ = 0;
    bool lowDepthShown_ = false;
    bool positionReportKept_ = false;  // the message window stays up for a lost position
    bool closingPorts_ = false;        // Stop closes the ports: their disconnects are no fault
    std::string lastGgaTime_;          // the time field of the last GGA
    bool lastGgaGaveFix_ = true;       // the last GGA was a new fix (else its position counts not)
    QString speedText_;                // the last speed for the realtime window, knots

    // Map tick.
    std::unique_ptr<skerra::survey::GridProjection> projection_;
    std::string projectionProblem_;
    skerra::survey::VesselShape vesselShape_;
    double lastTrackEasting_ = 0, lastTrackNorthing_ = 0;
    bool trackStarted_ = false;
    LatencyMeter latency_;
    std::optional<std::tuple<double, std::string, int, TColor>> depthLabelSettings_;
    std::optional<std::pair<double, double>> lastDepthLabel_;  // the last label the chart took
    int vesselWidth_ = 2, trackWidth_ = 2;

    // Depths.
    skerra::survey::SounderScanFormat scanFormat_;

    // Readings refused for a value that is not a finite number, each reported once a run.
    bool depthRefused_ = false, speedRefused_ = false, rtkHeightRefused_ = false;

    // Logs.
    SurveyCsvFile coordinates_;
    SurveyCsvFile simpleXyz_;
    bool coordinatesFailing_ = false, xyzFailing_ = false;

    // Problems already reported since the last start: key -> text.
    std::map<std::string, std::string> reported_;
};
