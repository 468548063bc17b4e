#pragma once
// What the survey loop reads from the settings and offsets windows, as plain values.
// The windows fill these from their controls; the survey engine never touches a widget.
// Texts stay texts: the engine parses them with its own strict rules and reports a
// bad value once.

#include "platform/Colour.h"

#include <string>

// The geodetic edits of the settings window (datum, Transverse Mercator, Lambert).
struct GridSettingsTexts {
    // Local ellipsoid and the seven datum parameters.
    std::string datumName;               // edNameOfDatum
    bool useDatumTransformation = false;  // cbUseDTP
    std::string semiMajorAxis;  // edSMA, metres; empty: the datum is not configured
    std::string flattening;     // edIF, the flattening itself (not its inverse)
    std::string scalePpm;       // edPPM
    std::string rotationX, rotationY, rotationZ;  // edRX, edRY, edRZ, arc-seconds
    std::string shiftX, shiftY, shiftZ;           // edSX, edSY, edSZ, metres

    // Transverse Mercator.
    bool useTransverseMercator = false;  // cbUseTMProjection
    std::string centralMeridian;    // edCM, degrees; empty: not configured
    std::string referenceLatitude;  // edRL, degrees
    std::string scaleFactor;        // edSF
    std::string falseEasting;       // edFE, metres
    std::string falseNorthing;      // edFN, metres

    // Lambert Conformal Conic.
    bool useLambert = false;  // cbUseLCCProjection
    bool lambert1SP = false;  // cLambert1 (one standard parallel)
    std::string lccStandardParallel1;  // eLCCSP1, degrees
    std::string lccStandardParallel2;  // eLCCSP2, degrees
    std::string lccScaleFactor;        // eLCCSF
    std::string lccLatitudeOfOrigin;   // eLCCCP, degrees
    std::string lccCentralMeridian;    // eLCCM, degrees
    std::string lccFalseEasting;       // eLCCFE, metres
    std::string lccFalseNorthing;      // eLCCFN, metres
};

// The echo sounder and gyro switches and the sounder's message format.
struct SensorSettingsValues {
    bool sensorEnabled = false;  // SensorEnabled
    bool gyroEnabled = false;    // GyroEnabled
    std::string messageType;     // cSBESMessage's text, e.g. "NMEA DPT"
    std::string scanFormat;      // eSBESFormat's text
};

// The survey offsets window's edits.
struct SurveyOffsetsTexts {
    std::string offsetA;  // OffsetA: transducer draft, metres
    std::string soundVelocity;  // SV: single sound velocity, m/s
    std::string offsetC;  // OffsetC: antenna height above the water line, metres
    std::string tideHeight;  // TideHt: manual tide, metres
};

// The navigation settings window. Edits stay texts: the engine converts them and
// reports a bad one once. The defaults are the window's design values.
struct NavigationDisplayValues {
    TColor vesselColour = 0x800000;      // VesselColor
    TColor chartColour = 0xFFFFFF;       // fcadColor, the chart background
    TColor trackFixColour = 0x008000;    // ColorTracklines1: fix quality 4
    TColor trackFloatColour = 0x00FFFF;  // ColorTracklines0: fix quality 5, 2, 3
    std::string vesselWidth = "2";       // VesselWidth, integer
    std::string trackWidth = "2";        // TrackWidth, integer
    std::string trackDistance = "20";    // TrackDistance, metres
    std::string depthAlert = "0.5";      // edDepthAlert1, metres
    bool lineOrDot = false;              // cLineOrDot: track marks as lines
};

// The vessel-shape window's edits; an empty edit keeps the value in force. At most
// kMaxRangeRings rings are drawn.
constexpr int kMaxRangeRings = 20;
struct VesselShapeTexts {
    std::string ringCount = "2";          // edAmount, integer
    std::string ringInterval = "10";      // edInterval, metres
    std::string firstRingRadius = "10";   // edRadious, metres
    std::string bowArrow = "100";         // edBArrow, metres
    std::string sideArrow = "10";         // edLArrow, metres
};
