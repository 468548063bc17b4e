#include "devices/ntrip/TNTRIPWorkerThread.h"

#include "devices/ntrip/GGASentence.h"
#include "devices/ntrip/NTRIPRequest.h"
#include "devices/ntrip/NTRIPResponseHeader.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"

#include <QMetaObject>

using namespace skerra::ntrip;

namespace {

constexpr std::size_t kReceiveSize = 4095;
constexpr std::size_t kMaxSourceTableSize = 4 * 1024 * 1024;
constexpr int kSendTimeoutMs = 30000;
constexpr std::string_view kEndSourceTable = "ENDSOURCETABLE";

}  // namespace

TNTRIPWorkerThread::TNTRIPWorkerThread(THalvekNTRIPClient* client, int version, std::uint64_t sequence)
    : Client(client), Version(version), Sequence(sequence), Control(std::make_shared<TControl>())
{
    Params.Host = client->Host;
    Params.Port = client->Port;
    Params.Username = client->Username;
    Params.Password = client->Password;
    Params.MountPoint = client->MountPoint;
    Params.GGAInterval = client->GGAInterval;
    Params.ConnectTimeoutMs = client->ConnectTimeoutMs;
    Params.ReceiveTimeoutMs = client->ReceiveTimeoutMs;
    Params.Resolver = client->Resolver;
}

TNTRIPWorkerThread::~TNTRIPWorkerThread()
{
    Stop();
    wait();
    CloseSocket(Socket);
}

void TNTRIPWorkerThread::Stop()
{
    {
        std::lock_guard lock(Control->Lock);
        Control->StopRequested = true;
    }
    Control->Changed.notify_all();
    Control->Wake.Wake();
}

bool TNTRIPWorkerThread::Stopping() const
{
    std::lock_guard lock(Control->Lock);
    return Control->StopRequested || isInterruptionRequested();
}

// Runs `work` on the user-interface thread and waits until it has run. Returns false
// (without running it) once a stop was requested; a stop during the wait releases the
// worker at once, and the work no longer runs if it had not started.
bool TNTRIPWorkerThread::Synchronize(std::function<void()> work)
{
    struct THandoff {
        std::function<void()> Work;
        bool Done = false;
    };
    auto handoff = std::make_shared<THandoff>();
    handoff->Work = std::move(work);
    auto control = Control;
    THalvekNTRIPClient* client = Client;
    {
        std::lock_guard lock(control->Lock);
        if (control->StopRequested)
            return false;
    }
    QMetaObject::invokeMethod(
        Client,
        [control, handoff, client] {
            {
                std::lock_guard lock(control->Lock);
                if (control->StopRequested)
                    return;
            }
            // A failure must not reach the event loop or stall the worker.
            skerra::guarded(client, handoff->Work);
            {
                std::lock_guard lock(control->Lock);
                handoff->Done = true;
            }
            control->Changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(control->Lock);
    control->Changed.wait(lock, [&] { return handoff->Done || control->StopRequested; });
    return handoff->Done;
}

void TNTRIPWorkerThread::SetStatus(int status, const std::string& message, bool networkFailure)
{
    if (Stopping())
        return;
    Client->Status = status;
    THalvekNTRIPClient* client = Client;
    const std::uint64_t sequence = Sequence;
    Synchronize([client, sequence, status, message, networkFailure] {
        client->DeliverStatus(sequence, status, message, networkFailure);
    });
}

void TNTRIPWorkerThread::Log(const std::string& message)
{
    THalvekNTRIPClient* client = Client;
    Synchronize([client, message] { client->Log(message); });
}

void TNTRIPWorkerThread::HandleData(const char* data, std::size_t length)
{
    if (length == 0)
        return;
    Client->BytesReceived += static_cast<std::int64_t>(length);
    Client->AppendRecentData(data, length);
    THalvekNTRIPClient* client = Client;
    std::string block(data, length);
    Synchronize([client, block = std::move(block)] { client->DeliverData(block); });
}

// The GGA of the client's latest position at the current UTC time.
std::string TNTRIPWorkerThread::BuildGGA() const
{
    const auto position = Client->GGAPosition();
    const QTime utc = skerra::currentDateTime().toUTC().time();
    return BuildGGASentence(utc.hour(), utc.minute(), utc.second(), position.Latitude, position.Longitude,
                            position.Altitude);
}

void TNTRIPWorkerThread::SendGGA()
{
    LastGGA = std::chrono::steady_clock::now();
    if (Socket < 0)
        return;
    const std::string sentence = BuildGGA() + "\r\n";
    const long long sent = SendAll(Socket, sentence.data(), sentence.size(), kSendTimeoutMs, Control->Wake.ReadFd());
    if (sent > 0)
        Client->BytesSent += sent;
}

bool TNTRIPWorkerThread::Open()
{
    const std::string target = Params.Host;
    bool woken = false;
    const auto addresses =
        ResolveInterruptibly(Params.Resolver, Params.Host, Params.Port, Control->Wake.ReadFd(), woken);
    if (woken)
        return false;
    if (!addresses) {
        SetStatus(ntripError, "Failed to resolve host: " + target, true);
        return false;
    }
    switch (ConnectToAny(*addresses, Params.ConnectTimeoutMs, Control->Wake.ReadFd(), Socket)) {
    case TConnectResult::Connected:
        return true;
    case TConnectResult::SocketFailed:
        SetStatus(ntripError, "Failed to create socket", true);
        return false;
    case TConnectResult::ConnectFailed:
        SetStatus(ntripError, "Failed to connect to " + target, true);
        return false;
    case TConnectResult::Woken:
        return false;
    }
    return false;
}

void TNTRIPWorkerThread::Execute()
{
    SetStatus(ntripConnecting, "Connecting to " + Params.Host + ":" + std::to_string(Params.Port));
    if (Stopping() || !Open()) {
        CloseSocket(Socket);
        return;
    }
    const std::string request =
        BuildNTRIPRequest(Version, Params.Host, Params.MountPoint, Params.Username, Params.Password);
    if (!request.empty())
        SendAll(Socket, request.data(), request.size(), kSendTimeoutMs, Control->Wake.ReadFd());
    LastGGA = std::chrono::steady_clock::now();

    const TEnd end = ReadResponse();
    CloseSocket(Socket);
    Client->Connected = false;
    if (end == TEnd::Closed)
        SetStatus(ntripDisconnected, "Connection closed");
    if (end == TEnd::Closed || end == TEnd::Finished)
        SetStatus(ntripDisconnected, "Disconnected");
}

TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::ReadResponse()
{
    std::string buffer(kReceiveSize, '\0');
    // Without a request there is no answer header: every byte is data.
    HeaderDone = Version != 0 && Version != 1;
    for (;;) {
        if (Stopping())
            return TEnd::Stopped;
        std::size_t received = 0;
        const TReceiveResult result = ReceiveSome(Socket, buffer.data(), buffer.size(), Params.ReceiveTimeoutMs,
                                                  Control->Wake.ReadFd(), received);
        if (result == TReceiveResult::Woken || Stopping())
            return TEnd::Stopped;
        if (result != TReceiveResult::Data)
            return EndOfInput();
        TEnd end;
        if (HeaderDone) {
            end = HandleBody(buffer.data(), received);
        } else {
            HeaderText.append(buffer.data(), received);
            end = HandleHeader(false);
        }
        if (end != TEnd::Continue)
            return end;
    }
}

// The connection ended: closed by the caster, broken, or silent for the receive time-out.
TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::EndOfInput()
{
    if (!HeaderDone) {
        if (HeaderText.empty())
            return TEnd::Closed;
        return HandleHeader(true);
    }
    if (SourceTableMode)
        return FinishSourceTable();
    return TEnd::Closed;
}

TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::HandleHeader(bool closed)
{
    const TResponseHeader header = ClassifyResponse(HeaderText, closed, !Params.MountPoint.empty());
    switch (header.Kind) {
    case TResponseKind::NeedMore:
        return TEnd::Continue;
    case TResponseKind::Error:
        switch (header.HttpCode) {
        case 401:
            SetStatus(ntripError, "401 - Invalid username or password");
            return TEnd::Failed;
        case 404:
            SetStatus(ntripError, "404 - Mount point not found: " + Params.MountPoint);
            return TEnd::Failed;
        case 403:
            SetStatus(ntripError, "403 - Access forbidden");
            return TEnd::Failed;
        default:
            break;
        }
        [[fallthrough]];
    case TResponseKind::Unknown:
        if (!header.StatusLine.empty())
            Log("Server response: " + header.StatusLine);
        SetStatus(ntripError, "Unknown server response");
        return TEnd::Failed;
    case TResponseKind::Stream:
    case TResponseKind::SourceTable:
        break;
    }

    HeaderDone = true;
    IcyHeaderLinesPending = header.HeaderLinesPending;
    if (header.Chunked)
        Dechunk.emplace();
    const std::string body = HeaderText.substr(header.BodyOffset);
    HeaderText.clear();
    if (header.Kind == TResponseKind::SourceTable) {
        SourceTableMode = true;
    } else {
        SetStatus(ntripConnected, "Connected to " + Params.MountPoint);
        Client->Connected = true;
        Client->ReconnectCount = 0;
        SendGGA();
    }
    if (!body.empty()) {
        const TEnd end = HandleBody(body.data(), body.size());
        if (end != TEnd::Continue)
            return end;
    }
    if (closed)
        return EndOfInput();
    return TEnd::Continue;
}

TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::HandleBody(const char* data, std::size_t length)
{
    if (!Dechunk)
        return SourceTableMode ? AppendSourceTable(data, length) : HandleStreamBytes(data, length);
    std::string decoded;
    const bool intact = Dechunk->Feed(std::string_view(data, length), decoded);
    if (!decoded.empty()) {
        const TEnd end = SourceTableMode ? AppendSourceTable(decoded.data(), decoded.size())
                                         : HandleStreamBytes(decoded.data(), decoded.size());
        if (end != TEnd::Continue)
            return end;
    }
    if (!intact || Dechunk->Finished())
        return EndOfInput();  // the caster ended its stream, or the coding broke
    return TEnd::Continue;
}

// Holds back the bytes after "ICY 200 OK" until it is clear whether header lines
// follow, so that no header text is relayed to the receiver as corrections.
TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::SkipIcyHeader(const char* data, std::size_t length)
{
    IcyPending.append(data, length);
    std::size_t body = SkipIcyHeaderLines(IcyPending, 0);
    if (body == std::string::npos) {
        if (IcyPending.size() < kMaxResponseHeaderSize)
            return TEnd::Continue;
        body = 0;  // not header lines after all
    }
    IcyHeaderLinesPending = false;
    const std::string rest = IcyPending.substr(body);
    IcyPending.clear();
    return rest.empty() ? TEnd::Continue : HandleStreamBytes(rest.data(), rest.size());
}

TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::HandleStreamBytes(const char* data, std::size_t length)
{
    if (IcyHeaderLinesPending)
        return SkipIcyHeader(data, length);
    HandleData(data, length);
    if (Client->Status != ntripReceiving)
        SetStatus(ntripReceiving, "Receiving correction data");
    const auto now = std::chrono::steady_clock::now();
    if (Params.GGAInterval >= 1 && now - LastGGA >= std::chrono::seconds(Params.GGAInterval))
        SendGGA();
    return TEnd::Continue;
}

TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::AppendSourceTable(const char* data, std::size_t length)
{
    if (SourceTableText.size() + length > kMaxSourceTableSize) {
        SetStatus(ntripError, "Source table too large");
        return TEnd::Failed;
    }
    // The end marker may straddle two blocks: search from just before the new bytes.
    const std::size_t from = SourceTableText.size() >= kEndSourceTable.size() - 1
                                 ? SourceTableText.size() - (kEndSourceTable.size() - 1)
                                 : 0;
    SourceTableText.append(data, length);
    if (SourceTableText.find(kEndSourceTable, from) == std::string::npos)
        return TEnd::Continue;
    return FinishSourceTable();
}

// Hands the table over; a table that answers a request for a mount point means the
// caster does not know that mount point.
TNTRIPWorkerThread::TEnd TNTRIPWorkerThread::FinishSourceTable()
{
    THalvekNTRIPClient* client = Client;
    std::string text = std::move(SourceTableText);
    SourceTableText.clear();
    Synchronize([client, text = std::move(text)] { client->ParseSourceTable(text); });
    if (!Params.MountPoint.empty()) {
        SetStatus(ntripError, "404 - Mount point not found: " + Params.MountPoint);
        return TEnd::Failed;
    }
    return TEnd::Finished;
}
