#pragma once
// A smooth, plausible seabed for the demo area: a bay floor deepening to the south,
// a long swell of the bottom, a shoal in the middle of the block and small sand
// ripples. Depths in metres below the water surface; positions in metres east and
// north of the survey area's origin.

namespace skerra::sim {

struct SeabedDepths {
    double High = 0;  // the hard bottom (high-frequency echo)
    double Low = 0;   // below the soft mud layer (low-frequency echo), never shallower
};

SeabedDepths SeabedAt(double east, double north);

}  // namespace skerra::sim
