#include "devices/ntrip/NTRIPSourceTable.h"

namespace skerra::ntrip {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = line.find(';', start);
        if (semicolon == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

}  // namespace

TSourceTableEntries ParseSourceTableText(std::string_view text)
{
    constexpr std::string_view kStream = "STR;";
    constexpr std::size_t kNmeaField = 11;
    TSourceTableEntries entries;
    for (std::string_view line : splitLines(text)) {
        if (line.substr(0, kStream.size()) != kStream)
            continue;
        const std::size_t end = line.find(';', kStream.size());
        if (end == std::string_view::npos)
            continue;
        entries.MountPoints.emplace_back(line.substr(kStream.size(), end - kStream.size()));
        const auto fields = splitFields(line);
        entries.NMEA.emplace_back(fields.size() > kNmeaField && fields[kNmeaField] == "1" ? "1" : "0");
    }
    return entries;
}

}  // namespace skerra::ntrip
