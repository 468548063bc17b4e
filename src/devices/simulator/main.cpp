// skerra-simulator: a GNSS receiver and an echo sounder on two pseudo-terminals,
// playing a survey in real time.

#include "devices/simulator/PtyPort.h"
#include "devices/simulator/SimulatorOptions.h"
#include "devices/simulator/SurveySimulation.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void installSignals()
{
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    sigemptyset(&stop.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

double wallClock(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

void sleepUntil(double monotonicSeconds)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(monotonicSeconds);
    ts.tv_nsec = static_cast<long>((monotonicSeconds - static_cast<double>(ts.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR && !stopRequested) {
    }
}

struct Links {
    std::vector<std::string> made;
    ~Links()
    {
        for (const auto& l : made) unlink(l.c_str());
    }
};

bool openPort(skerra::sim::PtyPort& port, const std::string& link, Links& links)
{
    std::string error;
    if (!port.Open(error)) {
        std::cerr << "skerra-simulator: " << error << '\n';
        return false;
    }
    if (!link.empty()) {
        if (!skerra::sim::MakeSymbolicLink(port.Path(), link, error)) {
            std::cerr << "skerra-simulator: " << error << '\n';
            return false;
        }
        links.made.push_back(link);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace skerra::sim;
    const ParsedOptions parsed = ParseSimulatorOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Error.empty()) {
        std::cerr << "skerra-simulator: " << parsed.Error << "\n\n" << SimulatorUsage();
        return 2;
    }
    const SimulatorOptions& options = parsed.Options;
    if (options.Help) {
        std::cout << SimulatorUsage();
        return 0;
    }
    installSignals();

    Links links;
    PtyPort gnss, sounder;
    if (!openPort(gnss, options.GnssLink, links) || !openPort(sounder, options.SounderLink, links))
        return 1;
    std::cout << "GNSS receiver: " << gnss.Path() << "\n"
              << "Echo sounder:  " << sounder.Path() << " (" << SounderMessageType(options.Sounder) << ")\n"
              << std::flush;

    SimulationSettings settings;
    settings.Rate = options.Rate;
    settings.SpeedUp = options.SpeedUp;
    settings.Sounder = options.Sounder;
    settings.Heading = options.Heading;
    settings.Seed = options.Seed;
    settings.StartTime = wallClock(CLOCK_REALTIME);
    SurveySimulation simulation(settings);

    const double period = 1 / options.Rate;
    const double start = wallClock(CLOCK_MONOTONIC);
    double next = start;
    while (!stopRequested) {
        if (options.Duration > 0 && next - start >= options.Duration) break;
        sleepUntil(next);
        if (stopRequested) break;
        const SimulatedEpoch epoch = simulation.Next();
        gnss.Drain();
        sounder.Drain();
        gnss.Send(epoch.Gnss);
        sounder.Send(epoch.Sounder);
        next += period;
        // A late tick is played at once to keep the pace; after a long stall (a
        // suspended machine) the survey goes on from now instead of catching up.
        const double now = wallClock(CLOCK_MONOTONIC);
        if (now - next > 1.0) next = now;
    }
    return 0;
}
