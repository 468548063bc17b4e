#include "CastExtraction.h"

#include "platform/NumberText.h"

#include <cmath>

namespace skerra::svp {

double ValidateSV(double SV) { return SV >= kLowestCastSV && SV <= kHighestCastSV ? SV : 0; }

std::optional<skerra::ScanFormat> CompileCastFormat(std::string_view format, std::string* problem, bool english)
{
    std::string refusal;
    auto compiled = skerra::ScanFormat::Compile(format, 2, &refusal);
    if (compiled && compiled->Captures() == 2) return compiled;
    if (problem) {
        if (!compiled)
            *problem = refusal;
        else if (english)
            *problem = "The search string \"" + std::string(format)
                + "\" must read exactly two values (%lf): the SV and the depth.";
        else
            *problem = "Arama dizesi \"" + std::string(format)
                + "\" tam olarak iki değer (%lf) okumalıdır: ses hızı ve derinlik.";
    }
    return std::nullopt;
}

ExtractionResult ExtractSamples(const std::vector<std::string>& castLines, const skerra::ScanFormat& format,
                                bool svFirst, const OutOfRangeQuestion& askSkip)
{
    ExtractionResult result;
    bool skipSilently = false;
    std::string line;
    for (size_t i = 0; i < castLines.size(); ++i) {
        double values[2] = {0, 0};
        if (format.Scan(castLines[i], values) != 2) continue;
        const double sv = svFirst ? values[0] : values[1];
        const double depth = std::round(svFirst ? values[1] : values[0]);  // half away from zero
        if (depth < 0) continue;
        if (ValidateSV(sv) == 0) {
            if (!skipSilently && (!askSkip || !askSkip(sv, static_cast<long long>(i) + 1))) {
                result.stopped = true;
                break;
            }
            skipSilently = true;
            ++result.skipped;
            continue;
        }
        line.clear();
        skerra::AppendFixed(line, depth, 0);
        line += ',';
        skerra::AppendFixed(line, sv, 3);
        result.samples.push_back(line);
    }
    return result;
}

std::string OutOfRangeWarning(double sv, long long lineNumber, bool english)
{
    const std::string value = skerra::FormatGeneral(sv, 15);
    const std::string line = skerra::IntToStr(lineNumber);
    if (english)
        return "Value exceeds SV range! Please correct " + value + " value at line " + line
            + " in source file. This line will be skipped.";
    return "Bu değer belkenen ses hızı aralığında değl! Ses hızı " + value + "'nin bulunduğu satır " + line
        + " kullanılmayacaktır.";
}

std::string SkippedLinesReport(long long skipped, bool noneTaken, bool english)
{
    const std::string count = skerra::IntToStr(skipped);
    if (english) {
        std::string text = skipped == 1 ? "1 line was skipped: its SV is out of range."
                                        : count + " lines were skipped: their SV is out of range.";
        if (noneTaken) text += " No line was taken: check whether SV or depth comes first.";
        return text;
    }
    std::string text = count + " satır atlandı: ses hızı aralık dışında.";
    if (noneTaken) text += " Hiçbir satır alınmadı: önce ses hızının mı derinliğin mi geldiğini kontrol edin.";
    return text;
}

}  // namespace skerra::svp
