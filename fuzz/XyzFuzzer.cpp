// XYZ point lines: the Import command's reader, the hints about a list without a
// point, and the chart grid reader, line by line.
#include "chartfiles/XyzLines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(const std::optional<skerra::chartfiles::XyzPoint>& p)
{
    if (p && (!std::isfinite(p->easting) || !std::isfinite(p->northing) || !std::isfinite(p->z))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto imported = skerra::chartfiles::ReadImportXyzLine(line);
        check(imported);
        if (imported && imported->easting == 0 && imported->northing == 0) std::abort();
        skerra::chartfiles::XyzLineHints hints;
        skerra::chartfiles::NoteXyzLineHints(line, hints);
        check(skerra::chartfiles::ReadGridXyzLine(line));
    }
    return 0;
}
