#include "devices/ntrip/NTRIPSocket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace skerra::ntrip {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool makeNonBlocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

std::optional<std::vector<TSocketAddress>> ResolveWithGetaddrinfo(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    addrinfo* list = nullptr;
    if (port < 1 || port > 65535 || getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0)
        return std::nullopt;
    std::vector<TSocketAddress> addresses;
    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (ai->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        TSocketAddress address;
        std::memcpy(&address.Storage, ai->ai_addr, ai->ai_addrlen);
        address.Length = ai->ai_addrlen;
        addresses.push_back(address);
    }
    freeaddrinfo(list);
    if (addresses.empty())
        return std::nullopt;
    return addresses;
}

TWakePipe::TWakePipe()
{
    if (pipe2(Fds, O_CLOEXEC | O_NONBLOCK) != 0)
        Fds[0] = Fds[1] = -1;
}

TWakePipe::~TWakePipe()
{
    for (int fd : Fds)
        if (fd >= 0)
            close(fd);
}

void TWakePipe::Wake()
{
    if (Fds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = write(Fds[1], &byte, 1);
    }
}

TWaitResult WaitForSocket(int fd, short events, int timeoutMs, int wakeFd)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
        const int n = poll(fds, wakeFd >= 0 ? 2 : 1, remainingMs(deadline));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return TWaitResult::Failed;
        }
        if (n == 0)
            return TWaitResult::Timeout;
        if (wakeFd >= 0 && fds[1].revents)
            return TWaitResult::Woken;
        if (fds[0].revents)
            return TWaitResult::Ready;
    }
}

std::optional<std::vector<TSocketAddress>> ResolveInterruptibly(const TResolver& resolver, const std::string& host,
                                                                int port, int wakeFd, bool& woken)
{
    // State shared with the helper thread, which may outlive this call after a stop.
    struct TShared {
        std::mutex Lock;
        std::optional<std::vector<TSocketAddress>> Result;
        TWakePipe Done;
    };
    auto shared = std::make_shared<TShared>();
    woken = false;
    std::thread([shared, resolver, host, port] {
        auto result = resolver ? resolver(host, port) : ResolveWithGetaddrinfo(host, port);
        {
            std::lock_guard lock(shared->Lock);
            shared->Result = std::move(result);
        }
        shared->Done.Wake();
    }).detach();
    for (;;) {
        pollfd fds[2] = {{shared->Done.ReadFd(), POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const int n = poll(fds, wakeFd >= 0 ? 2 : 1, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (wakeFd >= 0 && fds[1].revents) {
            woken = true;
            return std::nullopt;
        }
        if (fds[0].revents) {
            std::lock_guard lock(shared->Lock);
            return shared->Result;
        }
    }
}

TConnectResult ConnectToAny(const std::vector<TSocketAddress>& addresses, int timeoutMs, int wakeFd, int& fd)
{
    bool anySocket = false;
    for (const auto& address : addresses) {
        fd = socket(address.Storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
        if (fd < 0)
            continue;
        anySocket = true;
        if (!makeNonBlocking(fd)) {
            CloseSocket(fd);
            continue;
        }
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address.Storage), address.Length) == 0)
            return TConnectResult::Connected;
        if (errno != EINPROGRESS) {
            CloseSocket(fd);
            continue;
        }
        const TWaitResult wait = WaitForSocket(fd, POLLOUT, timeoutMs, wakeFd);
        if (wait == TWaitResult::Woken) {
            CloseSocket(fd);
            return TConnectResult::Woken;
        }
        int error = 0;
        socklen_t length = sizeof(error);
        if (wait == TWaitResult::Ready && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            return TConnectResult::Connected;
        CloseSocket(fd);
    }
    return anySocket ? TConnectResult::ConnectFailed : TConnectResult::SocketFailed;
}

long long SendAll(int fd, const char* data, std::size_t length, int timeoutMs, int wakeFd)
{
    std::size_t sent = 0;
    while (sent < length) {
        const ssize_t n = send(fd, data + sent, length - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (WaitForSocket(fd, POLLOUT, timeoutMs, wakeFd) == TWaitResult::Ready)
                continue;
        }
        break;
    }
    return static_cast<long long>(sent);
}

TReceiveResult ReceiveSome(int fd, char* buffer, std::size_t capacity, int timeoutMs, int wakeFd,
                           std::size_t& received)
{
    received = 0;
    for (;;) {
        const TWaitResult wait = WaitForSocket(fd, POLLIN, timeoutMs, wakeFd);
        if (wait == TWaitResult::Woken)
            return TReceiveResult::Woken;
        if (wait == TWaitResult::Timeout)
            return TReceiveResult::Timeout;
        if (wait == TWaitResult::Failed)
            return TReceiveResult::Closed;
        const ssize_t n = recv(fd, buffer, capacity, 0);
        if (n > 0) {
            received = static_cast<std::size_t>(n);
            return TReceiveResult::Data;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        return TReceiveResult::Closed;
    }
}

void CloseSocket(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

}  // namespace skerra::ntrip
