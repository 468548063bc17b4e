#pragma once
// The built skerra-simulator run by a test, with its two terminals linked into a
// temporary folder.

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace simtest {

class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::vector<std::string>& options)
        : dir_(std::filesystem::temp_directory_path()
               / ("skerra-sim-" + std::to_string(getpid()) + "-" + std::to_string(++runs())))
    {
        std::filesystem::create_directories(dir_);
        std::vector<std::string> args = {SKERRA_SIMULATOR_PROGRAM, "--gnss-link=" + GnssLink(),
                                         "--sounder-link=" + SounderLink()};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    }
    ~SimulatorProcess()
    {
        Stop();
        std::filesystem::remove_all(dir_);
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    std::string GnssLink() const { return (dir_ / "gnss").string(); }
    std::string SounderLink() const { return (dir_ / "sounder").string(); }

    // True once both terminals are linked (the simulator is playing).
    bool WaitUntilReady() const
    {
        for (int i = 0; i < 500 && pid_ > 0; ++i) {
            if (std::filesystem::is_symlink(GnssLink()) && std::filesystem::is_symlink(SounderLink()))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Waits up to `timeoutMs` for the simulator to end by itself; its exit code, or -1.
    int WaitForExit(int timeoutMs)
    {
        for (int waited = 0; pid_ > 0 && waited <= timeoutMs; waited += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    // Asks the simulator to stop (SIGTERM) and returns its exit code, or -1.
    int Stop()
    {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGTERM);
        const int code = WaitForExit(5000);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        return code;
    }

private:
    static int& runs()
    {
        static int n = 0;
        return n;
    }
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

}  // namespace simtest
