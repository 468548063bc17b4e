// The client against a real caster: rtklib's str2str acting as an NTRIP caster on
// 127.0.0.1, fed with a recorded RTCM 3 stream. The relayed bytes must equal the file.

#include "MissingTool.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "LoopbackTestSupport.h"

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

int freePort()
{
    int port = 0;
    close(ntriptest::listenOnLoopback(1, port));
    return port;
}

bool accepting(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return ok;
}

// Feeds the capture to str2str's input once released.
class Feeder {
public:
    explicit Feeder(std::string bytes) : Bytes(std::move(bytes)), ListenFd(ntriptest::listenOnLoopback(1, ListenPort))
    {
        Thread = std::thread([this] { Run(); });
    }
    ~Feeder()
    {
        Stop = true;
        Thread.join();
        close(ListenFd);
    }
    int Port() const { return ListenPort; }
    std::atomic<bool> Release{false};

private:
    void Run()
    {
        int fd = -1;
        while (!Stop && fd < 0) {
            pollfd p{ListenFd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0)
                fd = accept(ListenFd, nullptr, nullptr);
        }
        while (!Stop && !Release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        // About 100 kB/s, far above a real correction stream: str2str drops what a
        // client cannot take at once, so the feed must not outrun the test's event loop.
        for (std::size_t i = 0; !Stop && fd >= 0 && i < Bytes.size(); i += 512) {
            send(fd, Bytes.data() + i, std::min<std::size_t>(512, Bytes.size() - i), MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        while (!Stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (fd >= 0)
            close(fd);
    }
    std::string Bytes;
    int ListenPort = 0;
    int ListenFd;
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

class Str2strCaster : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kCapture)) << "third-party capture not present: " << kCapture;
        const QString program = QStandardPaths::findExecutable("str2str");
        if (program.isEmpty()) {
            SKERRA_SKIP_UNLESS_CI("str2str not installed (Debian package rtklib)");
        }
        std::ifstream in(kCapture, std::ios::binary);
        Capture.assign(std::istreambuf_iterator<char>(in), {});
        Feed = std::make_unique<Feeder>(Capture);
        CasterPort = freePort();
        Caster.setProgram(program);
        Caster.setArguments({"-in", QString("tcpcli://127.0.0.1:%1").arg(Feed->Port()), "-out",
                             QString("ntripc://user:secret@:%1/MOUNT").arg(CasterPort)});
        Caster.setProcessChannelMode(QProcess::MergedChannels);
        Caster.start();
        ASSERT_TRUE(Caster.waitForStarted(5000));
        ASSERT_TRUE(waitUntil([&] { return accepting(CasterPort); }, 10000)) << "str2str did not start its caster";

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
        if (Caster.state() != QProcess::NotRunning) {
            Caster.kill();
            Caster.waitForFinished(5000);
        }
        Feed.reset();
    }

    THalvekNTRIPClient Client;
    QProcess Caster;
    std::unique_ptr<Feeder> Feed;
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
    Feed->Release = true;
    ASSERT_TRUE(waitUntil([&] { return Received.size() >= Capture.size(); }, 30000))
        << Received.size() << " of " << Capture.size() << " bytes";
    EXPECT_TRUE(Received == Capture);
    EXPECT_EQ(Client.BytesReceived.load(), static_cast<std::int64_t>(Capture.size()));
    EXPECT_EQ(LastStatus, ntripReceiving);
}
