#pragma once
// The POSIX socket work of one caster connection. Every wait also watches a wake-up
// descriptor, so a stop request ends any of them at once.

#include <sys/socket.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skerra::ntrip {

struct TSocketAddress {
    sockaddr_storage Storage{};
    socklen_t Length = 0;
};

// Host name (or IPv4/IPv6 address text) and port to addresses; nothing on failure.
using TResolver = std::function<std::optional<std::vector<TSocketAddress>>(const std::string& host, int port)>;
std::optional<std::vector<TSocketAddress>> ResolveWithGetaddrinfo(const std::string& host, int port);

// A pipe whose read end becomes readable once Wake() was called; Wake() may be
// called from any thread.
class TWakePipe {
public:
    TWakePipe();
    ~TWakePipe();
    TWakePipe(const TWakePipe&) = delete;
    TWakePipe& operator=(const TWakePipe&) = delete;

    void Wake();
    int ReadFd() const { return Fds[0]; }

private:
    int Fds[2] = {-1, -1};
};

enum class TWaitResult { Ready, Timeout, Woken, Failed };

// Waits until `fd` is ready for `events` (POLLIN/POLLOUT), `timeoutMs` pass or the
// wake-up descriptor fires.
TWaitResult WaitForSocket(int fd, short events, int timeoutMs, int wakeFd);

// Runs the resolver on a helper thread so that a wake-up ends the wait at once; the
// helper finishes on its own. `woken` tells a stop from a failure.
std::optional<std::vector<TSocketAddress>> ResolveInterruptibly(const TResolver& resolver, const std::string& host,
                                                                int port, int wakeFd, bool& woken);

enum class TConnectResult { Connected, SocketFailed, ConnectFailed, Woken };

// Tries the addresses in turn with a non-blocking connect, each for at most
// `timeoutMs`. On success `fd` holds the connected (non-blocking) socket.
TConnectResult ConnectToAny(const std::vector<TSocketAddress>& addresses, int timeoutMs, int wakeFd, int& fd);

// Sends all bytes (MSG_NOSIGNAL: a closed peer never raises SIGPIPE); gives up after
// `timeoutMs` without progress, on an error or a wake-up. Returns the bytes sent.
long long SendAll(int fd, const char* data, std::size_t length, int timeoutMs, int wakeFd);

enum class TReceiveResult { Data, Closed, Timeout, Woken };

// One receive of at most `capacity` bytes into `buffer`, waiting up to `timeoutMs`.
TReceiveResult ReceiveSome(int fd, char* buffer, std::size_t capacity, int timeoutMs, int wakeFd,
                           std::size_t& received);

void CloseSocket(int& fd);

}  // namespace skerra::ntrip
