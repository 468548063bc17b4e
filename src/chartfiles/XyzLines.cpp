#include "XyzLines.h"

#include "platform/ScanFormat.h"

#include <algorithm>
#include <string>

namespace skerra::chartfiles {
namespace {

const ScanFormat& format(int captures)
{
    static const ScanFormat three = *ScanFormat::Compile("%lf %lf %lf", 3);
    static const ScanFormat four = *ScanFormat::Compile("%lf %lf %lf %lf", 4);
    return captures == 3 ? three : four;
}

std::string withBlanksFor(std::string_view line, std::string_view separators)
{
    std::string s(line);
    for (char& c : s)
        if (separators.find(c) != std::string_view::npos) c = ' ';
    return s;
}

}  // namespace

std::optional<XyzPoint> ReadImportXyzLine(std::string_view line)
{
    if (line.empty()) return std::nullopt;
    const char first = line.front();
    if (!((first >= '0' && first <= '9') || first == '-' || first == '+')) return std::nullopt;
    double v[4] = {0, 0, 0, 0};
    const int n = format(4).Scan(withBlanksFor(line, ",\t"), v);
    XyzPoint p;
    if (n == 4)
        p = {v[1], v[2], v[3]};
    else if (n == 3)
        p = {v[0], v[1], v[2]};
    else
        return std::nullopt;
    if (p.easting == 0.0 && p.northing == 0.0) return std::nullopt;
    return p;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A field such as "12,5" or "-0,25": digits, one comma, digits, nothing else.
bool decimalCommaField(std::string_view field)
{
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
    const size_t comma = field.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 == field.size()) return false;
    for (size_t i = 0; i < field.size(); ++i)
        if (i != comma && !isDigit(field[i])) return false;
    return true;
}

}  // namespace

void NoteXyzLineHints(std::string_view line, XyzLineHints& hints)
{
    if (line.find(';') != std::string_view::npos) hints.semicolons = true;
    size_t pos = 0;
    while (pos <= line.size() && !hints.decimalCommas) {
        const size_t end = std::min(line.find_first_of("; \t", pos), line.size());
        hints.decimalCommas = decimalCommaField(line.substr(pos, end - pos));
        pos = end + 1;
    }
}

std::optional<XyzPoint> ReadGridXyzLine(std::string_view line)
{
    if (line.empty() || line.front() == '#' || line.front() == ';') return std::nullopt;
    double v[3] = {0, 0, 0};
    if (format(3).Scan(withBlanksFor(line, ","), v) != 3) return std::nullopt;
    return XyzPoint{v[0], v[1], v[2]};
}

}  // namespace skerra::chartfiles
