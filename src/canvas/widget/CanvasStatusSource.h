#pragma once
// What the chart's position box reads from the survey loop: its one-line
// status text and the receiver's fix quality. The main window implements it
// (it rebuilds both at every map-timer tick); tests use CanvasStatusValues.

#include <string>

class CanvasStatusSource {
public:
    virtual ~CanvasStatusSource() = default;
    // The 8-bit status line; empty means no position box.
    virtual std::string GGAOverlayText() const = 0;
    // The GGA fix quality (0 none, 1 GPS, 2 DGPS, 4 RTK fixed, 5 RTK float, ...).
    virtual int LastFixQuality() const = 0;
};

// Status values held as plain fields.
struct CanvasStatusValues : CanvasStatusSource {
    std::string text;
    int fixQuality = 0;
    std::string GGAOverlayText() const override { return text; }
    int LastFixQuality() const override { return fixQuality; }
};
