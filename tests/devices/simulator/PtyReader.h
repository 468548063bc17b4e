#pragma once
// The program's side of a simulated port in tests: opens the terminal's path and
// collects whole lines, waiting on the terminal with a deadline.

#include <chrono>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace simtest {

class PtyReader {
public:
    explicit PtyReader(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
    }
    ~PtyReader() { Close(); }
    PtyReader(const PtyReader&) = delete;
    PtyReader& operator=(const PtyReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    void Close()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    void Write(const std::string& bytes) { (void)!::write(fd_, bytes.data(), bytes.size()); }

    // Reads until `count` lines have arrived, the other side has gone or the time is up.
    std::vector<std::string> ReadLines(std::size_t count, int timeoutMs = 5000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (lines_.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 50};
            if (::poll(&p, 1, 50) <= 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                if (p.revents & POLLHUP) break;
                continue;
            }
            split(std::string(buffer, static_cast<std::size_t>(n)));
        }
        std::vector<std::string> out;
        out.swap(lines_);
        return out;
    }

private:
    void split(const std::string& bytes)
    {
        partial_ += bytes;
        for (std::size_t end; (end = partial_.find("\r\n")) != std::string::npos;) {
            lines_.push_back(partial_.substr(0, end));
            partial_.erase(0, end + 2);
        }
    }

    int fd_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
};

}  // namespace simtest
