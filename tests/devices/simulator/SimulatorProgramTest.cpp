// The built skerra-simulator, read through its two terminals as the program would.

#include "PtyReader.h"

#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

bool waitForLink(const fs::path& link)
{
    for (int i = 0; i < 500; ++i) {
        if (fs::is_symlink(link)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(SimulatorProgram, PlaysASurveyOnItsTwoTerminals)
{
    const fs::path dir = fs::temp_directory_path() / ("skerra-simprog-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path gnssLink = dir / "gnss", sounderLink = dir / "sounder";
    const std::string gnssArg = "--gnss-link=" + gnssLink.string();
    const std::string sounderArg = "--sounder-link=" + sounderLink.string();
    const char* argv[] = {SKERRA_SIMULATOR_PROGRAM, "--duration", "3", "--speed-up", "20",
                          "--sounder", "dbt", gnssArg.c_str(), sounderArg.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    ASSERT_TRUE(waitForLink(gnssLink) && waitForLink(sounderLink));

    simtest::PtyReader gnss(gnssLink.string()), sounder(sounderLink.string());
    ASSERT_TRUE(gnss.IsOpen() && sounder.IsOpen());
    const auto gnssLines = gnss.ReadLines(60);
    const auto sounderLines = sounder.ReadLines(15);

    skerra::NmeaFix fix;
    int positions = 0;
    double firstLatitude = 0;
    for (const std::string& line : gnssLines) {
        ASSERT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
        if (skerra::ParseSentence(line, fix).Position && ++positions == 1) firstLatitude = fix.Latitude;
    }
    EXPECT_GE(positions, 10);
    EXPECT_NEAR(fix.Latitude, 38.43, 0.01);  // Izmir Bay
    EXPECT_NEAR(fix.Longitude, 27.08, 0.02);
    EXPECT_NE(fix.Latitude, firstLatitude);  // the boat moves
    ASSERT_GE(sounderLines.size(), 15u);
    const std::string dbtFormat = "%*6s,%*lf,%*1s,%lf";  // the settings window's, for NMEA DBT
    for (const std::string& line : sounderLines) {
        EXPECT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
        double depth = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), dbtFormat.c_str(), &depth), 1) << line;
        EXPECT_GT(depth, 1.0) << line;
    }

    // It stops by itself after its duration, removing its links.
    int status = -1;
    for (int i = 0; i < 500 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!WIFEXITED(status)) kill(pid, SIGKILL), waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(gnssLink)));
    fs::remove_all(dir);
}

TEST(SimulatorProgram, StopsCleanlyWhenAskedAndRefusesUnknownOptions)
{
    const char* bad[] = {SKERRA_SIMULATOR_PROGRAM, "--sounder", "sonar", nullptr};
    pid_t pid = 0;
    int status = -1;
    ASSERT_EQ(posix_spawn(&pid, bad[0], nullptr, nullptr, const_cast<char**>(bad), environ), 0);
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);

    const fs::path link = fs::temp_directory_path() / ("skerra-simstop-" + std::to_string(getpid()));
    const std::string linkArg = "--gnss-link=" + link.string();
    const char* run[] = {SKERRA_SIMULATOR_PROGRAM, linkArg.c_str(), nullptr};
    ASSERT_EQ(posix_spawn(&pid, run[0], nullptr, nullptr, const_cast<char**>(run), environ), 0);
    ASSERT_TRUE(waitForLink(link));
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

}  // namespace
