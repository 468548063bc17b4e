#include "SurveyEngine.h"

#include "canvas/THLayer.h"
#include "canvas/widget/THalvekCanvasCore.h"
#include "devices/serial/NmeaSentenceParser.h"
#include "navigation/survey/DepthCorrection.h"
#include "navigation/survey/FixQuality.h"
#include "navigation/survey/GeodesyLog.h"
#include "navigation/survey/GnssSentences.h"
#include "navigation/survey/GridProjection.h"
#include "navigation/survey/PositionText.h"
#include "navigation/survey/SounderSentence.h"
#include "navigation/survey/StatusLine.h"
#include "navigation/survey/SurveyClock.h"
#include "navigation/survey/SurveyCsvLines.h"
#include "navigation/survey/SurveyDevices.h"
#include "navigation/survey/SurveySettingsSource.h"
#include "navigation/survey/SurveyView.h"
#include "platform/DisplaySettings.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

#include <algorithm>
#include <cmath>

using namespace skerra::survey;

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString fixed(double v, int decimals) { return text(skerra::FormatFixed(v, decimals)); }

// "<what> <port> (<reason>)": the port is left out when none was chosen, the reason when there is none.
QString portFailure(const QString& what, const QString& port, const QString& reason)
{
    QString line = what;
    if (!port.isEmpty()) line += ' ' + port;
    if (!reason.isEmpty()) line += " (" + reason + ')';
    return line;
}

// A tick that is never 0, so 0 can mean "not armed".
std::int64_t armedTick(std::int64_t tick) { return std::max<std::int64_t>(tick, 1); }

const QString kVesselLayer = QStringLiteral("~~Halvek Vessel");
constexpr double kAlertOffValue = 1e-7;  // a depth that never raises the alert
const std::string kStoppedStatusLine = "Realtime stopped";

}  // namespace

SurveyEngine::SurveyEngine(SurveyDevices& devices, const SurveySettingsSource& settings, SurveyView& view,
                           THalvekCanvasCore& chart, const SurveyClock& clock)
    : devices_(devices), settings_(settings), view_(view), chart_(chart), clock_(clock),
      coordinates_(CoordinatesCsvPath, CoordinatesCsvHeaderLine()),
      simpleXyz_(XyzFolder + StartDate + " Simple XYZ.csv", SimpleXyzHeaderLine())
{
}

SurveyEngine::~SurveyEngine() = default;

// ---------------------------------------------------------------- reports

void SurveyEngine::Report(const QString& message, bool showWindow)
{
    state_.LastStatusMessage = LastStatusMessage = message;
    view_.AddMessageLine(message, showWindow);
    AppendAutoEvent(message.toStdString(), TodaysEventLogPath());
}

void SurveyEngine::ReportOnce(const std::string& key, const std::string& message)
{
    auto [it, inserted] = reported_.try_emplace(key, message);
    if (!inserted && it->second == message) return;
    it->second = message;
    Report(text(message));
}

void SurveyEngine::ReportEpisode(bool& failing, bool ok, const std::string& message)
{
    if (!ok && !failing) Report(text(message));
    failing = !ok;
}

void SurveyEngine::ReportLogFailure(bool& failing, const SurveyCsvFile& file, bool ok)
{
    ReportEpisode(failing, ok, ok ? std::string() : "Survey log not written: " + file.Problem());
}

// ---------------------------------------------------------------- start and stop

void SurveyEngine::RealtimeClicked(bool buttonDown)
{
    state_.RealtimeButtonDown = buttonDown;
    if (state_.RealtimeState == 0)
        Start();
    else
        Stop();
}

void SurveyEngine::StopSurvey()
{
    if (state_.RealtimeState == 1) Stop();
}

void SurveyEngine::SetMapTimer(bool enabled)
{
    state_.MapTimerEnabled = enabled;
    view_.SetMapTimerEnabled(enabled);
}

void SurveyEngine::Start()
{
    reported_.clear();
    // One snapshot of the grid settings for this run: the map tick projects with it
    // and the geodesy log records it. A log that cannot be written does not stop the start.
    const GridSettingsTexts grid = settings_.GridSettings();
    const std::string logProblem = LogGeodesySession(grid, clock_.Now(), LogFolder);
    if (!logProblem.empty()) Report(text("Geodesy log could not be written: " + logProblem));
    BuildProjection(grid);
    state_.SoundingFix = {};
    lastGgaTime_.clear();
    lastGgaGaveFix_ = true;
    speedText_.clear();  // no speed of the last run shows with this run's first fix
    const QStringList gnssUnset = devices_.ApplyPortSettings(SurveyDevice::Gnss);
    const QStringList sounderUnset = devices_.ApplyPortSettings(SurveyDevice::Sounder);
    const std::vector<OffsetProblem> offsetProblems = ReadOffsets();

    QString reason;
    if (devices_.Open(SurveyDevice::Gnss, reason)) {
        state_.GpsStartTick = armedTick(clock_.TickMs());
    } else {
        Report(portFailure("Cannot open GPS port", FailedPort(SurveyDevice::Gnss, reason), reason));
        KeepPositionReportShown(true);  // while the survey runs without a position
    }

    const SensorSettingsValues sensor = settings_.SensorSettings();
    if (sensor.sensorEnabled) {
        const QString port = devices_.PortName(SurveyDevice::Sounder);
        if (devices_.Open(SurveyDevice::Sounder, reason))
            view_.AddMessageLine("ZSENSOR Open called on port: " + port, false);
        else
            Report(portFailure("ZSENSOR Open failed:", FailedPort(SurveyDevice::Sounder, reason), reason), false);
        view_.SetEchogramTimerEnabled(true);
        state_.SensorStartTick = armedTick(clock_.TickMs());
        state_.SensorTimedOut = false;
        view_.ShowDepthFrames(false, false);
    } else {
        view_.ShowDepthFrames(false, false);
        view_.ShrinkRealtimeWindow();
    }
    ReportUnsetSettings(gnssUnset, sensor.sensorEnabled ? sounderUnset : QStringList(), offsetProblems);
    lowDepthShown_ = false;

    view_.SetRealtimeRunning(true);
    // Logged whether the GNSS port opened or not: the sounder may run and log alone.
    AppendAutoEvent("Realtime STARTED", TodaysEventLogPath());
    state_.RealtimeState = 1;
}

// The port the user chose is named: when the settings refused it (no such device file),
// the device kept another port, or none, and its own reason is not about this one.
QString SurveyEngine::FailedPort(SurveyDevice device, QString& reason) const
{
    const QString port = devices_.PortName(device);
    const QString chosen = QString::fromStdString(settings_.PortChoice(device)).trimmed();
    if (chosen.isEmpty() || chosen == port) return port;
    reason = QStringLiteral("does not exist");
    return chosen;
}

void SurveyEngine::Stop()
{
    // The ports close on purpose: their disconnects are no fault to report.
    closingPorts_ = true;
    devices_.Close(SurveyDevice::Gnss);
    devices_.Close(SurveyDevice::Sounder);
    closingPorts_ = false;
    SetMapTimer(false);
    view_.SetEchogramTimerEnabled(false);
    state_.SensorDataSeen = false;
    state_.LastSensorTick = state_.SensorStartTick = 0;
    state_.SensorTimedOut = false;
    state_.GpsStartTick = 0;
    state_.SoundingFix.current = false;
    KeepPositionReportShown(false);
    view_.SetEchogramVisible(false);
    ShowReadingsStopped();
    view_.SetRealtimeRunning(false);
    state_.RealtimeButtonDown = false;  // whatever a disconnect did to it meanwhile
    view_.SetRealtimeButtonDown(false);
    AppendAutoEvent("Realtime STOPPED", TodaysEventLogPath());
    coordinates_.Close();
    simpleXyz_.Close();
    state_.RealtimeState = 0;
}

// Nothing on screen may pass for a live reading once the survey stopped: a depth
// alert's red goes, the chart's depth box empties, its position box says that the
// survey stopped, the status bar shows no position and the numbers window shows no
// readings, in no fix's colours.
void SurveyEngine::ShowReadingsStopped()
{
    if (chart_.BackColor == skerra::colors::Red) chart_.SetBackColor(settings_.NavigationDisplay().chartColour);
    chart_.SetCurrentDepth(0, 0, false);
    chart_.SetCurrentSpeed(0, false);
    state_.GGAOverlayText = kStoppedStatusLine;
    state_.LastFixQuality = 0;
    lastShownFixQuality_ = -1;  // the next start colours the GPS box by its first fix
    const QString none = QStringLiteral("---");
    view_.SetGnssNumbers(none, none, none, none);
    view_.SetSpeedText(none);
    view_.SetDepthTexts(none, none);
    view_.SetStatusPanelText(0, none);
    view_.SetStatusPanelText(1, none);
    view_.SetGpsBoxColour(skerra::colors::Silver);
    view_.SetDepthFrameColour(skerra::colors::Silver);
    chart_.Refresh();
}

void SurveyEngine::BuildProjection(const GridSettingsTexts& grid)
{
    projection_ = GridProjection::Build(grid, projectionProblem_);
    const GeodesyParameterTexts texts = BuildParameterTexts(grid);
    state_.DatumParams = texts.datum;
    state_.EllipsoidParams = EllipsoidParams = texts.ellipsoid;
    state_.TMParams = TMParams = texts.tm;
}

std::vector<SurveyEngine::OffsetProblem> SurveyEngine::ReadOffsets()
{
    std::vector<OffsetProblem> problems;
    const SurveyOffsetsTexts offsets = settings_.Offsets();
    const struct {
        const char* key;
        const char* name;
        const std::string& value;
        double& copy;
    } edits[] = {
        {"offset.draft", "transducer draft", offsets.offsetA, state_.TransducerDraft},
        {"offset.sv", "sound velocity", offsets.soundVelocity, state_.SoundVelocity},
        {"offset.antenna", "antenna offset", offsets.offsetC, state_.AntennaOffset},
        {"offset.tide", "manual tide", offsets.tideHeight, state_.ManualTide},
    };
    for (const auto& e : edits) {
        if (const auto v = skerra::tryParseDouble(e.value))
            e.copy = *v;
        else
            problems.push_back(
                {e.key, e.name, e.value, std::string("Offsets: bad value in the ") + e.name + ": '" + e.value + "'"});
    }
    return problems;
}

void SurveyEngine::CopyOffsets()
{
    for (const OffsetProblem& p : ReadOffsets()) ReportOnce(p.key, p.message);
}

void SurveyEngine::ReportUnsetSettings(const QStringList& gnss, const QStringList& sounder,
                                       const std::vector<OffsetProblem>& offsets)
{
    QStringList offsetNames;
    for (const OffsetProblem& p : offsets) {
        reported_[p.key] = p.message;  // the summary said it: the lines that follow do not repeat it
        const QString name = text(p.name);
        offsetNames << (QString::fromStdString(p.value).trimmed().isEmpty()
                            ? name
                            : QStringLiteral("%1 '%2'").arg(name, text(p.value)));
    }
    QStringList groups;
    const auto add = [&groups](const char* group, const QStringList& names) {
        if (!names.isEmpty()) groups << QLatin1String(group) + QStringLiteral(" - ") + names.join(QStringLiteral(", "));
    };
    add("GPS Set", gnss);
    add("SBES Set", sounder);
    add("Offsets", offsetNames);
    if (!groups.isEmpty())
        Report(QStringLiteral("Not set, previous values kept: ") + groups.join(QStringLiteral("; ")));
}

// ---------------------------------------------------------------- port reports

void SurveyEngine::OnGnssConnect(const QString& port)
{
    Report("Connected to GPS on " + port, false);
    state_.RealtimeButtonDown = true;
    view_.SetRealtimeButtonDown(true);
    state_.VesselLayerId = chart_.LayerFindByName(kVesselLayer);
    if (state_.VesselLayerId >= 0) chart_.SetLayerAction(state_.VesselLayerId, 1);
}

void SurveyEngine::OnGnssDisconnect(const QString& port)
{
    if (closingPorts_) return;
    SetMapTimer(false);
    Report("Disconnected from GPS on " + port);
    state_.RealtimeButtonDown = false;
    view_.SetRealtimeButtonDown(false);
    MarkPositionStale(true);
}

void SurveyEngine::OnGnssIdle()
{
    SetMapTimer(false);
    state_.GpsLatitude = state_.GpsLongitude = 0;
    Report(QStringLiteral("GPS is idle!"));
    view_.SetGpsBoxColour(skerra::colors::Red);
    MarkPositionStale(true);
}

void SurveyEngine::OnGnssTimeout()
{
    Report(QStringLiteral("GPS Timeout!"));
    view_.SetGnssMonitorColour(skerra::colors::Red);
    MarkPositionStale(true);
}

// No sounding takes the last position until a new fix arrives; the realtime window and
// the chart's position box say that there is no fix and show no speed as live, and a
// report stays on screen while the survey runs.
void SurveyEngine::MarkPositionStale(bool reported)
{
    state_.SoundingFix.current = false;
    UpdateStatusTexts(0, 0);
    view_.SetGpsBoxColour(GpsBoxColour(0));
    lastShownFixQuality_ = 0;
    ShowSpeed(false);
    chart_.Refresh();
    if (reported && state_.RealtimeState == 1) KeepPositionReportShown(true);
}

bool SurveyEngine::PositionCurrent()
{
    const SurveyState::ProjectedFix& fix = state_.SoundingFix;
    if (fix.current && clock_.TickMs() - fix.tick > kFixMaxAgeMs) MarkPositionStale(false);
    return fix.current;
}

void SurveyEngine::ShowSpeed(bool live)
{
    chart_.SetCurrentSpeed(live ? state_.SpeedKnots : 0, live);
    if (!speedText_.isEmpty()) view_.SetSpeedText(live ? speedText_ : QStringLiteral("---"));
}

void SurveyEngine::KeepPositionReportShown(bool keep)
{
    if (keep == positionReportKept_) return;
    positionReportKept_ = keep;
    view_.KeepMessageWindowShown(keep);
}

void SurveyEngine::OnGnssSend(const std::string& sent) { Report("Command sent to device: " + text(sent)); }

void SurveyEngine::OnSensorTimeout()
{
    Report(QStringLiteral("Sensor TimeOut."));
    view_.SetDepthFrameColour(skerra::colors::Red);
}

bool SurveyEngine::SensorWatchTick()
{
    if (state_.SensorTimedOut || state_.SensorStartTick == 0) return false;
    const std::int64_t since = state_.LastSensorTick != 0 ? state_.LastSensorTick : state_.SensorStartTick;
    if (clock_.TickMs() - since <= kSensorTimeoutMs) return false;
    state_.SensorTimedOut = true;
    view_.SetEchogramVisible(false);
    state_.SensorDataSeen = false;
    OnSensorTimeout();
    return true;
}

std::optional<double> SurveyEngine::TakeEchogramDepth()
{
    const bool fresh = state_.NewDepthAvailable && devices_.Connected(SurveyDevice::Sounder);
    state_.NewDepthAvailable = false;
    if (!fresh) return std::nullopt;
    return state_.PrimaryDepth;
}

// ---------------------------------------------------------------- GNSS sentences

void SurveyEngine::OnGnssLine(const std::string& line)
{
    if (!state_.MapTimerEnabled && state_.GpsStartTick != 0) {
        SetMapTimer(true);
        view_.SetGpsBoxColour(skerra::colors::Lime);
        view_.SetGnssMonitorColour(skerra::colors::White);
    }
    if (settings_.EchoToMonitor()) view_.AddGnssMonitorLine(line);

    if (HasSentenceType(line, "HDT"))
        if (const auto heading = HdtHeading(line)) state_.GyroHeading = *heading;
    if (HasSentenceType(line, "RMC"))
        if (const auto speed = RmcSpeedKnots(line)) state_.SpeedKnots = *speed;
    if (HasSentenceType(line, "VTG"))
        if (const auto speed = VtgSpeedKnots(line)) state_.SpeedKnots = *speed;

    CopyOffsets();

    if (HasSentenceType(line, "GGA")) {
        if (const auto gga = GgaHeightValues(line)) TakeRtkHeights(*gga);
        TakeGgaEpoch(line);
    }

    // The device parses the line after this handler: this is the previous GGA's quality.
    const int quality = PositionCurrent() ? devices_.GnssFix().fixQuality : 0;
    if (quality != lastShownFixQuality_) {
        view_.SetGpsBoxColour(GpsBoxColour(quality));
        lastShownFixQuality_ = quality;
    }
}

void SurveyEngine::TakeRtkHeights(const GgaValues& gga)
{
    const auto rtk = RtkHeightsFromGga(gga, state_.AntennaOffset);
    if (gga.fixQuality == 4)
        ReportEpisode(rtkHeightRefused_, rtk.has_value(), "GPS: an RTK antenna height that is not a finite number was refused");
    if (!rtk) return;
    state_.RtkAntennaHeight = rtk->antennaHeight;
    state_.RtkTide = rtk->tide;
}

// A new fix keeps the position current (the device reports a position only when it
// changed); a GGA that is no fix makes it stale; a repeat changes nothing, so that
// with only repeats the position ages and goes stale.
void SurveyEngine::TakeGgaEpoch(const std::string& line)
{
    const GgaEpoch epoch = ReadGgaEpoch(line, lastGgaTime_);
    if (epoch.kind == GgaFix::Damaged) return;
    lastGgaTime_ = epoch.time;
    lastGgaGaveFix_ = epoch.kind == GgaFix::NewFix;
    if (epoch.kind == GgaFix::NoFix && state_.SoundingFix.current) MarkPositionStale(false);
    if (epoch.kind != GgaFix::NewFix) return;
    if (state_.SoundingFix.current)
        state_.SoundingFix.tick = clock_.TickMs();
    else
        RecoverPosition(line);
}

// The device reports a position only when it changed: after a stale report a vessel
// that lies still would never have its fix back. The GGA itself brings it back.
void SurveyEngine::RecoverPosition(const std::string& line)
{
    skerra::NmeaFix fix;
    if (skerra::ParseSentence(line, fix).Position) OnGnssPosition(fix.Latitude, fix.Longitude, fix.Altitude);
}

void SurveyEngine::OnGnssPosition(double latitude, double longitude, double altitude)
{
    state_.GpsLatitude = latitude;
    state_.GpsLongitude = longitude;
    state_.GpsAltitude = altitude;
    // Each fix is projected as it arrives, with the start's grid snapshot: a sounding
    // logs this fix and the grid position that belongs to it.
    const auto grid = ProjectOntoGrid(latitude, longitude, altitude);
    if (!grid) {
        state_.SoundingFix.current = false;
        return;
    }
    if (!lastGgaGaveFix_) return;  // a repeated GGA that moved: not a new fix
    const bool wasCurrent = state_.SoundingFix.current;
    state_.SoundingFix = {latitude, longitude, grid->easting, grid->northing, true, true, clock_.TickMs()};
    KeepPositionReportShown(false);
    if (!wasCurrent) ShowSpeed(true);
}

void SurveyEngine::OnGnssSpeed(double kmh)
{
    ReportEpisode(speedRefused_, std::isfinite(kmh), "GPS: a speed that is not a finite number was refused");
    if (!std::isfinite(kmh)) return;
    const std::string knots = skerra::FormatFixed(kmh / 1.852, 1);
    state_.SpeedLabelKnots = skerra::tryParseDouble(knots).value_or(0.0);
    speedText_ = text(knots);
    if (state_.SoundingFix.current) view_.SetSpeedText(speedText_);
}

// ---------------------------------------------------------------- map tick

void SurveyEngine::MapTick()
{
    const bool measure = settings_.LatencyWindowVisible();
    const std::int64_t started = clock_.TickMs();
    const bool havePosition = state_.GpsLatitude != 0 || state_.GpsLongitude != 0;
    const GnssFixValues fix = devices_.GnssFix();
    const SensorSettingsValues sensor = settings_.SensorSettings();
    const bool current = PositionCurrent();
    const int quality = current ? fix.fixQuality : 0;

    if (havePosition) view_.SetVesselPosition(state_.GpsLatitude, state_.GpsLongitude, state_.GpsAltitude);
    UpdateStatusTexts(quality, fix.satellites);

    // The vessel stays where it was last seen; the track, the depth labels and the
    // status bar take only a current position.
    if (havePosition && ProjectPosition()) {
        state_.GridHeading = (sensor.gyroEnabled ? state_.GyroHeading : fix.course) + state_.GridConvergence;
        FollowVessel();
        DrawVessel();
        if (current) {
            view_.SetStatusPanelText(0, text(DmsText(state_.GpsLatitude, state_.GpsLongitude)));
            view_.SetStatusPanelText(1, text(GridPositionText(state_.GridEasting, state_.GridNorthing)));
            DrawTrackMark(quality);
            PlaceDepthLabel();
        }
    }
    UpdateDepthSpeedBox(sensor.sensorEnabled, current);

    if (measure) {
        latency_.Add(clock_.TickMs() - started);
        view_.SetLatencyTexts(text(latency_.CurrentText()), text(latency_.AverageText()));
    }
}

void SurveyEngine::UpdateStatusTexts(int fixQuality, int satellites)
{
    // Without a fix the last fix's speed and heights are no readings.
    const bool live = fixQuality != 0;
    const bool offsetsOpen = settings_.OffsetsWindowVisible();
    const std::string tide = offsetsOpen || !live ? "-" : skerra::FormatFixed(state_.RtkTide, 2);
    const std::string antenna = live ? skerra::FormatFixed(state_.RtkAntennaHeight, 2) : "-";
    view_.SetGnssNumbers(text(skerra::IntToStr(fixQuality)), text(antenna), text(tide),
                         text(skerra::IntToStr(satellites)));
    state_.LastFixQuality = fixQuality;
    StatusLineValues line{fixQuality, state_.SpeedLabelKnots, satellites, state_.RtkAntennaHeight, tide, {}};
    line.live = live;
    if (settings_.SensorSettings().sensorEnabled && state_.DepthCurrent() && state_.PrimaryDepth > 0)
        line.depth = state_.PrimaryDepth;
    state_.GGAOverlayText = StatusLine(line);
}

std::optional<GridFix> SurveyEngine::ProjectOntoGrid(double latitude, double longitude, double altitude)
{
    if (!projection_ && projectionProblem_.empty()) BuildProjection(settings_.GridSettings());  // before any start
    if (!projection_) {
        ReportOnce("grid", "Map: " + projectionProblem_);
        return std::nullopt;
    }
    auto grid = projection_->Project(latitude, longitude, altitude);
    if (grid && !(std::isfinite(grid->easting) && std::isfinite(grid->northing) && std::isfinite(grid->convergence)))
        grid.reset();
    if (!grid) ReportOnce("projection", "Map: the position cannot be projected onto the grid");
    return grid;
}

bool SurveyEngine::ProjectPosition()
{
    const auto grid = ProjectOntoGrid(state_.GpsLatitude, state_.GpsLongitude, state_.GpsAltitude);
    if (!grid) return false;
    state_.GridEasting = grid->easting;
    state_.GridNorthing = grid->northing;
    state_.GridConvergence = grid->convergence;
    return true;
}

void SurveyEngine::FollowVessel()
{
    // While the user draws a shape the view stays where it is. The pan goes by whole
    // pixels, so the chart moves its picture instead of drawing it all again; the
    // vessel stays within half a pixel of the centre.
    if (state_.FollowVesselEnabled && !chart_.DrawingActive)
        chart_.WorldPanRounded(state_.GridEasting - (chart_.WorldLeft + chart_.WorldRight) / 2,
                        state_.GridNorthing - (chart_.WorldTop + chart_.WorldBottom) / 2);
    else
        chart_.Refresh();
}

std::optional<int> SurveyEngine::WidthFrom(const std::string& value, const char* name)
{
    const auto width = skerra::tryParseInt(value);
    if (!width) ReportOnce(name, std::string("Navigation settings: bad value in the ") + name + ": '" + value + "'");
    return width;
}

void SurveyEngine::SetLayerPen(int layer, TColor colour, int width)
{
    // Each change restyles every shape of the layer: only when it differs.
    const THLayer* l = chart_.FindLayer(layer);
    if (!l) return;
    if (l->penColor != colour) chart_.SetLayerPenFg(layer, colour);
    if (l->penWidth != width) chart_.SetLayerPenWidth(layer, width);
}

int SurveyEngine::VesselLayer()
{
    // A layout loaded since the port connected may have brought the layers anew.
    const THLayer* l = chart_.FindLayer(state_.VesselLayerId);
    if (!l || l->name != kVesselLayer) state_.VesselLayerId = chart_.LayerFindByName(kVesselLayer);
    return state_.VesselLayerId;
}

void SurveyEngine::DrawVessel()
{
    const int layer = VesselLayer();
    if (layer < 0) return;
    chart_.CadClearShapes(layer);

    std::string problem;
    UpdateVesselShape(vesselShape_, settings_.VesselShape(), problem);
    if (!problem.empty()) ReportOnce("vessel shape", "Vessel shape: " + problem);

    const NavigationDisplayValues display = settings_.NavigationDisplay();
    if (const auto width = WidthFrom(display.vesselWidth, "vessel width")) vesselWidth_ = *width;
    SetLayerPen(layer, display.vesselColour, vesselWidth_);
    const double e = state_.GridEasting, n = state_.GridNorthing;
    for (const Segment& s : VesselLines(e, n, state_.GridHeading, vesselShape_)) chart_.DrawLine(s.x1, s.y1, s.x2, s.y2, layer);
    for (const double r : RingRadii(vesselShape_)) chart_.DrawCircle(e, n, r, layer);
}

void SurveyEngine::DrawTrackMark(int fixQuality)
{
    const double e = state_.GridEasting, n = state_.GridNorthing;
    if (!trackStarted_) {
        lastTrackEasting_ = e;
        lastTrackNorthing_ = n;
        trackStarted_ = true;
        return;
    }
    const NavigationDisplayValues display = settings_.NavigationDisplay();
    const auto distance = skerra::tryParseDouble(display.trackDistance);
    if (!distance) {
        ReportOnce("track distance", "Navigation settings: bad value in the track distance: '" + display.trackDistance + "'");
        return;
    }
    const double moved = std::hypot(e - lastTrackEasting_, n - lastTrackNorthing_);
    if (moved <= 0 || moved < *distance) return;  // a stationary vessel adds no mark

    const TrackLayerChoice choice = TrackLayerFor(fixQuality, display);
    const int layer = chart_.LayerFindByName(QString::fromLatin1(choice.layerName));
    if (layer >= 0) {
        if (const auto width = WidthFrom(display.trackWidth, "track width")) trackWidth_ = *width;
        SetLayerPen(layer, choice.colour, trackWidth_);
        if (display.lineOrDot)
            chart_.DrawLine(e, n, lastTrackEasting_, lastTrackNorthing_, layer);
        else
            chart_.DrawPoint(e, n, layer);
    }
    lastTrackEasting_ = e;
    lastTrackNorthing_ = n;
}

void SurveyEngine::PlaceDepthLabel()
{
    if (!DisplaySettings::ShowDepthLabels || !state_.DepthCurrent() || !(state_.PrimaryDepth > 0)) return;
    auto wanted = std::tuple{DisplaySettings::DepthLabelSpacing, DisplaySettings::DepthLabelFontName,
                             DisplaySettings::DepthLabelFontSize, DisplaySettings::DepthLabelTextColor};
    if (depthLabelSettings_ != wanted) {
        chart_.SetDepthLabelSettings(true, DisplaySettings::DepthLabelSpacing,
                                     text(DisplaySettings::DepthLabelFontName), DisplaySettings::DepthLabelFontSize,
                                     DisplaySettings::DepthLabelTextColor);
        depthLabelSettings_ = std::move(wanted);
    }
    // The chart drops a label within the spacing of any label it holds; near the
    // last one it took, the engine need not ask (the chart's test runs over all labels).
    const double e = state_.GridEasting, n = state_.GridNorthing;
    if (chart_.DepthLabels.empty()) lastDepthLabel_.reset();
    if (lastDepthLabel_ && std::hypot(e - lastDepthLabel_->first, n - lastDepthLabel_->second) < chart_.DepthLabelSpacing)
        return;
    chart_.AddDepthLabel(e, n, state_.PrimaryDepth);
    if (!chart_.DepthLabels.empty() && chart_.DepthLabels.back().x == e && chart_.DepthLabels.back().y == n)
        lastDepthLabel_ = std::pair{e, n};
}

void SurveyEngine::UpdateDepthSpeedBox(bool sensorEnabled, bool positionCurrent)
{
    if (sensorEnabled) {
        // Only a current depth is shown; the low one beside it while its frame is up
        // and it is not already the primary depth.
        const bool current = state_.DepthCurrent();
        const bool showLow = current && lowDepthShown_ && state_.TrueDepthHigh != 0;
        chart_.SetCurrentDepth(current ? state_.PrimaryDepth : 0, showLow ? state_.TrueDepthLow : 0, current);
    }
    chart_.SetCurrentSpeed(positionCurrent ? state_.SpeedKnots : 0, positionCurrent);
}

// ---------------------------------------------------------------- depth sentences

std::optional<double> SurveyEngine::DepthAlertLimit()
{
    const std::string value = settings_.NavigationDisplay().depthAlert;
    const auto limit = skerra::tryParseDouble(value);
    if (!limit) ReportOnce("depth alert", "Navigation settings: bad value in the depth alert: '" + value + "'");
    return limit;
}

void SurveyEngine::ApplyDepthAlert(std::optional<double> limit)
{
    if (!state_.RealtimeButtonDown || !limit) return;
    const double depth = state_.PrimaryDepth;
    const bool alert = depth <= *limit && depth != kAlertOffValue;
    chart_.SetBackColor(alert ? skerra::colors::Red : settings_.NavigationDisplay().chartColour);
    chart_.Refresh();
}

void SurveyEngine::OnSensorLine(const std::string& line)
{
    state_.LastSensorTick = armedTick(clock_.TickMs());
    state_.SensorTimedOut = false;
    const SensorSettingsValues sensor = settings_.SensorSettings();
    if (!state_.SensorDataSeen) {
        view_.SetEchogramVisible(true);
        lowDepthShown_ = SounderTypeHasLowDepth(sensor.messageType);
        view_.ShowDepthFrames(true, lowDepthShown_);
        state_.SensorDataSeen = true;
    }
    if (settings_.EchoToMonitor()) view_.AddSensorMonitorLine(line);
    view_.SetDepthFrameColour(skerra::colors::Lime);

    const std::optional<double> limit = DepthAlertLimit();
    if (limit) state_.DepthAlertLimit = *limit;
    CopyOffsets();
    const double draft = state_.TransducerDraft;

    const skerra::ScanFormat* format = scanFormat_.For(sensor.scanFormat);
    const SounderReading reading = ReadSounderLine(line, sensor.messageType, format);
    if (!reading.accepted) return;
    if (!format) ReportOnce("scan format", "Sounder: " + scanFormat_.Problem());

    CorrectedDepths depths;
    if (reading.parsed) {
        depths = CorrectDepths(reading, state_.SoundVelocity, draft, settings_.SoundVelocityProfile());
        ReportEpisode(depthRefused_, !depths.outOfRange, "Sounder: " + depths.problem + ": '" + line + "'");
        if (!depths.problem.empty() && !depths.outOfRange)
            ReportOnce(depths.ok ? "profile range" : "sound velocity", "Sounder: " + depths.problem);
    }
    if (!depths.ok) {
        state_.TrueDepthHigh = state_.TrueDepthLow = state_.PrimaryDepth = 0;
        view_.SetDepthTexts(QStringLiteral("--.-"), QStringLiteral("--.-"));
        return;
    }

    state_.TrueDepthHigh = depths.high;
    state_.TrueDepthLow = depths.low;
    state_.PrimaryDepth = reading.lowOnly ? depths.low : depths.high;
    view_.SetDepthTexts(fixed(depths.high, 2), fixed(depths.low, 2));
    if (reading.hasBattery) view_.SetBatteryText(fixed(reading.battery, 2));
    state_.NewDepthAvailable = true;
    ApplyDepthAlert(limit);

    if (reading.PrimaryRaw() != 0) WriteSurveyLogs(reading, sensor.messageType, depths.velocityUsed, draft);
}

void SurveyEngine::WriteSurveyLogs(const SounderReading& reading, const std::string& messageType,
                                   double velocityUsed, double draft)
{
    const bool current = PositionCurrent();
    const SurveyState::ProjectedFix& fix = state_.SoundingFix;
    CoordinateLogValues v;
    v.time = clock_.Now();
    v.hasPosition = fix.known;
    v.latitude = fix.latitude;
    v.longitude = fix.longitude;
    v.easting = fix.easting;
    v.northing = fix.northing;
    v.manualTide = state_.ManualTide;
    v.trueHigh = state_.TrueDepthHigh;
    v.trueLow = state_.TrueDepthLow;
    v.rawHigh = reading.rawHigh;
    v.rawLow = reading.rawLow;
    v.messageFormat = messageType;
    v.soundVelocity = velocityUsed;
    v.draft = draft;
    // A stale position has no fix, and the last fix's RTK heights are no current ones.
    v.fixQuality = current ? devices_.GnssFix().fixQuality : 0;
    v.hasRtkHeights = current;
    v.antennaHeight = state_.RtkAntennaHeight;
    v.rtkTide = state_.RtkTide;
    ReportLogFailure(coordinatesFailing_, coordinates_, coordinates_.Append(CoordinatesCsvLine(v)));

    if (!current) return;
    ReportLogFailure(xyzFailing_, simpleXyz_,
                     simpleXyz_.Append(SimpleXyzLine(fix.easting, fix.northing, state_.ManualTide - state_.PrimaryDepth)));
}
