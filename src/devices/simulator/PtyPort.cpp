#include "devices/simulator/PtyPort.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace skerra::sim {
namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

}  // namespace

PtyPort::~PtyPort()
{
    if (master_ >= 0) ::close(master_);
}

bool PtyPort::Open(std::string& error)
{
    int master = -1, slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = systemError("cannot make a pseudo-terminal");
        return false;
    }
    termios raw{};
    if (::tcgetattr(slave, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    // Once our own end has closed, the master reports a hang-up whenever no program
    // has the terminal open; ReaderPresent relies on that.
    ::close(slave);
    master_ = master;
    path_ = name;
    return true;
}

bool PtyPort::ReaderPresent() const
{
    if (master_ < 0) return false;
    pollfd p{master_, POLLOUT, 0};
    if (::poll(&p, 1, 0) < 0) return false;
    return (p.revents & POLLHUP) == 0;
}

// Lines sent to a program that has gone unread would greet the next program that
// opens the port; they are thrown away when the reader leaves.
void PtyPort::forgetUnread()
{
    pending_.clear();
    const int slave = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave >= 0) {
        ::tcflush(slave, TCIFLUSH);
        ::close(slave);
    }
}

void PtyPort::writePending()
{
    while (!pending_.empty()) {
        const ssize_t n = ::write(master_, pending_.data(), pending_.size());
        if (n > 0) {
            pending_.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return;  // full (EAGAIN) or gone (EIO): try again next time
        }
    }
}

void PtyPort::Send(const std::vector<std::string>& lines)
{
    if (master_ < 0) return;
    if (!ReaderPresent()) {
        if (readerSeen_) forgetUnread();
        readerSeen_ = false;
        dropped_ += lines.size();
        return;
    }
    readerSeen_ = true;
    for (const std::string& line : lines) {
        if (pending_.size() + line.size() + 2 > MaxPending) {
            ++dropped_;
            continue;
        }
        pending_ += line;
        pending_ += "\r\n";
    }
    writePending();
}

std::size_t PtyPort::Drain()
{
    if (master_ < 0) return 0;
    std::size_t total = 0;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            total += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return total;  // nothing more (EAGAIN), or no reader (EIO)
    }
}

bool MakeSymbolicLink(const std::string& target, const std::string& link, std::string& error)
{
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link + " exists and is not a symbolic link";
            return false;
        }
        if (::unlink(link.c_str()) != 0) {
            error = systemError("cannot replace " + link);
            return false;
        }
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        error = systemError("cannot make " + link);
        return false;
    }
    return true;
}

}  // namespace skerra::sim
