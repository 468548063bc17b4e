#include "VelocityColumn.h"

#include "ListLineFields.h"
#include "platform/NumberText.h"

#include <optional>

namespace skerra::svp {
namespace {

bool outOfRange(double sv) { return !(sv > kLowestColumnSV && sv < kHighestColumnSV); }

// The SV given for each metre 0..maxDepth, or nothing.
std::vector<std::optional<double>> metreVelocities(const std::vector<std::string>& averaged, int maxDepth)
{
    std::vector<std::optional<double>> byMetre(static_cast<size_t>(maxDepth) + 1);
    for (const std::string& line : averaged) {
        const LineFields f = ReadDepthSV(line);
        if (f.count == 2 && f.depth >= 0 && f.depth <= maxDepth) byMetre[static_cast<size_t>(f.depth)] = f.sv;
    }
    return byMetre;
}

}  // namespace

ColumnResult BuildColumn(const std::vector<std::string>& averaged, int maxDepth)
{
    ColumnResult result;
    if (maxDepth < 0) return result;
    const auto byMetre = metreVelocities(averaged, maxDepth);
    result.lines.assign(byMetre.size(), std::string());
    if (!byMetre[0]) {
        result.status = ColumnResult::Status::NoSurfaceValue;
        return result;
    }
    double mean = 0, sv = 0;
    for (size_t q = 0; q < byMetre.size(); ++q) {
        if (byMetre[q]) sv = *byMetre[q];
        const double weight = static_cast<double>(q);
        mean = (weight * mean + sv) / (weight + 1);
        if (outOfRange(mean) || outOfRange(sv)) {
            result.status = ColumnResult::Status::OutOfRange;
            result.failedDepth = static_cast<int>(q);
            result.lines.clear();
            return result;
        }
        result.lines[q] = skerra::FormatFixed(mean, 2);
    }
    return result;
}

std::string NoSurfaceValueMessage(bool english)
{
    if (english)
        return "SV value at 0 depth cannot be blank. Consider manually adding a value for 0 depth.Example 0,1500.";
    return "Ses hızı profilinin başlangıcı olan 0 derinlik ve buna ait ses hızı boş olamaz. Bu değeri kendiniz "
           "doldurup yeniden deneyiniz.\nÖrnek: 0,1500.00";
}

std::string ColumnOutOfRangeMessage(int depth, bool english)
{
    const std::string q = skerra::IntToStr(depth);
    if (english) return "SV value at " + q + " is out of range. Please check, correct retry.";
    return "Sıra " + q + " ses hızı değeri hatalı. Lütfen kontrol edin, düzeltin ve tekrar deneyin";
}

}  // namespace skerra::svp
