// The client against a real caster: rtklib's str2str acting as an NTRIP caster on
// 127.0.0.1, fed with a recorded RTCM 3 stream. The relayed bytes must equal the file.

#include "MissingTool.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "LoopbackTestSupport.h"
#include "Str2strSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

using Clock = std::chrono::steady_clock;

namespace {

const std::filesystem::path kCapture = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3" / "GMSD7_20121014.rtcm3";

using ntriptest::waitUntil;

class Str2strCaster : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kCapture)) << "third-party capture not present: " << kCapture;
        if (QStandardPaths::findExecutable("str2str").isEmpty()) {
            SKERRA_SKIP_UNLESS_CI("str2str not installed (Debian package rtklib)");
        }
        std::ifstream in(kCapture, std::ios::binary);
        Capture.assign(std::istreambuf_iterator<char>(in), {});
        const std::string failure = Caster.Start(Capture);
        ASSERT_EQ(failure, "");
        CasterPort = Caster.CasterPort;

        Client.Host = "127.0.0.1";
        Client.Port = CasterPort;
        Client.AutoReconnect = false;
        Client.OnStatus = [this](QObject*, int status, const std::string& message) {
            LastStatus = status;
            LastMessage = message;
        };
        Client.OnData = [this](QObject*, const char* data, int length) {
            Received.append(data, static_cast<std::size_t>(length));
        };
        Client.OnSourceTable = [this](QObject*, const std::vector<std::string>& mountPoints) {
            Table = mountPoints;
        };
    }

    void TearDown() override
    {
        Client.Disconnect();
        Caster.Stop();
    }

    THalvekNTRIPClient Client;
    ntriptest::Str2strProcess Caster;
    int CasterPort = 0;
    std::string Capture;
    std::string Received;
    std::vector<std::string> Table;
    int LastStatus = -1;
    std::string LastMessage;
};

}  // namespace

TEST_F(Str2strCaster, WrongPasswordAndUnknownMountPointAreRefused)
{
    Client.Username = "user";
    Client.Password = "wrong";
    Client.MountPoint = "MOUNT";
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return LastStatus == ntripError; }, 10000)) << LastMessage;
    EXPECT_EQ(LastMessage, "401 - Invalid username or password");

    Client.Password = "secret";
    Client.MountPoint = "OTHER";
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return LastStatus == ntripError && !Table.empty(); }, 10000)) << LastMessage;
    EXPECT_EQ(LastMessage, "404 - Mount point not found: OTHER");
    EXPECT_EQ(Table, std::vector<std::string>{"MOUNT"});
}

TEST_F(Str2strCaster, RelaysTheStreamUnchanged)
{
    Client.Username = "user";
    Client.Password = "secret";
    Client.MountPoint = "MOUNT";
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return Client.Connected.load(); }, 10000)) << LastMessage;
    Caster.Release();
    ASSERT_TRUE(waitUntil([&] { return Received.size() >= Capture.size(); }, 30000))
        << Received.size() << " of " << Capture.size() << " bytes";
    EXPECT_TRUE(Received == Capture);
    EXPECT_EQ(Client.BytesReceived.load(), static_cast<std::int64_t>(Capture.size()));
    EXPECT_EQ(LastStatus, ntripReceiving);
}
