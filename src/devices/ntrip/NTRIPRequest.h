#pragma once
// The request that opens a caster connection.

#include <string>

namespace skerra::ntrip {

// Version 0: NTRIP 1.0 ("HTTP/1.0"); 1: NTRIP 2.0 ("HTTP/1.1" with Host and
// Ntrip-Version); any other value: no request (an empty text). The authorisation line
// is sent only with a user name; an empty password still sends "user:".
std::string BuildNTRIPRequest(int version, const std::string& host, const std::string& mountPoint,
                              const std::string& username, const std::string& password);

// True when a text holds a control character (below 0x20, or DEL), which would let it
// end the request line early or inject a header of its own.
bool HasControlCharacters(const std::string& text);

}  // namespace skerra::ntrip
