#pragma once
// Reading the sound-velocity window's own list lines: "depth,SV" samples and
// "depth,SV,count" slots. Fields are read the way the C library's scanf reads "%d"
// and "%lf" ("." as decimal point whatever the locale): blanks before a number are
// passed over, a number ends at the first character that cannot continue it, and the
// reading stops at the first field that does not match. Numbers outside the int or
// double range and "nan"/"inf" do not match.

#include <string_view>

namespace skerra::svp {

struct LineFields {
    int count = 0;  // fields read, from the left
    int depth = 0;
    double sv = 0;
    int hits = 0;
};

// "%d,%lf": a whole depth and an SV (count 0..2).
LineFields ReadDepthSV(std::string_view line);

// "%d,%lf,%d": a whole depth, an SV and a count (count 0..3).
LineFields ReadSlot(std::string_view line);

// "%*d,%lf": the SV after a whole depth (count 0 or 1, in .count; value in .sv).
LineFields ReadSlotSV(std::string_view line);

}  // namespace skerra::svp
