// The program's serial device reading the simulator, as in the demo: through the
// links, with QSerialPort and the poll timer, closing and opening the ports again.

#include "SimulatorProcess.h"
#include "SerialTestSupport.h"

#include <gtest/gtest.h>

using serialtest::EventLog;
using serialtest::waitUntil;

namespace {

void openDevice(THalvekSerialGPS& device, const std::string& link)
{
    device.Port = QString::fromStdString(link);
    device.BaudRate = 115200;
    device.PollInterval = 10;
    device.Open();
    ASSERT_TRUE(device.Connected()) << device.LastError().toStdString();
}

TEST(SimulatorWithSerialDevice, TheDevicesFollowTheSurveyAcrossAClosedPort)
{
    simtest::SimulatorProcess simulator({"--speed-up", "10", "--sounder", "smt"});
    ASSERT_TRUE(simulator.WaitUntilReady());
    THalvekSerialGPS gnss, sounder;
    EventLog gnssLog, sounderLog;
    gnssLog.Attach(gnss);
    sounderLog.Attach(sounder);

    for (int run = 0; run < 2; ++run) {  // the simulator keeps playing while the ports are closed
        gnssLog.events.clear();
        sounderLog.events.clear();
        openDevice(gnss, simulator.GnssLink());
        openDevice(sounder, simulator.SounderLink());
        ASSERT_TRUE(waitUntil([&] {
            return gnssLog.count("position") >= 5 && sounderLog.count("line ") >= 5;
        })) << run;
        EXPECT_NEAR(gnss.GetLatitude(), 38.43, 0.01);
        EXPECT_NEAR(gnss.GetLongitude(), 27.08, 0.02);
        EXPECT_GT(gnss.GetFixQuality(), 0);
        for (const std::string& line : sounderLog.lines()) EXPECT_EQ(line.rfind("$SMT,HF1,", 0), 0u) << line;
        gnss.Close();
        sounder.Close();
        // The ports stay closed for a few epochs of the simulator.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    EXPECT_EQ(simulator.Stop(), 0);
}

}  // namespace
