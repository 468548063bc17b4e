// Scan formats: the first line of the input is the format, the rest the device line.
// Every accepted format must scan exactly as the C library's sscanf does in the "C"
// locale (this program never hands user formats to sscanf; here the format has been
// checked first), except that a non-finite capture ends the scan.
#include "platform/ScanFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view format = input.substr(0, split);
    const std::string line(split == std::string_view::npos ? std::string_view() : input.substr(split + 1));

    constexpr int maxCaptures = 4;
    const auto scan = skerra::ScanFormat::Compile(format, maxCaptures);
    if (!scan) return 0;

    double ours[maxCaptures] = {};
    const int got = scan->Scan(line, ours);

    double theirs[maxCaptures] = {};
    const std::string cFormat(format);
    int expected = std::sscanf(line.c_str(), cFormat.c_str(), &theirs[0], &theirs[1], &theirs[2], &theirs[3]);
    for (int i = 0; i < expected; ++i)
        if (!std::isfinite(theirs[i])) expected = i;  // refused on purpose

    bool same = got == expected;
    for (int i = 0; same && i < got; ++i) same = ours[i] == theirs[i];
    if (!same) {
        std::fprintf(stderr, "format \"%s\" line \"%s\": ScanFormat %d, sscanf %d\n", cFormat.c_str(),
                     line.c_str(), got, expected);
        for (int i = 0; i < maxCaptures; ++i) std::fprintf(stderr, "  %d: %.17g %.17g\n", i, ours[i], theirs[i]);
        std::abort();
    }
    return 0;
}
