#pragma once
// One end of a simulated serial cable: a pseudo-terminal whose other end (the path
// printed for the user) a program opens as its serial port.
//
// The simulator keeps the master side for its whole run and never blocks on it: lines
// are written only while a program has the terminal open, a program that stops reading
// loses lines rather than stalling the simulator, and a program that closes and opens
// the port again receives only what is sent after that. What the program writes to the
// port (RTCM corrections for a receiver, for instance) is read and dropped.

#include <cstddef>
#include <string>
#include <vector>

namespace skerra::sim {

class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Makes the terminal, in raw mode; false with a reason when that fails.
    bool Open(std::string& error);
    // The path a program opens, e.g. "/dev/pts/5".
    const std::string& Path() const { return path_; }

    // Sends each line with CR LF, as far as the terminal takes them now; the rest
    // waits for the next call (a bounded amount; beyond it lines are dropped).
    void Send(const std::vector<std::string>& lines);
    // Reads and drops what the program wrote; returns the number of bytes.
    std::size_t Drain();
    // A program has the terminal open.
    bool ReaderPresent() const;

    std::size_t LinesDropped() const { return dropped_; }
    static constexpr std::size_t MaxPending = 16 * 1024;

private:
    void forgetUnread();
    void writePending();

    int master_ = -1;
    std::string path_;
    std::string pending_;
    bool readerSeen_ = false;
    std::size_t dropped_ = 0;
};

// Points `link` at `target`, replacing an older symbolic link there (but never a
// file or folder). False with a reason when it cannot.
bool MakeSymbolicLink(const std::string& target, const std::string& link, std::string& error);

}  // namespace skerra::sim
