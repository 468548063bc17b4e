#include "devices/simulator/SurveySimulation.h"

#include "devices/simulator/NmeaSentences.h"
#include "devices/simulator/SeabedModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skerra::sim {
namespace {

constexpr double kKnot = 1852.0 / 3600;  // metres per second
constexpr double kGeoidSeparation = 36.6; // metres, around Izmir

// Typical horizontal scatter of each fix quality, metres.
double scatterOf(int quality)
{
    switch (quality) {
    case 4: return 0.015;
    case 5: return 0.20;
    case 2: return 0.60;
    default: return 1.80;
    }
}

int satellitesOf(int quality, long long epoch)
{
    const int wobble = static_cast<int>((epoch / 97) % 3);
    return quality == 1 ? 9 + wobble : quality == 0 ? 3 : 19 + wobble;
}

}  // namespace

SurveySimulation::SurveySimulation(const SimulationSettings& settings, const SurveyArea& area)
    : settings_(settings),
      area_(area),
      path_(area),
      fixes_(settings.Seed),
      dropouts_(settings.Seed),
      random_(settings.Seed * 7919u + 17u)
{
    if (!(settings_.Rate > 0)) settings_.Rate = 10;
    if (!(settings_.SpeedUp > 0)) settings_.SpeedUp = 1;
}

double SurveySimulation::normal(double sigma)
{
    return std::normal_distribution<double>(0, sigma)(random_);
}

// A slowly wandering error (first-order Gauss-Markov) of the current quality's size.
void SurveySimulation::moveNoise(int quality, double dt)
{
    const double sigma = scatterOf(quality);
    const double keep = std::exp(-dt / 20.0);
    const double drive = sigma * std::sqrt(1 - keep * keep);
    noiseEast_ = keep * noiseEast_ + normal(drive);
    noiseNorth_ = keep * noiseNorth_ + normal(drive);
    noiseUp_ = keep * noiseUp_ + normal(drive * 1.5);
    // A change to a better fix pulls the solution in at once.
    const double limit = 3 * sigma;
    noiseEast_ = std::clamp(noiseEast_, -limit, limit);
    noiseNorth_ = std::clamp(noiseNorth_, -limit, limit);
    noiseUp_ = std::clamp(noiseUp_, -1.5 * limit, 1.5 * limit);
}

SimulatedEpoch SurveySimulation::Next()
{
    const double dt = settings_.SpeedUp / settings_.Rate;
    SimulatedEpoch out;
    out.SurveyTime = epoch_ * dt;
    const double time = settings_.StartTime + out.SurveyTime;

    out.Truth = path_.At(distance_);
    const double speed = (out.Truth.OnLine ? BoatSpeedKnots : 3.5) + normal(0.05);
    distance_ += speed * kKnot * dt;

    const int quality = fixes_.QualityAt(out.SurveyTime);
    out.FixQuality = quality;
    moveNoise(quality, dt);

    // A current from the north-east makes the boat crab a little.
    const double crab = 3.0 * std::sin((out.Truth.Course - 40) * std::numbers::pi / 180);
    const double tide = 0.15 * std::sin(2 * std::numbers::pi * time / (12.42 * 3600));
    const Geodetic where = OffsetToGeodetic(area_.OriginLatitude, area_.OriginLongitude,
                                            out.Truth.East + noiseEast_, out.Truth.North + noiseNorth_);
    GnssEpoch g;
    g.Time = time;
    g.FixQuality = quality;
    g.Latitude = where.Latitude;
    g.Longitude = where.Longitude;
    g.Altitude = tide + SimulatedAntennaHeight + noiseUp_;
    g.GeoidSeparation = kGeoidSeparation;
    g.Satellites = satellitesOf(quality, epoch_);
    g.Hdop = quality == 1 ? 1.1 : 0.7;
    g.CorrectionAge = 1.0 + static_cast<double>(epoch_ % 10) / 10;
    g.SpeedKnots = std::max(0.0, speed);
    g.Course = out.Truth.Course + normal(quality == 1 ? 1.0 : 0.3);
    g.Heading = out.Truth.Course + crab + normal(0.1);

    // A few lines get lost on the way, as on a real cable.
    auto lost = [&] { return std::uniform_real_distribution<double>(0, 1)(random_) < 0.002; };
    for (std::string line : {GgaSentence(g), RmcSentence(g), VtgSentence(g)})
        if (!lost()) out.Gnss.push_back(std::move(line));
    if (settings_.Heading && quality != 0 && !lost()) out.Gnss.push_back(HdtSentence(g));

    if (!dropouts_.SilentAt(out.SurveyTime) && !lost()) {
        const SeabedDepths bottom = SeabedAt(out.Truth.East, out.Truth.North);
        const double heave = 0.06 * std::sin(2 * std::numbers::pi * out.SurveyTime / 4.5);
        const double scale = 1500 / SimulatedSoundVelocity;
        Sounding s;
        s.Time = time;
        s.High = std::max(0.3, (bottom.High - SimulatedTransducerDraft + heave) * scale + normal(0.02));
        s.Low = std::max(s.High, (bottom.Low - SimulatedTransducerDraft + heave) * scale + normal(0.04));
        s.Battery = std::max(11.0, 12.8 - out.SurveyTime * 0.0001);
        s.Heave = heave;
        s.Ping = epoch_ + 1;
        out.Sounder.push_back(SounderLine(settings_.Sounder, s));
    }
    ++epoch_;
    return out;
}

}  // namespace skerra::sim
