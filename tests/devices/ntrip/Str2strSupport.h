#pragma once
// rtklib's str2str as an NTRIP caster on 127.0.0.1 ("ntripc://user:secret@:port/MOUNT"),
// fed with a recorded RTCM 3 stream once released.

#include "LoopbackTestSupport.h"

#include <QProcess>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace ntriptest {

inline int freePort()
{
    int port = 0;
    close(ntriptest::listenOnLoopback(1, port));
    return port;
}

inline bool accepting(int port)
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


// The caster process and its feed. Start returns an empty text on success, else why not.
class Str2strProcess {
public:
    ~Str2strProcess() { Stop(); }

    std::string Start(const std::string& capture)
    {
        const QString program = QStandardPaths::findExecutable("str2str");
        if (program.isEmpty()) return "str2str not installed (Debian package rtklib)";
        Feed = std::make_unique<Feeder>(capture);
        CasterPort = freePort();
        Caster.setProgram(program);
        Caster.setArguments({"-in", QString("tcpcli://127.0.0.1:%1").arg(Feed->Port()), "-out",
                             QString("ntripc://user:secret@:%1/MOUNT").arg(CasterPort)});
        Caster.setProcessChannelMode(QProcess::MergedChannels);
        Caster.start();
        if (!Caster.waitForStarted(5000)) return "str2str did not start";
        if (!waitUntil([&] { return accepting(CasterPort); }, 10000)) return "str2str did not start its caster";
        return {};
    }
    void Release() { Feed->Release = true; }
    void Stop()
    {
        if (Caster.state() != QProcess::NotRunning) {
            Caster.kill();
            Caster.waitForFinished(5000);
        }
        Feed.reset();
    }

    int CasterPort = 0;

private:
    QProcess Caster;
    std::unique_ptr<Feeder> Feed;
};

}  // namespace ntriptest
