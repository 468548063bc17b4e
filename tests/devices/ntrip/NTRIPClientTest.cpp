// The NTRIP client against a fake caster on 127.0.0.1: answers of every kind, the
// status sequence and texts, relayed bytes, reconnects, GGA sending, and Stop and
// Disconnect never hanging.

#include "FakeCaster.h"

#include "devices/ntrip/TCorrectionSink.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "LoopbackTestSupport.h"
#include "devices/ntrip/TNTRIPWorkerThread.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kShortReceiveTimeoutMs = 400;
constexpr int kShortReconnectMs = 100;

using ntriptest::waitUntil;

void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

class RecordingSink : public TCorrectionSink {
public:
    bool IsOpen() const override { return Open; }
    void WriteRaw(const char* data, int length) override
    {
        Written.append(data, static_cast<std::size_t>(length));
        Counts.Units += 2;
        Counts.DroppedUnits += DropsPerWrite;
        Counts.DroppedBytes += DropsPerWrite * 150;
    }
    skerra::CorrectionRelayCounts RelayCounts() const override { return Counts; }
    bool Open = true;
    std::string Written;
    quint64 DropsPerWrite = 0;  // a port too slow for the stream drops this many frames a block
    skerra::CorrectionRelayCounts Counts;
};

// A client wired to records of everything it reports.
class ClientFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Client.Host = "127.0.0.1";
        Client.MountPoint = "MP01";
        Client.ReceiveTimeoutMs = 5000;
        Client.ConnectTimeoutMs = 2000;
        Client.ReconnectTimer->setInterval(kShortReconnectMs);
        Client.SetSerialPortHandle(&Sink);
        Client.OnStatus = [this](QObject*, int status, const std::string& message) {
            Statuses.emplace_back(status, message);
        };
        Client.OnLog = [this](QObject*, const std::string& message) { Logs.push_back(message); };
        Client.OnData = [this](QObject*, const char* data, int length) {
            Data.append(data, static_cast<std::size_t>(length));
        };
        Client.OnSourceTable = [this](QObject*, const std::vector<std::string>& mountPoints) {
            Tables.push_back(mountPoints);
        };
    }

    void ConnectTo(const FakeCaster& caster)
    {
        Client.Port = caster.Port();
        Client.Connect();
    }

    bool Ended()
    {
        return !Statuses.empty() && (Statuses.back().first == ntripError ||
                                     Statuses.back().second == "Disconnected");
    }

    std::vector<std::string> StatusTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& [status, message] : Statuses)
            texts.push_back(std::to_string(status) + " " + message);
        return texts;
    }

    bool Logged(const std::string& text) const
    {
        return std::find(Logs.begin(), Logs.end(), text) != Logs.end();
    }

    THalvekNTRIPClient Client;
    RecordingSink Sink;
    std::vector<std::pair<int, std::string>> Statuses;
    std::vector<std::string> Logs;
    std::string Data;
    std::vector<std::vector<std::string>> Tables;
};

std::string rtcmBytes(std::size_t n, char seed = 0)
{
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i)
        bytes += static_cast<char>((i * 7 + static_cast<std::size_t>(seed)) & 0xFF);
    bytes[0] = static_cast<char>(0xD3);
    return bytes;
}

}  // namespace

struct AnswerCase {
    const char* name;
    int version;
    const char* mountPoint;
    CasterScript script;
    std::vector<std::string> statuses;   // "<status> <message>" in order
    std::string relayed;                 // bytes expected at the sink and in OnData
    std::vector<std::string> table;      // mount points of a parsed source table
    const char* loggedLine;              // a log line that must appear, or null
};

class ClientAnswers : public ClientFixture, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(ClientAnswers, StatusSequenceTextsAndRelay)
{
    const AnswerCase& c = GetParam();
    Client.NtripVersion = c.version;
    Client.MountPoint = c.mountPoint;
    Client.AutoReconnect = false;
    FakeCaster caster({c.script});
    const std::string port = std::to_string(caster.Port());
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Ended(); })) << ::testing::PrintToString(StatusTexts());

    std::vector<std::string> expected;
    for (const auto& s : c.statuses) {
        std::string text = s;
        const auto at = text.find("{port}");
        if (at != std::string::npos)
            text.replace(at, 6, port);
        expected.push_back(text);
    }
    EXPECT_EQ(StatusTexts(), expected);
    EXPECT_EQ(Data, c.relayed);
    EXPECT_EQ(Sink.Written, c.relayed);
    EXPECT_EQ(Client.BytesReceived.load(), static_cast<std::int64_t>(c.relayed.size()));
    if (c.table.empty()) {
        EXPECT_TRUE(Tables.empty());
    } else {
        EXPECT_EQ(Tables, std::vector<std::vector<std::string>>{c.table});
    }
    if (c.loggedLine) {
        EXPECT_TRUE(Logged(c.loggedLine)) << c.loggedLine;
    }
    EXPECT_FALSE(Client.Connected.load());
    // Nothing else happens afterwards: no reconnect, one connection.
    runEventsFor(3 * kShortReconnectMs);
    EXPECT_EQ(caster.Connections(), 1);
}

namespace {

const std::string kRtcm = rtcmBytes(300);
const std::string kTable =
    "STR;MP01;A;RTCM 3.2;1004;2;GPS;EX;DEU;50;8;1;0;G;none;B;N;9600;\r\n"
    "STR;MP02;B;RTCM 3.2;1004;2;GPS;EX;DEU;50;8;0;0;G;none;B;N;9600;\r\n"
    "ENDSOURCETABLE\r\n";

std::string chunked(const std::string& data, std::size_t piece)
{
    std::string out;
    static const char* hex = "0123456789abcdef";
    for (std::size_t i = 0; i < data.size(); i += piece) {
        const std::string part = data.substr(i, piece);
        std::string size;
        for (std::size_t n = part.size(); n; n /= 16)
            size.insert(size.begin(), hex[n % 16]);
        out += size + "\r\n" + part + "\r\n";
    }
    return out + "0\r\n\r\n";
}

const std::string kConnecting = "1 Connecting to 127.0.0.1:{port}";

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    FakeCaster, ClientAnswers,
    ::testing::Values(
        AnswerCase{"IcyWithDataInSameBlock", 0, "MP01",
                   {CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(50), CasterStep::close()},
                   {kConnecting, "2 Connected to MP01", "3 Receiving correction data", "0 Connection closed",
                    "0 Disconnected"},
                   kRtcm, {}, nullptr},
        AnswerCase{"IcyWithHeaderLinesSplit", 0, "MP01",
                   {CasterStep::send("ICY 200 OK\r\nServer: Caster/1.0\r\nDa"), CasterStep::pause(50),
                    CasterStep::send("te: today\r\n\r\n" + kRtcm.substr(0, 100)), CasterStep::pause(50),
                    CasterStep::send(kRtcm.substr(100)), CasterStep::pause(50), CasterStep::close()},
                   {kConnecting, "2 Connected to MP01", "3 Receiving correction data", "0 Connection closed",
                    "0 Disconnected"},
                   kRtcm, {}, nullptr},
        AnswerCase{"Ntrip2Chunked", 1, "MP01",
                   {CasterStep::send("HTTP/1.1 200 OK\r\nContent-Type: gnss/data\r\nTransfer-Encoding: chunked\r\n\r\n" +
                                     chunked(kRtcm, 64).substr(0, 150)),
                    CasterStep::pause(50), CasterStep::send(chunked(kRtcm, 64).substr(150)), CasterStep::pause(50)},
                   {kConnecting, "2 Connected to MP01", "3 Receiving correction data", "0 Connection closed",
                    "0 Disconnected"},
                   kRtcm, {}, nullptr},
        AnswerCase{"SourceTableSplitMarker", 0, "",
                   {CasterStep::send("SOURCETABLE 200 OK\r\nContent-Type: text/plain\r\n\r\n" +
                                     kTable.substr(0, kTable.size() - 10)),
                    CasterStep::pause(50), CasterStep::send(kTable.substr(kTable.size() - 10)), CasterStep::hold(300)},
                   {kConnecting, "0 Disconnected"}, "", {"MP01", "MP02"}, "Source table parsed: 2 mount points"},
        AnswerCase{"Ntrip2SourceTableChunked", 1, "",
                   {CasterStep::send("HTTP/1.1 200 OK\r\nContent-Type: gnss/sourcetable\r\n"
                                     "Transfer-Encoding: chunked\r\n\r\n" + chunked(kTable, 40)),
                    CasterStep::hold(300)},
                   {kConnecting, "0 Disconnected"}, "", {"MP01", "MP02"}, nullptr},
        AnswerCase{"BareUnauthorizedThenClose", 0, "MP01", {CasterStep::send("HTTP/1.0 401 Unauthorized"), CasterStep::pause(50), CasterStep::close()},
                   {kConnecting, "4 401 - Invalid username or password"}, "", {}, nullptr},
        AnswerCase{"NotFound", 1, "MP09", {CasterStep::send("HTTP/1.1 404 Not Found\r\n\r\n"), CasterStep::hold(300)},
                   {kConnecting, "4 404 - Mount point not found: MP09"}, "", {}, nullptr},
        AnswerCase{"Forbidden", 0, "MP01", {CasterStep::send("HTTP/1.1 403 Forbidden\r\n\r\n")},
                   {kConnecting, "4 403 - Access forbidden"}, "", {}, nullptr},
        AnswerCase{"Ntrip1TableForUnknownMountPoint", 0, "MP09",
                   {CasterStep::send("SOURCETABLE 200 OK\r\n\r\n" + kTable), CasterStep::hold(300)},
                   {kConnecting, "4 404 - Mount point not found: MP09"}, "", {"MP01", "MP02"}, nullptr},
        AnswerCase{"Garbage", 0, "MP01", {CasterStep::send("hello world\r\nmore\r\n"), CasterStep::hold(300)},
                   {kConnecting, "4 Unknown server response"}, "", {}, "Server response: hello world"},
        AnswerCase{"RawStreamWithoutRequest", 2, "MP01",
                   {CasterStep::send(kRtcm), CasterStep::pause(50), CasterStep::close()},
                   {kConnecting, "3 Receiving correction data", "0 Connection closed", "0 Disconnected"}, kRtcm, {},
                   nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClientFixture, RequestAndGGAReachTheCaster)
{
    Client.Username = "user";
    Client.Password = "secret";
    Client.GGAInterval = 1;
    Client.SetPosition(-0.5, -0.25, 12.34);
    CasterScript script{CasterStep::send("ICY 200 OK\r\n")};
    for (int i = 0; i < 12; ++i) {
        script.push_back(CasterStep::send(rtcmBytes(50, static_cast<char>(i))));
        script.push_back(CasterStep::hold(200));
    }
    script.push_back(CasterStep::close());
    Client.AutoReconnect = false;
    FakeCaster caster({script});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Ended(); }, 10000));

    ASSERT_EQ(caster.Requests().size(), 1u);
    EXPECT_EQ(caster.Requests()[0], "GET /MP01 HTTP/1.0\r\nUser-Agent: NTRIP HalvekNTRIPClient/1.0\r\n"
                                    "Authorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n");
    const std::string uplink = caster.Uplink()[0];
    // The first GGA at connection, then about one a second while data arrive (2.4 s).
    std::size_t count = 0;
    for (std::size_t at = uplink.find("$GPGGA,"); at != std::string::npos; at = uplink.find("$GPGGA,", at + 1))
        ++count;
    EXPECT_GE(count, 2u);
    EXPECT_LE(count, 4u);
    EXPECT_NE(uplink.find(",0030.0000,S,00015.0000,W,1,10,1.0,12.3,M,0.0,M,,*"), std::string::npos) << uplink;
    EXPECT_EQ(uplink.substr(uplink.size() - 2), "\r\n");
    EXPECT_EQ(Client.BytesSent.load(), static_cast<std::int64_t>(uplink.size()));
}

TEST_F(ClientFixture, RecentDataKeepsTheLast8192Bytes)
{
    const std::string data = rtcmBytes(10000, 3);
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + data.substr(0, 5000)), CasterStep::pause(30),
                        CasterStep::send(data.substr(5000)), CasterStep::pause(30), CasterStep::close()}});
    Client.AutoReconnect = false;
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Ended(); }));
    EXPECT_EQ(Client.RecentData(), data.substr(10000 - 8192));
    EXPECT_EQ(Client.BytesReceived.load(), 10000);
}

TEST_F(ClientFixture, RelayOnlyToAnOpenSinkAndWhenEnabled)
{
    for (int variant = 0; variant < 2; ++variant) {
        Statuses.clear();
        Data.clear();
        Sink.Written.clear();
        Logs.clear();
        Sink.Open = variant != 0;
        Client.RelayToSerial = variant == 0;
        FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(30),
                            CasterStep::send(kRtcm), CasterStep::pause(30), CasterStep::close()}});
        Client.AutoReconnect = false;
        ConnectTo(caster);
        ASSERT_TRUE(waitUntil([&] { return Ended(); }));
        EXPECT_EQ(Data, kRtcm + kRtcm);
        EXPECT_TRUE(Sink.Written.empty()) << variant;
        // A closed port is said once per connection; a separate output port is no fault.
        EXPECT_EQ(std::count(Logs.begin(), Logs.end(), "Corrections not relayed: GPS port closed"),
                  variant == 0 ? 1 : 0);
    }
}

TEST_F(ClientFixture, AGpsPortThatDropsCorrectionsIsReportedWithAFigure)
{
    Sink.DropsPerWrite = 1;
    Sink.Counts = {40, 4000, 9, 900};  // dropped before this connection: not reported
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(30), CasterStep::send(kRtcm),
                        CasterStep::pause(30), CasterStep::close()}});
    Client.AutoReconnect = false;
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Ended(); }));
    EXPECT_EQ(Sink.Written, kRtcm + kRtcm);
    // The first drop is said at once, with its figure; the next within the minute is not.
    EXPECT_EQ(std::count_if(Logs.begin(), Logs.end(), [](const std::string& line) { return line.starts_with("GPS port overrun"); }), 1);
    EXPECT_TRUE(Logged("GPS port overrun: 1 frame (150 bytes) of corrections dropped to keep them under a second old"));
    EXPECT_EQ(Client.RelayStatus(), "Dropped " + std::to_string(Sink.Counts.DroppedUnits - 9) + " of " +
                                        std::to_string(Sink.Counts.Units - 40) + " frames so far");
}

TEST_F(ClientFixture, ANewConnectAfterStoppedRetriesCountsItsRetriesAfresh)
{
    // The caster closes every connection unanswered: each attempt ends and is retried.
    FakeCaster caster({{CasterStep::close()}});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Logged("Reconnect attempt 2/10"); }, 10000));
    Client.Disconnect();
    Logs.clear();
    Client.AutoReconnect = true;
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Logged("Reconnect attempt 1/10") || Logged("Reconnect attempt 3/10"); }, 10000));
    EXPECT_TRUE(Logged("Reconnect attempt 1/10"));
    EXPECT_FALSE(Logged("Reconnect attempt 3/10"));
    Client.Disconnect();
}

TEST_F(ClientFixture, ALateStatusOfAReplacedConnectionDoesNotArmTheReconnectTimer)
{
    // The handler replaces the lost connection at once; the next worker may well get
    // the freed worker's address, and must not be taken for the one that was lost.
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(30), CasterStep::close()},
                       {CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::hold(3000)}});
    bool replaced = false;
    Client.OnStatus = [&](QObject*, int status, const std::string& message) {
        Statuses.emplace_back(status, message);
        if (message == "Connection closed" && !replaced) {
            replaced = true;
            Client.Connect();
        }
    };
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return replaced && Client.Status == ntripReceiving; }));
    runEventsFor(3 * kShortReconnectMs);
    EXPECT_FALSE(Client.ReconnectTimer->isActive());
    EXPECT_FALSE(Logged("Reconnect attempt 1/10"));
    EXPECT_EQ(caster.Connections(), 2);
}

TEST_F(ClientFixture, LostConnectionsReconnectAndCountResets)
{
    // First: connected then lost; second: connected, silent past the receive time-out;
    // third and later: refused by closing at once (no answer).
    Client.ReceiveTimeoutMs = kShortReceiveTimeoutMs;
    Client.MaxReconnect = 3;
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(30), CasterStep::close()},
                       {CasterStep::send("ICY 200 OK\r\n"), CasterStep::hold(kShortReceiveTimeoutMs * 3)},
                       {CasterStep::close()}});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return caster.Connections() >= 5 && Ended(); }, 10000));
    runEventsFor(4 * kShortReconnectMs);
    // 2 that reached "Connected to" (each resetting the count), then 3 attempts.
    EXPECT_EQ(caster.Connections(), 5);
    EXPECT_TRUE(Logged("Reconnect attempt 1/3"));
    EXPECT_TRUE(Logged("Reconnect attempt 3/3"));
    EXPECT_FALSE(Logged("Reconnect attempt 4/3"));
    EXPECT_EQ(Client.ReconnectCount.load(), 3);
    EXPECT_EQ(Data, kRtcm);
}

TEST_F(ClientFixture, ConnectFailureRetriesOnlyWithinAReconnectSequence)
{
    // A port with nothing listening: the first, manual attempt fails once and stays failed.
    const int freePort = [] {
        FakeCaster probe({{CasterStep::close()}}, 0);
        return probe.Port();
    }();
    Client.Port = freePort;
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return Ended(); }));
    EXPECT_EQ(StatusTexts().back(), "4 Failed to connect to 127.0.0.1");
    runEventsFor(3 * kShortReconnectMs);
    EXPECT_FALSE(Logged("Reconnect attempt 1/10"));

    // Within a sequence (after a lost connection) the same failure is retried up to the limit.
    Client.MaxReconnect = 2;
    Client.ReconnectCount = 1;
    Client.AutoReconnect = true;
    Statuses.clear();
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return Logged("Reconnect attempt 2/2") && Ended(); }));
    runEventsFor(3 * kShortReconnectMs);
    EXPECT_FALSE(Logged("Reconnect attempt 3/2"));
}

TEST_F(ClientFixture, AFailingHandlerIsReportedAndTheConnectionGoesOn)
{
    // Every event throws. Each failure is shown, and what the hand-off does besides
    // the event still happens: the relay, the log line, the reconnect after a loss.
    std::vector<QString> shown;
    struct Restore {
        skerra::MessageHandler previous;
        ~Restore() { skerra::setMessageHandler(previous); }
    } restore{skerra::setMessageHandler([&](const skerra::MessageRequest& request) {
        shown.push_back(request.text);
        return int{skerra::MbOk};
    })};
    Client.OnStatus = [this](QObject*, int status, const std::string& message) {
        Statuses.emplace_back(status, message);
        throw std::runtime_error("status handler failed");
    };
    Client.OnData = [](QObject*, const char*, int) { throw std::runtime_error("data handler failed"); };
    Client.MaxReconnect = 1;
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::pause(30), CasterStep::close()}});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return caster.Connections() == 2 && Ended(); }));

    EXPECT_EQ(Sink.Written, kRtcm + kRtcm);
    EXPECT_TRUE(Logged("Connection closed"));
    EXPECT_TRUE(Logged("Reconnect attempt 1/1"));
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(std::find(shown.begin(), shown.end(), "status handler failed.") != shown.end());
    EXPECT_TRUE(std::find(shown.begin(), shown.end(), "data handler failed.") != shown.end());
}

TEST_F(ClientFixture, RefusedSettings)
{
    Client.Host = "";
    Client.Connect();
    EXPECT_TRUE(Logged("Error: Caster address is empty"));
    Client.Host = "127.0.0.1";
    Client.MountPoint = "MP01\r\nX-Evil: 1";
    Client.Connect();
    EXPECT_TRUE(Logged("Error: Caster settings contain control characters"));
    EXPECT_EQ(Client.Worker, nullptr);
    runEventsFor(50);
    EXPECT_TRUE(Statuses.empty());
}

TEST_F(ClientFixture, ConnectWhileConnectedEndsThePreviousConnection)
{
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n"), CasterStep::hold(3000)}});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Client.Connected.load(); }));
    Logs.clear();
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return caster.Connections() == 2 && Client.Connected.load(); }));
    ASSERT_GE(Logs.size(), 2u);
    EXPECT_EQ(Logs[0], "Disconnected");
    EXPECT_EQ(Logs[1], "Connecting to 127.0.0.1:" + std::to_string(caster.Port()));
    EXPECT_TRUE(Client.AutoReconnect);
}

TEST_F(ClientFixture, FetchSourceTableDoesNotReconnect)
{
    FakeCaster caster({{CasterStep::send("SOURCETABLE 200 OK\r\n\r\n" + kTable), CasterStep::close()}});
    Client.Port = caster.Port();
    Client.FetchSourceTable();
    ASSERT_TRUE(waitUntil([&] { return Ended(); }));
    EXPECT_EQ(Client.MountPoints, (std::vector<std::string>{"MP01", "MP02"}));
    EXPECT_EQ(Client.MountPointNMEA, (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(caster.Requests()[0].substr(0, 16), "GET / HTTP/1.0\r\n");
    runEventsFor(3 * kShortReconnectMs);
    EXPECT_EQ(caster.Connections(), 1);
}

// --- Stop and Disconnect never hang -------------------------------------------------

namespace {

template <class F>
long long millisecondsOf(F&& f)
{
    const auto start = Clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

TEST_F(ClientFixture, DisconnectDuringHostResolution)
{
    Client.Resolver = [](const std::string&, int) -> std::optional<std::vector<skerra::ntrip::TSocketAddress>> {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return std::nullopt;
    };
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return !Statuses.empty(); }));
    EXPECT_LT(millisecondsOf([&] { Client.Disconnect(); }), 500);
    runEventsFor(50);
    EXPECT_EQ(StatusTexts().size(), 1u);   // no status after the stop
    EXPECT_TRUE(Logged("Disconnected"));
}

TEST_F(ClientFixture, DisconnectDuringConnectToASilentAddress)
{
    // A listener whose accept queue is full drops further connection attempts, so the
    // client's connect waits for an answer that never comes.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    socklen_t length = sizeof(address);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 3; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        fillers.push_back(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    Client.Port = ntohs(address.sin_port);
    Client.ConnectTimeoutMs = 20000;
    Client.Connect();
    ASSERT_TRUE(waitUntil([&] { return !Statuses.empty(); }));
    runEventsFor(200);
    EXPECT_EQ(StatusTexts().size(), 1u) << "connect did not block; the test proves nothing";
    EXPECT_LT(millisecondsOf([&] { Client.Disconnect(); }), 500);
    for (int fd : fillers)
        close(fd);
    close(listener);
}

TEST_F(ClientFixture, DisconnectWhileAHandOffWaits)
{
    // The worker waits for its first hand-off while the user-interface thread does not
    // run events; Disconnect must still end it at once, and nothing is reported after.
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::hold(3000)}});
    ConnectTo(caster);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_LT(millisecondsOf([&] { Client.Disconnect(); }), 500);
    runEventsFor(100);
    EXPECT_TRUE(Statuses.empty());
    EXPECT_TRUE(Data.empty());
}

TEST_F(ClientFixture, DisconnectFromInsideAHandler)
{
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + kRtcm), CasterStep::hold(3000)}});
    bool disconnected = false;
    Client.OnData = [&](QObject*, const char* data, int length) {
        Data.append(data, static_cast<std::size_t>(length));
        Client.Disconnect();
        disconnected = true;
    };
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return disconnected; }));
    runEventsFor(100);
    EXPECT_EQ(Client.Worker, nullptr);
    EXPECT_EQ(StatusTexts().back(), "2 Connected to MP01");   // nothing after the stop
}

TEST_F(ClientFixture, DisconnectWhileReceiving)
{
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n"), CasterStep::hold(5000)}});
    ConnectTo(caster);
    ASSERT_TRUE(waitUntil([&] { return Client.Connected.load(); }));
    runEventsFor(100);
    EXPECT_LT(millisecondsOf([&] { Client.Disconnect(); }), 500);
    EXPECT_FALSE(Client.Connected.load());
    EXPECT_EQ(Client.Status.load(), ntripDisconnected);
}
