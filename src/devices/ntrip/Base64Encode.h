#pragma once
// RFC 4648 Base64 (standard alphabet, '=' padding) for the caster's Basic authorisation.

#include <string>
#include <string_view>

std::string Base64Encode(std::string_view text);
