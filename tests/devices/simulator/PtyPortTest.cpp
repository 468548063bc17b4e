// The simulator's terminals with a program opening, reading and leaving them.

#include "PtyReader.h"

#include "devices/simulator/PtyPort.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using skerra::sim::PtyPort;
using simtest::PtyReader;
using Lines = std::vector<std::string>;

namespace {

TEST(PtyPort, OnlyAProgramThatHasThePortOpenReceivesLines)
{
    PtyPort port;
    std::string error;
    ASSERT_TRUE(port.Open(error)) << error;
    EXPECT_FALSE(port.ReaderPresent());
    port.Send({"before anyone listens"});  // dropped, never blocks
    EXPECT_EQ(port.LinesDropped(), 1u);

    {
        PtyReader reader(port.Path());
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_TRUE(port.ReaderPresent());
        port.Send({"$SDDPT,12.00,0.0*50", "second"});
        EXPECT_EQ(reader.ReadLines(2), (Lines{"$SDDPT,12.00,0.0*50", "second"}));
        port.Send({"left unread"});
    }
    // The program closed the port: lines are dropped until it comes back, and it then
    // reads neither those nor what it left unread.
    port.Send({"while away"});
    EXPECT_FALSE(port.ReaderPresent());
    PtyReader again(port.Path());
    ASSERT_TRUE(again.IsOpen());
    port.Send({"welcome back"});
    EXPECT_EQ(again.ReadLines(1), (Lines{"welcome back"}));
    EXPECT_EQ(again.ReadLines(1, 100), Lines{});
}

TEST(PtyPort, AProgramThatStopsReadingNeverStallsTheSimulator)
{
    PtyPort port;
    std::string error;
    ASSERT_TRUE(port.Open(error)) << error;
    PtyReader reader(port.Path());
    const std::string line(80, 'x');
    for (int i = 0; i < 5000; ++i) port.Send({line});  // 400 kB into a terminal nobody reads
    EXPECT_GT(port.LinesDropped(), 4000u);
    // What was queued arrives as whole lines.
    for (const std::string& l : reader.ReadLines(100)) EXPECT_EQ(l, line);
}

TEST(PtyPort, WhatTheProgramSendsIsReadAndDropped)
{
    PtyPort port;
    std::string error;
    ASSERT_TRUE(port.Open(error)) << error;
    EXPECT_EQ(port.Drain(), 0u);
    PtyReader reader(port.Path());
    reader.Write(std::string(300, '\xd3'));  // RTCM corrections for the receiver
    std::size_t drained = 0;
    for (int i = 0; i < 100 && drained < 300; ++i) {
        drained += port.Drain();
        usleep(2000);
    }
    EXPECT_EQ(drained, 300u);
}

TEST(MakeSymbolicLink, ReplacesAnOldLinkButNeverAFile)
{
    const auto dir = std::filesystem::temp_directory_path() / ("skerra-sim-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string link = (dir / "gnss").string(), file = (dir / "plain").string();
    std::string error;
    ASSERT_TRUE(skerra::sim::MakeSymbolicLink("/dev/pts/98", link, error)) << error;
    ASSERT_TRUE(skerra::sim::MakeSymbolicLink("/dev/pts/99", link, error)) << error;
    EXPECT_EQ(std::filesystem::read_symlink(link), "/dev/pts/99");
    { FILE* f = std::fopen(file.c_str(), "w"); std::fclose(f); }
    EXPECT_FALSE(skerra::sim::MakeSymbolicLink("/dev/pts/99", file, error));
    EXPECT_EQ(error, file + " exists and is not a symbolic link");
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
    std::filesystem::remove_all(dir);
}

}  // namespace
