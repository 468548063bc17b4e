#include "CastFormatDetection.h"

#include "platform/NumberText.h"

namespace skerra::svp {
namespace {

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool hasVelocityWord(const std::string& upper)
{
    return upper.find("SV") != std::string::npos || upper.find("VELOCITY") != std::string::npos;
}

bool hasDepthWord(const std::string& upper)
{
    return upper.find("PRESSURE") != std::string::npos || upper.find("DEPTH") != std::string::npos;
}

char delimiterOf(const std::string& line)
{
    for (char d : {',', '\t', ';'})
        if (line.find(d) != std::string::npos) return d;
    return ',';
}

std::string trimControls(const std::string& text)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

std::string buildFormat(int lo, int hi, char d)
{
    const std::string skip = std::string("%*[^") + d + "]" + d;
    std::string format;
    for (int k = 0; k < lo; ++k) format += skip;
    format += std::string("%lf") + d;
    for (int k = 0; k < hi - lo - 1; ++k) format += skip;
    return format + "%lf";
}

}  // namespace

std::vector<std::string> HeaderFields(const std::string& line, char delimiter)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < line.size()) {
        const size_t at = line.find(delimiter, start);
        const size_t end = at == std::string::npos ? line.size() : at;
        fields.push_back(upperAscii(trimControls(line.substr(start, end - start))));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return fields;
}

DetectedFormat DetectCastFormat(const std::vector<std::string>& lines)
{
    DetectedFormat result;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string upper = upperAscii(lines[i]);
        if (!hasVelocityWord(upper) || !hasDepthWord(upper)) continue;
        result.headerLine = static_cast<int>(i);
        break;
    }
    if (result.headerLine < 0) return result;
    const std::string& header = lines[static_cast<size_t>(result.headerLine)];
    result.delimiter = delimiterOf(header);
    const std::vector<std::string> fields = HeaderFields(header, result.delimiter);
    for (size_t k = 0; k < fields.size(); ++k) {
        if (hasVelocityWord(fields[k])) result.svColumn = static_cast<int>(k);
        if (hasDepthWord(fields[k])) result.depthColumn = static_cast<int>(k);
    }
    if (result.svColumn < 0 || result.depthColumn < 0 || result.svColumn == result.depthColumn) return result;
    const int lo = std::min(result.svColumn, result.depthColumn);
    const int hi = std::max(result.svColumn, result.depthColumn);
    result.svFirst = result.svColumn < result.depthColumn;
    result.format = buildFormat(lo, hi, result.delimiter);
    result.found = true;
    return result;
}

std::string DetectionReport(const DetectedFormat& found, bool english)
{
    const std::string delimiter = found.delimiter == '\t' ? std::string("TAB") : std::string(1, found.delimiter);
    const char* const english_[] = {"Auto-detected format:", "- Header at line: ", "- Delimiter: ",
                                    "- SV column: ", "- Pressure column: ", "- Search string: "};
    const char* const turkish_[] = {"Otomatik algilanan format:", "- Baslik satiri: ", "- Ayirici: ",
                                    "- SV sutunu: ", "- Basinc sutunu: ", "- Arama dizesi: "};
    const char* const* words = english ? english_ : turkish_;
    return std::string(words[0]) + "\n" + words[1] + skerra::IntToStr(found.headerLine + 1) + "\n" + words[2]
        + delimiter + "\n" + words[3] + skerra::IntToStr(found.svColumn + 1) + "\n" + words[4]
        + skerra::IntToStr(found.depthColumn + 1) + "\n" + words[5] + found.format;
}

}  // namespace skerra::svp
