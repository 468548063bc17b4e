#include "devices/ntrip/NTRIPRequest.h"

#include "devices/ntrip/Base64Encode.h"

namespace skerra::ntrip {

namespace {
constexpr const char* kUserAgent = "User-Agent: NTRIP HalvekNTRIPClient/1.0\r\n";
}

std::string BuildNTRIPRequest(int version, const std::string& host, const std::string& mountPoint,
                              const std::string& username, const std::string& password)
{
    std::string authorization;
    if (!username.empty())
        authorization = "Authorization: Basic " + Base64Encode(username + ":" + password) + "\r\n";
    switch (version) {
    case 0:
        return "GET /" + mountPoint + " HTTP/1.0\r\n" + kUserAgent + authorization + "\r\n";
    case 1:
        return "GET /" + mountPoint + " HTTP/1.1\r\n" + "Host: " + host + "\r\n" + "Ntrip-Version: Ntrip/2.0\r\n" +
               kUserAgent + authorization + "\r\n";
    default:
        return {};
    }
}

bool HasControlCharacters(const std::string& text)
{
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            return true;
    }
    return false;
}

}  // namespace skerra::ntrip
