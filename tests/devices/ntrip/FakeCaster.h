#pragma once
// A caster stand-in on 127.0.0.1 for the client tests: it accepts connections one at a
// time and plays a script on each (the last script repeats for later connections),
// recording the request and everything the client sends afterwards. Bounded: it
// serves at most `maxConnections` and stops with the object.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CasterStep {
    enum Kind { Send, Pause, Close, Hold } What;
    std::string Bytes;   // Send
    int Ms = 0;          // Pause; Hold: keep the connection open this long, reading
    static CasterStep send(std::string bytes) { return {Send, std::move(bytes), 0}; }
    static CasterStep pause(int ms) { return {Pause, {}, ms}; }
    static CasterStep close() { return {Close, {}, 0}; }
    static CasterStep hold(int ms) { return {Hold, {}, ms}; }
};

using CasterScript = std::vector<CasterStep>;

class FakeCaster {
public:
    explicit FakeCaster(std::vector<CasterScript> scripts, int maxConnections = 20);
    ~FakeCaster();

    int Port() const { return ListenPort; }
    int Connections() const { return Accepted; }
    std::vector<std::string> Requests() const;   // per connection, up to the blank line
    std::vector<std::string> Uplink() const;     // per connection, what followed the request

private:
    void Serve();
    void Play(int fd, const CasterScript& script, std::size_t index);
    bool Sleep(int ms);

    std::vector<CasterScript> Scripts;
    int MaxConnections;
    int ListenFd = -1;
    int ListenPort = 0;
    std::atomic<bool> StopFlag{false};
    std::atomic<int> Accepted{0};
    mutable std::mutex Lock;
    std::vector<std::string> RequestTexts;
    std::vector<std::string> UplinkTexts;
    std::thread Thread;
};
