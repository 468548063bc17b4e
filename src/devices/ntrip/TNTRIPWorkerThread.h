#pragma once
// One caster connection: resolve, connect, request, read the answer, then relay the
// correction stream or collect the source table. Hands every status, data block and
// source table to the client on the user-interface thread and waits for each.
// Stop (user-interface thread) ends it at once: it wakes every wait, cancels a
// hand-off in progress and suppresses every later one. Only the worker closes its socket.

#include "devices/ntrip/ChunkedDecoder.h"
#include "devices/ntrip/NTRIPSocket.h"

#include <QThread>

#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class THalvekNTRIPClient;

class TNTRIPWorkerThread : public QThread {
    Q_OBJECT
public:
    TNTRIPWorkerThread(THalvekNTRIPClient* client, int version, std::uint64_t sequence);
    ~TNTRIPWorkerThread() override;

    void Stop();

    THalvekNTRIPClient* const Client;
    const int Version;
    const std::uint64_t Sequence;   // the client's number of this connection

protected:
    void run() override { Execute(); }

private:
    struct TParameters {
        std::string Host, Username, Password, MountPoint;
        int Port = 0;
        int GGAInterval = 0;
        int ConnectTimeoutMs = 0;
        int ReceiveTimeoutMs = 0;
        skerra::ntrip::TResolver Resolver;
    };

    // State of the hand-offs, shared with the events posted to the user-interface
    // thread so that they stay valid after the worker is gone.
    struct TControl {
        std::mutex Lock;
        std::condition_variable Changed;
        bool StopRequested = false;
        skerra::ntrip::TWakePipe Wake;
    };

    void Execute();
    bool Synchronize(std::function<void()> work);
    bool Stopping() const;
    void SetStatus(int status, const std::string& message, bool networkFailure = false);
    void HandleData(const char* data, std::size_t length);
    std::string BuildGGA() const;
    void SendGGA();
    void Log(const std::string& message);

    // Parts of Execute.
    bool Open();
    // Continue: keep reading; Closed: the connection was lost; Finished: the answer is
    // complete; Failed: an error status was raised; Stopped: Stop was called.
    enum class TEnd { Continue, Closed, Finished, Failed, Stopped };
    TEnd ReadResponse();
    TEnd HandleHeader(bool closed);
    TEnd HandleBody(const char* data, std::size_t length);
    TEnd HandleStreamBytes(const char* data, std::size_t length);
    TEnd SkipIcyHeader(const char* data, std::size_t length);
    TEnd AppendSourceTable(const char* data, std::size_t length);
    TEnd FinishSourceTable();
    TEnd EndOfInput();

    TParameters Params;
    std::shared_ptr<TControl> Control;
    int Socket = -1;

    // Response state.
    bool HeaderDone = false;
    bool SourceTableMode = false;
    std::string HeaderText;
    std::string SourceTableText;
    bool IcyHeaderLinesPending = false;   // header lines after "ICY 200 OK" not yet passed
    std::string IcyPending;
    std::optional<skerra::ntrip::TChunkedDecoder> Dechunk;
    std::chrono::steady_clock::time_point LastGGA;
};
