#pragma once
// This process's memory as the kernel counts it (Linux /proc), for the memory
// benchmarks: the resident size now, its peak, and a fresh start of the peak.

#include <fstream>
#include <string>

#include <unistd.h>

namespace benchsupport {

inline double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

inline double peakMB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb * 1024.0 / 1e6;
        }
        status.ignore(4096, '\n');
    }
    return 0.0;
}

// The peak resident size starts again from the present one.
inline void resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

}  // namespace benchsupport
