// The texts the NTRIP client exchanges with a caster: Base64, the request, the GGA
// sentence, the answer's classification, chunked coding and the source table.

#include "MissingTool.h"
#include "devices/ntrip/Base64Encode.h"
#include "devices/ntrip/ChunkedDecoder.h"
#include "devices/ntrip/GGASentence.h"
#include "devices/ntrip/NTRIPRequest.h"
#include "devices/ntrip/NTRIPResponseHeader.h"
#include "devices/ntrip/NTRIPSourceTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

using namespace skerra::ntrip;
using namespace std::string_literals;

TEST(Base64Encode, Rfc4648Vectors)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},          {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
        {"user:", "dXNlcjo="}, {"\xff\xfe\x00\x01"s, "//4AAQ=="},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(Base64Encode(in), out) << in;
}

TEST(NTRIPRequest, Forms)
{
    struct Case {
        int version;
        const char* user;
        const char* password;
        std::string expected;
    };
    const Case cases[] = {
        {0, "user", "secret", "GET /MP01 HTTP/1.0\r\nUser-Agent: NTRIP HalvekNTRIPClient/1.0\r\n"
                              "Authorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n"},
        {0, "", "secret", "GET /MP01 HTTP/1.0\r\nUser-Agent: NTRIP HalvekNTRIPClient/1.0\r\n\r\n"},
        {0, "user", "", "GET /MP01 HTTP/1.0\r\nUser-Agent: NTRIP HalvekNTRIPClient/1.0\r\n"
                        "Authorization: Basic dXNlcjo=\r\n\r\n"},
        {1, "user", "secret", "GET /MP01 HTTP/1.1\r\nHost: caster.example\r\nNtrip-Version: Ntrip/2.0\r\n"
                              "User-Agent: NTRIP HalvekNTRIPClient/1.0\r\nAuthorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n"},
        {1, "", "", "GET /MP01 HTTP/1.1\r\nHost: caster.example\r\nNtrip-Version: Ntrip/2.0\r\n"
                    "User-Agent: NTRIP HalvekNTRIPClient/1.0\r\n\r\n"},
        {2, "user", "secret", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildNTRIPRequest(c.version, "caster.example", "MP01", c.user, c.password), c.expected);
    EXPECT_TRUE(HasControlCharacters("MP01\r\nX-Injected: 1"));
    EXPECT_TRUE(HasControlCharacters("a\x7f"));
    EXPECT_FALSE(HasControlCharacters("user@caster-1.example:2101"));
}

class GGASentence : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        // The C library's numbers must not follow the user's locale.
        Saved = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, GetParam()))
            SKERRA_SKIP_UNLESS_CI("locale " << GetParam() << " not installed");
    }
    void TearDown() override { std::setlocale(LC_ALL, Saved.c_str()); }
    std::string Saved;
};

TEST_P(GGASentence, FieldsChecksumAndRounding)
{
    struct Case {
        double lat, lon, alt;
        std::string expected;   // without the checksum
    };
    const Case cases[] = {
        {-0.5, -0.25, 12.34, "$GPGGA,010203,0030.0000,S,00015.0000,W,1,10,1.0,12.3,M,0.0,M,,"},
        {41.0082, 28.9784, 0, "$GPGGA,010203,4100.4920,N,02858.7040,E,1,10,1.0,0.0,M,0.0,M,,"},
        // 59.99999' rounds into the next degree instead of printing 60.0000
        {40.9999999, -122.9999999, -5.06, "$GPGGA,010203,4100.0000,N,12300.0000,W,1,10,1.0,-5.1,M,0.0,M,,"},
        {0, 0, 0, "$GPGGA,010203,0000.0000,N,00000.0000,E,1,10,1.0,0.0,M,0.0,M,,"},
        {-89.999, 179.5, 1234.56, "$GPGGA,010203,8959.9400,S,17930.0000,E,1,10,1.0,1234.6,M,0.0,M,,"},
    };
    for (const auto& c : cases) {
        const std::string sentence = BuildGGASentence(1, 2, 3, c.lat, c.lon, c.alt);
        const std::size_t star = sentence.find('*');
        ASSERT_NE(star, std::string::npos);
        EXPECT_EQ(sentence.substr(0, star), c.expected);
        unsigned sum = 0;
        for (char ch : c.expected.substr(1))
            sum ^= static_cast<unsigned char>(ch);
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", sum);
        EXPECT_EQ(sentence.substr(star + 1), hex);
    }
    EXPECT_EQ(BuildGGASentence(23, 59, 9, 1, 1, 1).substr(7, 6), "235909");
    EXPECT_EQ(FormatGGALatitude(-0.5), "0030.0000");
    EXPECT_EQ(FormatGGALongitude(-0.25), "00015.0000");
    EXPECT_EQ(NMEAChecksum("GPGGA"), "56");
}

INSTANTIATE_TEST_SUITE_P(Locales, GGASentence, ::testing::Values("C", "de_DE.UTF-8", "tr_TR.UTF-8"));

TEST(ClassifyResponse, StatusLines)
{
    struct Case {
        std::string text;
        bool closed;
        bool mountPoint;
        TResponseKind kind;
        int code;
        std::string body;      // the text from BodyOffset on
        bool chunked;
    };
    const std::string rtcm = "\xD3\x00\x13>\xD0"s;
    const Case cases[] = {
        {"ICY 200 OK\r\n" + rtcm, false, true, TResponseKind::Stream, 0, rtcm, false},
        {"ICY 200 OK\r\n\r\n" + rtcm, false, true, TResponseKind::Stream, 0, rtcm, false},
        {"ICY 200 OK\r\nServer: NTRIP Caster 2.0\r\nDate: Tue, 01 Jan 2030\r\n\r\n" + rtcm, false, true,
         TResponseKind::Stream, 0, rtcm, false},
        {"ICY 200 OK\r\nServer: NTRIP", false, true, TResponseKind::Stream, 0, "Server: NTRIP", false},
        {"ICY 200 OK\r\n", false, true, TResponseKind::Stream, 0, "", false},
        {"ICY 200 OK\r\n", true, true, TResponseKind::Stream, 0, "", false},
        {"SOURCETABLE 200 OK\r\nContent-Type: text/plain\r\n\r\nSTR;A;", false, false, TResponseKind::SourceTable, 0,
         "STR;A;", false},
        {"SOURCETABLE 200 OK\r\nContent-Type: text/plain\r\n", false, false, TResponseKind::NeedMore, 0, "", false},
        {"HTTP/1.1 200 OK\r\nContent-Type: gnss/data\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n", false, true,
         TResponseKind::Stream, 200, "5\r\n", true},
        {"HTTP/1.1 200 OK\r\nContent-Type: gnss/sourcetable\r\n\r\nCAS;", false, true, TResponseKind::SourceTable, 200,
         "CAS;", false},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nSTR;", false, false, TResponseKind::SourceTable, 200,
         "STR;", false},
        {"HTTP/1.1 200 OK\r\nContent-Type: gnss/data\r\n", false, true, TResponseKind::NeedMore, 200, "", false},
        {"HTTP/1.0 401 Unauthorized", true, true, TResponseKind::Error, 401, "", false},
        {"HTTP/1.0 401 Unauthorized\r\n", false, true, TResponseKind::Error, 401, "", false},
        {"HTTP/1.1 404 Not Found\r\n\r\n", false, true, TResponseKind::Error, 404, "", false},
        {"HTTP/1.1 403 Forbidden\r\n", false, true, TResponseKind::Error, 403, "", false},
        {"HTTP/1.1 500 Internal Error\r\n", false, true, TResponseKind::Error, 500, "", false},
        {"HTTP/1.0 401 Unauth", false, true, TResponseKind::NeedMore, 0, "", false},
        {"hello world\r\n", false, true, TResponseKind::Unknown, 0, "", false},
        // A success marker elsewhere in a text is no success.
        {"ERROR - Bad Password (200 OK)\r\n", false, true, TResponseKind::Unknown, 0, "", false},
        {"", true, true, TResponseKind::Unknown, 0, "", false},
        {std::string(kMaxResponseHeaderSize, 'x'), false, true, TResponseKind::Unknown, 0, "", false},
    };
    for (const auto& c : cases) {
        const auto r = ClassifyResponse(c.text, c.closed, c.mountPoint);
        SCOPED_TRACE(c.text.substr(0, 60));
        EXPECT_EQ(r.Kind, c.kind);
        if (r.Kind == TResponseKind::NeedMore)
            continue;
        EXPECT_EQ(r.HttpCode, c.code);
        EXPECT_EQ(c.text.substr(r.BodyOffset), c.body);
        EXPECT_EQ(r.Chunked, c.chunked);
    }
    EXPECT_EQ(ClassifyResponse("HTTP/1.0 401 Unauthorized\r\n", false, true).StatusLine, "HTTP/1.0 401 Unauthorized");
    EXPECT_TRUE(ClassifyResponse("ICY 200 OK\r\nServer: NTRIP", false, true).HeaderLinesPending);
    EXPECT_FALSE(ClassifyResponse("ICY 200 OK\r\n\r\n", false, true).HeaderLinesPending);
}

TEST(ClassifyResponse, IcyHeaderLinesOrData)
{
    const std::pair<std::string, std::size_t> cases[] = {
        {"\xD3\x00\x13"s, 0},
        {"\r\n\xD3"s, 2},
        {"Server: x\r\nDate: y\r\n\r\n\xD3"s, 22},
        {"Server: x\r\n\xD3"s, 11},
        {"Server: x\r\n", std::string::npos},
        {"Server", std::string::npos},
        {"\r", std::string::npos},
        {"@ABC_`{|}", 0},   // RTCM 2 characters: no header line
    };
    for (const auto& [text, offset] : cases)
        EXPECT_EQ(SkipIcyHeaderLines(text, 0), offset) << text;
}

TEST(ChunkedDecoder, DecodesAtEverySplit)
{
    const std::string coded = "5\r\nhello\r\n7;ext=1\r\n, world\r\n1\r\n\xD3\r\n0\r\nTrailer: x\r\n\r\n"s;
    for (std::size_t split = 0; split <= coded.size(); ++split) {
        TChunkedDecoder decoder;
        std::string out;
        EXPECT_TRUE(decoder.Feed(std::string_view(coded).substr(0, split), out));
        EXPECT_TRUE(decoder.Feed(std::string_view(coded).substr(split), out));
        EXPECT_EQ(out, "hello, world\xD3"s) << split;
        EXPECT_TRUE(decoder.Finished()) << split;
    }
    const std::string broken[] = {"zz\r\n", "5\r\nhelloXX", std::string(2000, '1')};
    for (const auto& text : broken) {
        TChunkedDecoder decoder;
        std::string out;
        EXPECT_FALSE(decoder.Feed(text, out)) << text.substr(0, 20);
    }
}

TEST(SourceTable, StreamRecords)
{
    const std::string table =
        "CAS;caster.example;2101;Example;BKG;0;DEU;50.1;8.7;0.0.0.0;0;http://example\r\n"
        "NET;EX;BKG;B;N;http://example;none;none;none\r\n"
        "STR;MP01;Frankfurt;RTCM 3.2;1004(1),1005(10);2;GPS;EX;DEU;50.09;8.66;0;0;Gen;none;B;N;9600;\n"
        "STR;VRS02;Virtual;RTCM 3.1;1004(1);2;GPS;EX;DEU;50.1;8.7;1;1;Gen;none;B;N;9600;\r"
        "STR;SHORT;few;fields\r\n"
        "STR;NOSEMICOLON\r\n"
        "ENDSOURCETABLE\r\n";
    const auto entries = ParseSourceTableText(table);
    EXPECT_EQ(entries.MountPoints, (std::vector<std::string>{"MP01", "VRS02", "SHORT"}));
    EXPECT_EQ(entries.NMEA, (std::vector<std::string>{"0", "1", "0"}));
}
