#pragma once
// The chart's standard layers and the ids the survey loop keeps for them.

class THalvekCanvasModel;

extern int GridLayerId;
extern int TrackFixLayerId;
extern int TrackNoFixLayerId;
extern int TrackFloatLayerId;
extern int TempShapeLayerId;
extern int UserShapeLayerId;
extern int EventLayerId;
extern int VesselLayerId;

// Makes sure each standard layer exists, in its fixed order, reusing a layer of
// the same name (one loaded from a layout, say), and keeps its id. Ends with the
// user-shape layer current.
void EnsureNavLayers(THalvekCanvasModel& canvas);
