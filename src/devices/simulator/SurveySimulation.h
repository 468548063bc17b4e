#pragma once
// A survey played epoch by epoch: the boat runs the demo area's lines, the receiver
// reports its position with the noise of its current fix quality, and the sounder
// reports the seabed below it.
//
// The sounder is set to 1500 m/s with no draft, as many are; the simulated water has
// the sound velocity and the transducer the draft below, so a program configured with
// the same values recovers the seabed model's depths.

#include "devices/simulator/FixSchedule.h"
#include "devices/simulator/SounderSentences.h"
#include "devices/simulator/SurveyPattern.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace skerra::sim {

inline constexpr double SimulatedSoundVelocity = 1520;  // m/s in the water
inline constexpr double SimulatedTransducerDraft = 0.40;  // metres below the surface
inline constexpr double SimulatedAntennaHeight = 2.00;    // metres above the surface
inline constexpr double BoatSpeedKnots = 5.0;            // on a line; slower in turns

struct SimulationSettings {
    double Rate = 10;       // epochs per second of survey time
    double SpeedUp = 1;     // survey seconds per wall-clock second (the caller's pace)
    SounderType Sounder = SounderType::Dpt;
    bool Heading = true;    // send HDT
    std::uint32_t Seed = 1;
    double StartTime = 0;   // UTC of the first epoch, seconds since 1970
};

struct SimulatedEpoch {
    double SurveyTime = 0;  // seconds since the start
    int FixQuality = 0;
    PathPoint Truth;        // where the boat really is
    std::vector<std::string> Gnss;     // lines without line ends
    std::vector<std::string> Sounder;
};

class SurveySimulation {
public:
    explicit SurveySimulation(const SimulationSettings& settings,
                              const SurveyArea& area = DemoSurveyArea());

    // The next epoch; each is SpeedUp / Rate seconds of survey time after the last.
    SimulatedEpoch Next();

    const SurveyArea& Area() const { return area_; }

private:
    double normal(double sigma);
    void moveNoise(int quality, double dt);

    SimulationSettings settings_;
    SurveyArea area_;
    SurveyPath path_;
    FixSchedule fixes_;
    SounderDropouts dropouts_;
    std::mt19937 random_;
    long long epoch_ = 0;
    double distance_ = 0;
    double noiseEast_ = 0, noiseNorth_ = 0, noiseUp_ = 0;
};

}  // namespace skerra::sim
