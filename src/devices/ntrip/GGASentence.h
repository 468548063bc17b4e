#pragma once
// The GGA sentence the NTRIP client sends to the caster, and the latitude and
// longitude texts of the GGA form that the correction-stream report shows too.
// Numbers never depend on the locale.

#include <string>
#include <string_view>

namespace skerra::ntrip {

// |latitude| as "DDMM.MMMM" and |longitude| as "DDDMM.MMMM"; the total minutes
// are rounded first, so 59.99999' becomes the next whole degree, never "60.0000".
std::string FormatGGALatitude(double latitude);
std::string FormatGGALongitude(double longitude);

// XOR of all characters, as two upper-case hexadecimal digits.
std::string NMEAChecksum(std::string_view body);

// "$GPGGA,hhmmss,DDMM.MMMM,N,DDDMM.MMMM,E,1,10,1.0,<alt>,M,0.0,M,,*CS" (no line end);
// south and west for negative latitude and longitude.
std::string BuildGGASentence(int utcHour, int utcMinute, int utcSecond, double latitude, double longitude,
                             double altitude);

}  // namespace skerra::ntrip
