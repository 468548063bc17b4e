#pragma once
// The survey values the main window's Parts share: realtime state, sensor watch,
// position and grid, heading and speed, offsets, depths and the texts the chart's
// position box reads. One instance, owned by the survey engine; read everywhere,
// written by the engine only. Ticks are milliseconds of the monotonic clock.

#include <QString>

#include <cstdint>
#include <string>

struct SurveyState {
    // Realtime start and stop.
    int RealtimeState = 0;            // 0 stopped, 1 started
    bool RealtimeButtonDown = false;  // the Realtime button's Down state
    std::int64_t GpsStartTick = 0;    // tick of the last start, 0 while stopped
    std::int64_t SensorStartTick = 0;
    std::int64_t LastSensorTick = 0;  // tick of the last depth sentence
    bool SensorTimedOut = false;
    bool SensorDataSeen = false;
    bool MapTimerEnabled = false;     // tMap runs

    // Position (WGS84 degrees, south and west negative; metres).
    double GpsLatitude = 0, GpsLongitude = 0, GpsAltitude = 0;
    double GridEasting = 0, GridNorthing = 0;  // local grid, metres: the map tick's
    double GridConvergence = 1e-9;     // degrees
    double GridHeading = 1e-9;         // degrees
    double GyroHeading = 1e-9;         // degrees
    double SpeedKnots = 0;
    double SpeedLabelKnots = 0;        // the realtime window's speed, one decimal
    double RtkAntennaHeight = 0, RtkTide = 0;  // metres

    // Copies of the offsets last confirmed in the offsets window.
    double TransducerDraft = 0;  // metres
    double SoundVelocity = 0;    // m/s
    double AntennaOffset = 0;    // metres
    double ManualTide = 0;       // metres

    // The position a sounding logs: the last GGA fix, projected onto the grid as it
    // arrived, so its grid position always belongs to its latitude and longitude.
    struct ProjectedFix {
        double latitude = 0, longitude = 0;  // WGS84 degrees
        double easting = 0, northing = 0;    // local grid, metres
        bool known = false;    // a fix was projected since the start
        bool current = false;  // and no report or no-fix sentence took it away since
        std::int64_t tick = 0;  // when its latest GGA arrived (a repeat does not count)
    };
    ProjectedFix SoundingFix;

    // Depths.
    double DepthAlertLimit = 0;
    double TrueDepthHigh = 0, TrueDepthLow = 0;
    // The depth the chart, the alert, the echogram and the simple XYZ file use: the
    // high-frequency depth, or the low one for a sounder that sends only that.
    double PrimaryDepth = 0;
    bool NewDepthAvailable = false;

    // Texts.
    QString LastStatusMessage;
    std::string GGAOverlayText;  // the chart's position box; empty: no box
    int LastFixQuality = 0;
    bool FollowVesselEnabled = true;

    // Geodesy parameter texts in force (the geodesy log reads them).
    std::string DatumParams, EllipsoidParams, TMParams;

    // The vessel layer's id, looked up when the GNSS port connects; below 0: none.
    int VesselLayerId = -1;

    // The sounder's depth is current: a sentence came in and no time-out since.
    bool DepthCurrent() const { return SensorDataSeen && !SensorTimedOut; }
};
