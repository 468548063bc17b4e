#pragma once
// This process's memory as the kernel counts it (Linux /proc), for the memory
// benchmarks: the resident size now, its peak, a fresh start of the peak, and a
// measurement run in a child process of its own.

#include <fstream>
#include <string>
#include <type_traits>

#include <sys/types.h>
#include <sys/wait.h>
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

// Runs work() in a forked child and hands back what it returns (plain data);
// false when the child could not run or report.
template <class Result, class Work>
bool runInChild(Work&& work, Result& result)
{
    static_assert(std::is_trivially_copyable_v<Result>);
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        close(fds[0]);
        const Result r = work();
        const bool written = write(fds[1], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    const bool got = read(fds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace benchsupport
