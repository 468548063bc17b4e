#pragma once
// The simulator's command line.

#include "devices/simulator/SounderSentences.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skerra::sim {

struct SimulatorOptions {
    double Rate = 10;          // epochs per second (1 to 20)
    double Duration = 0;       // seconds of running; 0: until stopped
    double SpeedUp = 1;        // survey time per wall-clock time (0.1 to 100)
    SounderType Sounder = SounderType::Dpt;
    bool Heading = true;
    std::uint32_t Seed = 1;
    std::string GnssLink;      // symbolic links to make to the two terminals
    std::string SounderLink;
    bool Help = false;
};

struct ParsedOptions {
    SimulatorOptions Options;
    std::string Error;         // empty when the command line was understood
};

// The arguments after the program name.
ParsedOptions ParseSimulatorOptions(const std::vector<std::string>& arguments);

std::string SimulatorUsage();

}  // namespace skerra::sim
