#include "FakeCaster.h"

#include "LoopbackTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kRequestWaitMs = 3000;
}

FakeCaster::FakeCaster(std::vector<CasterScript> scripts, int maxConnections)
    : Scripts(std::move(scripts)), MaxConnections(maxConnections)
{
    ListenFd = ntriptest::listenOnLoopback(4, ListenPort);
    Thread = std::thread([this] { Serve(); });
}

FakeCaster::~FakeCaster()
{
    StopFlag = true;
    Thread.join();
    close(ListenFd);
}

std::vector<std::string> FakeCaster::Requests() const
{
    std::lock_guard lock(Lock);
    return RequestTexts;
}

std::vector<std::string> FakeCaster::Uplink() const
{
    std::lock_guard lock(Lock);
    return UplinkTexts;
}

bool FakeCaster::Sleep(int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        if (StopFlag)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return !StopFlag;
}

void FakeCaster::Serve()
{
    while (!StopFlag && Accepted < MaxConnections) {
        pollfd p{ListenFd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        const int fd = accept(ListenFd, nullptr, nullptr);
        if (fd < 0)
            continue;
        const std::size_t index = static_cast<std::size_t>(Accepted++);
        {
            std::lock_guard lock(Lock);
            RequestTexts.emplace_back();
            UplinkTexts.emplace_back();
        }
        Play(fd, Scripts[std::min(index, Scripts.size() - 1)], index);
        close(fd);
    }
}

void FakeCaster::Play(int fd, const CasterScript& script, std::size_t index)
{
    // Whatever the client sends is read in the background of every step.
    auto drain = [&](int waitMs) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, waitMs) <= 0)
            return true;
        char buffer[4096];
        const ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
        if (n <= 0)
            return false;
        std::lock_guard lock(Lock);
        std::string& request = RequestTexts[index];
        if (request.find("\r\n\r\n") == std::string::npos) {
            request.append(buffer, static_cast<std::size_t>(n));
            const std::size_t end = request.find("\r\n\r\n");
            if (end != std::string::npos) {
                UplinkTexts[index] += request.substr(end + 4);
                request.erase(end + 4);
            }
        } else {
            UplinkTexts[index].append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    };
    // The request first; a raw-stream client sends none, so give up when nothing
    // came within a short while.
    const auto start = Clock::now();
    while (!StopFlag) {
        const auto waited = Clock::now() - start;
        {
            std::lock_guard lock(Lock);
            const std::string& request = RequestTexts[index];
            if (request.find("\r\n\r\n") != std::string::npos)
                break;
            if (request.empty() && waited > std::chrono::milliseconds(200))
                break;
        }
        if (waited > std::chrono::milliseconds(kRequestWaitMs) || !drain(20))
            break;
    }
    for (const auto& step : script) {
        if (StopFlag)
            return;
        switch (step.What) {
        case CasterStep::Send:
            if (send(fd, step.Bytes.data(), step.Bytes.size(), MSG_NOSIGNAL) < 0)
                return;
            break;
        case CasterStep::Pause:
            if (!Sleep(step.Ms))
                return;
            break;
        case CasterStep::Close:
            return;
        case CasterStep::Hold: {
            const auto end = Clock::now() + std::chrono::milliseconds(step.Ms);
            while (!StopFlag && Clock::now() < end)
                if (!drain(10))
                    return;
            break;
        }
        }
        drain(0);
    }
    // After the script: read until the client leaves or the caster stops.
    while (!StopFlag && drain(10)) {
    }
}
